// constants: which constants a number could be.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
#include <string>

#include "catalogue/ConstantValues.h"
#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/OpenCatalogue.h"
#include "store/ConstantNumbers.h"
#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace declarium::cli {
namespace {

struct ConstantsArgs {
  std::string value;
  std::string prefix;
};

std::string CheckValue(const std::string& word) {
  return ParseConstantValue(word) ? std::string() : "not a decimal or hexadecimal number: " + word;
}

std::string Hex(std::int64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

int RunConstants(const GlobalOptions& options, const ConstantsArgs& args) {
  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;
  const std::int64_t value = *ParseConstantValue(args.value);
  std::vector<ConstantRow> rows;
  if (!FindConstantsByValue(store, value, Utf8ToGbk(args.prefix), rows)) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return kExitFailed;
  }
  const std::string number = " = " + DecimalText(value) + " (" + Hex(value) + ")";
  std::string text;
  for (const ConstantRow& c : rows) text += c.name + number + "\r\n";
  WriteText(options, CrLfToLf(text));
  return kExitOk;
}

}  // namespace

Command AddConstantsCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<ConstantsArgs>();
  Command c;
  c.app = app.add_subcommand(
      "constants",
      "Print every constant with a value, one per line as NAME = decimal (hex), in name order. The value is "
      "decimal or hexadecimal (0x400, &H400, 400h); a value of 32 bits is compared as its bit pattern, so -1 "
      "finds 0xFFFFFFFF too. Values written as expressions are not matched");
  c.app->add_option("--value", args->value, "The number to look for")
      ->required()
      ->check(CLI::Validator(CheckValue, "NUMBER", "number"));
  c.app->add_option("--prefix", args->prefix, "Only constants whose name begins with this (letter case not counting)")
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  c.run = [&options, args] { return RunConstants(options, *args); };
  return c;
}

}  // namespace declarium::cli
