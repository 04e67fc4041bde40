// The Picture class: its layout and properties, the pictures of the image's project items, and the picture
// entry points.
#include "ui/graphics/picture.h"

#include "image/project_table.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "objects/value_types.h"
#include "quillet/graphics.h"
#include "ui/graphics/graphics.h"
#include "ui/graphics/graphics_state.h"
#include "ui/panes/pane.h"
#include "ui/ui_classes.h"
#include "ui/ui_steps.h"

namespace ql {

namespace {

ClassObject* picture_class() {
  static ClassObject* cls = builtin_class("Picture");
  return cls;
}

void destroy_picture(QlObject* object, ClassObject*) {
  PictureFields* p = as_picture_fields(object);
  delete p->native;
  p->native = nullptr;
}

}  // namespace

void define_picture_class() {
  ClassObject* cls = define_builtin_class("Picture", nullptr, sizeof(PictureObject));
  cls->destructor = destroy_picture;
  cls->properties.clear();
  add_property(cls, "Transparent", &kBooleanType, code_of(pictureTransparentGetter),
               code_of(pictureTransparentSetter));
  add_property(cls, "Width", &kIntegerType, code_of(pictureWidthGetter), 0);
  add_property(cls, "Height", &kIntegerType, code_of(pictureHeightGetter), 0);
}

QlObject* new_picture(NativePicture* native, bool transparent) {
  QlObject* object = new_object(picture_class());
  as_picture_fields(object)->native = native;
  as_picture_fields(object)->transparent = transparent ? 1 : 0;
  return object;
}

bool is_picture(QlObject* object) { return object && object_isa(object, picture_class()); }

NativePicture* native_picture_of(QlObject* picture) {
  return is_picture(picture) ? as_picture_fields(picture)->native : nullptr;
}

QlObject* make_picture_item(const uint8_t* record) {
  // The loader has checked the record against data1, so its own byte count tells how far it reaches.
  const uint8_t* from_kind = record - 4;
  uint32_t byte_count = image::read_word(record + 16);
  uint32_t available = byte_count > UINT32_MAX - image::kPictureHeaderSize
                           ? UINT32_MAX
                           : image::kPictureHeaderSize + byte_count;
  auto* native = new NativePicture;
  std::string problem;
  if (!image::decode_picture_record(from_kind, available, native->record, problem)) {
    delete native;
    native = nullptr;
  }
  return new_picture(native, image::read_word(record) != 0);
}

void draw_picture_at(Pane* pane, QlObject* picture, int32_t x, int32_t y) {
  NativePicture* native = native_picture_of(picture);
  if (!pane || !native) return;
  // Whatever state draws now keeps its clip and font out of this DC.
  end_current_graphics();
  HDC dc = pane->acquire_dc();
  if (!dc) return;
  auto width = static_cast<int32_t>(native->record.width),
       height = static_cast<int32_t>(native->record.height);
  draw_native_picture(dc, *native, as_picture_fields(picture)->transparent != 0, {x, y, width, height},
                      {0, 0, width, height});
  pane->release_dc(dc);
}

}  // namespace ql

QL_API int32_t pictureWidthGetter(QlObject* picture, intptr_t) {
  ql::NativePicture* native = ql::native_picture_of(picture);
  return native ? static_cast<int32_t>(native->record.width) : 0;
}

QL_API int32_t pictureHeightGetter(QlObject* picture, intptr_t) {
  ql::NativePicture* native = ql::native_picture_of(picture);
  return native ? static_cast<int32_t>(native->record.height) : 0;
}

QL_API bool pictureTransparentGetter(QlObject* picture, intptr_t) {
  return ql::is_picture(picture) && ql::as_picture_fields(picture)->transparent != 0;
}

QL_API void pictureTransparentSetter(QlObject* picture, intptr_t, bool transparent) {
  if (!ql::is_picture(picture)) return;
  ql::as_picture_fields(picture)->transparent = transparent ? 1 : 0;
}
