#include "runtime.h"

#include <vector>

namespace {

// The ANSI INI functions return at most this much of a value.
constexpr DWORD ValueBufferSize = 10240;

template <class Char> const Char* SkipBlanks(const Char* text) {
    while (*text >= 1 && *text <= 32) {
        ++text;
    }
    return text;
}

// The conversion GetPrivateProfileStringA makes of its names: the ANSI code page, whatever
// bytes they hold, so a file keeps matching exactly as it would through the A function.
std::wstring FromAnsi(const char* text) {
    const int units = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(units > 0 ? units : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), units);
    wide.resize(wide.size() - 1);
    return wide;
}

std::string ToAnsi(const wchar_t* text) {
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(bytes > 0 ? bytes : 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.data(), bytes, nullptr, nullptr);
    ansi.resize(ansi.size() - 1);
    return ansi;
}

} // namespace

std::string ReadIniValue(const std::wstring& file, const char* section, const char* key) {
    if (section == nullptr || key == nullptr) {
        return {};
    }
    const wchar_t* fileName = SkipBlanks(file.c_str());
    section = SkipBlanks(section);
    key = SkipBlanks(key);
    if (*fileName == L'\0' || *section == '\0' || *key == '\0') {
        return {};
    }
    std::vector<wchar_t> value(ValueBufferSize, L'\0');
    GetPrivateProfileStringW(FromAnsi(section).c_str(), FromAnsi(key).c_str(), nullptr,
                             value.data(), ValueBufferSize, fileName);
    return ToAnsi(value.data());
}
