// PngStringFormat: owns at most one GDI+ string format, the layout that kit edit boxes draw
// their text with.
#pragma once

#include "gdiplus_api.h"

class PngStringFormat {
  public:
    PngStringFormat() = default;
    ~PngStringFormat() { Free(); }
    // Two wrappers must never own one format, so none is copied or moved.
    PngStringFormat(const PngStringFormat&) = delete;
    PngStringFormat& operator=(const PngStringFormat&) = delete;

    // Deletes the format held, if any; the wrapper is then empty.
    void Free();

    // A format of Gdiplus::StringFormatFlags bits and a 16-bit language identifier. The
    // format held before is released; a failure leaves the wrapper empty, unreported.
    void Create(int flags = 0, int language = 0);

    // Horizontal and vertical alignment of the format held. Nothing is reported, not even
    // for an empty wrapper.
    void SetAlignment(Gdiplus::StringAlignment alignment);
    void SetLineAlignment(Gdiplus::StringAlignment alignment);
    void SetAlignments(Gdiplus::StringAlignment alignment, Gdiplus::StringAlignment lineAlignment);

    // Releases the format held and takes ownership of the given one (null empties the
    // wrapper). Never pass the format the wrapper already holds: it is released first.
    void SetHandle(Gdiplus::GpStringFormat* format);
    // The format stays owned by the wrapper: do not delete it, nor use it once the wrapper
    // has released it.
    Gdiplus::GpStringFormat* GetHandle() const { return handle_; }

  private:
    Gdiplus::GpStringFormat* handle_ = nullptr;
};
