#include "output/Export.h"

#include <algorithm>
#include <cstdint>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include "output/Declarations.h"
#include "output/OutputFile.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "store/SqlText.h"

namespace declarium {
namespace {

struct Section {
  ExportKind kind;
  const char* table;
  const char* title;
  const char* failure;
  bool trailingEmptyLine;
};

constexpr Section kFunctions{ExportKind::Functions, "函数表", "正在导出函数...", "导出函数失败！", true};
constexpr Section kDataTypes{ExportKind::DataTypes, "数据类型表", "正在导出数据类型...", "导出数据类型失败！", true};
constexpr Section kConstants{ExportKind::Constants, "常量表", "正在导出常量...", "导出常量失败！", false};

// A killed export leaves its unfinished file behind (the target's name,
// ".tmp" and 8 hex digits). Every export holds a shared lock on its folder
// while it writes; one that gets the folder to itself removes the leftovers
// of its target first, since no export can be writing them. Windows refuses
// to delete a file a process has open, so there removing is enough.
class FolderClaim {
 public:
  explicit FolderClaim(const std::filesystem::path& path) {
    std::error_code ec;
    const std::filesystem::path target =
        std::filesystem::is_symlink(path, ec) ? std::filesystem::weakly_canonical(path, ec) : path;
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
#ifndef _WIN32
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) return;
    const bool alone = ::flock(fd_, LOCK_EX | LOCK_NB) == 0;
    if (alone) RemoveLeftovers(folder, target.filename().string());
    ::flock(fd_, LOCK_SH | LOCK_NB);
#else
    RemoveLeftovers(folder, target.filename().string());
#endif
  }
  ~FolderClaim() {
#ifndef _WIN32
    if (fd_ >= 0) ::close(fd_);
#endif
  }
  FolderClaim(const FolderClaim&) = delete;
  FolderClaim& operator=(const FolderClaim&) = delete;

 private:
  static void RemoveLeftovers(const std::filesystem::path& folder, const std::string& name) {
    const std::string prefix = name + ".tmp";
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(folder, ec); !ec && it != std::filesystem::directory_iterator();
         it.increment(ec)) {
      const std::string file = it->path().filename().string();
      if (file.size() != prefix.size() + 8 || file.compare(0, prefix.size(), prefix) != 0) continue;
      if (file.find_first_not_of("0123456789abcdef", prefix.size()) != std::string::npos) continue;
      std::error_code ignored;
      if (it->is_regular_file(ignored)) std::filesystem::remove(it->path(), ignored);
    }
  }
  int fd_ = -1;
};

bool IsCatalogueFile(const std::filesystem::path& catalogue, const std::filesystem::path& path) {
  if (catalogue.empty()) return false;
  std::error_code ec;
  if (std::filesystem::equivalent(path, catalogue, ec)) return true;
  const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
  const std::filesystem::path db = std::filesystem::weakly_canonical(catalogue, ec);
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    std::filesystem::path name = db;
    name += suffix;
    if (target == name) return true;
  }
  return false;
}

bool Contains(const std::vector<std::string>& list, const std::string& v) {
  return std::find(list.begin(), list.end(), v) != list.end();
}

// An unusable condition gives an empty row, which leaves the WHERE clause
// invalid ("where  order by", "and  and"), so the section's Prepare fails and
// the export reports it instead of exporting more than was asked for.
std::string WhereText(ExportKind kind, const std::vector<ExportCondition>& conditions) {
  if (conditions.empty()) return {};
  std::string out = " where ";
  for (size_t i = 0; i < conditions.size(); ++i) {
    if (i > 0) out += " and ";
    out += ExportConditionRow(kind, conditions[i]);
  }
  return out;
}

int Percent(std::int64_t k, std::int64_t count) {
  if (count <= 0) return 100;
  return static_cast<int>(std::min<std::int64_t>(100, k * 100 / count));
}

class Exporter {
 public:
  Exporter(CatalogueStore& store, OutputFile& file, const DeclarationStyle& style, SyntaxKind target,
           ExportObserver* observer, std::string& message)
      : store_(store), file_(file), style_(style), target_(target), observer_(observer), message_(message) {}

  ExportResult Run(const Section& section, const std::vector<ExportCondition>& conditions) {
    if (observer_ != nullptr) observer_->Progress(0);
    const std::string where = WhereText(section.kind, conditions);
    // Every record of the section from one query, in name order.
    const std::string columns = section.kind == ExportKind::Functions   ? FunctionColumns(store_)
                                : section.kind == ExportKind::DataTypes ? DataTypeColumns(store_)
                                                                        : ConstantColumns();
    Statement rows = store_.Prepare("select " + columns + " from " + section.table + where + " order by 名称 asc");
    if (!rows) return Fail(section);
    int count = 0;
    if (!store_.TryQueryInt(std::string("select count(*) from ") + section.table + " " + where, count)) {
      return Fail(section);
    }
    // All parameters or members of the section in one pass (see LoadParametersOf).
    const std::string owners = std::string("select id from ") + section.table + where;
    if (section.kind == ExportKind::Functions && !LoadParametersOf(store_, owners, children_)) return Fail(section);
    if (section.kind == ExportKind::DataTypes && !LoadMembersOf(store_, owners, children_)) return Fail(section);
    if (observer_ != nullptr) observer_->SectionStarted(section.title);
    std::int64_t k = 0;
    std::string text;
    int step;
    while ((step = store_.Step(rows)) == kStepRow) {
      if (observer_ != nullptr && observer_->ShouldStop()) return ExportResult::Stopped;
      ++k;
      if (observer_ != nullptr) observer_->Progress(Percent(k, count));
      Declare(section.kind, rows, text);
      text += "\r\n";
      if (!Write(text)) return ExportResult::Failed;
    }
    // A query that fails part way (a pattern too long for LIKE, a locked or
    // damaged file) must not pass for the end of the rows.
    if (step != kStepDone) return Fail(section);
    store_.Finalize(rows);
    if (section.trailingEmptyLine && !Write("\r\n")) return ExportResult::Failed;
    return ExportResult::Done;
  }

  bool Write(std::string_view bytes) {
    std::string reason;
    if (file_.Write(bytes, reason)) return true;
    message_ = "写入导出文件失败！\r\n" + reason;
    return false;
  }

 private:
  ExportResult Fail(const Section& section) {
    message_ = std::string(section.failure) + "\r\n" + store_.ErrorMessage();
    return ExportResult::Failed;
  }

  // The records are reused from row to row; the row readers overwrite every field.
  void Declare(ExportKind kind, Statement& row, std::string& out) {
    switch (kind) {
      case ExportKind::Functions:
        ReadFunctionRow(store_, row, function_);
        TakeChildren(function_.id, function_.parameters);
        out = DeclareFunction(target_, function_, style_);
        return;
      case ExportKind::DataTypes:
        ReadDataTypeRow(store_, row, dataType_);
        TakeChildren(dataType_.id, dataType_.members);
        out = DeclareDataType(target_, dataType_, style_, layoutTypes_.Lookup());
        return;
      case ExportKind::Constants:
        ReadConstantRow(store_, row, constant_);
        out = DeclareConstant(target_, constant_, style_);
        return;
    }
  }

  void TakeChildren(int id, std::vector<ParameterRecord>& into) {
    auto it = children_.find(id);
    if (it != children_.end()) {
      into = std::move(it->second);
    } else {
      into.clear();
    }
  }

  CatalogueStore& store_;
  OutputFile& file_;
  const DeclarationStyle& style_;
  SyntaxKind target_;
  ExportObserver* observer_;
  std::string& message_;
  FunctionRecord function_;
  DataTypeRecord dataType_;
  ConstantRecord constant_;
  ChildRows children_;
  DataTypeCache layoutTypes_{&store_};  // the nested types a VB Type's padding is worked out from
};

}  // namespace

const std::vector<std::string>& ExportFields(ExportKind kind) {
  static const std::vector<std::string> functions = {"名称", "中文名", "库名", "库对应命令", "函数说明", "备注"};
  static const std::vector<std::string> dataTypes = {"名称", "中文名", "备注"};
  static const std::vector<std::string> constants = {"名称", "十六进制值", "十进制值", "备注"};
  static const std::vector<std::string> none;
  switch (kind) {
    case ExportKind::Functions: return functions;
    case ExportKind::DataTypes: return dataTypes;
    case ExportKind::Constants: return constants;
  }
  return none;
}

const std::vector<std::string>& ExportOperators() {
  static const std::vector<std::string> operators = {"=", ">", "<", ">=", "<=", "!=", "like"};
  return operators;
}

std::string ExportConditionRow(ExportKind kind, const ExportCondition& condition) {
  // Field and operator go into the SQL as they stand, so only the fixed
  // entries are accepted; the value is always a quoted literal.
  if (!Contains(ExportFields(kind), condition.field) || !Contains(ExportOperators(), condition.op)) return {};
  return condition.field + " " + condition.op + " '" + SqlEscape(condition.value) + "'";
}

ExportResult ExportDeclarations(CatalogueStore& store, const std::filesystem::path& path, const ExportRequest& request,
                                const DeclarationStyle& style, ExportObserver* observer, std::string& message) {
  message.clear();
  if (!request.functions && !request.dataTypes && !request.constants) {
    message = "请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！";
    return ExportResult::NothingChosen;
  }
  // Written over, the catalogue would be lost with every entry in it; its
  // journal files are SQLite's, which deletes or rewrites them at will.
  if (IsCatalogueFile(store.FilePath(), path)) {
    message = "导出文件不能是正在使用的数据库文件！";
    return ExportResult::Failed;
  }
  // The export goes to a new file that takes the old one's place only when
  // it is complete: a failed, stopped or killed export leaves it as it was.
  const FolderClaim claim(path);
  OutputFile file;
  std::string reason;
  if (!file.Create(path, reason)) {
    message = "创建导出文件失败！\r\n" + reason;
    return ExportResult::Failed;
  }
  Exporter exporter(store, file, style, request.target, observer, message);
  if (request.target == SyntaxKind::E && !exporter.Write(".版本 2\r\n\r\n\r\n")) return ExportResult::Failed;

  struct Chosen {
    bool on;
    const Section& section;
    const std::vector<ExportCondition>& conditions;
  };
  const Chosen sections[] = {
      {request.functions, kFunctions, request.functionConditions},
      {request.dataTypes, kDataTypes, request.dataTypeConditions},
      {request.constants, kConstants, request.constantConditions},
  };
  for (const Chosen& c : sections) {
    if (!c.on) continue;
    ExportResult r = exporter.Run(c.section, c.conditions);
    if (r != ExportResult::Done) return r;  // the file keeps what was written so far
  }
  if (!file.Commit(reason)) {
    message = "写入导出文件失败！\r\n" + reason;
    return ExportResult::Failed;
  }
  message = "导出完毕！";
  return ExportResult::Done;
}

}  // namespace declarium
