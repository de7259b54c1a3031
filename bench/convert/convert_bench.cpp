// Any picture into a logo, against ImageMagick in the same run.
//
// Quality (BM_Quality/<kind>): the logo as the boot screen shows it (6-bit
// DAC, 4:3 screen) against the source at the same size; the yardstick is
// ImageMagick's own resize and reduction to the same number of colours, seen
// the same way. Counters: de2000 and ssim_l for ours, im_de2000 and im_ssim_l
// for ImageMagick's (lower CIEDE2000 and higher SSIM are better).
//
// Speed (BM_Import24Megapixel): a 24-megapixel JPEG decoded, converted and
// written, against `convert` doing the same resize and reduction; counter
// ratio = ours / ImageMagick's (target <= 1). BM_PreviewUpdate: Convert
// Picture's live result on its reduced copy (target < 150 ms).

#include "BenchPictures.h"
#include "QualityMetrics.h"
#include "convert/LinearResample.h"
#include "convert/LogoConverter.h"
#include "platform/files/LogoFileWriter.h"
#include "platform/ui/PictureDecoder.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>

namespace {

using bench_convert::IdealScreen;
using bench_convert::ShownOnScreen;

constexpr int kSourceWidth = 1280;
constexpr int kSourceHeight = 960;
constexpr int kColours = 256 - convert::kDefaultReserved;  // what a default conversion may use
// The reduced copy Convert Picture works on while the user adjusts.
constexpr std::size_t kPreviewPixels = 640 * 480;

const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("lumivane-convert-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

bool HaveImageMagick()
{
    static const bool have = std::system("convert -version >/dev/null 2>&1") == 0;
    return have;
}

double Seconds(std::chrono::steady_clock::duration elapsed)
{
    return std::chrono::duration<double>(elapsed).count();
}

struct Yardstick {
    logo::RgbaImage source;
    logo::RgbaImage ideal;
    double de2000 = 0;
    double ssim = 0;
};

// The source of a kind, and ImageMagick's result judged once.
std::optional<Yardstick> MakeYardstick(const std::string& kind)
{
    std::optional<logo::RgbaImage> source;
    if (kind == "photo")
        source = bench_convert::MakePhotoTexture(kSourceWidth, kSourceHeight, ScratchFolder());
    else if (kind == "gradients")
        source = bench_convert::MakeGradients(kSourceWidth, kSourceHeight);
    else if (kind == "flat_art")
        source = bench_convert::MakeFlatArt(kSourceWidth, kSourceHeight);
    else
        source = bench_convert::MakeText(kSourceWidth, kSourceHeight);
    if (!source)
        return std::nullopt;

    const std::string in = ScratchFolder() + "/" + kind + ".png";
    const std::string out = ScratchFolder() + "/" + kind + "-im.png";
    bench_convert::SavePicture(*source, in, "png");
    const std::string command = "convert '" + in + "' -resize 320x400! -colors " + std::to_string(kColours)
        + " PNG24:'" + out + "'";
    if (std::system(command.c_str()) != 0)
        return std::nullopt;
    const platform::DecodedPicture reduced = platform::DecodePictureFile(out);
    if (!reduced)
        return std::nullopt;

    Yardstick yardstick;
    yardstick.source = std::move(*source);
    yardstick.ideal = IdealScreen(yardstick.source);
    const logo::RgbaImage shown = ShownOnScreen(*reduced.picture);
    yardstick.de2000 = bench_convert::MeanCiede2000(yardstick.ideal, shown);
    yardstick.ssim = bench_convert::LightnessSsim(yardstick.ideal, shown);
    return yardstick;
}

void BM_Quality(benchmark::State& state, const std::string& kind)
{
    if (!HaveImageMagick()) {
        state.SkipWithError("ImageMagick's convert is not installed (scripts/install-deps.sh --bench)");
        return;
    }
    static std::map<std::string, std::optional<Yardstick>> yardsticks;
    if (!yardsticks.count(kind))
        yardsticks[kind] = MakeYardstick(kind);
    const std::optional<Yardstick>& yardstick = yardsticks[kind];
    if (!yardstick) {
        state.SkipWithError("ImageMagick could not reduce the picture");
        return;
    }

    convert::ConvertResult result;
    for (auto _ : state) {
        result = convert::ConvertToLogo(yardstick->source, convert::ConvertOptions{});
        benchmark::DoNotOptimize(result);
    }
    if (!result) {
        state.SkipWithError(result.reason.c_str());
        return;
    }
    const logo::RgbaImage shown = ShownOnScreen(bench_convert::LogoPixels(*result.picture));
    state.counters["de2000"] = bench_convert::MeanCiede2000(yardstick->ideal, shown);
    state.counters["im_de2000"] = yardstick->de2000;
    state.counters["ssim_l"] = bench_convert::LightnessSsim(yardstick->ideal, shown);
    state.counters["im_ssim_l"] = yardstick->ssim;
    state.counters["colors"] = result.colorsUsed;
}
BENCHMARK_CAPTURE(BM_Quality, photo, std::string("photo"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Quality, gradients, std::string("gradients"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Quality, flat_art, std::string("flat_art"))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_Quality, text, std::string("text"))->Unit(benchmark::kMillisecond)->Iterations(3);

// 6000 x 4000, 3:2 as cameras take them.
const std::string& LargeJpeg()
{
    static const std::string path = [] {
        const std::string file = ScratchFolder() + "/camera.jpg";
        bench_convert::SavePicture(bench_convert::MakeGradients(6000, 4000), file, "jpg", 90);
        return file;
    }();
    return path;
}

bool ImportOurs(const std::string& in, const std::string& out)
{
    const platform::DecodedPicture decoded = platform::DecodePictureFile(in);
    if (!decoded)
        return false;
    const convert::ConvertResult result = convert::ConvertToLogo(*decoded.picture, convert::ConvertOptions{});
    if (!result)
        return false;
    logo::ColorTable table{};
    std::copy(result.picture->colorTable.begin(), result.picture->colorTable.end(), table.begin());
    return platform::WriteLogoFile(out, *result.picture, table, false, 0);
}

void BM_Import24Megapixel(benchmark::State& state)
{
    if (!HaveImageMagick()) {
        state.SkipWithError("ImageMagick's convert is not installed (scripts/install-deps.sh --bench)");
        return;
    }
    const std::string& in = LargeJpeg();
    const std::string ours = ScratchFolder() + "/camera.sys";
    const std::string theirs = ScratchFolder() + "/camera-im.bmp";
    // The same work: fit 3:2 into 320 x 356 logo pixels, bands to 400 rows, 235 colours.
    const std::string command = "convert '" + in + "' -resize 320x356! -background black -gravity center -extent 320x400"
        + " -colors " + std::to_string(kColours) + " BMP3:'" + theirs + "'";
    double oursTotal = 0;
    double theirsTotal = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool done = ImportOurs(in, ours);
        const auto middle = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        const auto end = std::chrono::steady_clock::now();
        if (!done || status != 0) {
            state.SkipWithError("a conversion failed");
            return;
        }
        oursTotal += Seconds(middle - start);
        theirsTotal += Seconds(end - middle);
        state.SetIterationTime(Seconds(middle - start));
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = oursTotal / runs * 1000;
    state.counters["im_ms"] = theirsTotal / runs * 1000;
    state.counters["ratio"] = oursTotal / theirsTotal;
}
BENCHMARK(BM_Import24Megapixel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PreviewUpdate(benchmark::State& state)
{
    static const logo::RgbaImage reduced = [] {
        const platform::DecodedPicture decoded = platform::DecodePictureFile(LargeJpeg());
        return decoded ? convert::ReduceToPixelCount(*decoded.picture, kPreviewPixels) : logo::RgbaImage{};
    }();
    convert::ConvertOptions options;
    for (auto _ : state) {
        // A slider moved: each update converts again with the new strength.
        options.dither = options.dither > 0.5f ? 0.3f : 0.9f;
        benchmark::DoNotOptimize(convert::ConvertToLogo(reduced, options));
    }
}
BENCHMARK(BM_PreviewUpdate)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv)
{
    // Text is drawn with Qt's fonts, which need the application object.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove_all(ScratchFolder(), error);
    return 0;
}
