#include "applet/SettingsStore.h"

#include "platform/settings/ApplicationProfile.h"

#include <array>

namespace {

constexpr std::array kSettings = {
    SettingDefinition{Setting::LogoEditorPath, "LogoEditor", "path", SettingType::String, DefaultFrom::Caller, "", 0},
    SettingDefinition{Setting::PreviousLogoEditorPath, "LogoEditor", "prvpath", SettingType::String, DefaultFrom::Table,
                      "", 0},
    SettingDefinition{Setting::LastLogoPath, "LastLogo", "path", SettingType::String, DefaultFrom::Table, "", 0},
    SettingDefinition{Setting::PreShutDownRefused, "PrShtDwn", "set", SettingType::Integer, DefaultFrom::Table, "", 0},
    SettingDefinition{Setting::AnimDlgX, "AnimDlg", "x", SettingType::Integer, DefaultFrom::Caller, "", 0},
    SettingDefinition{Setting::AnimDlgY, "AnimDlg", "y", SettingType::Integer, DefaultFrom::Caller, "", 0},
    SettingDefinition{Setting::AnimDlgPreviewX, "AnimDlg", "px", SettingType::Integer, DefaultFrom::Caller, "", 0},
    SettingDefinition{Setting::AnimDlgPreviewY, "AnimDlg", "py", SettingType::Integer, DefaultFrom::Caller, "", 0},
};

constexpr bool TableFollowsEnum()
{
    for (std::size_t i = 0; i < kSettings.size(); ++i) {
        if (static_cast<std::size_t>(kSettings[i].setting) != i)
            return false;
    }
    return true;
}
static_assert(TableFollowsEnum(), "the settings table must list every Setting in enum order");

}  // namespace

std::span<const SettingDefinition> SettingsTable()
{
    return kSettings;
}

const SettingDefinition& DefinitionOf(Setting setting)
{
    return kSettings[static_cast<std::size_t>(setting)];
}

SettingsStore::SettingsStore() : m_profile(platform::ApplicationProfile()) {}

std::string SettingsStore::ReadString(Setting setting, const std::string& callerDefault) const
{
    const SettingDefinition& definition = DefinitionOf(setting);
    const std::string fallback =
        definition.defaultFrom == DefaultFrom::Caller ? callerDefault : std::string(definition.stringDefault);
    if (definition.type != SettingType::String || !m_profile)
        return fallback;
    return m_profile->ReadString(definition.section, definition.entry, fallback);
}

int SettingsStore::ReadInt(Setting setting, int callerDefault) const
{
    const SettingDefinition& definition = DefinitionOf(setting);
    const int fallback = definition.defaultFrom == DefaultFrom::Caller ? callerDefault : definition.integerDefault;
    if (definition.type != SettingType::Integer || !m_profile)
        return fallback;
    // The store keeps 32-bit values; positions left of or above the screen
    // come back negative.
    return m_profile->ReadInt(definition.section, definition.entry, fallback);
}

bool SettingsStore::WriteString(Setting setting, const std::string& value)
{
    const SettingDefinition& definition = DefinitionOf(setting);
    if (definition.type != SettingType::String || !m_profile)
        return false;
    return m_profile->WriteString(definition.section, definition.entry, value);
}

bool SettingsStore::WriteInt(Setting setting, int value)
{
    const SettingDefinition& definition = DefinitionOf(setting);
    if (definition.type != SettingType::Integer || !m_profile)
        return false;
    return m_profile->WriteInt(definition.section, definition.entry, value);
}

std::string SettingsStore::ReadLogoEditorPath(const std::string& defaultPath) const
{
    return ReadString(Setting::LogoEditorPath, defaultPath);
}

bool SettingsStore::WriteLogoEditorPath(const std::string& path)
{
    return WriteString(Setting::LogoEditorPath, path);
}

std::string SettingsStore::ReadPreviousLogoEditorPath() const
{
    return ReadString(Setting::PreviousLogoEditorPath);
}

bool SettingsStore::WritePreviousLogoEditorPath(const std::string& path)
{
    return WriteString(Setting::PreviousLogoEditorPath, path);
}

std::string SettingsStore::ReadLastLogoPath() const
{
    return ReadString(Setting::LastLogoPath);
}

bool SettingsStore::WriteLastLogoPath(const std::string& path)
{
    return WriteString(Setting::LastLogoPath, path);
}

int SettingsStore::ReadPreShutDownRefused() const
{
    return ReadInt(Setting::PreShutDownRefused);
}

bool SettingsStore::WritePreShutDownRefused(int value)
{
    return WriteInt(Setting::PreShutDownRefused, value);
}

POINT SettingsStore::ReadAnimDlgPosition(POINT current) const
{
    return POINT{ReadInt(Setting::AnimDlgX, current.x), ReadInt(Setting::AnimDlgY, current.y)};
}

bool SettingsStore::WriteAnimDlgPosition(POINT position)
{
    const bool x = WriteInt(Setting::AnimDlgX, position.x);
    const bool y = WriteInt(Setting::AnimDlgY, position.y);
    return x && y;
}

POINT SettingsStore::ReadPreviewPosition(POINT current) const
{
    return POINT{ReadInt(Setting::AnimDlgPreviewX, current.x), ReadInt(Setting::AnimDlgPreviewY, current.y)};
}

bool SettingsStore::WritePreviewPosition(POINT position)
{
    const bool x = WriteInt(Setting::AnimDlgPreviewX, position.x);
    const bool y = WriteInt(Setting::AnimDlgPreviewY, position.y);
    return x && y;
}
