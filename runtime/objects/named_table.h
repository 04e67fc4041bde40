// The named-object table: the class registry, and each window's controls. Names ignore letter case;
// iteration follows insertion order.
#pragma once

#include <stdint.h>

#include "quillet/types.h"

namespace ql {

class NamedTable {
 public:
  static constexpr int kBuckets = 256;

  struct Entry {
    Entry* bucket_next;
    Entry* order_next;
    uint32_t hash;
    QlString name;  // the table's own reference
    void* value;
  };

  NamedTable() = default;
  ~NamedTable();  // frees the entries; the values belong to whoever stored them
  NamedTable(const NamedTable&) = delete;
  NamedTable& operator=(const NamedTable&) = delete;

  // An entry with an equal name gets the new value; otherwise a new entry goes to the head of its bucket
  // and to the end of the insertion order. The table keeps its own reference to the name.
  void insert(QlString name, void* value);
  void insert(const char* name, void* value);

  // The value stored under the name, or null.
  void* find(QlString name) const;
  void* find(const char* name) const;

  const Entry* first() const { return first_; }  // in insertion order, then order_next
  int32_t size() const { return size_; }

 private:
  Entry* find_entry(QlString name, uint32_t hash) const;
  Entry* find_entry(const char* name, uint32_t hash) const;
  void add(QlString owned_name, uint32_t hash, void* value);

  Entry* buckets_[kBuckets] = {};
  Entry* first_ = nullptr;
  Entry* last_ = nullptr;
  int32_t size_ = 0;
};

// Each byte taken as signed, "a" to "z" folded to upper case: hash = c XOR (hash << 2). The bucket is
// the low byte.
uint32_t name_hash(const uint8_t* bytes, int32_t length);

}  // namespace ql
