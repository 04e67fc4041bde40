#include "objects/class_descriptors.h"

#include <unordered_set>

#include "objects/class_registry.h"
#include "objects/descriptor_reader.h"
#include "objects/objects.h"
#include "values/fatal.h"
#include "values/string.h"

namespace ql {

namespace {

constexpr uint32_t kCompiledKind = 0;
constexpr uint32_t kReferenceKind = 1;
constexpr int32_t kNoSuperclass = -1;

struct Pending {
  uint32_t index;
  uint32_t at;  // data1 address of the descriptor
  int32_t superclass_index = kNoSuperclass;
  int32_t declared_size = 0;
};

bool fail(uint32_t index, const std::string& what, std::string& problem) {
  problem = "class descriptor " + std::to_string(index) + " " + what;
  return false;
}

// Everything of a kind-0 descriptor but the superclass, which needs every class to exist first.
bool read_compiled(DescriptorReader& in, const std::vector<ClassObject*>& classes, ClassObject& cls,
                   Pending& pending) {
  uint32_t word, size;
  std::string name;
  if (!in.word(word) || !in.word(size) || !in.text(name, "name")) return false;
  if (size > static_cast<uint32_t>(kMaxInstanceSize)) {
    return in.fail("gives the instance size " + std::to_string(size) + ", more than any class can have");
  }
  pending.declared_size = static_cast<int32_t>(size);
  cls.instance_size = pending.declared_size;
  cls.name = string_from_bytes(name.data(), static_cast<int32_t>(name.size()));
  if (!in.word(word)) return false;
  pending.superclass_index = static_cast<int32_t>(word);

  uint32_t has_constructor;
  if (!in.word(has_constructor)) return false;
  if (has_constructor) {
    uintptr_t constructor, destructor;
    if (!in.code(constructor, "constructor") || !in.code(destructor, "destructor")) return false;
    cls.constructor = reinterpret_cast<ObjectRoutine>(constructor);
    cls.destructor = reinterpret_cast<ObjectRoutine>(destructor);
  }
  if (!in.word(word)) return false;
  cls.is_interface = (word & 0xFF) != 0;

  uint32_t n;
  if (!in.count(n, 1, "interfaces")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    if (!in.word(word)) return false;
    if (word >= classes.size()) {
      return in.fail("names the interface index " + std::to_string(static_cast<int32_t>(word)) +
                     ", but the image has " + std::to_string(classes.size()) + " classes");
    }
    // A referenced interface that does not exist was reported when its reference was resolved.
    if (classes[word]) cls.interfaces.push_back({classes[word], {}});
  }

  if (!in.count(n, cls.is_interface ? 1 : 2, "methods")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    MethodRecord method;
    if (!in.text(method.name, "method name")) return false;
    if (!cls.is_interface && !in.code(method.code, "method")) return false;
    cls.methods.push_back(std::move(method));
  }

  // Hooks and menu handlers are pushed in front, so both lists end up in reverse descriptor order.
  if (!in.count(n, 3, "hooks")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    HookRecord hook;
    if (!in.text(hook.name, "hook name") || !in.code(hook.code, "hook") || !in.word(hook.key)) return false;
    cls.hooks.insert(cls.hooks.begin(), std::move(hook));
  }
  if (!in.count(n, 2, "menu handlers")) return false;
  for (uint32_t i = 0; i < n; ++i) {
    MenuHandlerRecord handler;
    if (!in.text(handler.item_name, "menu item name") || !in.code(handler.code, "menu handler")) return false;
    cls.menu_handlers.insert(cls.menu_handlers.begin(), std::move(handler));
  }

  if (!in.count(n, 1, "method table slots")) return false;
  cls.method_table_size = n;
  cls.method_table.resize(n);
  for (uint32_t i = 0; i < n; ++i) {
    if (!in.code(cls.method_table[i], "method table")) return false;
  }
  return true;
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
  std::vector<Pending> pending;

  // Every class object exists before any descriptor body is read, so that interface indexes may name any
  // class of the table.
  for (uint32_t i = 0; i < class_count; ++i) {
    uint32_t at = image::read_word(class_words + i * 4);
    DescriptorReader in(data1, code1, i, at, problem);
    uint32_t kind;
    if (!in.word(kind)) return false;
    if (kind == kReferenceKind) {
      std::string name;
      if (!in.text(name, "class name")) return false;
      array.referenced_names[i] = name;
      array.classes[i] = class_by_name(name);
      if (!array.classes[i]) report_assertion(132, 2, "RuntimeMain", 4);
    } else if (kind == kCompiledKind) {
      array.compiled.push_back(std::make_unique<ClassObject>());
      array.classes[i] = array.compiled.back().get();
      pending.push_back({i, at});
    } else {
      return fail(i, "has the unknown kind " + std::to_string(kind), problem);
    }
  }

  for (Pending& p : pending) {
    DescriptorReader in(data1, code1, p.index, p.at, problem);
    if (!read_compiled(in, array.classes, *array.classes[p.index], p)) return false;
  }

  for (const Pending& p : pending) {
    if (p.superclass_index == kNoSuperclass) continue;
    if (p.superclass_index < 0 || static_cast<uint32_t>(p.superclass_index) >= class_count) {
      return fail(p.index,
                  "names the superclass index " + std::to_string(p.superclass_index) +
                      ", but the image has " + std::to_string(class_count) + " classes",
                  problem);
    }
    // A superclass that is a missing referenced class leaves the chain ending here.
    array.classes[p.index]->superclass = array.classes[p.superclass_index];
  }
  for (const Pending& p : pending) {
    if (chain_loops(array.classes[p.index]))
      return fail(p.index, "has a superclass chain that loops", problem);
  }
  settle_sizes(array.compiled, out.diagnostics);

  const ClassObject* application = builtin_class("Application");
  for (const Pending& p : pending) {
    if (application && class_isa(array.classes[p.index], application)) {
      array.application_index = static_cast<int32_t>(p.index);
    }
  }
  return true;
}

}  // namespace ql
