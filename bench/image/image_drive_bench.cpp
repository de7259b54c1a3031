// Drives inside disk images, each against the same work on a folder drive in
// the same run (counter ratio_to_folder), on a 2 GB sparse FAT32 disk (one
// MBR partition) holding the sample drive's tree:
//  - opening the main dialog to its first paint, the drive table built anew
//    each time as a fresh start of the applet builds it
//    (targets: raw <= 150 ms, qcow2 and dynamic VDI <= 1 s);
//  - Apply of three logos (raw <= 300 ms, qcow2 and dynamic VDI <= 1 s);
//  - lumva-logo slots, the whole command.

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "common/FatImages.h"
#include "common/TestFiles.h"
#include "host/SampleDrive.h"
#include "platform/modres/ModuleResources.h"
#include "platform/files/FileSystem.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/testing/ScriptedPrompts.h"
#include "platform/qt/testing/UiTesting.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "slots/ApplyLogos.h"
#include "tools/LogoCommand.h"
#include "ui/main/CMainDlg.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

enum Kind { kFolder, kRaw, kQcow2, kVdi };

class Installations {
public:
    Installations()
    {
        std::random_device device;
        root_ = fs::temp_directory_path() / ("lumivane-image-bench-" + std::to_string(device()));
        fs::create_directories(root_ / "config");
        fs::create_directories(root_ / "cache");
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_CACHE_HOME", (root_ / "cache").c_str(), 1);
        std::string error;
        const fs::path folder = root_ / "drive_c";
        ready_ = testing_support::HasImageTools() && host::EnsureSampleDrive(folder, error);
        const std::string raw = (root_ / "win98.img").string();
        ready_ = ready_ &&
                 testing_support::Shell("truncate -s 2G '" + raw + "'; echo 'start=2048, type=c' | sfdisk -q '" + raw +
                                        "'; mkfs.fat -F 32 --offset 2048 '" + raw + "'; mcopy -s -i '" + raw +
                                        "@@1048576' '" + folder.string() + "'/* ::/") == 0;
        ready_ = ready_ && testing_support::ConvertImage(raw, (root_ / "win98.qcow2").string(), "qcow2", "compat=1.1") &&
                 testing_support::ConvertImage(raw, (root_ / "win98.vdi").string(), "vdi", "static=off");
        drives_ = {{kFolder, folder.string()}, {kRaw, raw}, {kQcow2, (root_ / "win98.qcow2").string()},
                   {kVdi, (root_ / "win98.vdi").string()}};
        for (unsigned i = 0; i < 3; ++i) {
            const logo::LogoImage picture = testing_support::MakeVariedLogo(i + 1);
            logo::ColorTable table{};
            std::copy_n(picture.colorTable.begin(), table.size(), table.begin());
            logos_[i] = (root_ / ("logo" + std::to_string(i) + ".bmp")).string();
            platform::WriteLogoFile(logos_[i], picture, table, false, 0);
        }
        platform::SetModuleResources(res::ModuleResourceBlob());
        ready_ = ready_ && AttachApplet(app_, "/usr/lib/lumivane/lumva.cpl");
        platform::SetPrompts(&prompts_);
        platform::testing::SetModalTimeout(60000);
    }
    ~Installations()
    {
        platform::SetFileSystem(nullptr);
        platform::SetPrompts(nullptr);
        DetachApplet(app_);
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    Installations(const Installations&) = delete;
    Installations& operator=(const Installations&) = delete;

    bool Ready() const { return ready_; }
    const std::string& Drive(Kind kind) const { return drives_.at(kind); }
    PendingSources ThreeLogos() const { return {logos_[0], logos_[1], logos_[2]}; }

    // The module's view of drive C:, built anew from the environment.
    void Use(Kind kind) const
    {
        setenv("LUMIVANE_DRIVE_C", Drive(kind).c_str(), 1);
        setenv("LUMIVANE_WINDOWS_DIR", "C:\\WINDOWS", 1);
        setenv("LUMIVANE_SYSTEM_DIR", "C:\\WINDOWS\\SYSTEM", 1);
        platform::SetFileSystem(nullptr);
    }

private:
    fs::path root_;
    std::map<Kind, std::string> drives_;
    std::array<std::string, 3> logos_;
    CAppletApp app_;
    platform::ScriptedPrompts prompts_;
    bool ready_ = false;
};

Installations* g_installations = nullptr;
CMainDlg* g_dialog = nullptr;

double Seconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void OpenMainDialog(Kind kind)
{
    g_installations->Use(kind);
    platform::testing::ScopedModalHook hook(res::IDD_MAIN, [](platform::CDialog& d) {
        benchmark::DoNotOptimize(platform::testing::GrabWindow(d));
        d.EndDialog(IDCANCEL);
    });
    g_dialog->DoModal();
}

// Measure has put the kind's drive in place already.
void ApplyThreeLogos(Kind /*kind*/)
{
    PendingSources pending = g_installations->ThreeLogos();
    benchmark::DoNotOptimize(ApplyPendingSources(pending, NormaliseLocations("C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM")));
}

void SlotsCommand(Kind kind)
{
    std::ostringstream out;
    std::ostringstream err;
    benchmark::DoNotOptimize(
        tools::RunLogoCommand({"slots", "--drive", "C:=" + g_installations->Drive(kind)}, out, err));
}

// The work on the kind, timed; then the same on the folder drive, whose mean
// the counter divides by.
void Measure(benchmark::State& state, const std::function<void(Kind)>& work, bool prepare)
{
    if (!g_installations->Ready()) {
        state.SkipWithError("no image tools or no sample drive");
        return;
    }
    const auto kind = static_cast<Kind>(state.range(0));
    if (prepare)
        g_installations->Use(kind);
    double total = 0;
    for (auto _ : state) {
        const double seconds = Seconds([&] { work(kind); });
        state.SetIterationTime(seconds);
        total += seconds;
    }
    if (prepare)
        g_installations->Use(kFolder);
    double folder = 0;
    constexpr int kFolderRuns = 5;
    for (int i = 0; i < kFolderRuns; ++i)
        folder += Seconds([&] { work(kFolder); });
    state.counters["ratio_to_folder"] = (total / static_cast<double>(state.iterations())) / (folder / kFolderRuns);
}

void BM_OpenMainDialog(benchmark::State& state)
{
    Measure(state, OpenMainDialog, false);
}

void BM_ApplyThreeLogos(benchmark::State& state)
{
    Measure(state, ApplyThreeLogos, true);
}

void BM_SlotsCommand(benchmark::State& state)
{
    Measure(state, SlotsCommand, false);
}

void Kinds(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("kind")->Arg(kFolder)->Arg(kRaw)->Arg(kQcow2)->Arg(kVdi);
    benchmark->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
}

BENCHMARK(BM_OpenMainDialog)->Apply(Kinds);
BENCHMARK(BM_ApplyThreeLogos)->Apply(Kinds);
BENCHMARK(BM_SlotsCommand)->Apply(Kinds);

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    {
        Installations installations;
        CMainDlg dialog;
        g_installations = &installations;
        g_dialog = &dialog;
        benchmark::RunSpecifiedBenchmarks();
        g_dialog = nullptr;
        g_installations = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
