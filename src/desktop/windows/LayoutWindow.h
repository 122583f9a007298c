// The memory layout of a data type: where each member lies in C and where
// VB puts it, in a small window of its own, so that the detail page stays
// as it is.
#pragma once

class QWidget;

namespace declarium {

class CatalogueStore;
struct WindowTemplate;

namespace layout_control {
inline constexpr int kText = 1902;
inline constexpr int kFor64 = 1903;
inline constexpr int kClose = 1904;
}  // namespace layout_control

// Template 1900.
extern const WindowTemplate kLayoutWindowTemplate;

// Modal, owned by owner: the layout of data type id, for 32-bit C and VB6,
// or with the check box (set at first from for64) 64-bit C and VBA 7.
void RunLayoutWindow(QWidget* owner, CatalogueStore& store, int dataTypeId, bool for64);

}  // namespace declarium
