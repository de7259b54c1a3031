#include "platform/ui/WinHelp.h"

#include "platform/files/FileApi.h"
#include "platform/qt/HelpViewer.h"
#include "platform/qt/HwndWidget.h"
#include "platform/ui/Prompts.h"

#include <QApplication>
#include <QPointer>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

constexpr std::uintmax_t kMaxHelpFileBytes = 4u * 1024u * 1024u;

QPointer<HelpViewer>& Viewer()
{
    static QPointer<HelpViewer> viewer;
    return viewer;
}

std::optional<std::string> ReadHelpFile(const std::string& hostPath)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(hostPath, error))
        return std::nullopt;
    const auto size = std::filesystem::file_size(hostPath, error);
    if (error || size > kMaxHelpFileBytes)
        return std::nullopt;
    std::ifstream in(hostPath, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return text;
}

void ReportUnreadable(HWND owner, const std::string& helpFile)
{
    MessageBoxA(owner, "Cannot find the help file " + helpFile + ".\nCheck that the file exists and can be read.",
                "Help", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

BOOL WinHelpA(HWND owner, const std::string& helpFile, UINT command, DWORD /*data: no topics to choose*/)
{
    if (command == HELP_QUIT) {
        CloseHelpViewer();
        return TRUE;
    }
    if (command != HELP_FORCEFILE && command != HELP_CONTENTS)
        return FALSE;

    const auto hostPath = ResolveHostPath(helpFile);
    const auto text = hostPath ? ReadHelpFile(*hostPath) : std::nullopt;
    if (!text) {
        ReportUnreadable(owner, helpFile);
        return FALSE;
    }
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return FALSE;

    HelpViewer* viewer = Viewer().data();
    if (!viewer) {
        // Under a running modal dialog a window of no owner would take no
        // input, so the viewer goes with that dialog.
        QWidget* parent = owner ? WidgetFromHwnd(owner) : QApplication::activeModalWidget();
        viewer = new HelpViewer(parent);
        Viewer() = viewer;
    }
    viewer->ShowText(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())),
                     QString::fromStdString(*hostPath));
    viewer->show();
    viewer->raise();
    viewer->activateWindow();
    return TRUE;
}

std::optional<HelpViewerState> OpenHelpViewer()
{
    const HelpViewer* viewer = Viewer().data();
    if (!viewer)
        return std::nullopt;
    return HelpViewerState{viewer->windowTitle().toStdString(), viewer->PlainText().toStdString(),
                           viewer->HostPath().toStdString(), viewer->isVisible()};
}

void CloseHelpViewer()
{
    // Deleted at once rather than on close, so the state is gone on return.
    delete Viewer().data();
}

}  // namespace platform
