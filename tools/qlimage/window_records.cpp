// Writing window descriptions with the runtime's encoder.
#include "qlimage/window_records.h"

#include "image/names.h"
#include "image/window_description.h"

namespace qlimage {
namespace {

bool is_index(const std::string& name) { return ql::image::same_name(name, "Index"); }
bool is_name(const std::string& name) { return ql::image::same_name(name, "Name"); }

// The pairs of one member of a control array: the entry's Index pair replaced, or added after Name.
std::vector<std::pair<std::string, std::string>> member_pairs(const ControlDescription& control,
                                                              std::optional<uint32_t> index) {
  std::vector<std::pair<std::string, std::string>> pairs;
  bool placed = false;
  for (const Property& property : control.properties) {
    if (index && is_index(property.name)) {
      if (!placed) pairs.emplace_back(property.name, std::to_string(*index));
      placed = true;
      continue;
    }
    pairs.emplace_back(property.name, property.value.text);
  }
  if (index && !placed) {
    size_t at = 0;
    while (at < pairs.size() && !is_name(pairs[at].first)) ++at;
    at = at < pairs.size() ? at + 1 : 0;
    pairs.insert(pairs.begin() + static_cast<std::ptrdiff_t>(at), {"Index", std::to_string(*index)});
  }
  return pairs;
}

std::vector<ql::image::PropertyPair> views(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<ql::image::PropertyPair> out;
  for (const auto& [name, value] : pairs) out.push_back({name, value});
  return out;
}

}  // namespace

bool add_window_descriptions(Data1Records& records, const Project& project, const ClassList& classes,
                             Resolution& resolution, Diagnostics& diagnostics) {
  size_t errors_before = diagnostics.errors.size();
  std::string file = project.path.empty() ? "" : project.path + ": ";
  for (size_t w = 0; w < project.windows.size(); ++w) {
    const WindowDescription& window = project.windows[w];
    // The texts the description's views point into.
    std::vector<std::pair<std::string, std::string>> window_pairs;
    for (const Property& property : window.properties)
      window_pairs.emplace_back(property.name, property.value.text);
    std::vector<std::vector<std::pair<std::string, std::string>>> control_pairs;
    ql::image::WindowDescription description;
    description.class_index = static_cast<int32_t>(classes.find(window.class_name).value_or(0));
    description.properties = views(window_pairs);
    std::vector<int32_t> control_classes;
    for (size_t c = 0; c < window.controls.size(); ++c) {
      const ControlDescription& control = window.controls[c];
      auto class_index = static_cast<int32_t>(classes.control_classes[w][c]);
      if (!control.count) {
        control_pairs.push_back(member_pairs(control, std::nullopt));
        control_classes.push_back(class_index);
        continue;
      }
      for (uint32_t member = 0; member < *control.count; ++member) {
        control_pairs.push_back(member_pairs(control, member));
        control_classes.push_back(class_index);
      }
    }
    for (size_t k = 0; k < control_pairs.size(); ++k) {
      description.controls.push_back({control_classes[k], views(control_pairs[k])});
    }
    for (size_t b = 0; b < window.bindings.size(); ++b) {
      const BindingDescription& binding = window.bindings[b];
      for (int32_t number : {binding.first, binding.second}) {
        if (number < 0 || static_cast<size_t>(number) >= description.controls.size()) {
          diagnostics.error(file + window_label(window) + " binding " + std::to_string(b) +
                            ": control number " + std::to_string(number) +
                            " is not a control of the window, which has " +
                            std::to_string(description.controls.size()) +
                            " control records (numbered from 0, a control array counting each member)");
        }
      }
      description.bindings.push_back({binding.first, binding.second,
                                      static_cast<int32_t>(classes.find(binding.binder).value_or(0)),
                                      binding.first_part, binding.second_part});
    }
    Data1Record record;
    std::vector<uint8_t> stream = ql::image::encode_window_description(description);
    append_word(record, static_cast<uint32_t>(stream.size()));
    append_bytes(record.bytes, stream);
    RecordId id = records.add(std::move(record));
    for (GeneratedSymbol& symbol : resolution.generated) {
      if (symbol.kind == GeneratedKind::kWindow && symbol.name == window.symbol) symbol.record = id;
    }
  }
  return diagnostics.errors.size() == errors_before;
}

}  // namespace qlimage
