#include "apigen/ApiCatalogue.h"

#include <map>

#include "import/StoreImported.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"

namespace declarium::apigen {

namespace {

bool StartsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

bool IsApiSet(const std::string& dll) {
  return StartsWith(dll, "api-ms-win-") || StartsWith(dll, "ext-ms-win-");
}

// The candidates that count: no API sets when there is anything else.
std::vector<const ImportedFunction*> Candidates(const std::vector<ImportedFunction>& all) {
  std::vector<const ImportedFunction*> plain, sets;
  for (const ImportedFunction& f : all) (IsApiSet(f.dll) ? sets : plain).push_back(&f);
  return plain.empty() ? sets : plain;
}

}  // namespace

bool IsRuntimeDll(const std::string& dll) {
  return StartsWith(dll, "msvcr") || StartsWith(dll, "msvcp") || StartsWith(dll, "ucrtbase") ||
         StartsWith(dll, "api-ms-win-crt-") || StartsWith(dll, "vcruntime") ||
         StartsWith(dll, "crtdll") || StartsWith(dll, "libwinpthread");
}

std::vector<FunctionRecord> ResolveLibraries(const std::vector<DeclaredFunction>& declared,
                                             const ExportTable& exports, ResolveReport& report) {
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

bool WriteCatalogue(const std::filesystem::path& file, const std::vector<FunctionRecord>& functions,
                    const std::vector<DataTypeRecord>& dataTypes,
                    const std::vector<ConstantRecord>& constants, std::string& message) {
  std::error_code ec;
  std::filesystem::remove(file, ec);
  CatalogueStore store;
  if (!store.OpenPath(file, true)) {
    message = "cannot create " + file.string();
    return false;
  }
  if (!CreateSchema(store, message)) return false;
  return StoreImported(store, functions, dataTypes, constants, message) && store.Close();
}

}  // namespace declarium::apigen
