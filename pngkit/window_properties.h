// The names of the window properties that hold all kit state, and typed access to them.
// Every value is pointer-sized, so handles and window procedures survive on 64-bit
// Windows; an absent property reads as 0.
#pragma once

#include <windows.h>

#include <cstdint>

namespace PngProperty {
inline constexpr const char* Time = "PngControl_Time";
inline constexpr const char* BackImage = "PngControl_BackImage";
inline constexpr const char* Type = "PngControl_Type";
inline constexpr const char* BackType = "PngControl_BackType";
inline constexpr const char* BackColor = "PngControl_BackColor";
inline constexpr const char* BackAlpha = "PngControl_BackAlpha";
inline constexpr const char* OrderColor = "PngControl_OrderColor";
inline constexpr const char* OrderAlpha = "PngControl_OrderAlpha";
inline constexpr const char* TextColor = "PngControl_TextColor";
inline constexpr const char* NormalImage = "PngControl_NormalImage";
inline constexpr const char* OverlImage = "PngControl_OverlImage";
inline constexpr const char* DownImage = "PngControl_DownImage";
inline constexpr const char* DisableImage = "PngControl_DisableImage";
inline constexpr const char* DrawState = "Halyx_DrawState";
inline constexpr const char* ChildWndProc = "PngControl_ChildWndProc";
inline constexpr const char* WndProc = "PngControl_WndProc";
} // namespace PngProperty

inline std::uintptr_t GetWindowProperty(HWND window, const char* name) {
    return reinterpret_cast<std::uintptr_t>(GetPropA(window, name));
}

template <class Pointer> Pointer GetWindowPropertyAs(HWND window, const char* name) {
    return reinterpret_cast<Pointer>(GetPropA(window, name));
}

inline bool SetWindowProperty(HWND window, const char* name, std::uintptr_t value) {
    return SetPropA(window, name, reinterpret_cast<HANDLE>(value)) != FALSE;
}
