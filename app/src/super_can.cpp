// The box class SuperCan: its instance size and the lifetime of its three string properties.
#include "cloze.h"

using namespace loquat;

extern "C" {

extern const uint32_t super_can_size = sizeof(SuperCan);

// Instances start zeroed: no caption, default edges.
void super_can_construct(QlObject*, void*) {}

void super_can_destruct(QlObject* self, void*) {
  SuperCan& b = box_state(self);
  release(b.caption);
  release(b.light_edge);
  release(b.dark_edge);
}

}  // extern "C"
