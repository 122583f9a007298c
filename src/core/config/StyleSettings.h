// The declaration style as the settings file keeps it: keys of section
// "Setings" (StyleSettings.cpp names them), read by the desktop program and
// the command line alike.
#pragma once

#include <vector>

#include "config/SettingsFile.h"
#include "output/DeclarationStyle.h"

namespace declarium {


DeclarationStyle LoadDeclarationStyle(const SettingsSnapshot& file);
// The entries in the order the file has them; they view style's texts. The
// 64-bit keys, which older files lack, are written when the setting is on
// or the file already has them, so that a file of those who never use them
// stays as it was.
void AppendDeclarationStyle(const DeclarationStyle& style, const ProfileFile& file, std::vector<ProfileEntry>& entries);

}  // namespace declarium
