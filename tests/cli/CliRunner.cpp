#include "cli/CliRunner.h"

#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <stdexcept>

namespace declarium::test {
namespace {

std::vector<char*> Argv(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  return argv;
}

// In the child: folder, standard streams from and to files, then the program.
[[noreturn]] void Exec(const std::filesystem::path& dir, std::vector<std::string> words,
                       const std::filesystem::path& in, const std::filesystem::path& out,
                       const std::filesystem::path& err, bool unprivileged = false) {
  if (chdir(dir.c_str()) != 0) _exit(126);
  int fin = open(in.c_str(), O_RDONLY);
  int fout = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  int ferr = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fin < 0 || fout < 0 || ferr < 0) _exit(126);
  dup2(fin, 0);
  dup2(fout, 1);
  dup2(ferr, 2);
  // The streams are open already; only the program runs as the ordinary user.
  if (unprivileged && geteuid() == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kUnprivilegedId) != 0 || setuid(kUnprivilegedId) != 0) _exit(126);
  }
  std::vector<char*> argv = Argv(words);
  execv(DECLARIUM_CLI_PATH, argv.data());
  _exit(127);
}

std::vector<std::string> Words(const std::vector<std::string>& args) {
  std::vector<std::string> words{DECLARIUM_CLI_PATH};
  words.insert(words.end(), args.begin(), args.end());
  return words;
}

}  // namespace

int WaitCli(int pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int StartCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
             const std::filesystem::path& stdinFile) {
  pid_t pid = fork();
  if (pid == 0) Exec(dir, Words(args), stdinFile, "/dev/null", "/dev/null");
  return pid;
}

CliResult RunCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
                 const std::string& stdinBytes) {
  return RunCliAs(false, dir, args, stdinBytes);
}

CliResult RunCliUnprivileged(const std::filesystem::path& dir, const std::vector<std::string>& args,
                             const std::string& stdinBytes) {
  return RunCliAs(true, dir, args, stdinBytes);
}

CliResult RunCliAs(bool unprivileged, const std::filesystem::path& dir, const std::vector<std::string>& args,
                   const std::string& stdinBytes) {
  TempDir io;
  WriteFileBytes(io / "in", stdinBytes);
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) Exec(dir, Words(args), io / "in", io / "out", io / "err", unprivileged);
  CliResult r;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) == pid) {
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.maxRssKb = usage.ru_maxrss;
  }
  r.out = ReadFileBytes(io / "out");
  r.err = ReadFileBytes(io / "err");
  return r;
}

CliCatalogue::CliCatalogue() {
  CliResult r = RunCli(dir(), {"init"});
  if (r.exitCode != 0) throw std::runtime_error("init failed: " + r.err);
}

CliResult CliCatalogue::Run(const std::vector<std::string>& args, const std::string& stdinBytes) const {
  return RunCli(dir(), args, stdinBytes);
}

void CliCatalogue::Import(const std::string& syntax, const std::string& text) const {
  CliResult r = Run({"import", "--from", syntax}, text);
  ASSERT_EQ(r.exitCode, 0) << r.err;
}

std::string CrLf(const std::string& lfText) {
  std::string t;
  for (char c : lfText) {
    if (c == '\n') t += '\r';
    t += c;
  }
  return t;
}

}  // namespace declarium::test
