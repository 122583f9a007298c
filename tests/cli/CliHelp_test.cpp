// --help of the program and of every command names every option.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace declarium::test {
namespace {

void ExpectHelp(const std::vector<std::string>& args, const std::vector<std::string>& words) {
  TempDir dir;
  CliResult r = RunCli(dir.path(), args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  for (const std::string& w : words) EXPECT_NE(r.out.find(w), std::string::npos) << args[0] << ": " << w;
}

TEST(CliHelpTest, ProgramHelpNamesGlobalOptionsAndCommands) {
  ExpectHelp({"--help"}, {"--db", "--syntax", "--chinese-names", "--remarks", "--public", "--prefix", "--suffix",
                          "--config", "--input-encoding", "--output-encoding", "init", "import", "convert", "declare",
                          "page", "export", "stats", "list"});
}

TEST(CliHelpTest, CommandHelpNamesItsOptions) {
  ExpectHelp({"init", "--help"}, {"init"});
  ExpectHelp({"import", "--help"}, {"--from", "files"});
  ExpectHelp({"convert", "--help"}, {"--from", "--to", "file"});
  ExpectHelp({"declare", "--help"}, {"kind", "name", "function", "type", "constant"});
  ExpectHelp({"page", "--help"}, {"kind", "name"});
  ExpectHelp({"export", "--help"}, {"--output", "--functions", "--types", "--constants", "--where-function",
                                    "--where-type", "--where-constant", "库对应命令", "十六进制值", "like"});
  ExpectHelp({"stats", "--help"}, {"stats"});
  ExpectHelp({"list", "--help"}, {"functions", "types", "constants", "categories"});
}

}  // namespace
}  // namespace declarium::test
