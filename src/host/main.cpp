// lumivane: the Control Panel host. See CommandLine.h for its options and
// ControlPanelHost.h for the order of messages it sends.

#include "host/CommandLine.h"
#include "host/DisplayChoice.h"
#include "host/ControlPanelHost.h"
#include "host/InstallationLayout.h"
#include "host/ModuleInfoReport.h"
#include "host/ModuleLocation.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const host::CommandLineParser::Result parsed = host::CommandLineParser::Parse(arguments);
    if (!parsed.options) {
        std::cerr << "lumivane: " << parsed.error << "\n\n" << host::CommandLineParser::Usage();
        return 2;
    }
    const host::HostOptions& options = *parsed.options;
    if (options.help) {
        std::cout << host::CommandLineParser::Usage();
        return 0;
    }
    const std::string modulePath = options.modulePath.value_or(host::DefaultModulePath());
    if (options.moduleInfo)
        return host::PrintModuleInfo(modulePath, std::cout, std::cerr);

    std::string error;
    const std::optional<host::InstallationLayout> layout = host::InstallationLayout::FromOptions(options, error);
    if (!layout) {
        std::cerr << "lumivane: " << error << '\n';
        return 1;
    }
    for (const std::string& note : layout->notes)
        std::cerr << "lumivane: " << note << '\n';
    // Before the module is loaded: its stand-in layer reads this at attach.
    layout->ExportToEnvironment();

    const host::DisplayChoice display =
        host::ChooseDisplay(host::ReadDisplayEnvironment(options.screenshotPath.has_value()));
    if (!display.refusal.empty()) {
        std::cerr << display.refusal << '\n';
        return 1;
    }
    if (!display.platform.empty())
        ::setenv("QT_QPA_PLATFORM", display.platform.c_str(), 1);

    // The one application object, shared with the module; no widget exists before it.
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lumivane"));
    QGuiApplication::setDesktopFileName(QStringLiteral("lumivane"));
    if (layout->sampleDrive)
        std::cout << "lumivane: managing the sample drive " << layout->drives.at('C') << '\n';
    if (!layout->bootNote.empty())
        std::cout << "lumivane: " << layout->bootNote << '\n';

    host::ControlPanelHost controlPanel(std::cout, std::cerr);
    return controlPanel.Run(modulePath, options.screenshotPath);
}
