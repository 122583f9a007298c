// The declaration style as the settings file keeps it: six keys of section
// "Setings", read by the desktop program and the command line alike.
#pragma once

#include <vector>

#include "config/SettingsFile.h"
#include "output/DeclarationStyle.h"

namespace declarium {

namespace style_key {
inline constexpr SettingKey kChineseNames{"Setings", "插入中文名", "0"};
inline constexpr SettingKey kRemarks{"Setings", "插入备注信息", "0"};
inline constexpr SettingKey kPrefix{"Setings", "API名称前缀", ""};
inline constexpr SettingKey kSuffix{"Setings", "API名称后缀", ""};
inline constexpr SettingKey kPublic{"Setings", "Public", "0"};
inline constexpr SettingKey kCSharp64{"Setings", "C#按64位生成", "0"};
inline constexpr SettingKey kVba7{"Setings", "VB按64位生成", "0"};
}  // namespace style_key

DeclarationStyle LoadDeclarationStyle(const SettingsSnapshot& file);
// The entries in the order the file has them; they view style's texts. The
// 64-bit keys, which older files lack, are written when the setting is on
// or the file already has them, so that a file of those who never use them
// stays as it was.
void AppendDeclarationStyle(const DeclarationStyle& style, const ProfileFile& file, std::vector<ProfileEntry>& entries);

}  // namespace declarium
