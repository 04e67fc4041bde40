// Builds and releases strings of 1 to 252 bytes through the runtime (small-block pool) and the same
// header-plus-buffer allocations straight from the platform heap, and prints the cost of each.
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <new>

#include "platform/platform.h"
#include "quillet/strings.h"
#include "values/string.h"

namespace {

constexpr int kLive = 64;        // strings alive at once, as in a busy stretch of compiled code
constexpr int kBatches = 40000;  // per round
constexpr int kRounds = 7;       // the best round counts
constexpr int kStrings = kLive * kBatches;

uint8_t source[256];

int length_of(int i) { return 1 + (i * 37) % 252; }

// The release order differs from the build order, so free lists see mixed classes.
int release_slot(int i) { return (i * 29) % kLive; }

QlString build_on_heap(const uint8_t* bytes, int32_t n) {
  auto* buffer = static_cast<uint8_t*>(ql::platform::heap_alloc(static_cast<size_t>(n) + 2));
  QlString s = new (ql::platform::heap_alloc(sizeof(QlStringHeader))) QlStringHeader{1, buffer, n + 2, n};
  buffer[0] = static_cast<uint8_t>(n < 255 ? n : 255);
  memcpy(buffer + 1, bytes, static_cast<size_t>(n));
  buffer[n + 1] = 0;
  return s;
}

void release_on_heap(QlString s) {
  if (--s->count != 0) return;
  ql::platform::heap_free(s->buffer);
  ql::platform::heap_free(s);
}

struct Pool {
  static QlString build(const uint8_t* bytes, int32_t n) { return ql::string_from_bytes(bytes, n); }
  static void release(QlString s) { RuntimeUnlockString(s); }
};
struct Heap {
  static QlString build(const uint8_t* bytes, int32_t n) { return build_on_heap(bytes, n); }
  static void release(QlString s) { release_on_heap(s); }
};

template <typename Way>
double round_ns_per_string(unsigned& checksum) {
  QlString live[kLive];
  auto start = std::chrono::steady_clock::now();
  for (int batch = 0; batch < kBatches; ++batch) {
    for (int i = 0; i < kLive; ++i) live[i] = Way::build(source, length_of(batch + i));
    for (int i = 0; i < kLive; ++i) {
      QlString s = live[release_slot(i)];
      checksum += s->buffer[0] + s->buffer[s->length];
      Way::release(s);
    }
  }
  std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / kStrings;
}

template <typename Way>
double best_ns_per_string(unsigned& checksum) {
  round_ns_per_string<Way>(checksum);  // warm-up: chunks, free lists and heap arenas exist afterwards
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) best = std::min(best, round_ns_per_string<Way>(checksum));
  return best;
}

}  // namespace

int main() {
  for (int i = 0; i < 256; ++i) source[i] = static_cast<uint8_t>('a' + i % 26);
  unsigned checksum = 0;
  double pool = best_ns_per_string<Pool>(checksum);
  double heap = best_ns_per_string<Heap>(checksum);
  printf("strings of 1..252 bytes, %d live, best of %d rounds of %d strings\n", kLive, kRounds, kStrings);
  printf("pool: %.1f ns per string (build + release)\n", pool);
  printf("heap: %.1f ns per string (header and buffer from the platform heap)\n", heap);
  printf("pool is %.2fx faster (target: 2x)\n", heap / pool);
  printf("checksum %u\n", checksum);
  return 0;
}
