// Helpers shared by the array tests: arrays that dispose of themselves, and objects whose destruction the
// test can count.
#pragma once

#include <initializer_list>
#include <memory>

#include "containers/array_record.h"
#include "containers/array_shape.h"
#include "objects/class_object.h"
#include "objects/objects.h"
#include "values/pool.h"
#include "values/string.h"

namespace ql::testing {

// An array with one bound per dimension, disposed of as kind when the test ends.
class TestArray {
 public:
  TestArray(std::initializer_list<int32_t> bounds, ElementKind kind = ElementKind::kInt)
      : array_(create_array()), kind_(kind) {
    for (int32_t bound : bounds) add_dimension(array_, 0, bound);
  }
  ~TestArray() { dispose_array(array_, kind_); }
  TestArray(const TestArray&) = delete;
  TestArray& operator=(const TestArray&) = delete;

  QlArray* get() const { return array_; }
  QlArray* operator->() const { return array_; }

 private:
  QlArray* array_;
  ElementKind kind_;
};

// Objects of a class of their own, counting how many were destroyed.
class CountedObjects {
 public:
  CountedObjects() : class_(std::make_unique<ClassObject>()) {
    class_->name = string_from_cstr("CountedObject");
    class_->instance_size = sizeof(ObjectBase);
    class_->destructor = [](QlObject*, ClassObject*) { ++destroyed_; };
    destroyed_ = 0;
  }
  QlObject* make() { return new_object(class_.get()); }  // one reference for the caller
  static int destroyed() { return destroyed_; }
  static int32_t count_of(QlObject* object) { return object_header(object)->count; }

 private:
  std::unique_ptr<ClassObject> class_;
  static inline int destroyed_ = 0;
};

inline int64_t pool_outstanding() { return process_pool().bytes_outstanding(); }

}  // namespace ql::testing
