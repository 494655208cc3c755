// Input of typed buttons and edit boxes: subclass procedures that keep a button's draw state
// and the focused-edit state, and have the parent composed again after every change of look.
#pragma once

#include <windows.h>

// Subclasses the window's typed buttons and edit boxes once each, after first putting back
// any procedure an application left in "PngControl_WndProc".
void SubclassTypedChildren(HWND window);

// Installed on type-3 children: composes the parent before the message goes on.
LRESULT CALLBACK ButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam);

// Installed on type-4 children: composes the parent after the message has been handled.
LRESULT CALLBACK EditSubclassProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
