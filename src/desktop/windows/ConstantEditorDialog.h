// The "修改常量" editor: the four visible fields of one row of the constants
// list, filled from that row and written back to it and to the catalogue.
#pragma once

class QWidget;

namespace declarium {

class CatalogueStore;
class ReportView;
struct WindowTemplate;

namespace constant_control {
inline constexpr int kName = 1705;
inline constexpr int kDecimal = 1706;
inline constexpr int kHex = 1707;
inline constexpr int kRemark = 1708;
inline constexpr int kOk = 1709;
inline constexpr int kCancel = 1710;
inline constexpr int kNameLabel = 1701;
inline constexpr int kDecimalLabel = 1702;
inline constexpr int kHexLabel = 1703;
inline constexpr int kRemarkLabel = 1704;
}  // namespace constant_control

// Template 1700.
extern const WindowTemplate kConstantEditorTemplate;

// Modal over owner for row of list (columns 名称, 十六进制值, 十进制值, 备注;
// row data = the constant's id). True when "确定" saved.
bool RunConstantEditor(QWidget* owner, CatalogueStore& store, ReportView* list, int row);

}  // namespace declarium
