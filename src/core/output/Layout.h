// Where each member of a data type lies in memory, by the rules of 32-bit C
// (Windows, default packing 8, the record's Pack), of VB6 (a member aligned on
// its size, never beyond 4 bytes), of 64-bit C (sizes from the native types
// where the record has them) and of VBA 7 in 64-bit Office (as 64-bit C, but
// no Pack: every member on its own size).
//
// Sizes come from the records: the basic types of the record's syntax, a
// member's element counts, a member passed by address as a pointer, and nested
// data types looked up by name. A type that cannot be found or sized leaves
// the whole layout unknown.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Records.h"

namespace declarium {

class CatalogueStore;

enum class LayoutRules { C32, Vb6, C64, Vba64 };

struct MemberLayout {
  long long offset = 0;
  long long size = 0;   // all its elements
  long long align = 1;  // as placed, Pack applied
};

struct TypeLayout {
  std::vector<MemberLayout> members;  // one per member, in order
  long long size = 0;
  long long align = 1;
};

// The data type of a name, or null when there is none.
using DataTypeLookup = std::function<const DataTypeRecord*(std::string_view name)>;

std::optional<TypeLayout> LayOutDataType(const DataTypeRecord& record, LayoutRules rules, const DataTypeLookup& lookup);

// The Pack a record asks for (1, 2, 4, 8, 16), or 0 for the default.
int PackOf(const DataTypeRecord& record);

// Data types of the catalogue by name (exact first, then regardless of ASCII
// case), each loaded once; and records of the same text, taken first.
class DataTypeCache {
 public:
  explicit DataTypeCache(CatalogueStore* store = nullptr) : store_(store) {}
  // A record the cache is to know by its name (a type of the text being
  // converted); kept by copy, or taken over.
  void Add(const DataTypeRecord& record);
  void Add(DataTypeRecord&& record);
  const DataTypeRecord* Find(std::string_view name);
  DataTypeLookup Lookup() {
    return [this](std::string_view name) { return Find(name); };
  }

 private:
  CatalogueStore* store_;
  std::map<std::string, std::unique_ptr<DataTypeRecord>, std::less<>> known_;  // null: none of that name
};

}  // namespace declarium
