#include "model/ContextMenus.h"

#include <gtest/gtest.h>

#include "model/Commands.h"

namespace declarium {
namespace {

TEST(ContextMenus, ItemsWithNothingToActOnAreDisabled) {
  using namespace command;
  const ContextSelection empty;
  EXPECT_TRUE(ContextCommandEnabled(kTreeNewCategory, empty));
  EXPECT_FALSE(ContextCommandEnabled(kTreeExpandAll, empty));
  EXPECT_FALSE(ContextCommandEnabled(kTreeDeleteCategory, empty));
  EXPECT_FALSE(ContextCommandEnabled(kFunctionDelete, empty));
  ContextSelection category{true, true, true, false};
  EXPECT_TRUE(ContextCommandEnabled(kTreeRenameCategory, category));
  EXPECT_FALSE(ContextCommandEnabled(kTreeRemoveFunction, category));
  // The whole insert list is copied without a selection.
  EXPECT_TRUE(ContextCommandEnabled(kInsertCopy, {true, false, false, false}));
  EXPECT_FALSE(ContextCommandEnabled(kInsertRemove, {true, false, false, false}));
}

}  // namespace
}  // namespace declarium
