#include "cli/CliRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>


#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#else
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace declarium::test {
namespace {

#ifdef _WIN32
// The exit code a terminated process is given, which the program never uses.
constexpr UINT kKilledExitCode = 0xDEAD;
#endif

// The program under test; DECLARIUM_CLI_PATH in the environment wins, for a
// build run where it was not built (the Windows build under Wine).
std::string ProgramPath() {
  const char* env = std::getenv("DECLARIUM_CLI_PATH");
  return env != nullptr && *env != '\0' ? env : DECLARIUM_CLI_PATH;
}

#ifdef _WIN32

std::wstring Wide(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
  return w;
}

// One word of a command line, quoted so that CommandLineToArgvW and the C
// runtime read it back unchanged.
std::wstring Quoted(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) return word;
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, and the quote escaped.
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

HANDLE Inheritable(const std::filesystem::path& p, bool write) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  return CreateFileW(p.c_str(), write ? GENERIC_WRITE : GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                     write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::map<int, HANDLE>& Running() {
  static std::map<int, HANDLE> running;
  return running;
}

// Starts the program; returns its process id, or -1.
int Start(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::filesystem::path& in,
          const std::filesystem::path& out, const std::filesystem::path& err, bool /*unprivileged*/ = false) {
  const std::wstring program = Wide(ProgramPath());
  std::wstring line = Quoted(program);
  for (const std::string& a : args) line += L" " + Quoted(Wide(a));
  HANDLE hin = in.empty() ? Inheritable("NUL", false) : Inheritable(in, false);
  HANDLE hout = Inheritable(out, true);
  HANDLE herr = Inheritable(err, true);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = hin;
  si.hStdOutput = hout;
  si.hStdError = herr;
  PROCESS_INFORMATION pi{};
  const std::wstring cwd = dir.wstring();
  const BOOL ok =
      hin != INVALID_HANDLE_VALUE && hout != INVALID_HANDLE_VALUE && herr != INVALID_HANDLE_VALUE &&
      CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, cwd.c_str(), &si, &pi);
  for (HANDLE h : {hin, hout, herr})
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (!ok) return -1;
  CloseHandle(pi.hThread);
  Running()[static_cast<int>(pi.dwProcessId)] = pi.hProcess;
  return static_cast<int>(pi.dwProcessId);
}

#else

std::vector<char*> Argv(std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (auto& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  return argv;
}

// In the child: folder, standard streams from and to files, then the program.
[[noreturn]] void Exec(const std::filesystem::path& dir, std::vector<std::string> words,
                       const std::filesystem::path& in, const std::filesystem::path& out,
                       const std::filesystem::path& err, bool unprivileged = false, long long addressSpace = 0) {
  if (chdir(dir.c_str()) != 0) _exit(126);
  int fin = open(in.empty() ? "/dev/null" : in.c_str(), O_RDONLY);
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
  if (addressSpace > 0) {
    const rlimit limit{static_cast<rlim_t>(addressSpace), static_cast<rlim_t>(addressSpace)};
    if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(126);
  }
  std::vector<char*> argv = Argv(words);
  execv(words[0].c_str(), argv.data());
  _exit(127);
}

int Start(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::filesystem::path& in,
          const std::filesystem::path& out, const std::filesystem::path& err, bool unprivileged = false,
          long long addressSpace = 0) {
  std::vector<std::string> words{ProgramPath()};
  words.insert(words.end(), args.begin(), args.end());
  pid_t pid = fork();
  if (pid == 0) Exec(dir, words, in, out, err, unprivileged, addressSpace);
  return pid;
}

#endif

}  // namespace

int WaitCli(int pid) {
#ifdef _WIN32
  auto it = Running().find(pid);
  if (it == Running().end()) return -1;
  HANDLE h = it->second;
  Running().erase(it);
  DWORD code = 0;
  const bool ok = WaitForSingleObject(h, INFINITE) == WAIT_OBJECT_0 && GetExitCodeProcess(h, &code);
  CloseHandle(h);
  return ok && code != kKilledExitCode ? static_cast<int>(code) : -1;
#else
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

void KillCli(int pid) {
#ifdef _WIN32
  auto it = Running().find(pid);
  if (it != Running().end()) TerminateProcess(it->second, kKilledExitCode);
#else
  kill(pid, SIGKILL);
#endif
}

int StartCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
             const std::filesystem::path& stdinFile) {
#ifdef _WIN32
  return Start(dir, args, stdinFile, "NUL", "NUL");
#else
  return Start(dir, args, stdinFile, "/dev/null", "/dev/null");
#endif
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string CatalogueListing(const std::filesystem::path& dir) {
  std::string all;
  for (const char* which : {"functions", "types", "constants", "categories"}) {
    CliResult r = RunCli(dir, {"list", which});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    all += r.out + "--\n";
  }
  return all + RunCli(dir, {"stats"}).out;
}

CliResult RunCli(const std::filesystem::path& dir, const std::vector<std::string>& args,
                 const std::string& stdinBytes) {
  return RunCliAs(false, dir, args, stdinBytes);
}

CliResult RunCliUnprivileged(const std::filesystem::path& dir, const std::vector<std::string>& args,
                             const std::string& stdinBytes) {
  return RunCliAs(true, dir, args, stdinBytes);
}

namespace {

CliResult Run(bool unprivileged, long long addressSpace, const std::filesystem::path& dir,
              const std::vector<std::string>& args, const std::string& stdinBytes) {
  TempDir io;
  WriteFileBytes(io / "in", stdinBytes);
#ifdef _WIN32
  (void)addressSpace;
  const int pid = Start(dir, args, io / "in", io / "out", io / "err", unprivileged);
#else
  const int pid = Start(dir, args, io / "in", io / "out", io / "err", unprivileged, addressSpace);
#endif
  if (pid < 0) throw std::runtime_error("cannot start " + ProgramPath());
  CliResult r;
#ifdef _WIN32
  r.exitCode = WaitCli(pid);
#else
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) == pid) {
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.maxRssKb = usage.ru_maxrss;
  }
#endif
  r.out = ReadFileBytes(io / "out");
  r.err = ReadFileBytes(io / "err");
  return r;
}

}  // namespace

CliResult RunCliAs(bool unprivileged, const std::filesystem::path& dir, const std::vector<std::string>& args,
                   const std::string& stdinBytes) {
  return Run(unprivileged, 0, dir, args, stdinBytes);
}

CliResult RunCliInAddressSpace(long long bytes, const std::filesystem::path& dir,
                               const std::vector<std::string>& args) {
  return Run(false, bytes, dir, args, "");
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
