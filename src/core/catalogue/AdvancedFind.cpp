#include "catalogue/AdvancedFind.h"

#include "store/ConstantNumbers.h"
#include "store/SqlText.h"

namespace declarium {

namespace {

constexpr int kTabs = 3;
constexpr int kRadios = 4;

struct FindChoice {
  const char* caption;
  const char* table;
  const char* field;
};

const char* const kMemberTables = "数据类型表,数据类型成员表";
const char* const kMemberRemark = "数据类型成员表.备注";

const FindChoice kChoices[kTabs][kRadios] = {
    {{"函数名", "函数表", "名称"},
     {"中文名", "函数表", "中文名"},
     {"函数说明", "函数表", "函数说明"},
     {"DLL库名", "函数表", "库名"}},
    {{"数据类型名", "数据类型表", "名称"},
     {"中文名", "数据类型表", "中文名"},
     {"数据类型说明", "数据类型表", "备注"},
     {"成员说明", kMemberTables, kMemberRemark}},
    {{"常量名", "常量表", "名称"},
     {"备注", "常量表", "备注"},
     {"十六进制值", "常量表", "十六进制值"},
     {"十进制值", "常量表", "十进制值"}},
};

const FindChoice* ChoiceAt(int tab, int radio) {
  if (tab < 0 || tab >= kTabs || radio < 0 || radio >= kRadios) return nullptr;
  return &kChoices[tab][radio];
}

constexpr std::string_view kValueField = "数值";

// Table and field are spliced into the statement, so only the fixed pairs pass.
bool IsFindTarget(std::string_view table, std::string_view field) {
  if (table == "常量表" && field == kValueField) return true;
  for (const auto& tab : kChoices) {
    for (const FindChoice& c : tab) {
      if (table == c.table && field == c.field) return true;
    }
  }
  return false;
}

// field like '%text%', the text's own "%", "_" and "\" taken as they
// stand (Windows names are full of "_"). The database's LIKE reads its texts only up to a NUL
// byte, so a text holding one is looked for byte for byte instead (letter
// case of A to Z still not counting, as with LIKE). What is looked for is
// ?1 (PrepareSearch).
bool HasNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

std::string Contains(std::string_view field, std::string_view text) {
  const std::string f(field);
  return HasNul(text) ? "instr(lower(" + f + "),lower(?1))>0" : f + " like ?1 escape '\\'";
}

// sql with its ?1 given what the search of text in field looks for: the
// number of a value search (none when the text is no number), the text of
// any other.
Statement PrepareSearch(CatalogueStore& store, const std::string& sql, std::string_view field, std::string_view text) {
  if (field == kValueField) {
    const std::optional<std::int64_t> value = ParseConstantValue(text);
    return value ? store.PrepareWith(sql, {*value}) : store.Prepare(sql);
  }
  if (HasNul(text)) return store.PrepareWith(sql, {text});
  return store.PrepareWith(sql, {"%" + LikePattern(text) + "%"});
}

}  // namespace

FindTarget ConstantValueTarget() { return {"常量表", std::string(kValueField)}; }

bool FindTargetFor(int tab, int radio, FindTarget& target) {
  const FindChoice* c = ChoiceAt(tab, radio);
  if (c == nullptr) return false;
  target = {c->table, c->field};
  return true;
}

std::string FindRadioCaption(int tab, int radio) {
  const FindChoice* c = ChoiceAt(tab, radio);
  return c == nullptr ? std::string() : std::string(c->caption);
}

std::optional<EntryKind> FindTabKind(int tab) {
  static constexpr EntryKind kinds[kTabs] = {EntryKind::Functions, EntryKind::DataTypes, EntryKind::Constants};
  if (tab < 0 || tab >= kTabs) return std::nullopt;
  return kinds[tab];
}

int FindTabOfKind(EntryKind kind) {
  if (kind == EntryKind::DataTypes) return 1;
  if (kind == EntryKind::Constants) return 2;
  return 0;
}

std::optional<EntryKind> FindTableKind(std::string_view table) {
  if (table == "函数表") return EntryKind::Functions;
  if (table == "数据类型表" || table == kMemberTables) return EntryKind::DataTypes;
  if (table == "常量表") return EntryKind::Constants;
  return std::nullopt;
}

std::string NoRecordsMessage() { return "没有找到记录！"; }
std::string WrappedToFirstMessage() { return "已经到末尾处，现在返回到第一条记录！"; }

void FindState::End() {
  cursor_.Finalize();
  table_.clear();
  field_.clear();
  text_.clear();
  where_.clear();
  constants_ = false;
}

void FindState::Start(CatalogueStore& store, std::string_view table, std::string_view field, std::string_view text) {
  End();
  table_ = table;
  field_ = field;
  text_ = text;
  std::string select;
  if (field == kMemberRemark) {
    // One row per matching member, so a data type comes once for each of them.
    where_ = " where 数据类型成员表.所属数据类型=数据类型表.id and " + Contains(field, text) +
             " order by 数据类型表.名称 asc";
    select = "select 数据类型表.名称 from ";
  } else if (field == kValueField) {
    // No number matches nothing.
    const bool number = ParseConstantValue(text).has_value();
    where_ = " where " + (number ? ConstantValueIs(store, "?1") : std::string("0")) + " order by 名称 asc";
    constants_ = true;
    select = "select id,名称 from ";
  } else {
    where_ = " where " + Contains(field, text) + " order by 名称 asc";
    constants_ = table == "常量表";
    select = constants_ ? "select id,名称 from " : "select 名称 from ";
  }
  if (IsFindTarget(table, field)) cursor_ = PrepareSearch(store, select + table_ + where_, field_, text_);
}

FindStep FindState::Read(CatalogueStore& store, FindOutcome outcome) {
  FindStep step;
  step.outcome = outcome;
  if (constants_) {
    step.id = store.ColumnInt(cursor_, 0);
    step.name = store.ColumnText(cursor_, 1);
  } else {
    step.name = store.ColumnText(cursor_, 0);
  }
  return step;
}

FindStep FindState::Step(CatalogueStore& store, std::string_view table, std::string_view field, std::string_view text) {
  if (!Continues(table, field, text)) {
    Start(store, table, field, text);
    if (!cursor_) return {};
  }
  FindStep failed;
  failed.outcome = FindOutcome::Failed;
  // Without a cursor (a refused or unpreparable search) nothing is found.
  const int step = cursor_ ? store.Step(cursor_) : kStepDone;
  if (step == kStepRow) return Read(store, FindOutcome::Match);
  if (step != kStepDone) return failed;

  // A refused target has no cursor and no count either: it finds nothing.
  int count = 0;
  if (IsFindTarget(table_, field_)) {
    Statement counting = PrepareSearch(store, "select count(1) from " + table_ + " " + where_, field_, text_);
    if (!counting || !store.StepOnce(counting)) return failed;
    count = store.ColumnInt(counting, 0);
    if (!store.Finalize(counting)) return failed;
  }
  FindStep none;
  none.outcome = FindOutcome::NoRecords;
  if (count == 0) return none;
  store.Reset(cursor_);
  const int first = store.Step(cursor_);
  if (first == kStepRow) return Read(store, FindOutcome::WrappedToFirst);
  return first == kStepDone ? none : failed;
}

}  // namespace declarium
