// `qlimage link`: relocatable objects and a project description in, an application image out.
#include "qlimage/linker.h"

#include "qlimage/class_binding.h"
#include "qlimage/code2_writer.h"
#include "qlimage/coff_reader.h"
#include "qlimage/data2_writer.h"
#include "qlimage/layout.h"
#include "qlimage/relocation.h"
#include "qlimage/symbol_resolution.h"

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

}  // namespace

std::optional<Image> link_image(const std::vector<InputObject>& inputs, const Project& project,
                                std::string_view entry, Diagnostics& diagnostics) {
  std::vector<coff::ObjectFile> objects;
  if (!read_objects(inputs, objects, diagnostics)) return std::nullopt;
  std::optional<Resolution> resolution =
      resolve_symbols(objects, project, entry.empty() ? std::string_view(project.entry) : entry, diagnostics);
  if (!resolution || !bind_classes(objects, *resolution, project, diagnostics)) return std::nullopt;
  std::optional<Layout> layout = lay_out(objects, *resolution, project, diagnostics);
  if (!layout) return std::nullopt;
  std::optional<Relocated> relocated = apply_relocations(objects, *resolution, *layout, diagnostics);
  if (!relocated) return std::nullopt;

  std::vector<DataWord> words = std::move(layout->data_words);
  words.insert(words.end(), relocated->data_words.begin(), relocated->data_words.end());
  std::optional<Bytes> data2 =
      write_data2(std::move(words), static_cast<uint32_t>(layout->data1.size()), diagnostics);
  if (!data2) return std::nullopt;
  Image image;
  image.code2 = write_code2(layout->code1, std::move(relocated->fixups), std::move(relocated->imports));
  image.code1 = std::move(layout->code1);
  image.data1 = std::move(layout->data1);
  image.data2 = std::move(*data2);
  return image;
}

}  // namespace qlimage
