// Writing captures as PNG with the Windows Imaging Component, or as BMP, reading PNG files, and naming
// screenshot files.
#include <windows.h>

#include <wincodec.h>

#include <cstdlib>
#include <fstream>

#include "driver_screenshots.h"
#include "driver_text.h"
#include "program_runner.h"

namespace ql::driver {

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

bool write_png(const ScreenCapture& capture, const std::wstring& path) {
  Com<IWICImagingFactory> factory;
  Com<IWICStream> stream;
  Com<IWICBitmapEncoder> encoder;
  Com<IWICBitmapFrameEncode> frame;
  Com<IPropertyBag2> options;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out()))))
    return false;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromFilename(path.c_str(), GENERIC_WRITE)) ||
      FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
      FAILED(encoder->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.out(), options.out())) || FAILED(frame->Initialize(options.p)))
    return false;
  UINT width = static_cast<UINT>(capture.width());
  UINT height = static_cast<UINT>(capture.height());
  // The encoder may pick another format (24-bit) and says so; the pixels are converted to match.
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  if (FAILED(frame->SetSize(width, height)) || FAILED(frame->SetPixelFormat(&format))) return false;
  std::vector<BYTE> rows;
  UINT stride = width * 4;
  const BYTE* data = reinterpret_cast<const BYTE*>(capture.pixels().data());
  if (!IsEqualGUID(format, GUID_WICPixelFormat32bppBGR)) {
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) return false;
    stride = (width * 3 + 3) & ~3u;
    rows.assign(static_cast<size_t>(stride) * height, 0);
    for (UINT y = 0; y < height; ++y) {
      for (UINT x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) rows[y * stride + x * 3 + c] = data[(y * width + x) * 4 + c];
      }
    }
    data = rows.data();
  }
  return SUCCEEDED(frame->WritePixels(height, stride, stride * height, const_cast<BYTE*>(data))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// The PNG's pixels as 32-bit BGRA rows from the top.
bool read_png(const std::wstring& path, std::vector<uint32_t>& pixels, UINT& width, UINT& height) {
  Com<IWICImagingFactory> factory;
  Com<IWICBitmapDecoder> decoder;
  Com<IWICBitmapFrameDecode> frame;
  Com<IWICFormatConverter> converter;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.out()))) ||
      FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) || FAILED(frame->GetSize(&width, &height)) ||
      FAILED(factory->CreateFormatConverter(converter.out())) ||
      FAILED(converter->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return false;
  pixels.resize(static_cast<size_t>(width) * height);
  return SUCCEEDED(
      converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(pixels.data())));
}

std::string file_name_of(const std::string& name) {
  std::string file;
  for (char c : name) file += std::string("\\/:*?\"<>|").find(c) == std::string::npos && c >= ' ' ? c : '_';
  return file;
}

}  // namespace

bool save_png(const ScreenCapture& capture, const std::string& path) {
  if (!capture.ok()) return false;
  HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  bool saved = write_png(capture, to_wide(path));
  if (SUCCEEDED(init)) CoUninitialize();
  return saved;
}

bool load_png(const std::string& path, std::vector<uint32_t>& pixels, UINT& width, UINT& height) {
  HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  bool read = read_png(to_wide(path), pixels, width, height);
  if (SUCCEEDED(init)) CoUninitialize();
  return read;
}

bool save_bmp(const ScreenCapture& capture, const std::string& path) {
  if (!capture.ok()) return false;
  DWORD bits_size = static_cast<DWORD>(capture.pixels().size() * sizeof(uint32_t));
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bits_size;
  info.biSize = sizeof info;
  info.biWidth = capture.width();
  info.biHeight = -capture.height();
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  info.biSizeImage = bits_size;
  std::ofstream out(to_wide(path).c_str(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(capture.pixels().data()), bits_size);
  return static_cast<bool>(out);
}

std::string output_folder() {
  std::string folder;
  if (const char* set = std::getenv("QL_TEST_OUTPUT"); set && *set) {
    folder = set;
    if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  } else {
    folder = harness::program_folder() + "..\\test-output\\";
  }
  CreateDirectoryW(to_wide(folder).c_str(), nullptr);
  return folder;
}

std::string save_screenshot(const std::string& name, HWND window) {
  ScreenCapture capture = window ? ScreenCapture::of_window(window) : ScreenCapture::whole_screen();
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(to_wide(output_folder() + file_name_of(name) + ".png").c_str(), MAX_PATH, full, nullptr);
  std::string path = to_utf8(full);
  if (save_png(capture, path)) return path;
  path.replace(path.size() - 4, 4, ".bmp");
  return save_bmp(capture, path) ? path : std::string();
}

std::string host_path(const std::string& windows_path) {
  // Wine's kernel32 exports wine_get_unix_file_name; Windows has no such thing.
  using ToUnix = char*(CDECL*)(const wchar_t*);
  auto to_unix = reinterpret_cast<ToUnix>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!to_unix) return windows_path;
  char* unix_name = to_unix(to_wide(windows_path).c_str());
  if (!unix_name) return windows_path;
  std::string path = unix_name;
  HeapFree(GetProcessHeap(), 0, unix_name);
  return path;
}

}  // namespace ql::driver
