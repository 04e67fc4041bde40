// Fuzz target: the frame walk over damaged compiled code and frames. The walk may read and write only what
// its readable hook vouches for (here two buffers: a stack of frames and a block of code), and must end.
//
// The input: one byte k (the number of frames, 1 to 8), k two-byte offsets of return addresses into the
// code, 256 bytes that fill the stack's variables, then the code.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "values/frame_walk.h"

namespace {

constexpr size_t kWord = sizeof(uintptr_t);
constexpr size_t kFrameBytes = 64;  // each frame: its two words, then variables below the next one
constexpr size_t kStackFill = 256;

struct Buffers {
  const uint8_t* stack_begin;
  const uint8_t* stack_end;
  const uint8_t* code_begin;
  const uint8_t* code_end;
};
Buffers buffers;
size_t releases = 0;

bool inside(const void* p, size_t n, const uint8_t* begin, const uint8_t* end) {
  auto* at = static_cast<const uint8_t*>(p);
  return at >= begin && at <= end && n <= static_cast<size_t>(end - at);
}
bool readable(const void* p, size_t n) {
  return inside(p, n, buffers.stack_begin, buffers.stack_end) ||
         inside(p, n, buffers.code_begin, buffers.code_end);
}
bool isa(QlObject*, int32_t class_index) { return class_index % 3 == 0; }
void release_string(QlString) { ++releases; }
void release_object(QlObject*) { ++releases; }
void report(const char*, int) {}

constexpr ql::FrameWalkHooks kHooks{isa, release_string, release_object, report, readable};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t frames = 1 + data[0] % 8;
  const size_t header = 1 + 2 * frames + kStackFill;
  if (size < header) return 0;
  std::vector<uint8_t> code(data + header, data + size);
  // Frames sit one above the other, from offset kFrameBytes up, and the outermost links to 0.
  std::vector<uint8_t> stack(kFrameBytes * (frames + 2), 0);
  for (size_t i = 0; i < stack.size(); ++i) stack[i] = data[1 + 2 * frames + i % kStackFill];
  buffers = {stack.data(), stack.data() + stack.size(), code.data(), code.data() + code.size()};
  for (size_t i = 0; i < frames; ++i) {
    uint8_t* frame = stack.data() + kFrameBytes * (i + 1);
    const uintptr_t caller = i + 1 < frames ? reinterpret_cast<uintptr_t>(frame + kFrameBytes) : 0;
    const size_t offset = code.empty() ? 0 : (data[1 + 2 * i] | data[2 + 2 * i] << 8) % code.size();
    const uintptr_t return_address = reinterpret_cast<uintptr_t>(code.data() + offset);
    memcpy(frame, &caller, kWord);
    memcpy(frame + kWord, &return_address, kWord);
  }
  ql::HandlerTarget target;
  releases = 0;
  const bool caught =
      ql::find_handler(reinterpret_cast<QlObject*>(&buffers),
                       reinterpret_cast<uintptr_t>(stack.data() + kFrameBytes), kHooks, target);
  if (caught) {
    // The handler's frame is one of the frames walked; its address may lie anywhere the displacement says.
    const auto frame = target.frame_pointer;
    if (frame < reinterpret_cast<uintptr_t>(stack.data()) ||
        frame >= reinterpret_cast<uintptr_t>(stack.data()) + stack.size())
      __builtin_trap();
    if (target.registers != nullptr) __builtin_trap();  // no gate records were given
  }
  if (releases > stack.size()) __builtin_trap();  // every release zeroes a word it found non-zero
  return 0;
}
