// The colour names of the lesson window.
#include "cloze.h"

using namespace loquat;

extern "C" int32_t cloze_colour(QlObject*, QlString name) {
  if (same(name, QL_STR("ink"))) return RuntimeRGB(0, 0, 100);
  if (same(name, QL_STR("ink2"))) return RuntimeRGB(150, 0, 0);
  if (same(name, QL_STR("green"))) return RuntimeRGB(0, 100, 0);
  if (same(name, QL_STR("red"))) return RuntimeRGB(255, 0, 0);
  if (same(name, QL_STR("white"))) return RuntimeRGB(255, 255, 255);
  if (same(name, QL_STR("beige"))) return RuntimeRGB(255, 255, 190);
  return 0;
}
