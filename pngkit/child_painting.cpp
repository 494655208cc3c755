#include "child_painting.h"

void PaintTypedChildren(HWND, GpGraphics*) {
    // The kit's window level paints no children yet.
}
