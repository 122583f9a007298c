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

void ShowReadError(CatalogueStore& store) {
  // A read that failed without a database error (the row is gone) has no text.
  const std::string& error = store.ErrorMessage();
  QString text = QStringLiteral("获取数据错误！");
  if (!error.empty()) text += QStringLiteral("\r\n") + FromGbk(error);
  PlainMessageBox(text, kMbIconError);
}

void ShowOutOfMemory(const QString& what) {
  PlainMessageBox(what + QStringLiteral("内存不足！"), kMbIconError);
}

}  // namespace declarium
