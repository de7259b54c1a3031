#include "host/ControlPanelHost.h"

#include "host/AppletIcon.h"
#include "host/AppletModule.h"
#include "host/ModuleFileInfo.h"
#include "host/ScreenshotCapture.h"

#include <QApplication>

#include <memory>
#include <vector>

namespace host {

namespace {

// The main dialog's caption, which the screenshot looks for.
constexpr const char* kMainDialogTitle = "Lumivane";
// Long enough for the first paint and a few ticks of the preview animation.
constexpr int kScreenshotSettleMs = 400;
// Far beyond any real module; a wild answer must not size our tables.
constexpr LONG kMaxItems = 256;

}  // namespace

int ControlPanelHost::Fail(const std::string& message)
{
    m_err << "lumivane: " << message << '\n';
    return 1;
}

void ControlPanelHost::PresentItem(const std::string& modulePath, int idIcon)
{
    std::string error;
    const std::optional<ModuleFileInfo> info = ModuleFileInfo::Read(modulePath, error);
    if (!info)
        return;  // the item still runs, without its icon
    const std::vector<std::uint8_t> ico = info->Icon(idIcon);
    if (const QIcon icon = IconFromIco(ico); !icon.isNull())
        QApplication::setWindowIcon(icon);
}

int ControlPanelHost::Run(const std::string& modulePath, const std::optional<std::string>& screenshotPath)
{
    std::string error;
    const std::unique_ptr<AppletModule> module = AppletModule::Load(modulePath, error);
    if (!module)
        return Fail(error);

    if (module->Send(CPL_INIT) == 0)
        return Fail(modulePath + " refused to start: its CPlApplet answered CPL_INIT with 0");

    const LONG count = module->Send(CPL_GETCOUNT);
    std::vector<CPLINFO> items(count > 0 && count <= kMaxItems ? static_cast<std::size_t>(count) : 0);
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i] = CPLINFO{0, 0, 0, 0};
        module->Send(CPL_INQUIRE, static_cast<LPARAM>(i), reinterpret_cast<LPARAM>(&items[i]));
    }

    int status = 0;
    if (items.empty()) {
        status = Fail(modulePath + " offers no Control Panel item (CPL_GETCOUNT answered " + std::to_string(count) + ")");
    } else {
        PresentItem(modulePath, items[0].idIcon);
        std::unique_ptr<ScreenshotCapture> capture;
        if (screenshotPath)
            capture = std::make_unique<ScreenshotCapture>(QString::fromStdString(*screenshotPath),
                                                          QString::fromUtf8(kMainDialogTitle), kScreenshotSettleMs);
        module->Send(CPL_DBLCLK, 0, items[0].lData);
        if (capture) {
            if (capture->Saved())
                m_out << "lumivane: screenshot of the main dialog saved to " << *screenshotPath << '\n';
            else
                status = Fail("no screenshot: " + capture->Error().toStdString());
        }
    }

    for (std::size_t i = 0; i < items.size(); ++i)
        module->Send(CPL_STOP, static_cast<LPARAM>(i), items[i].lData);
    module->Send(CPL_EXIT);
    return status;
}

}  // namespace host
