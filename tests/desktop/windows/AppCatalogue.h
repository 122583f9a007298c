// A small catalogue in a temporary folder, made through the store, for the
// main window's tests.
#pragma once

#include <QString>

#include "store/CatalogueStore.h"
#include "store/Schema.h"
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

inline bool MakeAppCatalogue(const QString& file) {
  return MakeCatalogue(file, QStringLiteral(
      "insert into 函数表(名称,返回值类型,备注,库名,库对应命令,函数说明,中文名) values"
      "('MessageBoxA','整数型','弹出信息框','user32.dll','MessageBoxA','显示一个信息框','信息框'),"
      "('GetTickCount','整数型','取毫秒数','kernel32.dll','GetTickCount','系统启动以来的毫秒数','');"
      "insert into 函数参数表(名称,数据类型,备注,所属函数) values('hWnd','整数型','父窗口',1);"
      "insert into 数据类型表(名称,备注) values('RECT','矩形'),('POINT','点');"
      "insert into 数据类型成员表(名称,数据类型,备注,所属数据类型) values('left','整数型','左边',1);"
      "insert into 常量表(名称,十六进制值,十进制值,备注) values('MB_OK','0x0','0','确定');"));
}

}  // namespace declarium::test
