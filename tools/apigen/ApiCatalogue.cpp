#include "apigen/ApiCatalogue.h"

#include <map>

#include "apigen/ClangTypes.h"
#include "import/StoreImported.h"
#include "store/CatalogueStore.h"
#include "store/NativeTypes.h"
#include "store/Schema.h"

namespace declarium::apigen {

namespace {


bool IsApiSet(const std::string& dll) { return dll.starts_with("api-ms-win-") || dll.starts_with("ext-ms-win-"); }

// The candidates that count: no API sets when there is anything else.
std::vector<const ImportedFunction*> Candidates(const std::vector<ImportedFunction>& all) {
  std::vector<const ImportedFunction*> plain, sets;
  for (const ImportedFunction& f : all) (IsApiSet(f.dll) ? sets : plain).push_back(&f);
  return plain.empty() ? sets : plain;
}

}  // namespace

bool IsRuntimeDll(const std::string& dll) {
  return dll.starts_with("msvcr") || dll.starts_with("msvcp") || dll.starts_with("ucrtbase") ||
         dll.starts_with("api-ms-win-crt-") || dll.starts_with("vcruntime") || dll.starts_with("crtdll") ||
         dll.starts_with("libwinpthread");
}

std::vector<FunctionRecord> ResolveLibraries(const std::vector<DeclaredFunction>& declared, const ExportTable& exports,
                                             ResolveReport& report) {
  // Votes of each header for the DLLs of its functions that have one only.
  std::map<std::string, std::map<std::string, int>> votes;
  for (const DeclaredFunction& d : declared) {
    const auto* all = exports.Find(d.record.name);
    if (!all) continue;
    const auto candidates = Candidates(*all);
    if (candidates.size() == 1) ++votes[d.header][candidates.front()->dll];
  }

  std::vector<FunctionRecord> out;
  out.reserve(declared.size());
  for (const DeclaredFunction& d : declared) {
    const auto* all = exports.Find(d.record.name);
    if (!all) {
      report.withoutExport.push_back(d.record.name);
      continue;
    }
    bool runtime = false;
    for (const ImportedFunction& f : *all) runtime = runtime || IsRuntimeDll(f.dll);
    if (runtime) {
      report.runtime.push_back(d.record.name);
      continue;
    }
    const auto candidates = Candidates(*all);
    const ImportedFunction* chosen = candidates.front();
    if (candidates.size() > 1) {
      const auto& headerVotes = votes[d.header];
      int best = 0;
      for (const ImportedFunction* c : candidates) {
        const auto v = headerVotes.find(c->dll);
        if (v != headerVotes.end() && v->second > best) {
          best = v->second;
          chosen = c;
        }
      }
    }
    FunctionRecord r = d.record;
    r.library = chosen->dll;
    r.entryPoint = chosen->exportName;
    r.syntax = SyntaxKind::E;
    out.push_back(std::move(r));
  }
  return out;
}

namespace {

// A value of 4 bytes in 32-bit code that a 64-bit compiler makes 8 bytes is
// as wide as a pointer, even where no typedef name says so (sql.h defines
// SQLLEN by a macro for 32-bit code).
void Widen(std::string& native32, const std::string& native64) {
  NativeType n32 = ParseNativeType(native32);
  const NativeType n64 = ParseNativeType(native64);
  if (n32.pointer != n64.pointer || (n32.kind != "i4" && n32.kind != "u4")) return;
  if (n64.kind != "i8" && n64.kind != "u8" && n64.kind != "iptr" && n64.kind != "uptr") return;
  n32.kind = n32.kind == "u4" ? "uptr" : "iptr";
  native32 = NativeTypeText(n32);
}

// The bytes of an E integer type.
int UnitOf(const std::string& type) { return type == kByte ? 1 : type == kShort ? 2 : type == kLong ? 8 : 4; }

// A member (or parameter) of 32-bit code and the same one of 64-bit code.
void TakeOver(ParameterRecord& m32, const ParameterRecord& m64) {
  // A union is kept as integers that cover its bytes; where it has other
  // bytes in 64-bit code (pointers in it), the C# for 64-bit takes those.
  if (m32.nativeType.empty() && m64.nativeType.empty()) {
    if (m32.type != m64.type || m32.array != m64.array)
      m32.nativeType = "blob " + std::to_string(UnitOf(m64.type)) + "*" + (m64.array.empty() ? "1" : m64.array);
    return;
  }
  Widen(m32.nativeType, m64.nativeType);
}

}  // namespace

void TakeOver64BitLayouts(HeaderCatalogue& scanned, std::vector<FunctionRecord>& functions,
                          const HeaderCatalogue& scanned64) {
  std::map<std::string, const DataTypeRecord*> types64;
  for (const DataTypeRecord& d : scanned64.dataTypes) types64[d.name] = &d;
  for (DataTypeRecord& d : scanned.dataTypes) {
    const auto it = types64.find(d.name);
    if (it == types64.end()) continue;
    const DataTypeRecord& x = *it->second;
    if (x.pack != d.pack) d.nativeType = "pack " + (x.pack.empty() ? "0" : x.pack);
    if (x.members.size() != d.members.size()) continue;
    for (std::size_t i = 0; i < d.members.size(); ++i) TakeOver(d.members[i], x.members[i]);
  }
  std::map<std::string, const FunctionRecord*> functions64;
  for (const apigen::DeclaredFunction& f : scanned64.functions) functions64[f.record.name] = &f.record;
  for (FunctionRecord& f : functions) {
    const auto it = functions64.find(f.name);
    if (it == functions64.end() || it->second->parameters.size() != f.parameters.size()) continue;
    Widen(f.returnNativeType, it->second->returnNativeType);
    for (std::size_t i = 0; i < f.parameters.size(); ++i)
      Widen(f.parameters[i].nativeType, it->second->parameters[i].nativeType);
  }
}

bool WriteCatalogue(const std::filesystem::path& file, const std::vector<FunctionRecord>& functions,
                    const std::vector<DataTypeRecord>& dataTypes, const std::vector<ConstantRecord>& constants,
                    std::string& message) {
  std::error_code ec;
  std::filesystem::remove(file, ec);
  CatalogueStore store;
  if (!store.OpenPath(file, true)) {
    message = "cannot create " + file.string();
    return false;
  }
  if (!CreateSchema(store, message)) return false;
  // The generator knows each value's C type; imports never do.
  if (!AddNativeTypeColumns(store)) {
    message = store.ErrorMessage();
    return false;
  }
  return StoreImported(store, functions, dataTypes, constants, message) && store.Close();
}

}  // namespace declarium::apigen
