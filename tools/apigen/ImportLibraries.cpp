#include "apigen/ImportLibraries.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>

namespace declarium::apigen {

namespace {

// Little-endian reads that never pass the end of the bytes.
std::optional<std::uint32_t> U32(std::string_view b, std::size_t at) {
  if (at > b.size() || b.size() - at < 4) return std::nullopt;
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

std::optional<std::uint16_t> U16(std::string_view b, std::size_t at) {
  if (at > b.size() || b.size() - at < 2) return std::nullopt;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

// The NUL-terminated text at at (up to the end when there is no NUL).
std::string_view CString(std::string_view b, std::size_t at) {
  if (at >= b.size()) return {};
  std::string_view rest = b.substr(at);
  return rest.substr(0, rest.find('\0'));
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The COFF layout (Microsoft's PE/COFF description): where the fields the
// reader needs lie, in bytes.
namespace coff {
constexpr std::size_t kSectionCount = 2;   // file header: number of sections
constexpr std::size_t kSymbolTable = 8;    // pointer to the symbol table
constexpr std::size_t kSymbolCount = 12;   // number of symbols
constexpr std::size_t kOptionalSize = 16;  // size of the optional header
constexpr std::size_t kFileHeader = 20;
constexpr std::size_t kSectionHeader = 40;
constexpr std::size_t kSectionRawSize = 16;  // section header: size of the raw data
constexpr std::size_t kSectionRawAt = 20;    // pointer to the raw data
constexpr std::size_t kSymbol = 18;          // one symbol table record
constexpr std::size_t kSymbolSection = 12;   // symbol: its section number (0: undefined)
constexpr std::size_t kSymbolClass = 16;     // storage class
constexpr std::size_t kSymbolAux = 17;       // auxiliary records that follow
constexpr unsigned char kExternal = 2;       // the storage class of an external symbol
// A short import record: its header, then the symbol and DLL names.
constexpr std::size_t kImportHint = 16;
constexpr std::size_t kImportTypes = 18;
constexpr std::size_t kImportHeader = 20;
// An archive member's header.
constexpr std::size_t kArchiveMagic = 8;  // "!<arch>\n"
constexpr std::size_t kMemberHeader = 60;
constexpr std::size_t kMemberName = 16;
constexpr std::size_t kMemberSize = 48;  // decimal text of 10 characters
constexpr std::size_t kMemberEnd = 58;   // "`\n"
}  // namespace coff

// What one COFF object of a dlltool import library says.
struct ObjectFacts {
  std::vector<std::string> defined;    // external symbols it defines
  std::vector<std::string> undefined;  // external symbols it refers to
  std::string idata6;                  // hint + export name
  std::string idata5;                  // the import lookup entry (ordinal imports)
  std::string idata7;                  // the DLL name, in a tail object
};

bool ReadObject(std::string_view b, ObjectFacts& facts) {
  const auto sections = U16(b, coff::kSectionCount);
  const auto symbolTable = U32(b, coff::kSymbolTable);
  const auto symbolCount = U32(b, coff::kSymbolCount);
  const auto optionalSize = U16(b, coff::kOptionalSize);
  if (!sections || !symbolTable || !symbolCount || !optionalSize) return false;
  const std::size_t symbolsAt = *symbolTable;
  const std::uint64_t symbolBytes = static_cast<std::uint64_t>(*symbolCount) * coff::kSymbol;
  if (symbolsAt > b.size() || symbolBytes > b.size() - symbolsAt) return false;
  const std::size_t stringsAt = symbolsAt + static_cast<std::size_t>(symbolBytes);

  auto longName = [&](std::size_t offset) { return CString(b, stringsAt + offset); };

  const std::size_t headersAt = coff::kFileHeader + *optionalSize;
  for (std::size_t i = 0; i < *sections; ++i) {
    const std::size_t h = headersAt + i * coff::kSectionHeader;
    if (h > b.size() || b.size() - h < coff::kSectionHeader) return false;
    const auto rawSize = U32(b, h + coff::kSectionRawSize);
    const auto rawAt = U32(b, h + coff::kSectionRawAt);
    if (!rawSize || !rawAt) return false;
    std::string_view name = b.substr(h, 8);
    name = name.substr(0, name.find('\0'));
    if (!name.empty() && name[0] == '/') {
      std::size_t offset = 0;
      for (char c : name.substr(1)) {
        if (c < '0' || c > '9') break;
        offset = offset * 10 + static_cast<std::size_t>(c - '0');
      }
      name = longName(offset);
    }
    std::string* target = name == ".idata$6"   ? &facts.idata6
                          : name == ".idata$5" ? &facts.idata5
                          : name == ".idata$7" ? &facts.idata7
                                               : nullptr;
    if (!target || *rawAt > b.size() || *rawSize > b.size() - *rawAt) continue;
    target->assign(b.substr(*rawAt, *rawSize));
  }

  for (std::size_t i = 0; i < *symbolCount; ++i) {
    const std::size_t s = symbolsAt + i * coff::kSymbol;
    const auto section = U16(b, s + coff::kSymbolSection);
    const unsigned char storageClass = static_cast<unsigned char>(b[s + coff::kSymbolClass]);
    const unsigned char aux = static_cast<unsigned char>(b[s + coff::kSymbolAux]);
    if (!section) return false;
    if (storageClass == coff::kExternal) {
      std::string_view name;
      if (U32(b, s).value_or(1) == 0) {
        name = longName(U32(b, s + 4).value_or(0));
      } else {
        name = b.substr(s, 8);
        name = name.substr(0, name.find('\0'));
      }
      (*section == 0 ? facts.undefined : facts.defined).emplace_back(name);
    }
    i += aux;
  }
  return true;
}


// A short import record: the header, then the symbol name and the DLL name.
std::optional<ImportedFunction> ReadShortImport(std::string_view b) {
  const auto ordinalOrHint = U16(b, coff::kImportHint);
  const auto types = U16(b, coff::kImportTypes);
  if (!ordinalOrHint || !types) return std::nullopt;
  const int kind = *types & 0x3;
  const int nameType = (*types >> 2) & 0x7;
  if (kind != 0) return std::nullopt;  // data and const imports are not functions
  const std::string_view symbol = CString(b, coff::kImportHeader);
  const std::string_view dll = CString(b, coff::kImportHeader + symbol.size() + 1);
  if (symbol.empty() || dll.empty()) return std::nullopt;

  ImportedFunction f;
  f.name = UndecoratedImportName(std::string("__imp_") + std::string(symbol));
  if (f.name.empty()) return std::nullopt;
  f.dll = Lower(dll);
  std::string_view exported = symbol;
  switch (nameType) {
    case 0: f.exportName = "#" + std::to_string(*ordinalOrHint); return f;
    case 1: break;
    case 4: {  // the export name is a third text
      const std::string_view as = CString(b, coff::kImportHeader + symbol.size() + 1 + dll.size() + 1);
      if (!as.empty()) exported = as;
      break;
    }
    default:  // without the prefix, and for 3 also without the "@N" suffix
      if (!exported.empty() && (exported[0] == '_' || exported[0] == '@' || exported[0] == '?'))
        exported.remove_prefix(1);
      if (nameType == 3) exported = exported.substr(0, exported.find('@'));
      break;
  }
  f.exportName = std::string(exported);
  return f;
}

// The head object's symbol: "__head_libuser32_a" in 32-bit archives,
// "_head_libuser32_a" in 64-bit ones, whose C names have no "_" before them.
bool IsHeadSymbol(std::string_view s) { return s.starts_with("__head_") || s.starts_with("_head_"); }

}  // namespace

std::string UndecoratedImportName(std::string_view symbol) {
  if (!symbol.starts_with("__imp_")) return {};
  std::string_view name = symbol.substr(6);
  if (!name.empty() && (name[0] == '_' || name[0] == '@')) name.remove_prefix(1);
  // A trailing "@" followed by digits only is the stdcall or fastcall byte count.
  const std::size_t at = name.rfind('@');
  if (at != std::string_view::npos && at > 0 && at + 1 < name.size() &&
      std::all_of(name.begin() + static_cast<std::ptrdiff_t>(at) + 1, name.end(),
                  [](char c) { return c >= '0' && c <= '9'; })) {
    name = name.substr(0, at);
  }
  // C++ names and other oddities are no C functions.
  if (name.empty() || name.find_first_of("?@$") != std::string_view::npos) return {};
  return std::string(name);
}

std::vector<ImportedFunction> ReadImportArchive(std::string_view bytes) {
  std::vector<ImportedFunction> out;
  if (!bytes.starts_with("!<arch>\n")) return out;

  struct FunctionMember {
    std::string symbol;
    std::string head;
    std::string exportName;
  };
  std::vector<FunctionMember> members;
  std::map<std::string, std::string> dllByIname;   // tail symbol -> DLL name
  std::map<std::string, std::string> inameByHead;  // head symbol -> tail symbol

  std::size_t at = coff::kArchiveMagic;
  while (at < bytes.size() && bytes.size() - at >= coff::kMemberHeader) {
    const std::string_view header = bytes.substr(at, coff::kMemberHeader);
    std::size_t size = 0;
    for (char c : header.substr(coff::kMemberSize, 10)) {
      if (c < '0' || c > '9') break;
      size = size * 10 + static_cast<std::size_t>(c - '0');
    }
    if (header.substr(coff::kMemberEnd, 2) != "`\n" || size > bytes.size() - at - coff::kMemberHeader) break;
    const std::string_view name = header.substr(0, coff::kMemberName);
    const std::string_view data = bytes.substr(at + coff::kMemberHeader, size);
    at += coff::kMemberHeader + size + (size & 1);
    if (name.starts_with("/ ") || name.starts_with("// ") || name.starts_with("/SYM64/")) continue;

    if (U16(data, 0) == std::uint16_t{0} && U16(data, 2) == std::uint16_t{0xFFFF}) {
      if (auto f = ReadShortImport(data)) out.push_back(std::move(*f));
      continue;
    }
    ObjectFacts facts;
    if (!ReadObject(data, facts)) continue;
    for (const std::string& d : facts.defined) {
      if (d.ends_with("_iname") && !facts.idata7.empty()) {
        dllByIname[d] = Lower(CString(facts.idata7, 0));
      } else if (IsHeadSymbol(d)) {
        for (const std::string& u : facts.undefined)
          if (u.ends_with("_iname")) inameByHead[d] = u;
      }
    }
    std::string importSymbol;
    for (const std::string& d : facts.defined)
      if (d.starts_with("__imp_")) importSymbol = d;
    if (importSymbol.empty()) continue;
    FunctionMember m;
    m.symbol = importSymbol;
    for (const std::string& u : facts.undefined)
      if (IsHeadSymbol(u)) m.head = u;
    if (facts.idata6.size() > 2) {
      m.exportName = std::string(CString(facts.idata6, 2));
    } else if (auto lookup = U32(facts.idata5, 0); lookup && (*lookup & 0x80000000u)) {
      m.exportName = "#" + std::to_string(*lookup & 0xFFFFu);
    }
    if (!m.head.empty()) members.push_back(std::move(m));
  }

  for (const FunctionMember& m : members) {
    const auto iname = inameByHead.find(m.head);
    if (iname == inameByHead.end()) continue;
    const auto dll = dllByIname.find(iname->second);
    if (dll == dllByIname.end() || dll->second.empty()) continue;
    ImportedFunction f;
    f.name = UndecoratedImportName(m.symbol);
    if (f.name.empty()) continue;
    f.exportName = m.exportName.empty() ? f.name : m.exportName;
    f.dll = dll->second;
    out.push_back(std::move(f));
  }
  return out;
}

bool ReadImportLibrary(const std::filesystem::path& file, std::vector<ImportedFunction>& out) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return false;
  out = ReadImportArchive(bytes);
  return true;
}

void ExportTable::Add(const ImportedFunction& f) {
  auto& list = byName_[f.name];
  for (const ImportedFunction& known : list)
    if (known.dll == f.dll) return;
  list.push_back(f);
}

int ExportTable::AddFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("lib") && name.ends_with(".a")) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  int withImports = 0;
  std::vector<ImportedFunction> imports;
  for (const auto& file : files) {
    if (!ReadImportLibrary(file, imports) || imports.empty()) continue;
    ++withImports;
    for (const ImportedFunction& f : imports) Add(f);
  }
  return withImports;
}

const std::vector<ImportedFunction>* ExportTable::Find(const std::string& name) const {
  const auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : &it->second;
}

}  // namespace declarium::apigen
