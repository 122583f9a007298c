// Opening the catalogue at start-up, with the offer to create a missing one.
#pragma once

#include <string>
#include <string_view>

namespace declarium {

class CatalogueStore;

// The plain message boxes the start-up shows (no owner). Texts are GBK; an
// empty caption means the default one. Returns the pressed button as the
// platform's id minus one (0 OK, 5 Yes, 6 No).
class StartupMessages {
 public:
  virtual ~StartupMessages() = default;
  virtual int MessageBox(const std::string& text, int style, const std::string& caption) = 0;
};

enum class StartupOutcome {
  Opened,         // the catalogue is open; the program goes on
  Declined,       // the file was missing and the user said No
  CreateFailed,   // the new file could not be made
  SchemaFailed,   // the new file exists but its tables could not be made
  NotACatalogue,  // the file lacks the catalogue's tables or is no database; it is left as it is
};

// Opens fileName (resolved against the current directory); when that fails
// asks whether to create it, creates it and runs the schema script. On every
// outcome but Opened the store is closed again and the program ends. folder
// (GBK), where the file was looked for, goes on the question's second line.
StartupOutcome OpenCatalogueAtStartup(CatalogueStore& store, std::string_view fileName, StartupMessages& messages,
                                      std::string_view folder = {});

}  // namespace declarium
