// The passes of `qlimage link`, in order.
#include "qlimage/linker.h"

#include "image/data2_relocation.h"
#include "qlimage/class_binding.h"
#include "qlimage/class_descriptors.h"
#include "qlimage/class_list.h"
#include "qlimage/code2_writer.h"
#include "qlimage/coff_reader.h"
#include "qlimage/data2_writer.h"
#include "qlimage/layout.h"
#include "qlimage/link_map.h"
#include "qlimage/project_items.h"
#include "qlimage/relocation.h"
#include "qlimage/symbol_resolution.h"
#include "qlimage/window_records.h"

namespace qlimage {
namespace {

bool read_objects(const std::vector<InputObject>& inputs, std::vector<coff::ObjectFile>& objects,
                  Diagnostics& diagnostics) {
  if (inputs.empty()) {
    diagnostics.error("no input objects; give the .o files to link");
    return false;
  }
  for (const InputObject& input : inputs) {
    if (std::optional<coff::ObjectFile> object = coff::read_object(input.name, input.bytes, diagnostics)) {
      objects.push_back(std::move(*object));
    }
  }
  if (diagnostics.failed()) return false;
  for (const coff::ObjectFile& object : objects) {
    if (object.machine != objects[0].machine) {
      diagnostics.error(object.name + ": is an " + std::string(coff::machine_name(object.machine)) +
                        " object, but " + objects[0].name + " is " +
                        std::string(coff::machine_name(objects[0].machine)) +
                        "; all objects of an image must be compiled for the same target");
    }
  }
  return !diagnostics.failed();
}

// Everything qlimage writes into data1 besides the objects' sections, in the order it is placed.
bool generate_records(const Project& project, const ClassList& classes, const std::vector<BoundClass>& bound,
                      Resolution& resolution, Data1Records& records, Diagnostics& diagnostics) {
  StringPool pool(records, *resolution.target);
  add_plugin_chain(records, project, resolution);
  for (size_t k = 0; k < project.strings.size(); ++k) {
    PointerTarget constant = pool.separate(project.strings[k].text);
    for (GeneratedSymbol& symbol : resolution.generated) {
      if (symbol.kind == GeneratedKind::kString && symbol.name == project.strings[k].symbol) {
        symbol.record = constant.record;
        symbol.offset = constant.offset;
      }
    }
  }
  std::vector<RecordId> descriptors = add_class_descriptors(records, pool, bound);
  bool windows = add_window_descriptions(records, project, classes, resolution, diagnostics);
  std::vector<std::optional<RecordId>> items;
  bool items_ok = add_project_items(records, project, classes, resolution, items, diagnostics);
  add_project_table(records, descriptors, items, resolution);
  return windows && items_ok;
}

Bytes link_map_notes(const Resolution& resolution, const Layout& layout) {
  LinkMap map{resolution.target->machine, {}};
  for (size_t g = 0; g < resolution.generated.size(); ++g) {
    map.entries.push_back(
        {resolution.generated[g].kind, resolution.generated[g].name, layout.generated_offset[g]});
  }
  return encode_link_map(map);
}

}  // namespace

std::optional<Image> link_image(const std::vector<InputObject>& inputs, const Project& project,
                                std::string_view entry, Diagnostics& diagnostics) {
  std::vector<coff::ObjectFile> objects;
  if (!read_objects(inputs, objects, diagnostics)) return std::nullopt;
  std::optional<Resolution> resolution =
      resolve_symbols(objects, project, entry.empty() ? std::string_view(project.entry) : entry, diagnostics);
  if (!resolution) return std::nullopt;
  std::optional<ClassList> classes = complete_class_list(project, diagnostics);
  if (!classes) return std::nullopt;
  std::optional<std::vector<BoundClass>> bound =
      bind_classes(*resolution, *classes, project.path, diagnostics);
  if (!bound) return std::nullopt;
  std::optional<Layout> layout = lay_out_sections(*resolution, diagnostics);
  if (!layout) return std::nullopt;
  if (resolution->block_offset(resolution->entry) >= layout->code1.size()) {
    diagnostics.error(resolution->objects[resolution->entry.object].file->name +
                      ": the entry routine's symbol points past the end of its section");
    return std::nullopt;
  }
  Data1Records records;
  if (!generate_records(project, *classes, *bound, *resolution, records, diagnostics) ||
      !place_records(records, *resolution, *layout, diagnostics)) {
    return std::nullopt;
  }
  std::optional<Relocated> relocated = apply_relocations(*resolution, *layout, diagnostics);
  if (!relocated) return std::nullopt;

  std::vector<DataWord> words = std::move(layout->data_words);
  words.insert(words.end(), relocated->data_words.begin(), relocated->data_words.end());
  std::optional<Bytes> data2 =
      write_data2(std::move(words), static_cast<uint32_t>(layout->data1.size()), diagnostics);
  if (!data2) return std::nullopt;
  ql::image::append_data2_notes(*data2, link_map_notes(*resolution, *layout));
  Image image;
  image.code2 = write_code2(layout->code1, std::move(relocated->fixups), std::move(relocated->imports));
  image.code1 = std::move(layout->code1);
  image.data1 = std::move(layout->data1);
  image.data2 = std::move(*data2);
  return image;
}

}  // namespace qlimage
