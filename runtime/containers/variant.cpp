// The Variant class and its instances: making, holding and releasing the typed value.
#include "containers/variant.h"

#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "values/string.h"

namespace ql {

namespace {
ClassObject* defined_variant_class = nullptr;
}  // namespace

ClassObject* define_variant_class() {
  ClassObject* cls = define_builtin_class("Variant", nullptr, sizeof(VariantInstance));
  cls->destructor = &destroy_variant;
  defined_variant_class = cls;
  return cls;
}

ClassObject* variant_class() {
  ClassObject* cls = defined_variant_class;
  if (!cls || cls->instance_size < static_cast<int32_t>(sizeof(VariantInstance)) ||
      cls->destructor != &destroy_variant) {
    cls = define_variant_class();
  }
  return cls;
}

void destroy_variant(QlObject* object, ClassObject*) {
  auto* variant = reinterpret_cast<VariantInstance*>(object);
  if (variant->type == kVariantString) {
    string_release(variant->value.string);
  } else if (variant->type == kVariantObject) {
    release_object(variant->value.object);
  }
  variant->type = kVariantNil;
  variant->value = {};
}

VariantInstance* new_variant(VariantType type) {
  auto* variant = reinterpret_cast<VariantInstance*>(new_object(variant_class()));
  variant->type = type;
  return variant;
}

const VariantInstance* as_variant(QlObject* object) {
  if (!object) return nullptr;
  ClassObject* cls = variant_class();
  if (class_of(object) != cls && !object_isa(object, cls)) return nullptr;
  return reinterpret_cast<const VariantInstance*>(object);
}

}  // namespace ql
