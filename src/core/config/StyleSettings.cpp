#include "config/StyleSettings.h"

#include <utility>

namespace declarium {

namespace style_key {
constexpr SettingKey kChineseNames{"Setings", "插入中文名", "0"};
constexpr SettingKey kRemarks{"Setings", "插入备注信息", "0"};
constexpr SettingKey kPrefix{"Setings", "API名称前缀", ""};
constexpr SettingKey kSuffix{"Setings", "API名称后缀", ""};
constexpr SettingKey kPublic{"Setings", "Public", "0"};
constexpr SettingKey kCSharp64{"Setings", "C#按64位生成", "0"};
constexpr SettingKey kVba7{"Setings", "VB按64位生成", "0"};
}  // namespace style_key

DeclarationStyle LoadDeclarationStyle(const SettingsSnapshot& file) {
  DeclarationStyle s;
  s.insertChineseNames = file.NotZero(style_key::kChineseNames);
  s.insertRemarks = file.NotZero(style_key::kRemarks);
  s.namePrefix = file.Text(style_key::kPrefix);
  s.nameSuffix = file.Text(style_key::kSuffix);
  s.isPublic = file.NotZero(style_key::kPublic);
  s.csharp64 = file.One(style_key::kCSharp64);
  s.vba7 = file.One(style_key::kVba7);
  return s;
}

void AppendDeclarationStyle(const DeclarationStyle& style, const ProfileFile& file,
                            std::vector<ProfileEntry>& entries) {
  entries.push_back(Entry(style_key::kChineseNames, FlagText(style.insertChineseNames)));
  entries.push_back(Entry(style_key::kRemarks, FlagText(style.insertRemarks)));
  entries.push_back(Entry(style_key::kPrefix, style.namePrefix));
  entries.push_back(Entry(style_key::kSuffix, style.nameSuffix));
  entries.push_back(Entry(style_key::kPublic, FlagText(style.isPublic)));
  for (const auto& [key, on] :
       {std::pair{&style_key::kCSharp64, style.csharp64}, std::pair{&style_key::kVba7, style.vba7}})
    if (on || !file.Read(key->section, key->key, "").empty()) entries.push_back(Entry(*key, FlagText(on)));
}

}  // namespace declarium
