#include "import/StoreImported.h"

#include <unordered_set>

#include "output/VbTypes.h"
#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "store/NativeTypes.h"
#include "store/Schema.h"
#include "store/Transaction.h"
#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace declarium {

namespace {

// The summary's sections, in the order a run stores them.
enum Section { kFunctions, kDataTypes, kConstants, kSectionCount };

// The five inserts, each prepared once per run and given its values by
// binding: parsing a statement per row cost more than twice what storing the
// row did. Values reach the database exactly as quoted literals would.
constexpr std::string_view kFunctionInsert =
    "insert into 函数表 (名称,返回值类型,备注,库名,库对应命令,导入语言,CharSet,CallingConvention) "
    "values (?,?,?,?,?,?,?,?)";
constexpr std::string_view kParameterInsert =
    "insert into 函数参数表 (名称,数据类型,数组,传址,备注,所属函数) values (?,?,?,?,?,?)";
constexpr std::string_view kDataTypeInsert =
    "insert into 数据类型表 (名称,备注,导入语言,CharSet,Pack,Size) values (?,?,?,?,?,?)";
constexpr std::string_view kMemberInsert =
    "insert into 数据类型成员表 (名称,数据类型,数组,传址,备注,所属数据类型) values (?,?,?,?,?,?)";
// Native types come only from the generator, into a file that has their
// column; they are set on the row just stored.
constexpr std::string_view kFunctionNative = "update 函数表 set 原生类型=? where id=?";
constexpr std::string_view kParameterNative = "update 函数参数表 set 原生类型=? where id=?";
constexpr std::string_view kDataTypeNative = "update 数据类型表 set 原生类型=? where id=?";
constexpr std::string_view kMemberNative = "update 数据类型成员表 set 原生类型=? where id=?";
constexpr std::string_view kConstantInsert =
    "insert into 常量表 (名称,十进制值,十六进制值,备注,类型) values (?,?,?,?,?)";

// One insert statement, prepared when first needed, so that a table this
// run does not write is never touched.
class Insert {
 public:
  Insert(CatalogueStore& store, std::string_view sql) : store_(store), sql_(sql) {}

  Insert& Text(std::string_view gbk) {
    if (Ready()) ok_ = store_.BindText(stmt_, ++index_, gbk) && ok_;
    return *this;
  }
  Insert& Int(long long value) {
    if (Ready()) ok_ = store_.BindInt(stmt_, ++index_, value) && ok_;
    return *this;
  }

  // Runs the insert with the values given; the statement is ready for the
  // next row either way. False gives error the database's text.
  bool Run(std::string& error) {
    bool ok = Ready() && ok_ && store_.Step(stmt_) == kStepDone;
    // After a failed step the reset repeats its error; after a good one a
    // failing reset would leave the statement unusable for the next row.
    if (stmt_ && !store_.Reset(stmt_) && ok) ok = false;
    if (!ok) error = store_.ErrorMessage();
    index_ = 0;
    ok_ = true;
    return ok;
  }

 private:
  bool Ready() {
    if (!prepared_) {
      prepared_ = true;
      stmt_ = store_.Prepare(sql_);
    }
    return static_cast<bool>(stmt_);
  }

  CatalogueStore& store_;
  std::string_view sql_;
  Statement stmt_;
  bool prepared_ = false;
  bool ok_ = true;
  int index_ = 0;
};

// The names of one table, read once, so that checking a record costs no query:
// a query per record made a large import spend most of its time looking up.
// Names are kept as the database compares them, in UTF-8, so the answer is
// the one NameExists would give. When the table cannot be read, every check
// falls back to NameExists, and the insert reports what is wrong.
class TableNames {
 public:
  TableNames(CatalogueStore& store, std::string_view table) : store_(store), table_(table) {}

  bool Contains(const std::string& name) {
    if (!loaded_) Load();
    if (!readable_) return NameExists(store_, table_, name);
    return names_.count(GbkToUtf8(name)) != 0;
  }

  void Add(const std::string& name) {
    if (readable_) names_.insert(GbkToUtf8(name));
  }

 private:
  void Load() {
    loaded_ = true;
    std::string sql = "select 名称 from ";
    sql += table_;
    // Only text equals a quoted name; a blob of the same bytes does not.
    sql += " where typeof(名称)='text'";
    Statement stmt = store_.Prepare(sql);
    if (!stmt) return;
    while (store_.NextRow(stmt)) names_.insert(store_.ColumnUtf8(stmt, 0));
    // Names cut short by an error would let duplicates in: ask per name then.
    readable_ = store_.Finalize(stmt);
    if (!readable_) names_.clear();
  }

  CatalogueStore& store_;
  std::string_view table_;
  std::unordered_set<std::string> names_;
  bool loaded_ = false;
  bool readable_ = false;
};

}  // namespace

bool NameExists(CatalogueStore& store, std::string_view table, std::string_view name) {
  // The table is one of the catalogue's, named by the program; the name is a value.
  Statement stmt = store.Prepare("select count(1) from " + std::string(table) + " where 名称=?");
  return stmt && store.BindText(stmt, 1, name) && store.StepOnce(stmt) && store.ColumnInt(stmt, 0) != 0;
}

struct ImportSession::Run {
  Run(CatalogueStore& s, BetweenRecords between)
      : store(s), betweenRecords(std::move(between)), transaction(s), open(transaction.Active()) {
    // No transaction of its own: nothing to roll back, and nothing may be stored.
    if (!open) message = transaction.Error();
  }

  // False when the caller gave up; the message then holds the summary so far.
  bool NextRecord() {
    if (!betweenRecords || betweenRecords()) return true;
    message = Summary();
    return RolledBack();
  }
  // Runs one insert; on failure the message becomes the database's text.
  bool Store(Insert& insert) { return insert.Run(message) || RolledBack(); }
  // The id of the row just inserted; 0 is a failure.
  bool NewId(int& id) {
    id = store.LastInsertId();
    return id != 0 || Fail();
  }
  bool Fail() {
    message = store.ErrorMessage();
    return RolledBack();
  }
  bool RolledBack() {
    transaction.Rollback();
    open = false;
    return false;
  }
  // Sets the native type of the row just stored, when it has one and the
  // file keeps them.
  bool StoreNative(Insert& update, const std::string& nativeType) {
    if (nativeType.empty()) return true;
    if (keepsNative < 0) keepsNative = HasNativeTypeColumn(store, "函数参数表") ? 1 : 0;
    if (keepsNative == 0) return true;
    update.Text(nativeType).Int(store.LastInsertId());
    return Store(update);
  }

  // Whether a list of that section may be stored: the run is still open, and
  // the summary moves on to it.
  bool Enter(Section section) {
    if (section > reached) reached = section;
    return open;
  }

  // "成功添加\r\n函数：F个\r\n数据类型：" and so on, up to the section reached
  // (all three once complete).
  std::string Summary() const {
    static constexpr std::string_view kLabels[kSectionCount] = {"函数：", "数据类型：", "常量："};
    std::string text = "成功添加";
    for (int i = 0; i < kSectionCount && i <= reached; ++i) {
      text += "\r\n";
      text += kLabels[i];
      if (i < reached) text += DecimalText(counts[i]) + "个";
      // A re-import adds nothing: say why, so that it does not look broken.
      if (i < reached && skipped[i] > 0) text += "（" + DecimalText(skipped[i]) + " 个同名已存在，未添加）";
    }
    return text;
  }

  // A VB member whose bounds or string length name a constant the text did
  // not define takes the number the catalogue's constant of that name has;
  // names neither knows are kept and listed after the summary.
  const ParameterRecord& Resolved(const DataTypeRecord& d, const ParameterRecord& m) {
    if (d.syntax != SyntaxKind::Vb) return m;
    const auto length = FixedStringLength(m.type);
    const bool namedLength = length && !VbWholeNumber(*length);
    if (!namedLength && NamesIn(m.array).empty()) return m;
    const NameValue lookup = [this](std::string_view name) { return CatalogueConstant(name); };
    resolved = m;
    if (!m.array.empty()) resolved.array = ResolveCounts(m.array, lookup, &unresolved);
    if (namedLength) resolved.type = "String * " + ResolveCounts(*length, lookup, &unresolved);
    return resolved;
  }
  std::optional<std::int64_t> CatalogueConstant(std::string_view name) {
    Statement stmt = store.Prepare("select 十进制值,十六进制值 from 常量表 where 名称=? limit 1");
    if (!stmt || !store.BindText(stmt, 1, name) || !store.StepOnce(stmt)) return std::nullopt;
    const auto value = StoredConstantValue(store.ColumnText(stmt, 0), store.ColumnText(stmt, 1));
    store.Finalize(stmt);
    return value;
  }
  // The names no count or length could be worked out for, after the summary.
  std::string UnresolvedNote() const {
    if (unresolved.empty()) return {};
    std::string note = "\r\n未能确定的数组长度或文本长度（常量未定义）：";
    std::unordered_set<std::string> said;
    for (const std::string& name : unresolved) {
      if (!said.insert(name).second) continue;
      if (said.size() > 1) note += "、";
      note += name;
    }
    return note;
  }

  // The declarations stored without a piece of their text the reader could
  // not read (a parameter or member), named after the summary so that none
  // goes missing unseen.
  std::string PartlyReadNote() const {
    if (partlyRead.empty()) return {};
    constexpr std::size_t kNamed = 20;
    std::string note = "\r\n未能完整读取的声明：";
    for (std::size_t i = 0; i < partlyRead.size() && i < kNamed; ++i) note += (i > 0 ? "、" : "") + partlyRead[i];
    if (partlyRead.size() > kNamed) note += "等" + std::to_string(partlyRead.size()) + "个";
    return note;
  }

  CatalogueStore& store;
  BetweenRecords betweenRecords;
  Transaction transaction;
  bool open;
  std::vector<std::string> partlyRead;
  ParameterRecord resolved;
  std::vector<std::string> unresolved;
  Insert functionInsert{store, kFunctionInsert};
  Insert parameterInsert{store, kParameterInsert};
  Insert dataTypeInsert{store, kDataTypeInsert};
  Insert memberInsert{store, kMemberInsert};
  Insert constantInsert{store, kConstantInsert};
  Insert functionNative{store, kFunctionNative};
  Insert parameterNative{store, kParameterNative};
  Insert dataTypeNative{store, kDataTypeNative};
  Insert memberNative{store, kMemberNative};
  int keepsNative = -1;  // unknown until a record has a native type
  TableNames functionNames{store, "函数表"};
  TableNames dataTypeNames{store, "数据类型表"};
  TableNames constantNames{store, "常量表"};
  int counts[kSectionCount] = {0, 0, 0};
  int skipped[kSectionCount] = {0, 0, 0};  // names already stored (or earlier in the run)
  int reached = kFunctions;                // kSectionCount once committed
  std::string message;
};

ImportSession::ImportSession(CatalogueStore& store, BetweenRecords betweenRecords)
    : run_(std::make_unique<Run>(store, std::move(betweenRecords))) {}

// The run's transaction rolls back what was not committed.
ImportSession::~ImportSession() = default;

const std::string& ImportSession::Message() const { return run_->message; }

bool ImportSession::Add(const std::vector<FunctionRecord>& functions) {
  Run& run = *run_;
  if (!run.Enter(kFunctions)) return false;
  for (const FunctionRecord& f : functions) {
    if (!run.NextRecord()) return false;
    if (run.functionNames.Contains(f.name)) {
      ++run.skipped[kFunctions];
      continue;
    }
    int id = 0;
    run.functionInsert.Text(f.name).Text(f.returnType).Text(f.remark).Text(f.library).Text(f.entryPoint);
    run.functionInsert.Int(SyntaxNumber(f.syntax)).Text(f.charSet).Text(f.callingConvention);
    if (!run.Store(run.functionInsert) || !run.NewId(id) || !run.StoreNative(run.functionNative, f.returnNativeType))
      return false;
    run.functionNames.Add(f.name);
    ++run.counts[kFunctions];
    if (f.readInPart) run.partlyRead.push_back(f.name);
    for (const ParameterRecord& p : f.parameters) {
      if (!run.NextRecord()) return false;
      // Only the reader's exact "1" marks an array parameter.
      run.parameterInsert.Text(p.name).Text(p.type).Int(p.array == "1" ? 1 : 0).Int(p.byRef ? 1 : 0);
      run.parameterInsert.Text(p.remark).Int(id);
      if (!run.Store(run.parameterInsert) || !run.StoreNative(run.parameterNative, p.nativeType)) return false;
    }
  }
  return true;
}

bool ImportSession::Add(const std::vector<DataTypeRecord>& dataTypes) {
  Run& run = *run_;
  if (!run.Enter(kDataTypes)) return false;
  for (const DataTypeRecord& d : dataTypes) {
    if (!run.NextRecord()) return false;
    if (run.dataTypeNames.Contains(d.name)) {
      ++run.skipped[kDataTypes];
      continue;
    }
    int id = 0;
    run.dataTypeInsert.Text(d.name).Text(d.remark).Int(SyntaxNumber(d.syntax)).Text(d.charSet).Text(d.pack);
    run.dataTypeInsert.Text(d.size);
    if (!run.Store(run.dataTypeInsert) || !run.NewId(id) || !run.StoreNative(run.dataTypeNative, d.nativeType))
      return false;
    run.dataTypeNames.Add(d.name);
    ++run.counts[kDataTypes];
    if (d.readInPart) run.partlyRead.push_back(d.name);
    for (const ParameterRecord& member : d.members) {
      if (!run.NextRecord()) return false;
      const ParameterRecord& m = run.Resolved(d, member);
      run.memberInsert.Text(m.name).Text(m.type).Text(m.array).Int(m.byRef ? 1 : 0).Text(m.remark).Int(id);
      if (!run.Store(run.memberInsert) || !run.StoreNative(run.memberNative, m.nativeType)) return false;
    }
  }
  return true;
}

bool ImportSession::Add(const std::vector<ConstantRecord>& constants) {
  Run& run = *run_;
  if (!run.Enter(kConstants)) return false;
  for (const ConstantRecord& c : constants) {
    if (!run.NextRecord()) return false;
    if (run.constantNames.Contains(c.name)) {
      ++run.skipped[kConstants];
      continue;
    }
    run.constantInsert.Text(c.name).Text(c.decimalValue).Text(c.hexValue).Text(c.remark).Text(c.type);
    if (!run.Store(run.constantInsert)) return false;
    run.constantNames.Add(c.name);
    ++run.counts[kConstants];
  }
  return true;
}

bool ImportSession::Commit() {
  Run& run = *run_;
  if (!run.open) return false;
  // New constants get their numbers in the same transaction, and an older
  // catalogue the column for them. The numbers can be worked out again, so
  // not storing them is no reason to lose the import.
  AddConstantValues(run.store);
  AddOwnerIndexes(run.store);
  // A commit that does not happen (the file locked by another reader, say)
  // must not be reported as stored.
  if (!run.transaction.Commit()) {
    run.message = run.transaction.Error();
    run.open = false;
    return false;
  }
  run.open = false;
  run.reached = kSectionCount;
  run.message = run.Summary() + run.UnresolvedNote() + run.PartlyReadNote();
  return true;
}

bool StoreImported(CatalogueStore& store, const std::vector<FunctionRecord>& functions,
                   const std::vector<DataTypeRecord>& dataTypes, const std::vector<ConstantRecord>& constants,
                   std::string& message, const BetweenRecords& betweenRecords) {
  ImportSession session(store, betweenRecords);
  const bool ok = session.Add(functions) && session.Add(dataTypes) && session.Add(constants) && session.Commit();
  message = session.Message();
  return ok;
}

}  // namespace declarium
