#include "memory_stream.h"

#include "scoped_handles.h"

#include <cstring>

void MemoryStream::Free() {
    if (stream_ != nullptr) {
        stream_->Release();
        stream_ = nullptr;
    }
}

IStream* MemoryStream::Create(std::span<const std::uint8_t> bytes, bool fromBytes) {
    Free();
    HGLOBAL block =
        fromBytes ? GlobalAlloc(GMEM_FIXED, bytes.size()) : GlobalAlloc(GMEM_MOVEABLE, 0);
    if (block == nullptr) {
        return nullptr;
    }
    if (fromBytes && !bytes.empty()) {
        ScopedGlobalLock lock(block);
        std::memcpy(lock.data(), bytes.data(), bytes.size());
    }
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream_))) {
        stream_ = nullptr;
        GlobalFree(block);
    }
    return stream_;
}

HGLOBAL MemoryStream::Block() const {
    HGLOBAL block = nullptr;
    if (stream_ == nullptr || FAILED(GetHGlobalFromStream(stream_, &block))) {
        return nullptr;
    }
    return block;
}

SIZE_T MemoryStream::GetSize() const {
    HGLOBAL block = Block();
    return block != nullptr ? GlobalSize(block) : 0;
}

ByteArray MemoryStream::GetBytes() const {
    HGLOBAL block = Block();
    const SIZE_T size = block != nullptr ? GlobalSize(block) : 0;
    ScopedGlobalLock lock(block);
    if (size == 0 || lock.data() == nullptr) {
        return {};
    }
    return ByteArray(lock.data(), size);
}
