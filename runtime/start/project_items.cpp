// Creating the project items from their records, and the entry points that hand them out.
#include <cstring>

#include "app/app_steps.h"
#include "files/file_types.h"
#include "image/image_format.h"
#include "image/settings_record.h"
#include "objects/exceptions.h"
#include "objects/project_objects.h"
#include "quillet/objects.h"
#include "quillet/start.h"
#include "start/init_steps.h"
#include "start/runtime_state.h"
#include "ui/ui_steps.h"
#include "values/fatal.h"

namespace ql {

namespace {

using image::read_word;

// A class's implicit instance: made now and stored into its global variable; the item slot stays empty.
void make_implicit_instance(uint32_t class_index, uint32_t global_address) {
  // data1 is writable; the loader has checked that the global lies inside it.
  auto* global = const_cast<uint8_t*>(runtime_state().image.data1.at(global_address, sizeof(QlObject*)));
  QlObject* instance = RuntimeNewObject(static_cast<int32_t>(class_index));
  std::memcpy(global, &instance, sizeof instance);
}

// Each layer learns what the settings tell it; start-up keeps the record.
void apply_settings(image::Settings parsed) {
  constexpr int kUnhandledExceptionMessage = 4;
  set_unhandled_exception_message(image::settings_message(parsed, kUnhandledExceptionMessage));
  set_file_types(parsed.file_types);
  set_ui_settings({parsed.font_flag, parsed.font_charset, parsed.mdi, parsed.mdi_title});
  runtime_state().settings = std::move(parsed);
}

QlObject* make_item(const uint8_t* record) {
  uint32_t kind = read_word(record);
  const uint8_t* body = record + 4;
  switch (kind) {
    case image::kItemPicture:
      return make_picture_item(body);
    case image::kItemMenuBar:
      build_menu_bar(body + 4, read_word(body));
      return nullptr;
    case image::kItemMovie:
    case image::kItemValue7:
    case image::kItemValue8:
    case image::kItemDatabase:
      // The classes these items make belong to services this runtime does not have.
      return nullptr;
    case image::kItemSettings: {
      // The links of the settings chain carry texts that nothing reads; the loader has checked them.
      image::SettingsStream stream = image::settings_stream(record);
      image::Settings parsed;
      image::parse_settings(stream.bytes, stream.length, parsed);
      apply_settings(std::move(parsed));
      return nullptr;
    }
    case image::kItemImplicitInstance:
      make_implicit_instance(read_word(body), read_word(body + 4));
      return nullptr;
    case image::kItemSound:
      return make_sound_item(body + 4, read_word(body));
    case image::kItemMouseCursor:
      return make_mouse_cursor_item(static_cast<int32_t>(read_word(body)));
    default:
      report_assertion(kUnknownItemKind, "RuntimeMain", 2);
      return nullptr;
  }
}

}  // namespace

void create_project_items() {
  RuntimeState& state = runtime_state();
  const image::ProjectTable& table = state.image.project;
  std::vector<QlObject*> items(table.item_count, nullptr);
  for (uint32_t i = 0; i < table.item_count; ++i) {
    uint32_t pointer = read_word(table.item_words + i * 4);
    if (pointer != 0) items[i] = make_item(state.image.data1.at(pointer, 4));
  }
  set_project_objects(std::move(items));
}

}  // namespace ql

QL_API QlObject* RuntimeProjectObject(int32_t index) {
  // An index past the table answers nil rather than reading beyond it.
  return RuntimeLockObject(ql::project_object(index));
}

QL_API QlObject* RuntimePictureReference(int32_t index) { return RuntimeProjectObject(index); }
