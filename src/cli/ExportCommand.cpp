// export: the declarations of chosen kinds, filtered by conditions, into a file.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <memory>
#include <vector>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/OpenCatalogue.h"
#include "output/Export.h"
#include "text/Gbk.h"

namespace declarium::cli {
namespace {

using ConditionWords = std::vector<std::vector<std::string>>;  // FIELD OP VALUE, UTF-8

struct ExportArgs {
  std::filesystem::path output;
  bool functions = false;
  bool dataTypes = false;
  bool constants = false;
  ConditionWords functionConditions;
  ConditionWords dataTypeConditions;
  ConditionWords constantConditions;
};

bool Contains(const std::vector<std::string>& list, const std::string& s) {
  return std::find(list.begin(), list.end(), s) != list.end();
}

std::string Joined(const std::vector<std::string>& list) {
  std::string text;
  for (const std::string& s : list) text += (text.empty() ? "" : ", ") + s;
  return text;
}

// The conditions of one kind in GBK; false, after saying which word is wrong,
// when a field or an operator is not one of the fixed lists.
bool TakeConditions(const GlobalOptions& options, ExportKind kind, const char* option, const ConditionWords& words,
                    std::vector<ExportCondition>& conditions) {
  for (const auto& w : words) {
    if (w.size() != 3) {
      PrintError(options, std::string(option) + " takes three words: FIELD OP VALUE");
      return false;
    }
    ExportCondition c{Utf8ToGbk(w[0]), Utf8ToGbk(w[1]), Utf8ToGbk(w[2])};
    if (!Contains(ExportFields(kind), c.field)) {
      PrintError(options,
                 std::string(option) + ": unknown field " + c.field + " (fields: " + Joined(ExportFields(kind)) + ")");
      return false;
    }
    if (!Contains(ExportOperators(), c.op)) {
      PrintError(options, std::string(option) + ": unknown operator " + c.op +
                              " (operators: " + Joined(ExportOperators()) + ")");
      return false;
    }
    conditions.push_back(std::move(c));
  }
  return true;
}

int RunExport(const GlobalOptions& options, const ExportArgs& args) {
  ExportRequest request;
  request.functions = args.functions;
  request.dataTypes = args.dataTypes;
  request.constants = args.constants;
  request.target = options.Syntax();
  if (!TakeConditions(options, ExportKind::Functions, "--where-function", args.functionConditions,
                      request.functionConditions) ||
      !TakeConditions(options, ExportKind::DataTypes, "--where-type", args.dataTypeConditions,
                      request.dataTypeConditions) ||
      !TakeConditions(options, ExportKind::Constants, "--where-constant", args.constantConditions,
                      request.constantConditions)) {
    return kExitUsage;
  }

  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;
  std::string message;
  const ExportResult result = ExportDeclarations(store, args.output, request, BuildStyle(options), nullptr, message);
  if (result == ExportResult::Done) {
    PrintMessage(options, message.empty() ? std::string("导出完毕！") : message);
    return kExitOk;
  }
  if (message.empty()) message = "cannot write the export file " + PathText(args.output);
  PrintError(options, message);
  return kExitFailed;
}

}  // namespace

Command AddExportCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<ExportArgs>();
  const CLI::Validator gbkText(CheckGbkText, "TEXT", "gbk text");
  Command c;
  c.app = app.add_subcommand("export",
                             "Write the declarations of the chosen kinds, in --syntax and filtered by the "
                             "conditions, into a text file (GBK, CR LF)");
  c.app
      ->add_option_function<std::string>(
          "--output", [args](const std::string& v) { args->output = PathFromUtf8(v); },
          "The file to write (replaced when it exists)")
      ->required();
  c.app->add_flag("--functions", args->functions, "Export the functions");
  c.app->add_flag("--types", args->dataTypes, "Export the data types");
  c.app->add_flag("--constants", args->constants, "Export the constants");
  c.app
      ->add_option("--where-function", args->functionConditions,
                   "FIELD OP VALUE: a condition on the exported functions (repeatable; all must hold)")
      ->expected(3)
      ->check(gbkText);
  c.app
      ->add_option("--where-type", args->dataTypeConditions,
                   "FIELD OP VALUE: a condition on the exported data types (repeatable)")
      ->expected(3)
      ->check(gbkText);
  c.app
      ->add_option("--where-constant", args->constantConditions,
                   "FIELD OP VALUE: a condition on the exported constants (repeatable)")
      ->expected(3)
      ->check(gbkText);
  // Help is shown as UTF-8, whatever --output-encoding says.
  c.app->footer("FIELD for --where-function: " + GbkToUtf8(Joined(ExportFields(ExportKind::Functions))) +
                "\nFIELD for --where-type: " + GbkToUtf8(Joined(ExportFields(ExportKind::DataTypes))) +
                "\nFIELD for --where-constant: " + GbkToUtf8(Joined(ExportFields(ExportKind::Constants))) +
                "\nOP: " + Joined(ExportOperators()) +
                "\nVALUE: any text; it is compared as a text value (like: % and _ are wildcards).");
  c.run = [&options, args] { return RunExport(options, *args); };
  return c;
}

}  // namespace declarium::cli
