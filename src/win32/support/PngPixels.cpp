#include "win32/support/PngPixels.h"

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <limits>

namespace dv::win32 {

namespace {

template <typename T> class Com {
  public:
    Com() = default;
    ~Com() {
        if (p_)
            p_->Release();
    }
    Com(const Com&) = delete;
    Com& operator=(const Com&) = delete;
    T* operator->() const { return p_; }
    T** out() { return &p_; }
    T* get() const { return p_; }

  private:
    T* p_ = nullptr;
};

bool hasAlpha(const WICPixelFormatGUID& format) {
    static const WICPixelFormatGUID opaque[] = {
        GUID_WICPixelFormat24bppBGR, GUID_WICPixelFormat24bppRGB,    GUID_WICPixelFormat32bppBGR,
        GUID_WICPixelFormat8bppGray, GUID_WICPixelFormat8bppIndexed, GUID_WICPixelFormat48bppRGB};
    for (const WICPixelFormatGUID& f : opaque) {
        if (IsEqualGUID(f, format))
            return false;
    }
    return true;
}

// One factory for the program's life, made on the thread of the windows,
// whose COM stays initialised (the browser's OLE later joins it).
IWICImagingFactory* imagingFactory() {
    static IWICImagingFactory* const factory = [] {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        IWICImagingFactory* made = nullptr;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&made))))
            made = nullptr;
        return made;
    }();
    return factory;
}

} // namespace

PngPixels PngPixels::decode(const unsigned char* bytes, std::size_t size) {
    PngPixels result;
    if (!bytes || size == 0 || size > std::numeric_limits<DWORD>::max())
        return result;
    IWICImagingFactory* const factory = imagingFactory();
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    Com<IWICFormatConverter> converter;
    WICPixelFormatGUID format{};
    if (!factory || FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
        FAILED(decoder->GetFrame(0, frame.out())) || FAILED(frame->GetPixelFormat(&format)) ||
        FAILED(factory->CreateFormatConverter(converter.out())))
        return result;
    const bool alpha = hasAlpha(format);
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->Initialize(
            frame.get(), alpha ? GUID_WICPixelFormat32bppPBGRA : GUID_WICPixelFormat24bppBGR,
            WICBitmapDitherTypeNone, nullptr, 0, WICBitmapPaletteTypeCustom)) ||
        FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0 || width > 16384 ||
        height > 16384)
        return result;
    const int bitsPerPixel = alpha ? 32 : 24;
    const UINT stride = ((width * static_cast<UINT>(bitsPerPixel) / 8) + 3) & ~3U;
    std::vector<unsigned char> topDown(static_cast<std::size_t>(stride) * height);
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(topDown.size()),
                                     topDown.data())))
        return result;
    result.rows.resize(topDown.size());
    for (UINT y = 0; y < height; ++y)
        std::memcpy(result.rows.data() + static_cast<std::size_t>(height - 1 - y) * stride,
                    topDown.data() + static_cast<std::size_t>(y) * stride, stride);
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.bitsPerPixel = bitsPerPixel;
    return result;
}

} // namespace dv::win32
