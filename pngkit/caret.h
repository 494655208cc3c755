// The caret of a focused kit edit box. The kit draws it itself onto the presented surface,
// because a layered window presented with UpdateLayeredWindow shows no system caret.
#pragma once

#include "gdiplus_api.h"

inline constexpr UINT_PTR CaretBlinkTimerId = 64;
inline constexpr UINT CaretBlinkIntervalMs = 500;
inline constexpr int CaretHeight = 12;

// The focused-edit state, all on the GUI thread. The edit box subclass writes the first
// two and resets the phase; ComposeWindow alone replaces LastComposedBitmap, which the
// kit owns.
extern HWND FocusedEdit;
extern HWND FocusedEditParent;
extern GpBitmap* LastComposedBitmap;
extern int CaretBlinkPhase;

// A 12-pixel opaque black line at the caret's place over the edit box, centred vertically
// on the box, in the parent's coordinates.
void DrawCaretLine(HWND parent, HWND edit, GpGraphics* graphics);

// Timer procedure of every bound window: toggles the caret by presenting the kept canvas
// again, with or without the line. It never composes.
void CALLBACK CaretBlinkTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
