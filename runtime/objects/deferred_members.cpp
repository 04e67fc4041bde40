// Members named by deferred imports: a kind letter, then a class name, "!" and a member name, or a member
// name alone. "M" is a method's code, "G" and "S" a property's getter and setter, "W" the second code
// address kept with a method (of the class, or without a class of a plug-in global method).
#include <string_view>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/object_steps.h"
#include "values/fatal.h"

namespace ql {

namespace {

uintptr_t class_member(char kind, std::string_view class_name, std::string_view member) {
  const ClassObject* cls = class_by_name(class_name);
  if (!cls) return 0;
  if (kind == 'M' || kind == 'W') {
    const MethodRecord* method = find_method(cls, member);
    if (!method) return 0;
    return kind == 'M' ? method->code : method->second_code;
  }
  const PropertyRecord* property = find_property(cls, member);
  if (!property) return 0;
  return kind == 'G' ? property->getter : property->setter;
}

uintptr_t global_member(char kind, std::string_view member) {
  if (kind != 'M' && kind != 'W') return 0;
  for (const MethodRecord& method : plugin_global_methods()) {
    if (names_equal(method.name, member)) return kind == 'M' ? method.code : method.second_code;
  }
  return 0;
}

}  // namespace

uintptr_t lookup_deferred_member(const std::string& name) {
  char kind = name.empty() ? 0 : name[0];
  if (kind != 'M' && kind != 'G' && kind != 'S' && kind != 'W') {
    report_assertion(kConsistencyCheck, "RuntimeMain", 3);
    return 0;
  }
  std::string_view rest = std::string_view(name).substr(1);
  size_t bang = rest.find('!');
  if (bang == std::string_view::npos) return global_member(kind, rest);
  return class_member(kind, rest.substr(0, bang), rest.substr(bang + 1));
}

}  // namespace ql
