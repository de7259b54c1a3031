#include "platform/win32/picture/OlePicture.h"

#include "platform/win32/module/SystemFunction.h"
#include "platform/win32/picture/DecodeFailure.h"
#include "platform/win32/picture/TopDownDib.h"

#include <windows.h>
#include <objbase.h>
#include <olectl.h>

#include <cstring>
#include <memory>

namespace platform::win32 {

namespace {

using OleLoadPictureCall = HRESULT(WINAPI*)(LPSTREAM, LONG, BOOL, REFIID, LPVOID*);
using CreateStreamOnHGlobalCall = HRESULT(WINAPI*)(HGLOBAL, BOOL, LPSTREAM*);
using CoInitializeCall = HRESULT(WINAPI*)(LPVOID);
using CoUninitializeCall = void(WINAPI*)();

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface> using ComPtr = std::unique_ptr<Interface, ComRelease>;

// COM for the length of one decode, ended only when this call began it (a
// thread already in another apartment model keeps its own).
class ComScope {
public:
    ComScope()
        : m_uninitialize(SystemFunction<CoUninitializeCall>("ole32.dll", "CoUninitialize"))
    {
        const auto initialize = SystemFunction<CoInitializeCall>("ole32.dll", "CoInitialize");
        m_began = initialize != nullptr && m_uninitialize != nullptr && SUCCEEDED(initialize(nullptr));
    }
    ~ComScope()
    {
        if (m_began)
            m_uninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    CoUninitializeCall m_uninitialize;
    bool m_began = false;
};

// A stream over a copy of the bytes, freed with the stream.
ComPtr<IStream> StreamOver(CreateStreamOnHGlobalCall createStream, const std::uint8_t* data, std::size_t size)
{
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (memory == nullptr)
        return nullptr;
    void* bytes = ::GlobalLock(memory);
    if (bytes == nullptr) {
        ::GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(bytes, data, size);
    ::GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(createStream(memory, TRUE, &stream))) {
        ::GlobalFree(memory);
        return nullptr;
    }
    return ComPtr<IStream>(stream);
}

// A top-down DIB section selected into a memory DC, for rendering.
class RenderTarget {
public:
    RenderTarget(int width, int height)
        : m_width(width), m_height(height), m_dc(::CreateCompatibleDC(nullptr))
    {
        std::uint32_t* bits = nullptr;
        m_bitmap = CreateTopDownDib(width, height, &bits);
        m_bits = reinterpret_cast<std::uint8_t*>(bits);
        if (m_dc != nullptr && m_bitmap != nullptr)
            m_previous = ::SelectObject(m_dc, m_bitmap);
    }
    ~RenderTarget()
    {
        if (m_previous != nullptr)
            ::SelectObject(m_dc, m_previous);
        if (m_bitmap != nullptr)
            ::DeleteObject(m_bitmap);
        if (m_dc != nullptr)
            ::DeleteDC(m_dc);
    }
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    bool IsReady() const { return m_previous != nullptr && m_bits != nullptr; }

    // The picture drawn whole, pixel for pixel, over a background of one byte value.
    bool Render(IPicture& picture, std::uint8_t background)
    {
        std::memset(m_bits, background, ByteCount());
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        if (FAILED(picture.get_Width(&width)) || FAILED(picture.get_Height(&height)))
            return false;
        // Source rectangles are in HIMETRIC, bottom-up.
        const bool drawn = SUCCEEDED(picture.Render(m_dc, 0, 0, m_width, m_height, 0, height, width, -height, nullptr));
        ::GdiFlush();
        return drawn;
    }

    const std::uint8_t* Bits() const { return m_bits; }
    std::size_t ByteCount() const { return static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height) * 4; }

private:
    int m_width;
    int m_height;
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    std::uint8_t* m_bits = nullptr;
};

// Blue, green, red, unused (a DIB's order) into red, green, blue, alpha.
void CopyOpaque(const std::uint8_t* bgrx, logo::RgbaImage& picture)
{
    std::uint8_t* out = picture.rgba.data();
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        out[i] = bgrx[i + 2];
        out[i + 1] = bgrx[i + 1];
        out[i + 2] = bgrx[i];
        out[i + 3] = 0xFF;
    }
}

// A pixel that shows the background differently on black and on white is
// one the picture leaves transparent.
void ClearTransparent(const std::uint8_t* onWhite, logo::RgbaImage& picture)
{
    std::uint8_t* out = picture.rgba.data();
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) {
        if (out[i] != onWhite[i + 2] || out[i + 1] != onWhite[i + 1] || out[i + 2] != onWhite[i])
            std::memset(out + i, 0, 4);
    }
}

}  // namespace

DecodedPicture DecodeWithOlePicture(const std::uint8_t* data, std::size_t size, PictureFormat format)
{
    const auto loadPicture = SystemFunction<OleLoadPictureCall>("oleaut32.dll", "OleLoadPicture");
    const auto createStream = SystemFunction<CreateStreamOnHGlobalCall>("ole32.dll", "CreateStreamOnHGlobal");
    if (loadPicture == nullptr || createStream == nullptr)
        return DecodeFailure(PictureError::Unsupported, "this Windows has no decoder for " + PictureFormatName(format)
                                                            + " pictures (OleLoadPicture)");
    const ComScope com;
    const ComPtr<IStream> stream = StreamOver(createStream, data, size);
    if (!stream)
        return OutOfMemoryFailure();
    IPicture* loaded = nullptr;
    const HRESULT result = loadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                                       reinterpret_cast<void**>(&loaded));
    if (result == E_OUTOFMEMORY)
        return OutOfMemoryFailure();
    if (FAILED(result) || loaded == nullptr)
        return DamagedFailure(format);
    const ComPtr<IPicture> picture(loaded);

    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)))
        return DamagedFailure(format);
    // The handle travels as 32 bits and widens with its sign, as handles do.
    const auto bitmapHandle = reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
    BITMAP bitmap{};
    if (::GetObjectA(bitmapHandle, sizeof(bitmap), &bitmap) == 0 || bitmap.bmWidth <= 0 || bitmap.bmHeight <= 0)
        return DamagedFailure(format);

    RenderTarget target(bitmap.bmWidth, bitmap.bmHeight);
    if (!target.IsReady())
        return OutOfMemoryFailure();
    DecodedPicture decoded;
    logo::RgbaImage& rgba = decoded.picture.emplace();
    rgba.width = bitmap.bmWidth;
    rgba.height = bitmap.bmHeight;
    rgba.rgba.resize(target.ByteCount());
    if (!target.Render(*picture, 0x00))
        return DamagedFailure(format);
    CopyOpaque(target.Bits(), rgba);
    DWORD attributes = 0;
    if (SUCCEEDED(picture->get_Attributes(&attributes)) && (attributes & PICTURE_TRANSPARENT) != 0) {
        if (!target.Render(*picture, 0xFF))
            return DamagedFailure(format);
        ClearTransparent(target.Bits(), rgba);
    }
    return decoded;
}

}  // namespace platform::win32
