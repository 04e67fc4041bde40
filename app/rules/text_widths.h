// Widths of Windows-1252 text as the lesson window measures it: Arial (metric twin Liberation Sans), summed
// advance widths without kerning, as GetTextExtentPoint reports them.
#pragma once

#include "span.h"

namespace loquat::rules {

// Whether the byte is a character that has a glyph (not a control and not one of the undefined bytes).
bool is_printable(unsigned char byte);

// The sentence and box font: 34 pixels.
int sentence_width(Span text);

// The explanation box font: 18 pixels.
int note_width(Span text);

}  // namespace loquat::rules
