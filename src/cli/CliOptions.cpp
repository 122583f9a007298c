#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include "cli/CliIo.h"
#include "config/StyleSettings.h"
#include "text/Gbk.h"

namespace declarium::cli {

Encoding GlobalOptions::input() const {
  if (inputEncoding == "utf-8") return Encoding::Utf8;
  if (inputEncoding == "gbk") return Encoding::Gbk;
  return Encoding::Auto;
}

Encoding GlobalOptions::output() const { return outputEncoding == "gbk" ? Encoding::Gbk : Encoding::Utf8; }

SyntaxKind GlobalOptions::Syntax() const {
  SyntaxKind s = SyntaxKind::E;
  ParseSyntax(syntax, s);
  return s;
}

bool ParseSyntax(const std::string& word, SyntaxKind& syntax) {
  if (word == "e" || word == "0") {
    syntax = SyntaxKind::E;
  } else if (word == "csharp" || word == "1") {
    syntax = SyntaxKind::CSharp;
  } else if (word == "vb" || word == "2") {
    syntax = SyntaxKind::Vb;
  } else {
    return false;
  }
  return true;
}

std::string CheckSyntaxWord(const std::string& word) {
  SyntaxKind s;
  if (ParseSyntax(word, s)) return {};
  return "unknown syntax '" + word + "' (use e, csharp or vb, or 0, 1, 2)";
}

std::string CheckExistingFile(const std::string& utf8) {
  std::error_code ec;
  const auto status = std::filesystem::status(PathFromUtf8(utf8), ec);
  if (status.type() == std::filesystem::file_type::not_found || ec) return "File does not exist: " + utf8;
  if (status.type() == std::filesystem::file_type::directory) return "File is actually a directory: " + utf8;
  return {};
}

std::string CheckGbkText(const std::string& utf8) {
  if (IsValidUtf8(utf8) && GbkToUtf8(Utf8ToGbk(utf8)) == utf8) return {};
  return "the text is not UTF-8 or holds characters that GBK lacks";
}

DeclarationStyle BuildStyle(const GlobalOptions& options) {
  DeclarationStyle style;
  if (!options.config.empty()) style = LoadDeclarationStyle(SettingsSnapshot(ProfileFile(options.config)));
  if (options.chineseNamesGiven) style.insertChineseNames = options.chineseNames;
  if (options.remarksGiven) style.insertRemarks = options.remarks;
  if (options.publicGiven) style.isPublic = options.isPublic;
  if (options.prefixGiven) style.namePrefix = Utf8ToGbk(options.prefix);
  if (options.suffixGiven) style.nameSuffix = Utf8ToGbk(options.suffix);
  if (options.csharp64Given) style.csharp64 = options.csharp64;
  if (options.vba7Given) style.vba7 = options.vba7;
  return style;
}

void AddGlobalOptions(CLI::App& app, GlobalOptions& o) {
  const CLI::Validator syntaxWord(CheckSyntaxWord, "e|csharp|vb", "syntax");
  app.add_option_function<std::string>(
      "--db", [&o](const std::string& v) { o.db = PathFromUtf8(v); },
      "The catalogue file (default: data.db in the current directory)");
  app.add_option("--syntax", o.syntax,
                 "Syntax of generated declarations and pages: e, csharp or vb (also 0, 1, 2; default e)")
      ->check(syntaxWord);
  // The flag functions also note that the setting was given, so that it wins
  // over the --config file; "--remarks=false" turns a setting of the file off.
  app.add_flag_function(
      "--chinese-names",
      [&o](std::int64_t n) {
        o.chineseNames = n > 0;
        o.chineseNamesGiven = true;
      },
      "E syntax: write the Chinese names of functions, parameters, data types and members");
  app.add_flag_function(
      "--remarks",
      [&o](std::int64_t n) {
        o.remarks = n > 0;
        o.remarksGiven = true;
      },
      "Write the remarks into the declarations");
  app.add_flag_function(
      "--public",
      [&o](std::int64_t n) {
        o.isPublic = n > 0;
        o.publicGiven = true;
      },
      "Declare entries public instead of private");
  app.add_flag_function(
      "--csharp-64",
      [&o](std::int64_t n) {
        o.csharp64 = n > 0;
        o.csharp64Given = true;
      },
      "C#: write entries of the generated Windows API catalogue for 64-bit processes as well (IntPtr for "
      "handles and pointer-sized values, uint for unsigned types, marshalled text and BOOL)");
  app.add_flag_function(
      "--vb-64",
      [&o](std::int64_t n) {
        o.vba7 = n > 0;
        o.vba7Given = true;
      },
      "VB: write VBA 7 for 64-bit Office (Declare PtrSafe; LongPtr and LongLong, and Types laid out for 64-bit "
      "code, for entries of the generated Windows API catalogue)");
  app.add_option_function<std::string>(
         "--prefix",
         [&o](const std::string& v) {
           o.prefix = v;
           o.prefixGiven = true;
         },
         "Text written before every function name")
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  app.add_option_function<std::string>(
         "--suffix",
         [&o](const std::string& v) {
           o.suffix = v;
           o.suffixGiven = true;
         },
         "Text written after every function name")
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  app.add_option_function<std::string>(
         "--config", [&o](const std::string& v) { o.config = PathFromUtf8(v); },
         "Read the generation settings from this Config.ini; the flags above override it")
      ->check(CLI::Validator(CheckExistingFile, "FILE"));
  app.add_option("--input-encoding", o.inputEncoding,
                 "Encoding of input files and standard input: auto, utf-8 or gbk (default auto: a "
                 "UTF-8 byte-order mark or valid UTF-8 is UTF-8, anything else GBK)")
      ->check(CLI::IsMember({"auto", "utf-8", "gbk"}));
  app.add_option("--output-encoding", o.outputEncoding,
                 "Encoding of standard output and error: utf-8 or gbk (default utf-8)")
      ->check(CLI::IsMember({"utf-8", "gbk"}));
}

}  // namespace declarium::cli
