#pragma once
// The small symbols of skin pictures as shapes: caption-button signs,
// arrows, check marks. Each is centred on (cx, cy) within a square `size`
// pixels wide, drawn with strokes `weight` pixels thick.

#include "PaintCanvas.h"

namespace zorvex::paint {

enum class Direction { Up, Down, Left, Right };

Shape CloseGlyph(float cx, float cy, float size, float weight);
// A window: an outline with a heavier top edge.
Shape MaximiseGlyph(float cx, float cy, float size, float weight);
// Two windows, the back one showing above and right of the front one.
Shape RestoreGlyph(float cx, float cy, float size, float weight);
// A bar along the bottom.
Shape MinimiseGlyph(float cx, float cy, float size, float weight);
Shape HelpGlyph(float cx, float cy, float size, float weight);
// A filled triangle pointing in `direction`; `size` is its base.
Shape ArrowGlyph(Direction direction, float cx, float cy, float size);
// An open chevron pointing in `direction`.
Shape ChevronGlyph(Direction direction, float cx, float cy, float size, float weight);
Shape CheckGlyph(float cx, float cy, float size, float weight);

} // namespace zorvex::paint
