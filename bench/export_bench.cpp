// Speed of the boot-screen rendering and of exporting a cycle, and the size of
// the exported GIF next to a single-frame GIF of the same logo (counters
// "bytes", "still_bytes" and "limit_bytes" = still + 1 KB per later frame).

#include "export/AnimationFrames.h"
#include "export/GifExport.h"
#include "export/WebpExport.h"
#include "logo/BootScreen.h"
#include "logo/PaletteOperations.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

// Gradients and noise over 230 entries, then the 21-entry animated bar.
struct BarLogo {
    logo::LogoImage image;
    logo::ColorTable table{};
};

BarLogo MakeBarLogo()
{
    BarLogo bar{logo::MakeBlankLogo(), {}};
    std::mt19937 random(99);
    for (std::size_t i = 0; i < 256; ++i)
        bar.image.colorTable[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(random()),
                                   static_cast<std::uint8_t>(255 - i), 0};
    for (int y = 0; y < logo::kLogoHeight; ++y) {
        for (int x = 0; x < logo::kLogoWidth; ++x) {
            auto value = static_cast<std::uint8_t>((x / 3 + y / 2) % 220);
            if (random() % 9 == 0)
                value = static_cast<std::uint8_t>(random() % 230);
            bar.image.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] = value;
        }
    }
    logo::PaletteState state;
    state.m_picture = &bar.image;
    logo::LoadColorTable(state);
    state.m_red = 40;
    state.m_blue = 220;
    logo::MakeAnimatedBar(state);
    bar.table = state.m_colorTable;
    return bar;
}

const BarLogo& Bar()
{
    static const BarLogo bar = MakeBarLogo();
    return bar;
}

void BootScreenFrame(benchmark::State& state, bool screen)
{
    for (auto _ : state) {
        logo::RgbImage frame = logo::RenderBootScreen(Bar().image, Bar().table, screen);
        benchmark::DoNotOptimize(frame.rgb.data());
    }
}
BENCHMARK_CAPTURE(BootScreenFrame, Screen, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BootScreenFrame, LogoSize, false)->Unit(benchmark::kMicrosecond);

std::size_t GifBytes(std::uint8_t count, bool screen)
{
    std::string error;
    return exporting::EncodeGif(exporting::BuildAnimationFrames(Bar().image, Bar().table, count, screen), error).size();
}

// Building the frames and encoding them: all an export does before the write.
void ExportBarCycleGif(benchmark::State& state, bool screen)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        const std::vector<std::uint8_t> gif =
            exporting::EncodeGif(exporting::BuildAnimationFrames(Bar().image, Bar().table, 21, screen), error);
        bytes = gif.size();
        benchmark::DoNotOptimize(gif.data());
    }
    const double still = static_cast<double>(GifBytes(0, screen));
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["still_bytes"] = still;
    state.counters["limit_bytes"] = still + 20 * 1024;  // 1 KB for each frame after the still one
}
BENCHMARK_CAPTURE(ExportBarCycleGif, LogoSize, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBarCycleGif, Screen, true)->Unit(benchmark::kMillisecond);

void ExportBarCycleWebp(benchmark::State& state, bool screen)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string error;
        const std::vector<std::uint8_t> webp =
            exporting::EncodeWebp(exporting::BuildAnimationFrames(Bar().image, Bar().table, 21, screen), error);
        bytes = webp.size();
        benchmark::DoNotOptimize(webp.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(ExportBarCycleWebp, LogoSize, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ExportBarCycleWebp, Screen, true)->Unit(benchmark::kMillisecond);

}  // namespace
