// Running programs of the X host (import, xdotool) from a test under Wine, and the
// scratch folder the test script shares with the tests.
#pragma once

#include <string>

// Runs a /bin/sh command line on the host and waits for it; returns its exit status, or -1
// when it could not be started or did not finish within the timeout.
int RunHostCommand(const std::string& shellCommand, unsigned timeoutMs = 20000);

// The 64-bit Wine loader, for Windows programs started from a host command.
inline constexpr const char* HostWine64 = "/usr/lib/wine/wine64";

// A host path in the test scratch folder (CROSSHAIR_TEST_TMP, else /tmp).
std::string HostScratchPath(const std::string& name);

// The same file as Wine sees it, through drive Z:.
std::string WindowsPathOf(const std::string& hostPath);

// A single-quoted shell word.
std::string ShellQuote(const std::string& text);
