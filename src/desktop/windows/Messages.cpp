#include "windows/Messages.h"

#include "store/CatalogueStore.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"

namespace declarium {

void DeliverCopy(Window& window, CopyResult result, const std::string& gbkText) {
  switch (result) {
    case CopyResult::Copied:
      Services().SetClipboardText(FromGbk(gbkText));
      Services().Beep();
      break;
    case CopyResult::Failed: window.MessageBox(QStringLiteral("复制失败！"), kMbIconError); break;
    case CopyResult::Nothing: break;
  }
}

QString ReadErrorText(const CatalogueStore& store) {
  // A read that failed without a database error (the row is gone) has no reason to add.
  QString text = QStringLiteral("获取数据错误！");
  if (!store.ErrorMessage().empty()) text += QStringLiteral("\r\n") + FromGbk(store.ErrorMessage());
  return text;
}

void ShowReadError(CatalogueStore& store) { PlainMessageBox(ReadErrorText(store), kMbIconError); }

void ShowOutOfMemory(const QString& what) { PlainMessageBox(what + QStringLiteral("内存不足！"), kMbIconError); }

}  // namespace declarium
