#include "export/GifExport.h"

#include "export/AtomicFile.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <memory>

namespace exporting {

namespace {

struct Rectangle {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The pixels that change from frame to frame: those using a cycling entry.
// A cycle that no pixel uses still needs its frames; they redraw one pixel.
Rectangle CyclingRectangle(const AnimationFrames& frames)
{
    int left = frames.width;
    int right = -1;
    int top = frames.height;
    int bottom = -1;
    for (int y = 0; y < frames.height; ++y) {
        const std::uint8_t* row = frames.indices.data() + static_cast<std::size_t>(y) * frames.width;
        for (int x = 0; x < frames.width; ++x) {
            if (row[x] >= frames.firstCycling) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {0, 0, 1, 1};
    return {left, top, right - left + 1, bottom - top + 1};
}

// The rectangle's pixels renumbered into a small table of the entries it uses.
struct LocalPicture {
    std::vector<GifPixelType> pixels;  // rectangle, row by row
    std::vector<std::uint8_t> entries; // local index -> entry of the full table
    int tableSize = 2;                 // a power of two, as GIF needs
};

LocalPicture Localise(const AnimationFrames& frames, const Rectangle& area)
{
    std::array<bool, 256> used{};
    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::uint8_t* row = frames.indices.data() + static_cast<std::size_t>(y) * frames.width;
        for (int x = area.left; x < area.left + area.width; ++x)
            used[row[x]] = true;
    }
    LocalPicture local;
    std::array<std::uint8_t, 256> localIndex{};
    for (int entry = 0; entry < 256; ++entry) {
        if (used[static_cast<std::size_t>(entry)]) {
            localIndex[static_cast<std::size_t>(entry)] = static_cast<std::uint8_t>(local.entries.size());
            local.entries.push_back(static_cast<std::uint8_t>(entry));
        }
    }
    while (local.tableSize < static_cast<int>(local.entries.size()))
        local.tableSize *= 2;
    local.pixels.reserve(static_cast<std::size_t>(area.width) * area.height);
    for (int y = area.top; y < area.top + area.height; ++y) {
        const std::uint8_t* row = frames.indices.data() + static_cast<std::size_t>(y) * frames.width;
        for (int x = area.left; x < area.left + area.width; ++x)
            local.pixels.push_back(localIndex[row[x]]);
    }
    return local;
}

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using ColorMap = std::unique_ptr<ColorMapObject, MapDeleter>;

ColorMap MakeMap(const logo::ColorTable& table, const std::vector<std::uint8_t>& entries, int size)
{
    std::vector<GifColorType> colours(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const logo::RgbQuad& entry = table[entries[i]];
        colours[i] = {entry.red, entry.green, entry.blue};
    }
    return ColorMap(GifMakeMapObject(size, colours.data()));
}

int AppendToVector(GifFileType* gif, const GifByteType* bytes, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), bytes, bytes + length);
    return length;
}

class GifWriter {
public:
    explicit GifWriter(std::vector<std::uint8_t>& out) { m_gif = EGifOpen(&out, AppendToVector, &m_error); }
    ~GifWriter()
    {
        if (m_gif)
            EGifCloseFile(m_gif, &m_error);
    }
    GifWriter(const GifWriter&) = delete;
    GifWriter& operator=(const GifWriter&) = delete;

    GifFileType* Get() const { return m_gif; }
    std::string Error() const { return GifErrorString(m_gif ? m_gif->Error : m_error); }

    // Closes the file; the trailer is written only here.
    bool Finish()
    {
        GifFileType* gif = m_gif;
        m_gif = nullptr;
        return EGifCloseFile(gif, &m_error) == GIF_OK;
    }

private:
    GifFileType* m_gif = nullptr;
    int m_error = 0;
};

bool PutLoopForever(GifFileType* gif)
{
    static const GifByteType kApplication[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
    static const GifByteType kLoop[] = {1, 0, 0};  // sub-block 1, loop count 0: for ever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof kApplication, kApplication) == GIF_OK
        && EGifPutExtensionBlock(gif, sizeof kLoop, kLoop) == GIF_OK && EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool PutDelay(GifFileType* gif, int centiseconds)
{
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;  // later frames paint over the first
    control.UserInputFlag = false;
    control.DelayTime = centiseconds;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const std::size_t length = EGifGCBToExtension(&control, extension);
    return EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) == GIF_OK;
}

bool PutRows(GifFileType* gif, GifPixelType* pixels, int width, int height)
{
    for (int y = 0; y < height; ++y) {
        if (EGifPutLine(gif, pixels + static_cast<std::size_t>(y) * width, width) != GIF_OK)
            return false;
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const AnimationFrames& frames, std::string& error)
{
    std::vector<std::uint8_t> out;
    if (frames.tables.empty() || frames.indices.size() != static_cast<std::size_t>(frames.width) * frames.height) {
        error = "nothing to export";
        return {};
    }
    GifWriter writer(out);
    GifFileType* gif = writer.Get();
    if (!gif) {
        error = "the GIF encoder could not start: " + writer.Error();
        return {};
    }
    std::vector<std::uint8_t> allEntries(256);
    for (int i = 0; i < 256; ++i)
        allEntries[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    const ColorMap global = MakeMap(frames.tables[0], allEntries, 256);
    const int delay = GifDelayCentiseconds(frames.periodMilliseconds);
    const Rectangle area = CyclingRectangle(frames);
    LocalPicture local = Localise(frames, area);
    std::vector<GifPixelType> whole(frames.indices.begin(), frames.indices.end());

    EGifSetGifVersion(gif, true);
    bool ok = global && EGifPutScreenDesc(gif, frames.width, frames.height, 8, 0, global.get()) == GIF_OK
        && PutLoopForever(gif) && PutDelay(gif, delay)
        && EGifPutImageDesc(gif, 0, 0, frames.width, frames.height, false, nullptr) == GIF_OK
        && PutRows(gif, whole.data(), frames.width, frames.height);
    for (std::size_t k = 1; ok && k < frames.tables.size(); ++k) {
        const ColorMap map = MakeMap(frames.tables[k], local.entries, local.tableSize);
        ok = map && PutDelay(gif, delay)
            && EGifPutImageDesc(gif, area.left, area.top, area.width, area.height, false, map.get()) == GIF_OK
            && PutRows(gif, local.pixels.data(), area.width, area.height);
    }
    if (!ok) {
        error = "the GIF encoder failed: " + writer.Error();
        return {};
    }
    if (!writer.Finish()) {
        error = "the GIF encoder failed: " + writer.Error();
        return {};
    }
    return out;
}

ExportResult ExportGif(const std::string& path, const AnimationFrames& frames)
{
    std::string error;
    const std::vector<std::uint8_t> bytes = EncodeGif(frames, error);
    if (bytes.empty())
        return ExportResult::Failed(error);
    return WriteFileAtomically(path, bytes);
}

}  // namespace exporting
