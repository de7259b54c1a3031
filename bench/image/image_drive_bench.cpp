// Drives inside the disk of a Windows 98 virtual machine (Win98Disk.h: 4 GiB,
// 2.1 GB in 7,000 files), in every container, each against the raw disk in
// the same run (counter ratio_to_raw):
//  - Slots: `lumva-logo slots`, the whole command;
//  - Apply: `lumva-logo apply` of three logos, the whole command, with the
//    bytes it wrote (bytes_written_mb, as /usr/bin/time's %O) and the most
//    extra disk it took (extra_disk_mb);
//  - OpenMainDialog: the main dialog opened in this process to its first
//    paint, the drive's disk opened afresh each time as a new run opens it;
//  - HostScreenshot: `lumivane --screenshot`, start to exit (Qt's start and
//    the 400 ms the host lets the dialog settle included).
// Targets through the FUSE view: slots <= 150 ms, Apply <= 400 ms, first
// paint <= 300 ms, extra disk <= 16 MB, bytes written per Apply <= 4 MB.
//
// Routes: "fuse" (qemu-storage-daemon's view), "copy" (the raw copy where
// FUSE cannot be used, LUMIVANE_NO_FUSE=1) and, when LUMIVANE_BENCH_OLD_BUILD
// names the build folder of an earlier version, "old" (its binaries).
// LUMIVANE_BENCH_DIR: where the disks are made (default /var/tmp; about
// 13 GB); they are kept for the next run there.

#include "CommandRun.h"
#include "Win98Disk.h"

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "common/VariedLogoFile.h"
#include "platform/files/FileSystem.h"
#include "platform/modres/ModuleResources.h"
#include "platform/qt/testing/UiTesting.h"
#include "platform/testing/ScriptedPrompts.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;
using imagebench::CommandFigures;
using imagebench::DiskFormat;

enum class Route { Fuse, Copy, Old };

const char* RouteName(Route route)
{
    switch (route) {
    case Route::Fuse:
        return "fuse";
    case Route::Copy:
        return "copy";
    case Route::Old:
        return "old";
    }
    return "";
}

struct Setup {
    fs::path root;
    fs::path oldBuild;  // empty: no old route
    std::array<std::array<std::string, 3>, 2> logos;
    bool ready = false;
};

Setup* g_setup = nullptr;
CMainDlg* g_dialog = nullptr;
// Medians of the raw disk, per operation and binary: what ratios divide by.
std::map<std::string, double> g_rawMedians;

std::string Image(const DiskFormat& format)
{
    return (g_setup->root / format.file).string();
}

std::vector<std::pair<std::string, std::string>> Environment(Route route)
{
    return {{"LUMIVANE_NO_FUSE", route == Route::Copy ? "1" : ""}, {"QT_QPA_PLATFORM", "offscreen"}};
}

std::string LogoTool(Route route)
{
    return route == Route::Old ? (g_setup->oldBuild / "src/tools/lumva-logo").string() : LUMVA_LOGO_PATH;
}

std::string HostProgram(Route route)
{
    return route == Route::Old ? (g_setup->oldBuild / "bin/lumivane").string() : LUMIVANE_HOST_PATH;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Runs work once per iteration and reports its median, its ratio to the
// raw disk's median of the same operation and binary, and the figures of
// the commands it ran.
void Measure(benchmark::State& state, const std::string& operation, const DiskFormat& format, Route route,
             const std::function<CommandFigures(int)>& work)
{
    if (!g_setup->ready) {
        state.SkipWithError("the disks could not be made (mtools, dosfstools, fdisk, qemu-utils?)");
        return;
    }
    std::vector<double> seconds;
    std::vector<double> written;
    double extra = 0;
    int status = 0;
    int iteration = 0;
    for (auto _ : state) {
        const CommandFigures figures = work(iteration++);
        state.SetIterationTime(figures.seconds);
        seconds.push_back(figures.seconds);
        written.push_back(static_cast<double>(figures.bytesWritten));
        extra = std::max(extra, static_cast<double>(figures.extraDisk));
        status = std::max(status, figures.status);
    }
    const double median = Median(seconds);
    const std::string rawKey = operation + (route == Route::Old ? "/old" : "/new");
    if (format.format[0] == '\0')
        g_rawMedians[rawKey] = median;
    state.counters["median_ms"] = median * 1000;
    if (g_rawMedians.contains(rawKey))
        state.counters["ratio_to_raw"] = median / g_rawMedians[rawKey];
    state.counters["bytes_written_mb"] = Median(written) / 1e6;
    state.counters["extra_disk_mb"] = extra / 1e6;
    state.counters["exit_status"] = status;
}

CommandFigures Slots(const DiskFormat& format, Route route, int)
{
    return imagebench::RunCommand({LogoTool(route), "slots", "--drive", "C:=" + Image(format)}, Environment(route),
                                  {g_setup->root});
}

CommandFigures ApplyThreeLogos(const DiskFormat& format, Route route, int iteration)
{
    const auto& logos = g_setup->logos[static_cast<std::size_t>(iteration % 2)];
    return imagebench::RunCommand({LogoTool(route), "apply", "--drive", "C:=" + Image(format), "--startup", logos[0],
                                   "--preshutdown", logos[1], "--shutdown", logos[2]},
                                  Environment(route), {g_setup->root});
}

CommandFigures HostScreenshot(const DiskFormat& format, Route route, int)
{
    return imagebench::RunCommand({HostProgram(route), "--drive", "C:=" + Image(format), "--screenshot",
                                   (g_setup->root / "shot.png").string()},
                                  Environment(route), {g_setup->root});
}

// In this process, with this build's code: the disk is opened as a fresh
// run opens it (the previous file system, and with it the disk, is gone).
CommandFigures OpenMainDialog(const DiskFormat& format, Route route, int)
{
    platform::SetFileSystem(nullptr);
    setenv("LUMIVANE_DRIVE_C", Image(format).c_str(), 1);
    setenv("LUMIVANE_NO_FUSE", route == Route::Copy ? "1" : "", 1);
    CommandFigures figures;
    const auto start = std::chrono::steady_clock::now();
    platform::testing::ScopedModalHook hook(res::IDD_MAIN, [&](platform::CDialog& d) {
        benchmark::DoNotOptimize(platform::testing::GrabWindow(d));
        figures.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        d.EndDialog(IDCANCEL);
    });
    g_dialog->DoModal();
    figures.status = 0;
    return figures;
}

void Register(const std::string& operation, const DiskFormat& format, Route route, int iterations,
              CommandFigures (*work)(const DiskFormat&, Route, int))
{
    const std::string name = operation + "/" + format.name + "/" + RouteName(route);
    benchmark::RegisterBenchmark(name.c_str(), [operation, &format, route, work](benchmark::State& state) {
        Measure(state, operation, format, route, [&](int i) { return work(format, route, i); });
    })->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMillisecond);
}

void RegisterAll(bool withOld)
{
    using Work = CommandFigures (*)(const DiskFormat&, Route, int);
    const std::vector<std::pair<std::string, Work>> operations{
        {"Slots", Slots}, {"Apply", ApplyThreeLogos}, {"OpenMainDialog", OpenMainDialog},
        {"HostScreenshot", HostScreenshot}};
    for (const auto& [operation, work] : operations) {
        for (const DiskFormat& format : imagebench::DiskFormats()) {
            const bool raw = format.format[0] == '\0';
            Register(operation, format, Route::Fuse, 5, work);
            if (!raw)
                Register(operation, format, Route::Copy, 3, work);
            if (withOld && operation != "OpenMainDialog")
                Register(operation, format, Route::Old, 3, work);
        }
    }
}

void WriteLogos(Setup& setup)
{
    for (unsigned set = 0; set < 2; ++set) {
        for (unsigned i = 0; i < 3; ++i) {
            setup.logos[set][i] = testing_support::WriteVariedLogoFile(
                (setup.root / ("logo" + std::to_string(set) + std::to_string(i) + ".bmp")).string(), set * 3 + i + 1);
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    Setup setup;
    const char* place = std::getenv("LUMIVANE_BENCH_DIR");
    setup.root = fs::path(place != nullptr && place[0] == '/' ? place : "/var/tmp") / "lumivane-image-bench";
    if (const char* old = std::getenv("LUMIVANE_BENCH_OLD_BUILD"))
        setup.oldBuild = old;
    for (const char* folder : {"cache", "config", "run", "tmp"})
        fs::create_directories(setup.root / folder);
    fs::permissions(setup.root / "run", fs::perms::owner_all);
    // Every run's scratch goes below the root, where the sampler sees it.
    setenv("XDG_CACHE_HOME", (setup.root / "cache").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (setup.root / "config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (setup.root / "run").c_str(), 1);
    setenv("TMPDIR", (setup.root / "tmp").c_str(), 1);
    setenv("LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS", 1);
    setenv("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM", 1);
    setup.ready = testing_support::HasImageTools() && imagebench::MakeWin98Disks(setup.root);
    WriteLogos(setup);
    g_setup = &setup;

    CAppletApp applet;
    platform::ScriptedPrompts prompts;
    platform::SetModuleResources(res::ModuleResourceBlob());
    AttachApplet(applet, "/usr/lib/lumivane/lumva.cpl");
    platform::SetPrompts(&prompts);
    platform::testing::SetModalTimeout(600000);
    {
        CMainDlg dialog;
        g_dialog = &dialog;
        RegisterAll(!setup.oldBuild.empty());
        benchmark::RunSpecifiedBenchmarks();
        g_dialog = nullptr;
    }
    platform::SetFileSystem(nullptr);
    platform::SetPrompts(nullptr);
    DetachApplet(applet);
    benchmark::Shutdown();
    return 0;
}
