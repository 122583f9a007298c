// The messages several windows give in the same words.
#pragma once

#include <QString>
#include <string>

#include "output/CopyText.h"

namespace declarium {

class CatalogueStore;
class Window;

// Puts a copy command's text on the clipboard and beeps, or says "复制失败！".
void DeliverCopy(Window& window, CopyResult result, const std::string& gbkText);
// "获取数据错误！", with the database's own words when it has any.
// "获取数据错误！", with the database's reason when there is one.
QString ReadErrorText(const CatalogueStore& store);
void ShowReadError(CatalogueStore& store);
// "内存不足！", after what; for a text too large to read, convert or store.
void ShowOutOfMemory(const QString& what = {});

}  // namespace declarium
