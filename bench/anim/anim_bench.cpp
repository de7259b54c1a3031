// The editor's two time-critical paths, measured on the open editor:
//  - one animation tick: step, store, preview refresh, and both windows
//    repainted into their buffers (budget 1 ms: the timer runs every 250 ms,
//    the main preview's every 100 ms);
//  - the animated bar through button 1023, compaction, bar, messages and
//    redraws included (budget 5 ms).

#include "applet/AppletAttach.h"
#include "applet/CAppletApp.h"
#include "logo/Picture.h"
#include "platform/modres/ModuleResources.h"
#include "platform/testing/ScriptedPrompts.h"
#include "platform/qt/testing/UiTesting.h"
#include "resources/ModuleResourceBlob.h"
#include "resources/ResourceIds.h"
#include "ui/anim/CAnimDlg.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

CAnimDlg* g_editor = nullptr;

// A logo using 16 colours in bands, so the bar always finds room.
logo::LogoImage BenchLogo()
{
    logo::LogoImage picture = logo::MakeBlankLogo();
    for (int i = 0; i < 256; ++i)
        picture.colorTable[static_cast<std::size_t>(i)] =
            logo::RgbQuad{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2), 0};
    for (std::size_t p = 0; p < logo::kLogoPixelBytes; ++p)
        picture.pixels[p] = static_cast<std::uint8_t>((p / 320) * 16 / 400);
    return picture;
}

void BM_EditorTick(benchmark::State& state)
{
    CAnimDlg& editor = *g_editor;
    for (auto _ : state) {
        editor.AnimationTick();
        editor.UpdateWindow();
        editor.m_preview.UpdateWindow();
    }
}
BENCHMARK(BM_EditorTick)->Unit(benchmark::kMicrosecond);

void BM_AnimatedBarButton(benchmark::State& state)
{
    CAnimDlg& editor = *g_editor;
    for (auto _ : state) {
        platform::testing::ClickControl(editor, res::IDC_ANIM_ANIMATED_BAR);
        editor.UpdateWindow();
        editor.m_preview.UpdateWindow();
    }
}
BENCHMARK(BM_AnimatedBarButton)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The editor stores its position on closing: keep that out of the
    // user's settings.
    const std::filesystem::path config = std::filesystem::temp_directory_path() / "lumivane-anim-bench";
    std::filesystem::create_directories(config);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    platform::SetModuleResources(res::ModuleResourceBlob());
    CAppletApp applet;
    if (!AttachApplet(applet, "/usr/lib/lumivane/lumva.cpl"))
        return 1;
    platform::ScriptedPrompts prompts;  // messages answered with OK
    platform::SetPrompts(&prompts);

    logo::LogoImage picture = BenchLogo();
    CAnimDlg editor;
    editor.m_picture = &picture;
    editor.m_animCount = 21;
    {
        platform::testing::ScopedModalHook hook(res::IDD_ANIM, [&](platform::CDialog& dialog) {
            g_editor = &editor;
            benchmark::RunSpecifiedBenchmarks();
            g_editor = nullptr;
            dialog.EndDialog(IDCANCEL);
        });
        editor.DoModal();
    }
    platform::SetPrompts(nullptr);
    DetachApplet(applet);
    benchmark::Shutdown();
    std::filesystem::remove_all(config);
    return 0;
}
