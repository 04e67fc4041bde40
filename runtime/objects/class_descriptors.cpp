// Building the class array from the decoded class descriptors.
#include "objects/class_descriptors.h"

#include <unordered_set>

#include "objects/class_registry.h"
#include "objects/objects.h"
#include "values/fatal.h"
#include "values/string.h"

namespace ql {

namespace {

bool fail(uint32_t index, const std::string& what, std::string& problem) {
  problem = "class descriptor " + std::to_string(index) + " " + what;
  return false;
}

uintptr_t code_address(const CodeRange& code1, uint32_t word) {
  return word == 0 ? 0 : code1.base + (word - code1.window.address);
}

// Everything of a compiled class but the superclass, which needs every class to exist first.
void fill_compiled(const image::ClassDescriptor& d, const CodeRange& code1,
                   const std::vector<ClassObject*>& classes, ClassObject& cls) {
  cls.instance_size = static_cast<int32_t>(d.instance_size);
  cls.name = string_from_bytes(d.name.data(), static_cast<int32_t>(d.name.size()));
  if (d.has_constructor) {
    cls.constructor = reinterpret_cast<ObjectRoutine>(code_address(code1, d.constructor));
    cls.destructor = reinterpret_cast<ObjectRoutine>(code_address(code1, d.destructor));
  }
  cls.is_interface = d.is_interface;
  // A referenced interface that does not exist was reported when its reference was resolved.
  for (uint32_t index : d.interfaces) {
    if (classes[index]) cls.interfaces.push_back({classes[index], {}});
  }
  for (const image::DescribedMethod& m : d.methods)
    cls.methods.push_back({m.name, code_address(code1, m.code), 0});
  // Hooks and menu handlers are pushed in front, so both lists end up in reverse descriptor order.
  for (const image::DescribedHook& h : d.hooks)
    cls.hooks.insert(cls.hooks.begin(), HookRecord{h.name, h.key, code_address(code1, h.code)});
  for (const image::DescribedMenuHandler& h : d.menu_handlers)
    cls.menu_handlers.insert(cls.menu_handlers.begin(),
                             MenuHandlerRecord{h.item_name, code_address(code1, h.code)});
  cls.method_table_size = static_cast<uint32_t>(d.method_table.size());
  for (uint32_t slot : d.method_table) cls.method_table.push_back(code_address(code1, slot));
}

// Floyd's cycle test over the superclass links.
bool chain_loops(const ClassObject* cls) {
  const ClassObject* slow = cls;
  const ClassObject* fast = cls;
  while (fast && fast->superclass) {
    slow = slow->superclass;
    fast = fast->superclass->superclass;
    if (slow == fast) return true;
  }
  return false;
}

void add_size_diagnostic(const ClassObject& cls, const ClassObject& super, std::vector<std::string>& lines) {
  lines.push_back("!!! RuntimeInit -- Bad class object size");
  lines.push_back("\tClass Name: " + class_name(&cls));
  lines.push_back("\tClass Size: " + std::to_string(cls.instance_size));
  lines.push_back("\tSuper Name: " + class_name(&super));
  lines.push_back("\tSuper Size: " + std::to_string(super.instance_size));
}

// Superclasses first, so that a size raised up the chain is the one compared below it.
void settle_sizes(const std::vector<std::unique_ptr<ClassObject>>& compiled,
                  std::vector<std::string>& lines) {
  std::unordered_set<const ClassObject*> own, done;
  for (const auto& cls : compiled) own.insert(cls.get());
  for (const auto& cls : compiled) {
    std::vector<ClassObject*> chain;
    for (ClassObject* c = cls.get(); c && own.count(c) && !done.count(c); c = c->superclass)
      chain.push_back(c);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      ClassObject* c = *it;
      if (c->superclass && c->instance_size < c->superclass->instance_size) {
        add_size_diagnostic(*c, *c->superclass, lines);
        c->instance_size = c->superclass->instance_size;
      }
      done.insert(c);
    }
  }
}

}  // namespace

bool build_classes(const image::Data1View& data1, const uint8_t* class_words, uint32_t class_count,
                   const CodeRange& code1, ClassBuild& out, std::string& problem) {
  ClassArray& array = out.array;
  array.classes.assign(class_count, nullptr);
  array.referenced_names.assign(class_count, std::string());
  std::vector<image::ClassDescriptor> descriptors(class_count);
  std::vector<uint32_t> compiled;

  // Every class object exists before any compiled class is filled in, so that interface indexes may name any
  // class of the table.
  for (uint32_t i = 0; i < class_count; ++i) {
    image::ClassDescriptor& d = descriptors[i];
    if (!image::decode_class_descriptor(data1, code1.window, class_count, i,
                                        image::read_word(class_words + i * 4), d, problem))
      return false;
    if (d.kind == image::kReferenceClass) {
      array.referenced_names[i] = d.name;
      array.classes[i] = class_by_name(d.name);
      if (!array.classes[i]) report_assertion(kReferencedClassMissing, "RuntimeMain", 4);
    } else {
      array.compiled.push_back(std::make_unique<ClassObject>());
      array.classes[i] = array.compiled.back().get();
      compiled.push_back(i);
    }
  }
  for (uint32_t i : compiled) fill_compiled(descriptors[i], code1, array.classes, *array.classes[i]);
  // A superclass that is a missing referenced class leaves the chain ending there.
  for (uint32_t i : compiled) {
    if (descriptors[i].superclass != image::kNoSuperclass)
      array.classes[i]->superclass = array.classes[descriptors[i].superclass];
  }
  for (uint32_t i : compiled) {
    if (chain_loops(array.classes[i])) return fail(i, "has a superclass chain that loops", problem);
  }
  settle_sizes(array.compiled, out.diagnostics);

  const ClassObject* application = builtin_class("Application");
  for (uint32_t i : compiled) {
    if (application && class_isa(array.classes[i], application))
      array.application_index = static_cast<int32_t>(i);
  }
  return true;
}

}  // namespace ql
