// Quicksort with the middle element as pivot and an explicit stack of pending ranges. Partitioning is
// three-way: the elements equal to the pivot are gathered in the middle and left out of both sides, so
// many equal keys cost no more than distinct ones (a two-way partition degrades to quadratic time on them).
// The larger side waits on the stack and the smaller is sorted first, which keeps the stack logarithmic.
// Inputs that defeat the middle pivot (an organ pipe, 0 1 2 ... 2 1 0, peels off one element a pass) are
// caught by a depth budget: a range that has been partitioned 2 log2 n times is finished by heapsort.
#include "containers/array_sort.h"

#include <string.h>

#include "containers/array_allocator.h"
#include "quillet/strings.h"
#include "values/fatal.h"

namespace ql {

namespace {

int compare_numbers(double a, double b) {
  bool a_nan = a != a, b_nan = b != b;
  if (a_nan || b_nan) return a_nan == b_nan ? 0 : (a_nan ? 1 : -1);
  return a < b ? -1 : (a > b ? 1 : 0);
}

template <ElementKind K>
struct Order;

template <>
struct Order<ElementKind::kInt> {
  static int compare(const uint8_t* a, const uint8_t* b) {
    int32_t x = Element<ElementKind::kInt>::load(a), y = Element<ElementKind::kInt>::load(b);
    return x < y ? -1 : (x > y ? 1 : 0);
  }
};

template <>
struct Order<ElementKind::kSingle> {
  static int compare(const uint8_t* a, const uint8_t* b) {
    return compare_numbers(Element<ElementKind::kSingle>::load(a), Element<ElementKind::kSingle>::load(b));
  }
};

template <>
struct Order<ElementKind::kDouble> {
  static int compare(const uint8_t* a, const uint8_t* b) {
    return compare_numbers(Element<ElementKind::kDouble>::load(a), Element<ElementKind::kDouble>::load(b));
  }
};

template <>
struct Order<ElementKind::kString> {
  static int compare(const uint8_t* a, const uint8_t* b) {
    using Slot = Element<ElementKind::kString>;
    return StringStrCompare(Slot::peek(a), Slot::peek(b), 1);
  }
};

struct PendingRange {
  int32_t lo;
  int32_t hi;
  int32_t depth_left;  // partitions still allowed before heapsort takes over
  PendingRange* below;
};

int32_t depth_budget(int32_t n) {
  int32_t depth = 0;
  for (uint32_t rest = static_cast<uint32_t>(n); rest > 1; rest >>= 1) depth += 2;
  return depth;
}

// Width is the vector's slot size, which may exceed the kind's own when the vector was once widened. The
// storage does not move while a sort runs: comparing touches no array.
template <ElementKind K, size_t Width>
class Sorter {
 public:
  explicit Sorter(Vector& v) : data_(v.storage->data) {}

  void sort(int32_t lo, int32_t hi) {
    PendingRange* pending = nullptr;
    int32_t depth_left = depth_budget(hi - lo + 1);
    for (;;) {
      if (hi - lo >= kSelectionSortSpan && depth_left > 0) {
        int32_t less_end, greater_start;
        partition(lo, hi, less_end, greater_start);
        --depth_left;
        // Both sides exclude the pivot's equals; the larger waits.
        if (less_end - lo > hi - greater_start) {
          push(pending, lo, less_end, depth_left);
          lo = greater_start;
        } else {
          push(pending, greater_start, hi, depth_left);
          hi = less_end;
        }
        continue;
      }
      if (hi - lo >= kSelectionSortSpan) {
        heap_sort(lo, hi);
      } else {
        select(lo, hi);
      }
      if (!pending) return;
      PendingRange* next = pending;
      lo = next->lo;
      hi = next->hi;
      depth_left = next->depth_left;
      pending = next->below;
      guarded_free(next);
    }
  }

 private:
  uint8_t* at(int32_t i) const { return data_ + static_cast<size_t>(i) * Width; }
  int compare(int32_t i, int32_t j) const { return Order<K>::compare(at(i), at(j)); }
  void swap(int32_t i, int32_t j) {
    uint8_t held[Width];
    memcpy(held, at(i), Width);
    memcpy(at(i), at(j), Width);
    memcpy(at(j), held, Width);
  }

  static void push(PendingRange*& pending, int32_t lo, int32_t hi, int32_t depth_left) {
    if (hi <= lo) return;
    auto* range = static_cast<PendingRange*>(guarded_alloc(sizeof(PendingRange)));
    *range = {lo, hi, depth_left, pending};
    pending = range;
  }

  // Afterwards lo..less_end are below the pivot, greater_start..hi above it, and what lies between equals
  // it. The pivot is the middle element, first moved to lo.
  void partition(int32_t lo, int32_t hi, int32_t& less_end, int32_t& greater_start) {
    swap(lo, lo + (hi - lo) / 2);
    int32_t equal_start = lo, i = lo + 1, greater = hi;
    // equal_start always holds an element equal to the pivot.
    while (i <= greater) {
      int order = compare(i, equal_start);
      if (order < 0) {
        swap(equal_start++, i++);
      } else if (order > 0) {
        swap(i, greater--);
      } else {
        ++i;
      }
    }
    less_end = equal_start - 1;
    greater_start = greater + 1;
  }

  // Selection of the largest for each end position, the last of equals going to the end.
  void select(int32_t lo, int32_t hi) {
    for (int32_t end = hi; end > lo; --end) {
      int32_t largest = lo;
      for (int32_t j = lo + 1; j <= end; ++j) {
        if (compare(largest, j) <= 0) largest = j;
      }
      if (largest != end) swap(largest, end);
    }
  }

  // A max-heap over lo..hi (children of lo + k at lo + 2k + 1 and lo + 2k + 2), emptied from the end.
  void heap_sort(int32_t lo, int32_t hi) {
    int32_t n = hi - lo + 1;
    for (int32_t k = n / 2 - 1; k >= 0; --k) sift_down(lo, k, n);
    for (int32_t end = n - 1; end > 0; --end) {
      swap(lo, lo + end);
      sift_down(lo, 0, end);
    }
  }

  void sift_down(int32_t lo, int32_t k, int32_t n) {
    for (;;) {
      int32_t largest = k;
      int32_t left = 2 * k + 1;
      if (left < n && compare(lo + left, lo + largest) > 0) largest = left;
      if (left + 1 < n && compare(lo + left + 1, lo + largest) > 0) largest = left + 1;
      if (largest == k) return;
      swap(lo + k, lo + largest);
      k = largest;
    }
  }

  uint8_t* data_;
};

template <ElementKind K>
void sort_vector(Vector& v, int64_t n) {
  vector_adapt(v, slot_width(K));
  vector_grow(v, n, n);
  if (n < 2) return;
  int32_t hi = static_cast<int32_t>(n - 1);
  if constexpr (slot_width(K) == 4) {
    if (v.element_size == 4) {
      Sorter<K, 4>(v).sort(0, hi);
      return;
    }
  }
  Sorter<K, 8>(v).sort(0, hi);
}

}  // namespace

Verdict sort_array(QlArray* array, ElementKind kind) {
  if (!array) {
    report_assertion(kConsistencyCheck, "commonruntime", 0);
    return Verdict::kDone;
  }
  if (array->dimensions > 1) return Verdict::kRaise;
  int64_t n = array->bounds[0] < 0 ? 0 : static_cast<int64_t>(array->bounds[0]) + 1;
  switch (kind) {
    case ElementKind::kInt:
      sort_vector<ElementKind::kInt>(array->top, n);
      break;
    case ElementKind::kSingle:
      sort_vector<ElementKind::kSingle>(array->top, n);
      break;
    case ElementKind::kDouble:
      sort_vector<ElementKind::kDouble>(array->top, n);
      break;
    case ElementKind::kString:
      sort_vector<ElementKind::kString>(array->top, n);
      break;
    case ElementKind::kObject:
      break;
  }
  return Verdict::kDone;
}

}  // namespace ql
