// Pictures loaded from files (FolderItem.OpenAsPicture): the platform's image codecs decode BMP, PNG, GIF
// and JPEG files, whose pixels become the 5-5-5 pixels of the image's own picture records.
#include <windows.h>

#include <wincodec.h>

#include <string>
#include <vector>

#include "files/other_layers.h"
#include "ui/graphics/picture.h"
#include "ui/graphics/picture_file_rows.h"

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

// The file's first frame as a native picture of depth 16, or null when the file cannot be read, is no image
// the codecs know, or has a size a picture opened from a file may not have. The size is checked before any
// pixel is asked for, and the pixels come in bands, so that memory goes only to the picture's own rows.
NativePicture* decode(IWICImagingFactory* factory, const char* path) {
  Com<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromFilename(wide(path).c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())))
    return nullptr;
  Com<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.out()))) return nullptr;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height))) return nullptr;
  const uint32_t bytes = file_picture_bytes(width, height);
  if (bytes == 0) return nullptr;
  Com<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.p, converted.out()))) return nullptr;
  const uint32_t band = decode_band_rows(width), stride = width * 4;
  std::vector<uint8_t> decoded(static_cast<size_t>(stride) * band);
  auto* native = new NativePicture;
  native->owned.assign(bytes, 0);
  const uint32_t row = image::row_bytes(16, width);
  for (uint32_t top = 0; top < height; top += band) {
    const uint32_t rows = height - top < band ? height - top : band;
    WICRect area = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
    if (FAILED(converted->CopyPixels(&area, stride, stride * rows, decoded.data()))) {
      delete native;
      return nullptr;
    }
    convert_decoded_rows(decoded.data(), stride, width, rows, native->owned.data() + size_t{top} * row);
  }
  native->record = {0, 16, width, height, bytes, native->owned.data()};
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
