// The class descriptors as data1 records, in class-index order; their names are string constants of the
// pool, one per distinct text. Name pointers are relocated by data1's load address, code addresses by
// code1's; an absent address stays an unrelocated 0.
#pragma once

#include <vector>

#include "qlimage/class_binding.h"
#include "qlimage/data1_records.h"

namespace qlimage {

std::vector<RecordId> add_class_descriptors(Data1Records& records, StringPool& names,
                                            const std::vector<BoundClass>& classes);

}  // namespace qlimage
