#include "model/Startup.h"

#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "store/Schema.h"

namespace declarium {

namespace {
constexpr int kYesNoWarning = 0x34;
constexpr int kErrorIcon = 0x10;
constexpr int kNo = 6;
}  // namespace

StartupOutcome OpenCatalogueAtStartup(CatalogueStore& store, std::string_view fileName, StartupMessages& messages,
                                      std::string_view folder) {
  // An existing file is taken as it is; only a missing one is created.
  if (store.Open(fileName, false)) {
    std::string problem;
    bool missing = false;
    if (HoldsCatalogue(store, problem, missing)) {
      // An older catalogue gains the column for finding constants by value;
      // a read-only one is used without it.
      EnsureConstantValues(store);
      return StartupOutcome::Opened;
    }
    // Never changed: it may be another program's file, or damaged.
    store.Close();
    messages.MessageBox(missing ? "数据库文件不是API数据库，缺少：" + problem : "打开数据库失败！\r\n" + problem,
                        kErrorIcon, "");
    return StartupOutcome::NotACatalogue;
  }

  // Started from another folder, the user sees where it looked.
  std::string question = "数据库文件丢失，是否新建一个数据库！";
  if (!folder.empty()) question += "\r\n查找的文件夹：" + std::string(folder);
  if (messages.MessageBox(question, kYesNoWarning, "警告：") == kNo) {
    return StartupOutcome::Declined;
  }
  if (!store.Open(fileName, true)) {
    messages.MessageBox("新建数据库失败！", kErrorIcon, "");
    return StartupOutcome::CreateFailed;
  }
  std::string error;
  if (!CreateSchema(store, error)) {
    store.Close();
    messages.MessageBox("创建表失败！\r\n" + error, kErrorIcon, "");
    return StartupOutcome::SchemaFailed;
  }
  return StartupOutcome::Opened;
}

}  // namespace declarium
