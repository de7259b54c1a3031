// The main dialog on the sample drive, offscreen:
//  - one preview tick: AnimationStep, StoreColorTable into the stretched
//    preview picture, and the preview repainting its buffer (target <= 1 ms);
//  - one opening: window, initialisation (locations, settings, loading and
//    stretching the start-up logo, starting the cycling) to the first paint
//    of the whole window, and closing it again (target <= 50 ms).

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "host/SampleDrive.h"
#include "platform/modres/ModuleResources.h"
#include "platform/files/FileSystem.h"
#include "platform/testing/ScriptedPrompts.h"
#include "platform/ui/CDC.h"
#include "platform/qt/testing/UiTesting.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "ui/main/CMainDlg.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace {

// The sample drive and a settings folder in a temporary folder, the module's
// resources and an attached application object, for the benchmarks' life.
class SampleInstallation {
public:
    SampleInstallation()
    {
        std::random_device device;
        m_root = std::filesystem::temp_directory_path() / ("lumivane-bench-" + std::to_string(device()));
        std::filesystem::create_directories(m_root / "config");
        std::string error;
        m_ready = host::EnsureSampleDrive(m_root / "drive_c", error);
        setenv("LUMIVANE_DRIVE_C", (m_root / "drive_c").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_root / "config").c_str(), 1);
        platform::SetFileSystem(nullptr);
        platform::SetModuleResources(res::ModuleResourceBlob());
        m_ready = m_ready && AttachApplet(m_app, "/usr/lib/lumivane/lumva.cpl");
        platform::SetPrompts(&m_prompts);
        platform::testing::SetModalTimeout(60000);
    }
    ~SampleInstallation()
    {
        platform::SetPrompts(nullptr);
        DetachApplet(m_app);
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }
    SampleInstallation(const SampleInstallation&) = delete;
    SampleInstallation& operator=(const SampleInstallation&) = delete;

    bool Ready() const { return m_ready; }

private:
    std::filesystem::path m_root;
    CAppletApp m_app;
    platform::ScriptedPrompts m_prompts;
    bool m_ready = false;
};

SampleInstallation* g_installation = nullptr;
CMainDlg* g_dialog = nullptr;

void BM_PreviewTick(benchmark::State& state)
{
    if (!g_installation->Ready()) {
        state.SkipWithError("no sample drive");
        return;
    }
    platform::testing::ScopedModalHook hook(res::IDD_MAIN, [&](platform::CDialog& d) {
        platform::CWnd* preview = d.GetDlgItem(res::IDC_PREVIEW);
        platform::CDC* dc = preview != nullptr ? preview->GetDC() : nullptr;
        if (dc == nullptr || platform::testing::ActiveTimers(d).empty()) {
            state.SkipWithError("the sample start-up logo does not animate");
        } else {
            RECT area{};
            preview->GetClientRect(&area);
            for (auto _ : state) {
                platform::testing::FireTimer(d, 1);
                // Reading a pixel brings the preview's buffer up to date.
                benchmark::DoNotOptimize(dc->GetPixel(area.right / 2, area.bottom - 8));
            }
            state.counters["preview_px"] = static_cast<double>(area.right * area.bottom);
            preview->ReleaseDC(dc);
        }
        d.EndDialog(IDCANCEL);
    });
    g_dialog->DoModal();
}
BENCHMARK(BM_PreviewTick)->Unit(benchmark::kMicrosecond);

void BM_OpenMainDialog(benchmark::State& state)
{
    if (!g_installation->Ready()) {
        state.SkipWithError("no sample drive");
        return;
    }
    platform::testing::ScopedModalHook hook(res::IDD_MAIN, [](platform::CDialog& d) {
        // The first paint of the whole window, preview included.
        benchmark::DoNotOptimize(platform::testing::GrabWindow(d));
        d.EndDialog(IDCANCEL);
    });
    for (auto _ : state)
        g_dialog->DoModal();
}
BENCHMARK(BM_OpenMainDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    {
        SampleInstallation installation;
        CMainDlg dialog;
        g_installation = &installation;
        g_dialog = &dialog;
        benchmark::RunSpecifiedBenchmarks();
        g_dialog = nullptr;
        g_installation = nullptr;
    }
    benchmark::Shutdown();
    return 0;
}
