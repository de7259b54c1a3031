#pragma once
// The main dialog on a temporary drive C: logo files written where the
// system keeps them, pictures to browse for beside the drive, the dialog run
// modally offscreen with a callback that plays the user, and readers for
// what the preview, the buttons and the prompts show.

#include "AppletUiFixture.h"
#include "common/BmpBuilder.h"
#include "logo/LogoFile.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/files/FileApi.h"
#include "platform/ui/CStatic.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace appletui {

using Bytes = std::vector<std::uint8_t>;

// Writes a logo file (animated when count is not 0) and returns its bytes.
inline Bytes WriteLogo(const std::string& hostPath, unsigned seed, std::uint8_t count = 0)
{
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    const logo::LogoImage image = testing_support::MakeVariedLogo(seed);
    logo::ColorTable table{};
    std::copy_n(image.colorTable.begin(), table.size(), table.begin());
    EXPECT_TRUE(platform::WriteLogoFile(hostPath, image, table, count != 0, count));
    return testing_support::ReadAll(hostPath);
}

inline void WriteBytes(const std::string& hostPath, const Bytes& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    testing_support::WriteAll(hostPath, bytes);
}

inline Bytes ReadBytes(const std::string& hostPath) { return testing_support::ReadAll(hostPath); }

// A plain BMP of any size and depth (not necessarily a logo).
inline void WriteBitmap(const std::string& hostPath, std::int32_t width, std::int32_t height, std::uint16_t bits)
{
    const std::size_t entries = std::size_t{1} << bits;
    std::vector<logo::RgbQuad> table(entries);
    for (std::size_t i = 0; i < entries; ++i)
        table[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 40, 0};
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>((i / 7) % entries);
    WriteBytes(hostPath, testing_support::MakeBmp(width, height, bits, table, pixels));
}

class MainDialogTest : public AppletUiTest {
public:
    // Runs the dialog; drive plays the user while it is open. A dialog the
    // callback left open is closed with Cancel.
    int Run(const std::function<void(CMainDlg&)>& drive)
    {
        platform::testing::ScopedModalHook hook(res::IDD_MAIN, [&](platform::CDialog&) {
            drive(m_dialog);
            if (m_dialog.IsWindowVisible())
                m_dialog.EndDialog(IDCANCEL);
        });
        return m_dialog.DoModal();
    }

    // Host paths of the system files (as a FAT copy spells them) and of a
    // folder of pictures beside the drive, as a file dialog returns them.
    std::string StartUpFile() const { return (Drive() / "LOGO.SYS").string(); }
    std::string PreShutDownFile() const { return (Drive() / "WINDOWS" / "LOGOW.SYS").string(); }
    std::string ShutDownFile() const { return (Drive() / "WINDOWS" / "LOGOS.SYS").string(); }
    std::string DefaultFolder() const
    {
        return (Drive() / "Program Files" / "Plus!" / "Themes" / "Lumivane" / "Default").string();
    }
    std::string Picture(const std::string& name) const { return (Root() / "pictures" / name).string(); }

    // The three system files, each a different static logo.
    void WriteSystemLogos()
    {
        WriteLogo(StartUpFile(), 1);
        WriteLogo(PreShutDownFile(), 2);
        WriteLogo(ShutDownFile(), 3);
    }

    // Whether this file system keeps the hidden bit (user extended
    // attributes); attribute checks are skipped where it cannot.
    bool HiddenBitKept() const
    {
        WriteBytes((Drive() / "probe.tmp").string(), {0});
        platform::SetFileAttributesA("C:\\probe.tmp", FILE_ATTRIBUTE_HIDDEN);
        const bool kept = platform::GetFileAttributesA("C:\\probe.tmp") == FILE_ATTRIBUTE_HIDDEN;
        std::filesystem::remove(Drive() / "probe.tmp");
        return kept;
    }

    // The picture the preview control shows now, and its client area.
    static const logo::Picture* PreviewShown(CMainDlg& d)
    {
        return d.GetDlgItemAs<platform::CStatic>(res::IDC_PREVIEW)->GetBitmap();
    }
    static RECT PreviewClientArea(CMainDlg& d)
    {
        RECT area{};
        d.GetDlgItem(res::IDC_PREVIEW)->GetClientRect(&area);
        return area;
    }
    // The colour table of the picture the preview shows now.
    static std::vector<logo::RgbQuad> PreviewTable(CMainDlg& d)
    {
        const logo::Picture* shown = PreviewShown(d);
        return shown != nullptr ? shown->colorTable : std::vector<logo::RgbQuad>{};
    }
    static bool PreviewIsPlaceholder(CMainDlg& d)
    {
        const logo::Picture* shown = PreviewShown(d);
        return shown != nullptr && shown->width == 235 && shown->height == 142;
    }

    // The message boxes asked so far, as text / caption / icon.
    struct Shown {
        std::string text;
        std::string caption;
        platform::MessageBoxIcon icon = platform::MessageBoxIcon::None;
        platform::MessageBoxButtons buttons = platform::MessageBoxButtons::Ok;

        friend bool operator==(const Shown&, const Shown&) = default;
        friend std::ostream& operator<<(std::ostream& out, const Shown& s)
        {
            return out << '"' << s.text << "\" / \"" << s.caption << "\" icon " << static_cast<int>(s.icon)
                       << " buttons " << static_cast<int>(s.buttons);
        }
    };
    std::vector<Shown> MessagesShown() const
    {
        std::vector<Shown> shown;
        for (const platform::MessageBoxRecord& record : m_prompts.MessageBoxes())
            shown.push_back({record.request.text, record.request.caption, record.style.icon, record.style.buttons});
        return shown;
    }

    static Shown CannotDisplay()
    {
        return {"Could not display selected image.", "Error", platform::MessageBoxIcon::Stop,
                platform::MessageBoxButtons::Ok};
    }
    static Shown CannotDisplayPreShutDown()
    {
        return {"Could not display selected image. This Image may not be supported on your version of windows!",
                "Error", platform::MessageBoxIcon::Exclamation, platform::MessageBoxButtons::Ok};
    }
    static Shown PreShutDownQuestion()
    {
        return {"Support for this image is not available in some versions of windows (like ME). Do you wish to "
                "prevent lumivane from setting this image?",
                "Pre-Shut Down Image", platform::MessageBoxIcon::Question, platform::MessageBoxButtons::YesNo};
    }

    CMainDlg m_dialog;
};

// Buttons that follow the slot shown: Browse, Default Logo, Save, Animate.
struct SlotButtons {
    bool browse = false;
    bool defaultLogo = false;
    bool save = false;
    bool animate = false;

    friend bool operator==(const SlotButtons&, const SlotButtons&) = default;
    friend std::ostream& operator<<(std::ostream& out, const SlotButtons& b)
    {
        return out << "browse " << b.browse << " default " << b.defaultLogo << " save " << b.save << " animate "
                   << b.animate;
    }
};

inline SlotButtons ReadSlotButtons(CMainDlg& d)
{
    using platform::testing::QueryControl;
    return {QueryControl(d, res::IDC_BROWSE).enabled, QueryControl(d, res::IDC_DEFAULT_LOGO).enabled,
            QueryControl(d, res::IDC_SAVE_LOGO).enabled, QueryControl(d, res::IDC_ANIMATE_LOGO).enabled};
}

// Apply and the caption of Close, which move together.
struct ApplyPair {
    bool applyEnabled = false;
    std::string closeCaption;

    friend bool operator==(const ApplyPair&, const ApplyPair&) = default;
    friend std::ostream& operator<<(std::ostream& out, const ApplyPair& p)
    {
        return out << "apply " << p.applyEnabled << " close \"" << p.closeCaption << '"';
    }
};

inline ApplyPair ReadApplyPair(CMainDlg& d)
{
    using platform::testing::QueryControl;
    return {QueryControl(d, res::IDC_APPLY).enabled, QueryControl(d, IDCANCEL).text};
}

inline const ApplyPair kNothingWaiting{false, "&Close"};
inline const ApplyPair kChoicesWaiting{true, "&Cancel"};

}  // namespace appletui
