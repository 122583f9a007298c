// A small catalogue in a temporary folder, made through the store, for the
// main window's tests.
#pragma once

#include <QString>

#include <exception>
#include <functional>

#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "support/Entries.h"
#include "toolkit/QtText.h"

namespace declarium::test {

// A new catalogue at file holding the rows sql inserts; a failure is told.
inline bool MakeCatalogue(const QString& file, const QString& sql) {
  CatalogueStore store;
  std::string error;
  if (store.OpenPath(file.toStdString(), true) && CreateSchema(store, error) && store.Exec(ToGbk(sql), error))
    return true;
  qWarning("%s: %s", qPrintable(file), error.c_str());
  return false;
}

// Entries for a window test's catalogue: the tests' literals are UTF-8.
inline Entries EntriesOf(CatalogueStore& store) { return Entries(store, Entries::Text::Utf8); }

// A new catalogue at file holding what fill adds; a failure is told.
inline bool MakeCatalogue(const QString& file, const std::function<void(Entries&)>& fill) {
  CatalogueStore store;
  std::string error;
  if (!store.OpenPath(file.toStdString(), true) || !CreateSchema(store, error)) {
    qWarning("%s: %s", qPrintable(file), error.c_str());
    return false;
  }
  try {
    Entries add = EntriesOf(store);
    fill(add);
  } catch (const std::exception& e) {
    qWarning("%s: %s", qPrintable(file), e.what());
    return false;
  }
  return true;
}

// Two functions (MessageBoxA with one parameter), two data types (RECT with
// one member) and one constant.
inline void AddAppEntries(Entries& add) {
  add.Function(NewFunction("MessageBoxA")
                   .Returns("整数型")
                   .Remark("弹出信息框")
                   .Library("user32.dll", "MessageBoxA")
                   .Description("显示一个信息框")
                   .ChineseName("信息框")
                   .Param(NewParam("hWnd", "整数型").Remark("父窗口")));
  add.Function(NewFunction("GetTickCount")
                   .Returns("整数型")
                   .Remark("取毫秒数")
                   .Library("kernel32.dll", "GetTickCount")
                   .Description("系统启动以来的毫秒数")
                   .ChineseName(""));
  add.DataType(NewDataType("RECT").Remark("矩形").Member(NewParam("left", "整数型").Remark("左边")));
  add.DataType(NewDataType("POINT").Remark("点"));
  add.Constant(NewConstant("MB_OK", "0", "0x0").Remark("确定"));
}

inline bool MakeAppCatalogue(const QString& file) { return MakeCatalogue(file, AddAppEntries); }

// prefix and i in at least width digits ("K07"): names that sort as they count.
inline std::string Numbered(const char* prefix, int i, int width = 2) {
  std::string digits = std::to_string(i);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, width - digits.size(), '0');
  return prefix + digits;
}

}  // namespace declarium::test
