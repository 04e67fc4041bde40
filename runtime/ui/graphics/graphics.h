// What panes need of drawing: a fresh Graphics object for a pane, and a picture drawn at its own size.
#pragma once

#include "quillet/types.h"

namespace ql {

class Pane;

// A new Graphics object drawing into pane, with one reference for the caller.
QlObject* new_pane_graphics(Pane* pane);

// Draws picture (a Picture object, or nil) with its top-left at (x, y) of the pane's window coordinates, at
// its own size, transparent when the picture is.
void draw_picture_at(Pane* pane, QlObject* picture, int32_t x, int32_t y);

// A pane goes away: every graphics state bound to it stops drawing.
void forget_pane_graphics(Pane* pane);

}  // namespace ql
