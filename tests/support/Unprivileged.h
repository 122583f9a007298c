// Read-only files and folders bind an administrator only where the system
// checks permissions for him; on Linux root passes every check. Tests of
// read-only catalogues and settings files therefore do their part as the
// unprivileged user "nobody" when they run as root.
#pragma once

#include <filesystem>

namespace declarium::test {

// The user and group a test switches to when it runs as root.
constexpr int kUnprivilegedId = 65534;

bool RunningAsRoot();

// While it lives, the process's effective user and group are "nobody" (when
// it runs as root; otherwise nothing changes). Files made meanwhile belong to
// nobody; the folders the test uses must be open to everyone.
class AsUnprivilegedUser {
 public:
  AsUnprivilegedUser();
  ~AsUnprivilegedUser();
  AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
  AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

 private:
  bool switched_ = false;
};

// A folder the unprivileged user may read and write (rwx for everyone), and
// one he may only read and enter (r-x for everyone).
void OpenToEveryone(const std::filesystem::path& dir);
void ReadOnlyForEveryone(const std::filesystem::path& path);

// The database's own verdict: "ok", or the problems it lists; the error text
// when the file cannot be checked.
std::string IntegrityCheck(const std::filesystem::path& db);

}  // namespace declarium::test
