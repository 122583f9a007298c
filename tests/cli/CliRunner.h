// Running declarium-cli in a folder and capturing what it says.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "support/Unprivileged.h"

namespace declarium::test {

struct CliResult {
  int exitCode = -1;  // -1: did not exit normally
  std::string out;
  std::string err;
  long maxRssKb = 0;  // the program's peak resident memory
};

// Runs the program with args in folder dir, stdinBytes on its standard input.
CliResult RunCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
                 const std::string& stdinBytes = "");

// The same as the unprivileged user when the tests run as root, so that
// read-only files and folders are read-only to the program.
CliResult RunCliUnprivileged(const std::filesystem::path& dir, const std::vector<std::string>& args,
                             const std::string& stdinBytes = "");
CliResult RunCliAs(bool unprivileged, const std::filesystem::path& dir, const std::vector<std::string>& args,
                   const std::string& stdinBytes = "");

// The same with the program's address space limited to bytes, so that it
// runs out of memory (POSIX; elsewhere without a limit).
CliResult RunCliInAddressSpace(long long bytes, const std::filesystem::path& dir, const std::vector<std::string>& args);

// The same, but started in the background (stdinFile empty: no input); the
// caller may end it outright (SIGKILL; on Windows, TerminateProcess: no
// handler, no cleanup) and reaps it. WaitCli gives the exit code, or -1 when
// the process did not end by itself.
int StartCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
             const std::filesystem::path& stdinFile);
void KillCli(int pid);
int WaitCli(int pid);

bool Contains(const std::string& text, const std::string& part);

// What the catalogue in dir holds, as the command line lists it: every kind
// of entry and the counts.
std::string CatalogueListing(const std::filesystem::path& dir);

// A folder with a new catalogue (made by init) for the tests of one command.
class CliCatalogue {
 public:
  CliCatalogue();
  const std::filesystem::path& dir() const { return dir_.path(); }
  std::filesystem::path file(const std::string& name) const { return dir_ / name; }
  // Runs in the folder; an import given as text goes to standard input.
  CliResult Run(const std::vector<std::string>& args, const std::string& stdinBytes = "") const;
  // Imports text (UTF-8) of the syntax, which must succeed.
  void Import(const std::string& syntax, const std::string& text) const;

 private:
  TempDir dir_;
};

// The texts as the UTF-8 output shows them.
std::string CrLf(const std::string& lfText);

}  // namespace declarium::test
