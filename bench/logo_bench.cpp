// Speed of the logo core on a 320 x 400 picture with varied content, next to
// the floor of one pass over its pixels (a memcpy of 128000 bytes) and, for
// loading, a plain read of the same file.

#include "logo/Animation.h"
#include "logo/BmpReader.h"
#include "logo/LogoFile.h"
#include "logo/PaletteOperations.h"
#include "logo/Stretch.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>
#include <unistd.h>

namespace {

// Varied content: smooth gradients (long runs), noise, duplicate colours and
// unused entries, so compaction has real work to do.
logo::LogoImage MakeBenchLogo()
{
    logo::LogoImage image = logo::MakeBlankLogo();
    std::mt19937 random(1234);
    for (std::size_t i = 0; i < 256; ++i) {
        const auto shade = static_cast<std::uint8_t>(i);
        image.colorTable[i] = {shade, static_cast<std::uint8_t>(255 - shade), static_cast<std::uint8_t>(random()), 0};
    }
    for (std::size_t i = 200; i < 256; i += 5)
        image.colorTable[i] = image.colorTable[i - 100];
    for (int y = 0; y < logo::kLogoHeight; ++y) {
        for (int x = 0; x < logo::kLogoWidth; ++x) {
            auto value = static_cast<std::uint8_t>((x / 2 + y) % 240);
            if (random() % 5 == 0)
                value = static_cast<std::uint8_t>(random() % 250);
            image.pixels[static_cast<std::size_t>(y * logo::kLogoWidth + x)] = value;
        }
    }
    return image;
}

const logo::LogoImage& BenchLogo()
{
    static const logo::LogoImage image = MakeBenchLogo();
    return image;
}

logo::PaletteState StateOn(logo::LogoImage& image, std::uint8_t count)
{
    logo::PaletteState state;
    state.m_picture = &image;
    logo::LoadColorTable(state);
    state.m_animCount = count;
    return state;
}

std::string LogoFilePath()
{
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "lumivane-bench-logo.bmp";
        const logo::LogoImage& image = BenchLogo();
        logo::ColorTable table{};
        std::copy(image.colorTable.begin(), image.colorTable.end(), table.begin());
        const std::vector<std::uint8_t> bytes = logo::EncodeLogoFile(image, table, true, 21);
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out != nullptr) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        return file.string();
    }();
    return path;
}

void Memcpy128000(benchmark::State& state)
{
    std::vector<std::uint8_t> source = BenchLogo().pixels;
    std::vector<std::uint8_t> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Memcpy128000);

void SwapEntries(benchmark::State& state)
{
    logo::LogoImage image = BenchLogo();
    logo::PaletteState palette = StateOn(image, 21);
    for (auto _ : state) {
        logo::SwapEntries(palette, 17, 130);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(SwapEntries);

void RemoveUnusedColors(benchmark::State& state)
{
    logo::LogoImage image = BenchLogo();
    for (auto _ : state) {
        state.PauseTiming();
        image.pixels = BenchLogo().pixels;
        image.colorTable = BenchLogo().colorTable;
        logo::PaletteState palette = StateOn(image, 21);
        state.ResumeTiming();
        logo::RemoveUnusedColors(palette);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RemoveUnusedColors);

void ReverseSequence(benchmark::State& state)
{
    logo::LogoImage image = BenchLogo();
    logo::PaletteState palette = StateOn(image, 255);
    for (auto _ : state) {
        logo::ReverseSequence(palette);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ReverseSequence);

void MakeAnimatedBar(benchmark::State& state)
{
    logo::LogoImage image = BenchLogo();
    for (auto _ : state) {
        state.PauseTiming();
        image.pixels = BenchLogo().pixels;
        image.colorTable = BenchLogo().colorTable;
        logo::PaletteState palette = StateOn(image, 2);
        palette.m_red = 200;
        state.ResumeTiming();
        const auto outcome = logo::MakeAnimatedBar(palette);
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(MakeAnimatedBar);

void AnimationStep(benchmark::State& state)
{
    logo::LogoImage image = BenchLogo();
    logo::PaletteState palette = StateOn(image, 255);
    for (auto _ : state) {
        logo::AnimationStep(palette);
        benchmark::DoNotOptimize(palette.m_colorTable.data());
    }
}
BENCHMARK(AnimationStep);

// The floor for loading: open, size, a fresh buffer, one read, close.
void ReadFileWithRead(benchmark::State& state)
{
    const std::string path = LogoFilePath();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        struct stat info {};
        ::fstat(fd, &info);
        std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[static_cast<std::size_t>(info.st_size)]);
        const ssize_t got = ::read(fd, buffer.get(), static_cast<std::size_t>(info.st_size));
        ::close(fd);
        benchmark::DoNotOptimize(got);
        benchmark::DoNotOptimize(buffer.get());
    }
}
BENCHMARK(ReadFileWithRead);

void LoadLogoFile(benchmark::State& state)
{
    const std::string path = LogoFilePath();
    for (auto _ : state) {
        logo::LoadResult loaded = logo::LoadBmpFile(path);
        benchmark::DoNotOptimize(loaded.picture);
    }
}
BENCHMARK(LoadLogoFile);

// Browse's logo test on a logo: the headers, then the whole decode.
void IsLogoFile(benchmark::State& state)
{
    const std::string path = LogoFilePath();
    for (auto _ : state) {
        const bool isLogo = logo::IsLogoFile(path);
        benchmark::DoNotOptimize(isLogo);
    }
}
BENCHMARK(IsLogoFile);

void LoadLogoFileScaledToPreview(benchmark::State& state)
{
    const std::string path = LogoFilePath();
    for (auto _ : state) {
        logo::LoadResult loaded = logo::LoadBmpFileScaled(path, 480, 390);
        benchmark::DoNotOptimize(loaded.picture);
    }
}
BENCHMARK(LoadLogoFileScaledToPreview);

// Prints the usual table, then every operation's time as a ratio to the
// memcpy pass (and loading and the logo test as a ratio to the plain read).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (single || median)
                m_nanoseconds[run.run_name.function_name] = run.GetAdjustedRealTime() * ToNanoseconds(run.time_unit);
        }
    }

    void PrintRatios() const
    {
        const double pass = Find("Memcpy128000");
        const double read = Find("ReadFileWithRead");
        std::printf("\n%-30s %12s %14s\n", "operation", "time (us)", "x memcpy pass");
        for (const auto& [name, nanoseconds] : m_nanoseconds) {
            std::printf("%-30s %12.3f %14.2f", name.c_str(), nanoseconds / 1000.0, pass > 0 ? nanoseconds / pass : 0.0);
            if ((name.rfind("LoadLogoFile", 0) == 0 || name == "IsLogoFile") && read > 0)
                std::printf("   %.2f x plain read", nanoseconds / read);
            std::printf("\n");
        }
    }

private:
    static double ToNanoseconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kSecond: return 1e9;
        case benchmark::kMillisecond: return 1e6;
        case benchmark::kMicrosecond: return 1e3;
        case benchmark::kNanosecond: return 1.0;
        }
        return 1.0;
    }

    double Find(const std::string& name) const
    {
        const auto found = m_nanoseconds.find(name);
        return found == m_nanoseconds.end() ? 0.0 : found->second;
    }

    std::map<std::string, double> m_nanoseconds;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    std::error_code error;
    std::filesystem::remove(LogoFilePath(), error);
    return 0;
}
