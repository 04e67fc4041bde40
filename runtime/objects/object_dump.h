// The object dump's text: the pool's usage, the number of live objects and the class of each.
#pragma once

#include <string>

namespace ql {

// Lines ended by CR LF: pool_bytes + " used in heap1", the live-object count + " objects", then for each live
// object from the head of the list the nearest class name that is not empty, or "<Unnamed object class>".
std::string object_dump_text();

}  // namespace ql
