// The window procedure's geometry arithmetic: clamped client rectangles, the frame moved for a wanted
// content rectangle, track sizes from a window's limits, and controls following a resized window's edges.
#include <gtest/gtest.h>

#include "ui/window/window_geometry.h"

namespace ql::testing {
namespace {

TEST(WindowGeometry, ClientRectanglesClampAndTheFrameMovesAsTheContentMust) {
  EXPECT_EQ(rect16_of({20, 50, 500, 410}), (Rect16{50, 20, 410, 500}));
  EXPECT_EQ(rect16_of({-40000, 40000, 2147483647, -2147483647 - 1}), (Rect16{32767, -32768, -32768, 32767}));

  // Content at (20, 50) 480 x 360 inside a frame 4 wider on each side and 31 taller above; wanted at
  // (30, 60) and 100 wider: the frame moves 10 and 10 and its right edge 110.
  const Edges frame{16, 19, 504, 414};
  const Rect16 actual{50, 20, 410, 500}, wanted{60, 30, 420, 610};
  EXPECT_EQ(frame_for_content(frame, actual, wanted), (Edges{26, 29, 614, 424}));
  EXPECT_EQ(frame_for_content(frame, actual, actual), frame);
  // Frame edges near the ends of 32 bits saturate instead of wrapping.
  const Edges far{2147483600, -2147483600, 2147483647, 0};
  EXPECT_EQ(frame_for_content(far, Rect16{0, 0, 0, 0}, Rect16{-32768, 32767, 0, 32767}),
            (Edges{2147483647, -2147483647 - 1, 2147483647, 0}));
}

TEST(WindowGeometry, TrackSizesAddTheFrameToLimitsAboveZeroAndKeepTheMaximumAtTheMinimum) {
  const TrackSizes defaults{112, 27, 1044, 788};
  // Loquat's window: 64 x 64 at least, 32000 x 32000 at most, in a frame 16 wider and 39 taller.
  EXPECT_EQ(track_sizes(64, 64, 32000, 32000, 16, 39, defaults), (TrackSizes{80, 103, 32016, 32039}));
  // 0 is no limit, and so is a negative one.
  EXPECT_EQ(track_sizes(0, -5, 0, -32768, 16, 39, defaults), defaults);
  // A maximum below the minimum, given or by default, rises to it.
  EXPECT_EQ(track_sizes(500, 400, 300, 0, 16, 39, defaults), (TrackSizes{516, 439, 516, 788}));
  EXPECT_EQ(track_sizes(2000, 0, 0, 0, 16, 39, defaults), (TrackSizes{2016, 27, 2016, 788}));
}

TEST(WindowGeometry, LockedControlsFollowTheEdgesTheyAreLockedToAndClampAtSixteenBits) {
  const Rect16 box{100, 10, 130, 60};
  EXPECT_EQ(follow_window_resize(box, {}, 50, 20), box);
  EXPECT_EQ(follow_window_resize(box, {.right = true}, 50, 20), (Rect16{100, 60, 130, 110}));
  EXPECT_EQ(follow_window_resize(box, {.left = true, .right = true}, 50, 20), (Rect16{100, 10, 130, 110}));
  EXPECT_EQ(follow_window_resize(box, {.top = true, .bottom = true}, 50, -20), (Rect16{100, 10, 110, 60}));
  EXPECT_EQ(follow_window_resize(box, {.bottom = true}, 50, -20), (Rect16{80, 10, 110, 60}));
  EXPECT_EQ(follow_window_resize(Rect16{0, 32000, 10, 32700}, {.right = true}, 65535, 0),
            (Rect16{0, 32767, 10, 32767}));
}

}  // namespace
}  // namespace ql::testing
