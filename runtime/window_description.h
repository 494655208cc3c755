// WindowDescription: everything the run time needs to build a program window, as data.
// Only the settings a program of ours uses are supported; the rest of what such a
// description could carry (menus, pictures, key handling) is left out on purpose.
#pragma once

enum class StartPosition {
    Manual,       // left and top, in screen pixels
    CentreScreen, // centred on the primary screen; left and top are not used
};

struct WindowDescription {
    const char* className = nullptr; // null: "WTWindow"
    const char* title = "";
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    StartPosition startPosition = StartPosition::Manual;
    bool border = false; // false: no caption and no frame at all
    bool controlBox = false;
    bool maximizeButton = false;
    bool minimizeButton = false;
    bool visible = true;
    bool activateWhenShown = true; // false: shown without taking the focus from anyone
    bool disabled = false;
    bool alwaysOnTop = false;
    bool showInTaskbar = true; // false: owned by the run time's invisible owner window
    bool movable = true;
    const char* icon = nullptr; // icon resource name; null: "DEFAULT_ICON"
    // Raised after the window is built and before it is shown.
    void (*onCreated)() = nullptr;
    // Raised when the screen's resolution has changed (WM_DISPLAYCHANGE).
    void (*onDisplayChanged)() = nullptr;
};
