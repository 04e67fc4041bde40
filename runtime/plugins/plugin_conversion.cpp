// Converting version-1 records. The converted records are kept in one list for the process: the host keeps
// pointers into them like into every registered record.
#include "plugins/plugin_conversion.h"

#include <deque>
#include <vector>

namespace ql {

namespace {

struct ConvertedControl {
  QlPluginControlRecord record{};
  std::vector<QlPluginPropertyRecord> properties;
  std::vector<QlPluginMethodRecord> methods;
};

std::deque<ConvertedControl>& converted() {
  static auto* list = new std::deque<ConvertedControl>;
  return *list;
}

constexpr int32_t kConvertedVersion = 4;
constexpr int32_t kDefaultSide = 100;

}  // namespace

// The table carries no length; it ends at an entry with neither label nor routine, as such tables are laid
// out. An entry with a label but no routine is a hole: the entries after it keep their indexes.
QlPluginFunction export_function(const QlPluginExport* table, int32_t index) {
  if (!table || index < 0) return nullptr;
  for (int32_t i = 0;; ++i) {
    if (!table[i].label && !table[i].function) return nullptr;
    if (i == index) return table[i].function;
  }
}

QlPluginControlRecord* convert_control_record(const QlPluginControlRecordV1& old,
                                              const QlPluginExport* exports) {
  ConvertedControl& out = converted().emplace_back();
  QlPluginControlRecord& r = out.record;
  r.version = kConvertedVersion;
  r.name = old.name;
  r.data_size = old.data_size;
  r.flags = old.flags;
  r.icon_id = old.icon_id;
  r.default_width = kDefaultSide;
  r.default_height = kDefaultSide;
  for (int32_t i = 0; old.properties && i < old.property_count; ++i) {
    const QlPluginPropertyRecordV1& p = old.properties[i];
    QlPluginPropertyRecord converted_property{};
    converted_property.group = p.group;
    converted_property.name = p.name;
    converted_property.type = p.type;
    converted_property.flags = p.flags;
    converted_property.getter = QL_PLUGIN_DIRECT;
    converted_property.setter = QL_PLUGIN_DIRECT;
    converted_property.offset = p.offset;
    out.properties.push_back(converted_property);
  }
  for (int32_t i = 0; old.methods && i < old.method_count; ++i)
    out.methods.push_back(convert_method_record(old.methods[i], exports));
  r.properties = out.properties.data();
  r.property_count = static_cast<int32_t>(out.properties.size());
  r.methods = out.methods.data();
  r.method_count = static_cast<int32_t>(out.methods.size());
  r.events = old.events;
  r.event_count = old.events ? old.event_count : 0;
  r.behaviour = old.behaviour;
  return &r;
}

QlPluginMethodRecord convert_method_record(const QlPluginMethodRecordV1& old, const QlPluginExport* exports) {
  return {export_function(exports, old.export_index), nullptr, old.declaration};
}

}  // namespace ql
