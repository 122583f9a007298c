#include "support/Unprivileged.h"

#include <sqlite3.h>
#ifndef _WIN32
#include <sys/prctl.h>
#include <unistd.h>
#endif

#include <stdexcept>
#include <string>

namespace declarium::test {

namespace fs = std::filesystem;

#ifdef _WIN32
// Windows checks an administrator's permissions too: nothing to switch.
bool RunningAsRoot() { return false; }
AsUnprivilegedUser::AsUnprivilegedUser() = default;
AsUnprivilegedUser::~AsUnprivilegedUser() = default;
#else
bool RunningAsRoot() { return geteuid() == 0; }

AsUnprivilegedUser::AsUnprivilegedUser() {
  if (!RunningAsRoot()) return;
  // Group first: once the user is nobody, the group can no longer change.
  if (setegid(kUnprivilegedId) != 0 || seteuid(kUnprivilegedId) != 0) {
    throw std::runtime_error("cannot switch to the unprivileged user");
  }
  switched_ = true;
}

AsUnprivilegedUser::~AsUnprivilegedUser() {
  if (!switched_) return;
  if (seteuid(0) != 0 || setegid(0) != 0) std::terminate();
  // Changing the user made the process undumpable, which would keep the
  // leak checker from inspecting it at exit.
  prctl(PR_SET_DUMPABLE, 1);
}
#endif

void OpenToEveryone(const fs::path& dir) { fs::permissions(dir, fs::perms::all); }

void ReadOnlyForEveryone(const fs::path& path) {
  const auto readable = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  const auto enterable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  fs::permissions(path, fs::is_directory(path) ? readable | enterable : readable);
}

std::string IntegrityCheck(const fs::path& db) {
  sqlite3* handle = nullptr;
  // Opened as the program opens it, so that a journal left by a killed
  // process is rolled back first, as at the program's next start.
  if (sqlite3_open_v2(reinterpret_cast<const char*>(db.u8string().c_str()), &handle, SQLITE_OPEN_READWRITE, nullptr) !=
      SQLITE_OK) {
    std::string error = handle != nullptr ? sqlite3_errmsg(handle) : "cannot open";
    sqlite3_close(handle);
    return error;
  }
  std::string verdict;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(handle, "pragma integrity_check", -1, &stmt, nullptr) != SQLITE_OK) {
    verdict = sqlite3_errmsg(handle);
  } else {
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
      if (!verdict.empty()) verdict += "\n";
      verdict += reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    }
    if (rc != SQLITE_DONE) verdict = sqlite3_errmsg(handle);
  }
  sqlite3_finalize(stmt);
  sqlite3_close(handle);
  return verdict;
}

}  // namespace declarium::test
