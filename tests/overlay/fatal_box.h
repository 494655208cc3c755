// In-process helpers for the run time's fatal-error path: closing its message box from
// another thread, and making window creation fail on this thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

// Watches for the run time's error box of this process and closes it as a user would.
class FatalBoxCloser {
  public:
    FatalBoxCloser();
    ~FatalBoxCloser();
    FatalBoxCloser(const FatalBoxCloser&) = delete;
    FatalBoxCloser& operator=(const FatalBoxCloser&) = delete;
    // Whether a box was shown, and its text.
    bool Seen() const { return seen_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::thread watcher_;
};

// While it lives, creating a window of the class fails on this thread, the way an
// exhausted or refusing window manager makes it fail.
class CreationVeto {
  public:
    explicit CreationVeto(const char* className);
    ~CreationVeto();
    CreationVeto(const CreationVeto&) = delete;
    CreationVeto& operator=(const CreationVeto&) = delete;

  private:
    HHOOK hook_;
};
