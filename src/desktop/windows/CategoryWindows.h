// The two filing windows: "函数分类" files many functions into one category,
// "选择分类" files one function into a category picked from a list. Both are
// modal over the main window; the caller refills its tree when they wrote.
#pragma once

#include <QString>

class QWidget;

namespace declarium {

class CatalogueStore;
struct WindowTemplate;

namespace file_control {
inline constexpr int kLabel = 1301;
inline constexpr int kOutside = 1302;  // functions not in the category
inline constexpr int kTypeAhead = 1303;
inline constexpr int kInside = 1304;  // functions in the category
inline constexpr int kOk = 1305;
inline constexpr int kCancel = 1306;
inline constexpr int kAdd = 1307;
inline constexpr int kRemove = 1308;
}  // namespace file_control

namespace choose_control {
inline constexpr int kCategories = 1401;
inline constexpr int kOk = 1402;
inline constexpr int kCancel = 1403;
}  // namespace choose_control

// Templates 1300 and 1400.
extern const WindowTemplate kFileFunctionsTemplate;
extern const WindowTemplate kChooseCategoryTemplate;

// True when "确定" wrote every row of the right list (the window is closed).
bool RunFileFunctionsWindow(QWidget* owner, CatalogueStore& store, int categoryId, const QString& categoryText);
// True when the function was filed (the window is closed).
bool RunChooseCategoryWindow(QWidget* owner, CatalogueStore& store, int functionId);

}  // namespace declarium
