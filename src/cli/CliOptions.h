// What every command shares: the global options and the exit codes.
#pragma once

#include <filesystem>
#include <string>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace CLI {
class App;
}

namespace declarium::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// The catalogue was changed (an import stored its rows) but the report of it
// could not be written.
constexpr int kExitReportLost = 3;

enum class Encoding { Auto, Utf8, Gbk };

struct GlobalOptions {
  std::filesystem::path db = "data.db";
  std::string syntax = "e";
  bool chineseNames = false;
  bool remarks = false;
  bool isPublic = false;
  std::string prefix;  // UTF-8, as given
  std::string suffix;
  bool prefixGiven = false;
  bool suffixGiven = false;
  bool chineseNamesGiven = false;
  bool remarksGiven = false;
  bool publicGiven = false;
  bool csharp64 = false;
  bool csharp64Given = false;
  bool vba7 = false;
  bool vba7Given = false;
  std::filesystem::path config;
  std::string inputEncoding = "auto";
  std::string outputEncoding = "utf-8";

  Encoding input() const;
  Encoding output() const;
  SyntaxKind Syntax() const;
};

// Words a syntax may be given by: e, csharp, vb or 0, 1, 2.
bool ParseSyntax(const std::string& word, SyntaxKind& syntax);
// Check text for CLI11: empty when word names a syntax.
std::string CheckSyntaxWord(const std::string& word);
// Check text for CLI11: empty when the UTF-8 text says exactly the same in
// GBK. Bytes that are not UTF-8 and characters GBK lacks would become "?"
// there and name another entry or write another text than the one given.
std::string CheckGbkText(const std::string& utf8);

// Check text for CLI11: empty when the UTF-8 name is an existing file.
std::string CheckExistingFile(const std::string& utf8);

// The declaration style: that of the --config file, then the flags given.
DeclarationStyle BuildStyle(const GlobalOptions& options);

// Registers the global options on the application.
void AddGlobalOptions(CLI::App& app, GlobalOptions& options);

}  // namespace declarium::cli
