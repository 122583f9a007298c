// The declaration style as the settings file keeps it: five keys of section
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
}  // namespace style_key

DeclarationStyle LoadDeclarationStyle(const SettingsSnapshot& file);
// The five entries in the order the file has them; they view style's texts.
void AppendDeclarationStyle(const DeclarationStyle& style, std::vector<ProfileEntry>& entries);

}  // namespace declarium
