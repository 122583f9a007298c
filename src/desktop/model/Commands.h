// Command ids of the main menu, toolbar, accelerators, context and tray menus.
// Every one of them reaches DispatchCommand.
#pragma once

namespace declarium::command {

// Main menu 10000 and toolbar.
inline constexpr int kPublic = 10001;
inline constexpr int kBrowseFunctions = 10002;
inline constexpr int kBrowseCategories = 10003;
inline constexpr int kBrowseDataTypes = 10004;
inline constexpr int kBrowseConstants = 10005;
inline constexpr int kCopySelected = 10006;
inline constexpr int kAdvancedFind = 10007;
inline constexpr int kAddToList = 10008;
inline constexpr int kNewEntries = 10009;
inline constexpr int kConversion = 10011;
inline constexpr int kExport = 10017;
inline constexpr int kStatistics = 10022;
inline constexpr int kInsertChineseNames = 10024;
inline constexpr int kInsertRemarks = 10025;
inline constexpr int kAffixes = 10026;
inline constexpr int kHelpTopics = 10030;
inline constexpr int kOfficialSite = 10032;
inline constexpr int kOfficialForum = 10033;
inline constexpr int kContactMaker = 10034;
inline constexpr int kAbout = 10035;
inline constexpr int kExit = 10036;
inline constexpr int kSettings = 10040;
inline constexpr int kCopyWithDependencies = 10041;
inline constexpr int kCSharp64 = 10042;
inline constexpr int kVba7 = 10043;

// Context menus 11000: category tree.
inline constexpr int kTreeAddToList = 11002;
inline constexpr int kTreeCopy = 11003;
inline constexpr int kTreeExpandAll = 11005;
inline constexpr int kTreeCollapseAll = 11006;
inline constexpr int kTreeNewCategory = 11008;
inline constexpr int kTreeDeleteCategory = 11009;
inline constexpr int kTreeAddFunctions = 11011;
inline constexpr int kTreeRemoveFunction = 11012;
inline constexpr int kTreeRenameCategory = 11018;
inline constexpr int kTreeCopyWithDependencies = 11041;
// Insert list.
inline constexpr int kInsertCopy = 11014;
inline constexpr int kInsertRemove = 11016;
inline constexpr int kInsertRemoveAll = 11017;
inline constexpr int kInsertCopyWithDependencies = 11043;
// Function list.
inline constexpr int kFunctionAddToList = 11004;
inline constexpr int kFunctionCopy = 11007;
inline constexpr int kFunctionFileInto = 11013;
inline constexpr int kFunctionDelete = 11015;
inline constexpr int kFunctionCopyWithDependencies = 11040;
// Data type list.
inline constexpr int kDataTypeAddToList = 11019;
inline constexpr int kDataTypeCopy = 11020;
inline constexpr int kDataTypeDelete = 11028;
inline constexpr int kDataTypeCopyWithDependencies = 11042;
inline constexpr int kDataTypeLayout = 11044;
// Constant list.
inline constexpr int kConstantAddToList = 11022;
inline constexpr int kConstantCopy = 11023;
inline constexpr int kConstantDelete = 11024;
inline constexpr int kConstantEdit = 11025;
// Tray menu.
inline constexpr int kTrayToggle = 11010;
inline constexpr int kTrayFunctions = 11026;
inline constexpr int kTrayCategories = 11027;
inline constexpr int kTrayDataTypes = 11029;
inline constexpr int kTrayConstants = 11030;
inline constexpr int kTraySettings = 11032;
inline constexpr int kTrayExit = 11034;

}  // namespace declarium::command
