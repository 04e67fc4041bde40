// The named-object table: case-folded hashing into 256 buckets, lookups, insertion in order.
#include "objects/named_table.h"

#include <string.h>

#include "values/string.h"

namespace ql {

uint32_t name_hash(const uint8_t* bytes, int32_t length) {
  uint32_t hash = 0;
  for (int32_t i = 0; i < length; ++i) {
    int32_t c = static_cast<int8_t>(bytes[i]);
    if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    hash = static_cast<uint32_t>(c) ^ (hash << 2);
  }
  return hash;
}

namespace {

uint32_t hash_of(QlString name) { return name_hash(string_pview(name) + 1, string_length(name)); }

uint32_t hash_of(const char* name) {
  return name_hash(reinterpret_cast<const uint8_t*>(name), static_cast<int32_t>(strlen(name)));
}

}  // namespace

NamedTable::~NamedTable() {
  Entry* entry = first_;
  while (entry) {
    Entry* next = entry->order_next;
    string_release(entry->name);
    delete entry;
    entry = next;
  }
}

NamedTable::Entry* NamedTable::find_entry(QlString name, uint32_t hash) const {
  for (Entry* entry = buckets_[hash & 0xFF]; entry; entry = entry->bucket_next) {
    if (entry->hash == hash && string_compare_folded(entry->name, name) == 0) return entry;
  }
  return nullptr;
}

NamedTable::Entry* NamedTable::find_entry(const char* name, uint32_t hash) const {
  for (Entry* entry = buckets_[hash & 0xFF]; entry; entry = entry->bucket_next) {
    if (entry->hash == hash && string_compare_folded_cstr(entry->name, name) == 0) return entry;
  }
  return nullptr;
}

void NamedTable::add(QlString owned_name, uint32_t hash, void* value) {
  Entry*& bucket = buckets_[hash & 0xFF];
  Entry* entry = new Entry{bucket, nullptr, hash, owned_name, value};
  bucket = entry;
  if (last_) {
    last_->order_next = entry;
  } else {
    first_ = entry;
  }
  last_ = entry;
  ++size_;
}

void NamedTable::insert(QlString name, void* value) {
  uint32_t hash = hash_of(name);
  if (Entry* entry = find_entry(name, hash)) {
    entry->value = value;
    return;
  }
  string_retain(name);
  add(name, hash, value);
}

void NamedTable::insert(const char* name, void* value) {
  if (!name) name = "";
  uint32_t hash = hash_of(name);
  if (Entry* entry = find_entry(name, hash)) {
    entry->value = value;
    return;
  }
  add(string_from_cstr(name), hash, value);
}

void* NamedTable::find(QlString name) const {
  Entry* entry = find_entry(name, hash_of(name));
  return entry ? entry->value : nullptr;
}

void* NamedTable::find(const char* name) const {
  if (!name) name = "";
  Entry* entry = find_entry(name, hash_of(name));
  return entry ? entry->value : nullptr;
}

}  // namespace ql
