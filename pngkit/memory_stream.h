// MemoryStream: one reference to a COM stream over a global memory block.
//
// The stream always owns its block (it frees it when its last reference goes), so the
// block is freed exactly once, and whoever else holds a reference to the stream, such as
// a GDI+ image decoded from it, keeps the bytes alive for as long as it needs them.
#pragma once

#include "byte_array.h"

#include <windows.h>
#include <objidl.h>

class MemoryStream {
  public:
    MemoryStream() = default;
    ~MemoryStream() { Free(); }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    // Drops this object's reference to the stream; the block goes with the last one.
    void Free();

    // With fromBytes, a read-only stream over a copy of the bytes; otherwise an empty,
    // growable stream. Returns the stream (still owned by this object), or null on failure.
    IStream* Create(std::span<const std::uint8_t> bytes, bool fromBytes);

    IStream* GetStream() const { return stream_; }
    // Size of the block in bytes; 0 without a stream.
    SIZE_T GetSize() const;
    // A copy of the whole block.
    ByteArray GetBytes() const;

  private:
    // The stream may move its block when it grows, so the block is always asked for.
    HGLOBAL Block() const;

    IStream* stream_ = nullptr;
};
