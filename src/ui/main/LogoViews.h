#pragma once
// What the views of a logo open: the Boot Screen window and the export,
// for the main dialog's preview (the slot's file, loaded at full size) and
// for the editor's Preview window (the editor's picture and working table).

#include "logo/Picture.h"
#include "slots/BootVerdict.h"
#include "ui/anim/CAnimDlg.h"
#include "ui/anim/LogoViewCommands.h"

#include <cstdint>
#include <optional>
#include <string>

// A logo file as the main dialog's views use it, loaded at full size.
struct LoadedLogo {
    logo::LogoImage picture;
    logo::ColorTable table{};
    std::uint8_t count = 0;   // 0 unless the slot cycles at boot
    std::string hostPath;
};

// path: a Windows or host path. cycles: the slot's picture cycles at boot
// (the start-up logo). nullopt unless the file is a 320 x 400, 8-bit logo.
std::optional<LoadedLogo> LoadLogoForView(const std::string& path, bool cycles);

// Runs the Boot Screen window on the file, with the check of the file itself
// and, when given, what happens to it at boot.
void ShowBootScreen(platform::CWnd& owner, const LoadedLogo& logo, const BootSentence& boot = {});

// The commands of the editor's Preview window. The Boot Screen window
// follows the editor's working table; the check looks at the file the
// editor would write as an animated logo.
class EditorViewCommands : public LogoViewCommands {
public:
    explicit EditorViewCommands(CAnimDlg& editor) : m_editor(editor) {}

    void OpenBootScreen(platform::CWnd& from) override;
    void ExportAnimation(platform::CWnd& from) override;

private:
    CAnimDlg& m_editor;
};
