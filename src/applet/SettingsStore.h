#pragma once
// The applet's per-user settings: every section, entry, type and default in
// one table, read and written only through this class. Reads never fail
// (absent, unreadable or mistyped values give the default); writes return a
// flag the applet ignores; nothing deletes a setting.

#include "platform/WinTypes.h"
#include "platform/settings/SettingsFile.h"

#include <optional>

#include <span>
#include <string>

enum class Setting {
    LogoEditorPath,          // "LogoEditor" / "path"
    PreviousLogoEditorPath,  // "LogoEditor" / "prvpath"
    LastLogoPath,            // "LastLogo" / "path"
    PreShutDownRefused,      // "PrShtDwn" / "set"
    AnimDlgX,                // "AnimDlg" / "x"
    AnimDlgY,                // "AnimDlg" / "y"
    AnimDlgPreviewX,         // "AnimDlg" / "px"
    AnimDlgPreviewY,         // "AnimDlg" / "py"
};

enum class SettingType { String, Integer };

// Where a read's default comes from: the table, or the caller because it
// depends on the installation (the Windows directory) or on the screen (a
// window's current position).
enum class DefaultFrom { Table, Caller };

struct SettingDefinition {
    Setting setting;
    const char* section;
    const char* entry;
    SettingType type;
    DefaultFrom defaultFrom;
    const char* stringDefault;  // String settings with a table default
    int integerDefault;         // Integer settings with a table default
};

// The whole table, in the order of Setting.
std::span<const SettingDefinition> SettingsTable();
const SettingDefinition& DefinitionOf(Setting setting);

class SettingsStore {
public:
    // The store of the running application. Without one every read gives
    // its default and every write fails.
    SettingsStore();

    // Generic access by table entry. callerDefault is used only where the
    // table leaves the default to the caller. Using a setting with the
    // other type's accessor reads the default and writes nothing.
    std::string ReadString(Setting setting, const std::string& callerDefault = std::string()) const;
    int ReadInt(Setting setting, int callerDefault = 0) const;
    bool WriteString(Setting setting, const std::string& value);
    bool WriteInt(Setting setting, int value);

    // The logo editor; the default is the Windows directory + "pbrush.exe"
    // for the main dialog, "" where the old value is carried over.
    std::string ReadLogoEditorPath(const std::string& defaultPath) const;
    bool WriteLogoEditorPath(const std::string& path);
    std::string ReadPreviousLogoEditorPath() const;
    bool WritePreviousLogoEditorPath(const std::string& path);

    std::string ReadLastLogoPath() const;
    bool WriteLastLogoPath(const std::string& path);

    // 1: the user asked not to be offered the pre-shut-down picture.
    int ReadPreShutDownRefused() const;
    bool WritePreShutDownRefused(int value);

    // Window positions of the Animation Options dialog and its preview;
    // the defaults are where the windows stand now.
    POINT ReadAnimDlgPosition(POINT current) const;
    bool WriteAnimDlgPosition(POINT position);
    POINT ReadPreviewPosition(POINT current) const;
    bool WritePreviewPosition(POINT position);

private:
    std::optional<platform::SettingsFile> m_profile;
};
