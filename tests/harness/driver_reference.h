// Reference drawings for pixel checks: what a rectangle of the screen should show, drawn here with the
// system's own GDI in the faces, sizes and colours the program under test is asked to use, and compared with
// what the screen shows pixel for pixel.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver_failures.h"
#include "driver_pixels.h"

namespace ql::driver {

class ReferenceDrawing {
 public:
  // A drawing of the screen rectangle `screen`, filled with the background; coordinates below are the
  // rectangle's own.
  ReferenceDrawing(RECT screen, COLORREF background);
  ~ReferenceDrawing();
  ReferenceDrawing(const ReferenceDrawing&) = delete;
  ReferenceDrawing& operator=(const ReferenceDrawing&) = delete;

  // Text in a face at a height of `size` pixels (as CreateFont is asked with -size), on its baseline, with
  // nothing behind it; answers its width.
  int text(const std::string& text, int x, int baseline, const std::string& face, int size, COLORREF color);
  int text_width(const std::string& text, const std::string& face, int size);
  void fill(RECT area, COLORREF color);
  // A PNG file with its top-left at (x, y), as an application image stores it: 5 bits per channel, and the
  // pixels that are more transparent than opaque white. False when the file cannot be read.
  bool picture(const std::string& png_path, int x, int y);

  const RECT& screen_rect() const { return screen_; }
  ScreenCapture as_capture() const;  // the drawing as the screen would show it

 private:
  HFONT font(const std::string& face, int size);

  RECT screen_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_bitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  std::vector<std::pair<std::string, HFONT>> fonts_;
};

// Whether the screen shows the drawing: every channel of every pixel within tolerance, but in the skipped
// screen rectangles. Otherwise fails the test naming `what`, the first differing pixel and how many differ,
// and saves the drawing as "<test>-expected-<n>.png" beside the failure's screenshot.
bool expect_drawn(const ReferenceDrawing& expected, const std::string& what, int tolerance = 24,
                  const std::vector<RECT>& skipped = {}, Where where = Where::current());
// The same comparison without failing: the number of pixels that differ (1 at the most when only the first
// is wanted), and where the first is.
int pixels_differing(const ReferenceDrawing& expected, const ScreenCapture& seen, int tolerance,
                     const std::vector<RECT>& skipped = {}, POINT* first = nullptr, bool first_only = false);

}  // namespace ql::driver
