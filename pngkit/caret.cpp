#include "caret.h"

#include "color_text.h"
#include "compose.h"
#include "scoped_handles.h"

#include <cmath>

using namespace Gdiplus::DllExports;

HWND FocusedEdit = nullptr;
HWND FocusedEditParent = nullptr;
GpBitmap* LastComposedBitmap = nullptr;
int CaretBlinkPhase = 0;

void DrawCaretLine(HWND parent, HWND edit, GpGraphics* graphics) {
    RECT box{};
    GetWindowRect(edit, &box);
    const double height = box.bottom - box.top;
    POINT origin{box.left, box.top};
    ScreenToClient(parent, &origin);
    POINT caret{};
    GetCaretPos(&caret);

    const auto x = static_cast<Gdiplus::REAL>(origin.x + caret.x + 5);
    const auto y = static_cast<Gdiplus::REAL>(origin.y + std::trunc((height - CaretHeight) / 2));
    Gdiplus::GpPen* raw = nullptr;
    GdipCreatePen1(ColorToArgb(0, 255), 1.0f, Gdiplus::UnitWorld, &raw);
    ScopedPen pen(raw);
    GdipDrawLine(graphics, pen.get(), x, y, x, y + CaretHeight);
}

void CALLBACK CaretBlinkTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    if (id != CaretBlinkTimerId) {
        return;
    }
    if (window != FocusedEditParent || FocusedEdit == nullptr || LastComposedBitmap == nullptr) {
        return;
    }
    CaretBlinkPhase = (CaretBlinkPhase & 1) ^ 1;
    PresentLayered(FocusedEditParent, LastComposedBitmap, CaretBlinkPhase != 0);
}
