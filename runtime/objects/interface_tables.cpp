// Building the interface tables of every class, method by method through the superclass chain.
#include "objects/interface_tables.h"

#include <stdint.h>

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "values/fatal.h"

namespace ql {

namespace {

uint32_t build_counter = 0;

std::string described(const ClassObject* cls) {
  std::string name = class_name(cls);
  return name.empty() ? "an unnamed class" : "class " + name;
}

bool build_tables_of(ClassObject* cls, std::string& problem) {
  for (InterfaceEntry& entry : cls->interfaces) {
    const std::vector<MethodRecord>& wanted = entry.interface_class->methods;
    entry.table.assign(wanted.size() + 1, 0);
    for (size_t i = 0; i < wanted.size(); ++i) {
      const MethodRecord* method = find_method(cls, wanted[i].name);
      if (!method) {
        report_assertion(kInterfaceMethodMissing, "interfaceUtil", 1);
        problem = described(cls) + " lacks the method " + wanted[i].name + " of the interface " +
                  class_name(entry.interface_class);
        return false;
      }
      entry.table[i + 1] = method->code;
    }
  }
  return true;
}

}  // namespace

bool build_interface_tables(std::string& problem) {
  ++build_counter;
  for (ClassObject* cls = first_class(); cls; cls = cls->next_class) {
    if (cls->is_interface) {
      // An interface's methods are numbered from 1 in declaration order: slot i is methods[i - 1].
      cls->interface_generation = build_counter;
      continue;
    }
    for (ClassObject* c = cls; c && !c->is_interface && c->interface_generation != build_counter;
         c = c->superclass) {
      if (!build_tables_of(c, problem)) return false;
      c->interface_generation = build_counter;
    }
  }
  return true;
}

}  // namespace ql
