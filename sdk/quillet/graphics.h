// Entry points of drawing: Graphics objects of windows and canvases, pictures, and sound.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// The one Graphics object of a window or canvas, with a reference for the caller; nil while it is not built.
QL_API QlObject* windowGraphicsGetter(QlObject* window, intptr_t ignored);
QL_API QlObject* canvasGraphicsGetter(QlObject* canvas, intptr_t ignored);

// Drawing, in the pane's own coordinates. Strings are drawn on their baseline at y; a wrap width above 0
// wraps words within it. RuntimeGraphicsDrawPicture takes -10000 for "the default" of every size: w and h
// default to the picture's size, sw and sh to w and h.
QL_API void RuntimeGraphicsDrawLine(QlObject* g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
QL_API void RuntimeGraphicsFillRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void RuntimeGraphicsDrawRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void RuntimeGraphicsClearRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void RuntimeGraphicsDrawOval(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void RuntimeGraphicsFillOval(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_API void RuntimeGraphicsDrawRoundRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height,
                                         int32_t arc_width, int32_t arc_height);
QL_API void RuntimeGraphicsFillRoundRect(QlObject* g, int32_t x, int32_t y, int32_t width, int32_t height,
                                         int32_t arc_width, int32_t arc_height);
QL_API void RuntimeGraphicsDrawString(QlObject* g, QlString text, int32_t x, int32_t y, int32_t wrap_width);
QL_API int32_t RuntimeGraphicsStringWidth(QlObject* g, QlString text);
QL_API int32_t RuntimeGraphicsTextHeight(QlObject* g);
QL_API int32_t RuntimeGraphicsTextAscent(QlObject* g);
QL_API void RuntimeGraphicsDrawPicture(QlObject* g, QlObject* picture, int32_t x, int32_t y, int32_t width,
                                       int32_t height, int32_t source_x, int32_t source_y,
                                       int32_t source_width, int32_t source_height);
#define QL_DEFAULT_SIZE (-10000)

// Graphics properties. Colours are 0x00RRGGBB, as RuntimeRGB builds them.
QL_API void graphicsForeColorSetter(QlObject* g, intptr_t ignored, int32_t colour);
QL_API int32_t graphicsForeColorGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsTextFontSetter(QlObject* g, intptr_t ignored, QlString font);
QL_API QlString graphicsTextFontGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsTextSizeSetter(QlObject* g, intptr_t ignored, int32_t size);
QL_API int32_t graphicsTextSizeGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsBoldSetter(QlObject* g, intptr_t ignored, bool bold);
QL_API bool graphicsBoldGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsItalicSetter(QlObject* g, intptr_t ignored, bool italic);
QL_API bool graphicsItalicGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsUnderlineSetter(QlObject* g, intptr_t ignored, bool underline);
QL_API bool graphicsUnderlineGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsPenWidthSetter(QlObject* g, intptr_t ignored, int32_t width);
QL_API int32_t graphicsPenWidthGetter(QlObject* g, intptr_t ignored);
QL_API void graphicsPenHeightSetter(QlObject* g, intptr_t ignored, int32_t height);
QL_API int32_t graphicsPenHeightGetter(QlObject* g, intptr_t ignored);
QL_API int32_t graphicsWidthGetter(QlObject* g, intptr_t ignored);
QL_API int32_t graphicsHeightGetter(QlObject* g, intptr_t ignored);

// A canvas's Backdrop picture, drawn at its top-left below what its Paint draws; the setter keeps a
// reference.
QL_API QlObject* canvasBackdropGetter(QlObject* canvas, intptr_t ignored);
QL_API void canvasBackdropSetter(QlObject* canvas, intptr_t ignored, QlObject* picture);

// Pictures of the image are project items: RuntimePictureReference (start.h) hands them out.
QL_API int32_t pictureWidthGetter(QlObject* picture, intptr_t ignored);
QL_API int32_t pictureHeightGetter(QlObject* picture, intptr_t ignored);
QL_API bool pictureTransparentGetter(QlObject* picture, intptr_t ignored);
QL_API void pictureTransparentSetter(QlObject* picture, intptr_t ignored, bool transparent);

// Sounds of the image are project items too. A sound that is playing plays on when played again; different
// sounds mix. Nothing is reported when no sound device exists.
QL_API void soundPlay(QlObject* sound);
QL_API void soundPlayLooping(QlObject* sound);
QL_API void soundStop(QlObject* sound);
