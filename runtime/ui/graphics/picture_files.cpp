// Pictures loaded from files (FolderItem.OpenAsPicture): the platform's image codecs decode BMP, PNG, GIF
// and JPEG files, whose pixels become the 5-5-5 pixels of the image's own picture records.
#include <windows.h>

#include <wincodec.h>

#include <cstring>
#include <string>
#include <vector>

#include "files/other_layers.h"
#include "ui/graphics/picture.h"

namespace ql {

namespace {

template <typename T>
struct Com {
  T* p = nullptr;
  ~Com() {
    if (p) p->Release();
  }
  T** out() { return &p; }
  T* operator->() const { return p; }
};

std::wstring wide(const char* path) {
  int n = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  std::wstring text(n > 0 ? n : 1, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, path, -1, text.data(), n);
  return text;
}

// The file's first frame as a native picture of depth 16, or null when the file is no image the codecs
// know or is too large for a picture.
NativePicture* decode(IWICImagingFactory* factory, const char* path) {
  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(wide(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())))
    return nullptr;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out()))) return nullptr;
  Com<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.p, converted.out()))) return nullptr;
  UINT width = 0, height = 0;
  if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > image::kMaxPictureSide || height > image::kMaxPictureSide)
    return nullptr;
  std::vector<uint32_t> bgr(static_cast<size_t>(width) * height);
  if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgr.size() * 4),
                                   reinterpret_cast<BYTE*>(bgr.data()))))
    return nullptr;
  // Each component keeps its top five bits, as the image's own pictures hold them.
  const uint32_t row = image::row_bytes(16, width);
  auto* native = new NativePicture;
  native->owned.assign(static_cast<size_t>(row) * height, 0);
  for (UINT y = 0; y < height; ++y) {
    for (UINT x = 0; x < width; ++x) {
      uint32_t p = bgr[static_cast<size_t>(y) * width + x];
      auto pixel =
          static_cast<uint16_t>(((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F));
      std::memcpy(native->owned.data() + static_cast<size_t>(y) * row + 2 * x, &pixel, 2);
    }
  }
  native->record = {0, 16, width, height, static_cast<uint32_t>(native->owned.size()), native->owned.data()};
  return native;
}

QlObject* load_picture_file(const char* path) {
  HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  NativePicture* native = nullptr;
  {
    Com<IWICImagingFactory> factory;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out()))))
      native = decode(factory.p, path);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return native ? new_picture(native, false) : nullptr;
}

}  // namespace

void install_picture_loader() { set_picture_loader(load_picture_file); }

}  // namespace ql
