#include "model/ContextMenus.h"

#include "model/Commands.h"

namespace declarium {

namespace {

using namespace command;
constexpr int kCommands[] = {
    kTreeAddToList,
    kTreeCopy,
    kTreeExpandAll,
    kTreeCollapseAll,
    kTreeNewCategory,
    kTreeDeleteCategory,
    kTreeAddFunctions,
    kTreeRemoveFunction,
    kTreeRenameCategory,
    kTreeCopyWithDependencies,
    kInsertCopy,
    kInsertRemove,
    kInsertRemoveAll,
    kInsertCopyWithDependencies,
    kFunctionAddToList,
    kFunctionCopy,
    kFunctionFileInto,
    kFunctionDelete,
    kFunctionCopyWithDependencies,
    kDataTypeAddToList,
    kDataTypeCopy,
    kDataTypeDelete,
    kDataTypeCopyWithDependencies,
    kDataTypeLayout,
    kConstantAddToList,
    kConstantCopy,
    kConstantDelete,
    kConstantEdit,
};

}  // namespace

std::span<const int> ContextMenuCommands() { return kCommands; }

bool ContextCommandEnabled(int commandId, const ContextSelection& s) {
  switch (commandId) {
    case kTreeNewCategory: return true;
    case kTreeExpandAll:
    case kTreeCollapseAll: return s.hasItems;
    case kTreeRenameCategory:
    case kTreeDeleteCategory:
    case kTreeAddFunctions: return s.categorySelected;
    case kTreeAddToList:
    case kTreeCopy:
    case kTreeCopyWithDependencies:
    case kTreeRemoveFunction: return s.functionSelected;
    // The whole insert list is copied or emptied, selected or not.
    case kInsertCopy:
    case kInsertCopyWithDependencies:
    case kInsertRemoveAll: return s.hasItems;
    default: return s.rowSelected;
  }
}

}  // namespace declarium
