// Pictures: the Picture language object, the native picture behind it (the pixel record, its DIB section
// and, for transparent drawing, a 1-bit mask), and drawing one into a DC.
#pragma once

#include <windows.h>

#include <stdint.h>

#include <vector>

#include "image/picture_record.h"
#include "objects/object.h"
#include "quillet/layouts.h"

namespace ql {

struct NativePicture {
  image::PictureRecord record;  // pixels in place in data1, or in `owned`
  std::vector<uint8_t> owned;   // the pixel rows of a picture not made from the image
  HBITMAP dib = nullptr;        // made on first draw; its bits are the record's, copied unchanged
  void* dib_bits = nullptr;
  HBITMAP mask = nullptr;   // 1 where the picture is transparent; made once for transparent drawing
  bool dib_masked = false;  // the DIB's transparent pixels are blacked out for the mask

  NativePicture() = default;
  ~NativePicture();
  NativePicture(const NativePicture&) = delete;
  NativePicture& operator=(const NativePicture&) = delete;
};

struct PictureFields {
  ObjectBase base;
  uint32_t transparent;   // `Transparent`
  NativePicture* native;  // owned; null for a picture without data
};

struct PictureObject : PictureFields {
  uint8_t reserved[sizeof(QlPictureBase) - sizeof(PictureFields)];
};
static_assert(sizeof(PictureObject) == sizeof(QlPictureBase), "Picture matches the SDK's layout");

inline PictureFields* as_picture_fields(QlObject* object) { return reinterpret_cast<PictureFields*>(object); }

void define_picture_class();
// Lets folder items open image files as pictures.
void install_picture_loader();

// A new Picture object holding native (null: none), with one reference for the caller.
QlObject* new_picture(NativePicture* native, bool transparent);

bool is_picture(QlObject* object);  // nil: false
// The picture's native data, or null for nil, another class or a picture without data.
NativePicture* native_picture_of(QlObject* picture);

struct PictureArea {
  int32_t x, y, width, height;
};

// Draws the source area of the picture stretched into the destination area of dc, transparent or not.
void draw_native_picture(HDC dc, NativePicture& picture, bool transparent, const PictureArea& destination,
                         const PictureArea& source);
// Frees the DIB section and mask made for drawing; the next draw makes them again from the record.
void clear_native_picture_cache(NativePicture& picture);

}  // namespace ql
