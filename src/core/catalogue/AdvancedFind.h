// Find next over one chosen field of functions, data types or constants: a
// "contains" search whose result cursor stays open between clicks, so each
// click with the same inputs shows the next match, wrapping to the first.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/CatalogueStore.h"
#include "store/Records.h"

namespace declarium {

// Which table and field a tab (0 functions, 1 data types, 2 constants) and
// radio button (0 to 3) search. The member remarks are searched through the
// pair of tables "数据类型表,数据类型成员表".
struct FindTarget {
  std::string table;
  std::string field;
};

// False for a tab or radio outside the table.
bool FindTargetFor(int tab, int radio, FindTarget& target);
// The constants by value: the text is a decimal or hexadecimal number
// (ParseConstantValue), compared with each constant's number.
FindTarget ConstantValueTarget();
// Caption of a radio button on a tab; empty outside the table.
std::string FindRadioCaption(int tab, int radio);
// Kind of a tab's entries (functions, data types, constants); none outside.
std::optional<EntryKind> FindTabKind(int tab);
// The tab of a kind: 0 functions, 1 data types, 2 constants.
int FindTabOfKind(EntryKind kind);
// The kind of a target table's entries; none for an unknown table.
std::optional<EntryKind> FindTableKind(std::string_view table);

std::string NoRecordsMessage();       // when nothing matches
std::string WrappedToFirstMessage();  // shown before the first match comes again

enum class FindOutcome {
  Match,           // name (and, for constants, id) of the next match
  NoRecords,       // nothing matches: show NoRecordsMessage
  WrappedToFirst,  // show WrappedToFirstMessage, then the match given
  NothingShown,    // the search could not be run; nothing is shown
  Failed,          // the query failed part way: show "获取数据错误！" and the database's text
};

struct FindStep {
  FindOutcome outcome = FindOutcome::NothingShown;
  std::string name;
  int id = 0;  // constants only
};

class FindState {
 public:
  FindState() = default;
  FindState(const FindState&) = delete;
  FindState& operator=(const FindState&) = delete;

  // The same table, field and text as last time continue with the open
  // cursor; anything else starts a new search. "%", "_" and the backslash in
  // text stand for themselves. Only the targets of FindTargetFor and ConstantValueTarget
  // are searched; a value that is no number finds nothing.
  FindStep Step(CatalogueStore& store, std::string_view table, std::string_view field, std::string_view text);
  // Finalizes the cursor and forgets the inputs; the next Step starts afresh.
  void End();
  // Whether Step with these inputs would go on with the remembered search.
  bool Continues(std::string_view table, std::string_view field, std::string_view text) const {
    return !table_.empty() && table == table_ && field == field_ && text == text_;
  }

  bool HasCursor() const { return static_cast<bool>(cursor_); }

 private:
  void Start(CatalogueStore& store, std::string_view table, std::string_view field, std::string_view text);
  FindStep Read(CatalogueStore& store, FindOutcome outcome);

  std::string table_, field_, text_, where_;
  Statement cursor_;
  bool constants_ = false;
};

}  // namespace declarium
