#include "output/Layout.h"

#include <algorithm>
#include <cstdint>

#include "output/TypeNames.h"
#include "output/VbTypes.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "store/NativeTypes.h"
#include "text/AsciiFold.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

struct Unit {
  long long size = 0;
  long long align = 1;
};

// Nested types deeper than this are taken as a loop.
constexpr int kMaxDepth = 64;

bool Is64(LayoutRules rules) { return rules == LayoutRules::C64 || rules == LayoutRules::Vba64; }

long long PointerSize(LayoutRules rules) { return Is64(rules) ? 8 : 4; }

Unit Scalar(long long size) { return {size, size}; }

// The sizes of E's basic types; a name none of them is gives nothing.
std::optional<Unit> EBasic(std::string_view type, LayoutRules rules) {
  static constexpr std::pair<std::string_view, long long> kSizes[] = {
      {"字节型", 1}, {"短整数型", 2},     {"整数型", 4}, {"长整数型", 8},
      {"小数型", 4}, {"双精度小数型", 8}, {"逻辑型", 4}, {"日期时间型", 8}};
  for (const auto& [name, size] : kSizes)
    if (name == type) return Scalar(size);
  // Addresses: text, byte sets and subroutines are passed as pointers.
  for (std::string_view pointer : {"文本型", "字节集", "子程序指针", "通用型"})
    if (pointer == type) return Scalar(PointerSize(rules));
  return std::nullopt;
}

// VB's own types that the mapping to E would lose the size of.
std::optional<Unit> VbBasic(std::string_view type, LayoutRules rules) {
  if (const auto length = FixedStringLength(type)) {
    const auto n = VbWholeNumber(*length);
    if (!n || *n < 0) return std::nullopt;
    return Unit{*n, 1};
  }
  if (type == "Boolean") return Scalar(2);  // VB's own Boolean: a 2-byte VARIANT_BOOL
  if (type == "Currency" || type == "LongLong" || type == "Date") return Scalar(8);
  if (type == "Variant") return Unit{16, 8};
  if (type == "LongPtr" || type == "String" || type == "Object" || type == "Any") return Scalar(PointerSize(rules));
  return std::nullopt;
}

std::optional<Unit> CSharpBasic(std::string_view type, LayoutRules rules) {
  if (type == "uint") return Scalar(4);
  if (type == "char") return Scalar(1);  // marshalled as ANSI, C#'s default in a structure
  if (type == "decimal") return Unit{16, 8};
  if (type == "IntPtr" || type == "UIntPtr" || type == "StringBuilder" || type == "object")
    return Scalar(PointerSize(rules));
  return std::nullopt;
}

// The unit of a 64-bit native type, where the member has one that says it.
std::optional<Unit> NativeUnit(const NativeType& n) {
  if (n.kind.empty()) return std::nullopt;
  if (n.pointer) return Scalar(8);
  static constexpr std::pair<std::string_view, long long> kSizes[] = {
      {"i1", 1},  {"u1", 1},   {"c1", 1},   {"i2", 2},   {"u2", 2},   {"i4", 4},   {"u4", 4},
      {"i8", 8},  {"u8", 8},   {"f4", 4},   {"f8", 8},   {"bool", 4}, {"iptr", 8}, {"uptr", 8},
      {"ptr", 8}, {"astr", 8}, {"wstr", 8}, {"abuf", 8}, {"wbuf", 8}};
  for (const auto& [kind, size] : kSizes)
    if (kind == n.kind) return Scalar(size);
  return std::nullopt;
}

class Calculator {
 public:
  Calculator(LayoutRules rules, const DataTypeLookup& lookup) : rules_(rules), lookup_(lookup) {}

  std::optional<TypeLayout> LayOut(const DataTypeRecord& d, int depth) {
    if (depth > kMaxDepth) return std::nullopt;
    TypeLayout out;
    const long long pack = EffectivePack(d);
    long long offset = 0;
    for (const ParameterRecord& m : d.members) {
      std::optional<Unit> element = ElementOf(d, m, depth);
      if (!element) return std::nullopt;
      long long count = 1;
      // A 64-bit blob already covers the whole member.
      const bool blob = Is64(rules_) && BlobOf(m);
      if (!blob && !m.array.empty()) {
        const auto product = CountProduct(m.array);
        if (!product) return std::nullopt;
        count = *product;
      }
      long long align = std::max<long long>(element->align, 1);
      if (rules_ == LayoutRules::Vb6)
        align = std::min<long long>(align, 4);
      else if (pack > 0)
        align = std::min(align, pack);
      offset = (offset + align - 1) / align * align;
      out.members.push_back({offset, element->size * count, align});
      offset += element->size * count;
      out.align = std::max(out.align, align);
    }
    out.size = (offset + out.align - 1) / out.align * out.align;
    return out;
  }

 private:
  long long EffectivePack(const DataTypeRecord& d) const {
    if (rules_ == LayoutRules::Vb6 || rules_ == LayoutRules::Vba64) return 0;
    if (rules_ == LayoutRules::C64) {
      const std::string_view native = d.nativeType;
      if (native.substr(0, 5) == "pack ") {
        const auto n = VbWholeNumber(native.substr(5));
        return n ? *n : 0;
      }
    }
    return PackOf(d);
  }

  static std::optional<Unit> BlobOf(const ParameterRecord& m) {
    std::string_view unitText, countText;
    if (!BlobShape(ParseNativeType(m.nativeType), unitText, countText)) return std::nullopt;
    const auto unit = VbWholeNumber(unitText);
    const auto count = VbWholeNumber(countText);
    if (!unit || !count || *unit <= 0) return std::nullopt;
    return Unit{*unit * *count, *unit};
  }

  std::optional<Unit> ElementOf(const DataTypeRecord& d, const ParameterRecord& m, int depth) {
    if (m.byRef) return Scalar(PointerSize(rules_));
    if (Is64(rules_)) {
      if (auto blob = BlobOf(m)) return blob;
      const NativeType n = ParseNativeType(m.nativeType);
      if (auto unit = NativeUnit(n)) return unit;
    }
    std::string type = TrimSpaces(m.type);
    // "RECT[]", "byte[]": brackets older C# imports kept on an array member.
    if (d.syntax == SyntaxKind::CSharp && type.size() > 2 && type.substr(type.size() - 2) == "[]")
      type.resize(type.size() - 2);
    if (d.syntax == SyntaxKind::Vb)
      if (auto unit = VbBasic(type, rules_)) return unit;
    if (d.syntax == SyntaxKind::CSharp)
      if (auto unit = CSharpBasic(type, rules_)) return unit;
    const std::string e = MapTypeName(type, d.syntax, SyntaxKind::E);
    if (auto unit = EBasic(e, rules_)) return unit;
    if (IsBasicTypeName(type, d.syntax)) return std::nullopt;
    const DataTypeRecord* nested = lookup_ ? lookup_(type) : nullptr;
    if (!nested || nested == &d) return std::nullopt;
    const auto layout = LayOut(*nested, depth + 1);
    if (!layout) return std::nullopt;
    return Unit{layout->size, layout->align};
  }

  LayoutRules rules_;
  const DataTypeLookup& lookup_;
};

}  // namespace

int PackOf(const DataTypeRecord& record) {
  const auto n = VbWholeNumber(record.pack);
  return n && *n > 0 && *n <= 16 ? static_cast<int>(*n) : 0;
}

std::optional<TypeLayout> LayOutDataType(const DataTypeRecord& record, LayoutRules rules,
                                         const DataTypeLookup& lookup) {
  return Calculator(rules, lookup).LayOut(record, 0);
}

void DataTypeCache::Add(const DataTypeRecord& record) {
  if (record.name.empty()) return;
  known_.insert_or_assign(record.name, std::make_unique<DataTypeRecord>(record));
}

void DataTypeCache::Add(DataTypeRecord&& record) {
  if (record.name.empty()) return;
  std::string name = record.name;
  known_.insert_or_assign(std::move(name), std::make_unique<DataTypeRecord>(std::move(record)));
}

const DataTypeRecord* DataTypeCache::Find(std::string_view name) {
  if (const auto it = known_.find(name); it != known_.end()) return it->second.get();
  std::unique_ptr<DataTypeRecord> found;
  int id = 0;
  if (store_ && FindDataTypeByName(*store_, name, id) && id != 0) {
    auto record = std::make_unique<DataTypeRecord>();
    if (LoadDataType(*store_, id, *record)) found = std::move(record);
  }
  const DataTypeRecord* result = found.get();
  known_.emplace(std::string(name), std::move(found));
  return result;
}

}  // namespace declarium
