// Movable memory blocks: a handle that survives resizing, whose bytes move on every resize so
// that a stale address shows up under the address sanitizer.
#include "fake/gdi_internal.h"

#include <algorithm>
#include <map>
#include <memory>

namespace polkamoot {

namespace {

using fake::Kind;
using fake::detail::ShouldFail;

// What a block holds where nobody wrote and nothing was zeroed.
constexpr BYTE Uninitialized = 0xCD;

struct Block {
    std::unique_ptr<BYTE[]> bytes;
    std::size_t size = 0;
    int locks = 0;
};

std::map<HGLOBAL, Block> blocks;
int freedWhileLocked = 0;

Block* Find(HGLOBAL memory) {
    auto found = blocks.find(memory);
    return found == blocks.end() ? nullptr : &found->second;
}

std::unique_ptr<BYTE[]> NewBytes(std::size_t size, UINT flags) {
    std::unique_ptr<BYTE[]> bytes(new BYTE[size]);
    std::fill_n(bytes.get(), size, (flags & GMEM_ZEROINIT) ? BYTE{0} : Uninitialized);
    return bytes;
}

} // namespace

void fake::gdi::ResetMemory() {
    blocks.clear();
    freedWhileLocked = 0;
}

std::size_t fake::BlockSize(HGLOBAL block) {
    Block* found = Find(block);
    return found ? found->size : 0;
}

int fake::LockCount(HGLOBAL block) {
    Block* found = Find(block);
    return found ? found->locks : 0;
}

int fake::FreedWhileLocked() {
    return freedWhileLocked;
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    if (ShouldFail("GlobalAlloc")) {
        return nullptr;
    }
    auto memory = reinterpret_cast<HGLOBAL>(fake::detail::NewHandle(Kind::Memory));
    blocks[memory] = Block{NewBytes(bytes, flags), bytes, 0};
    return memory;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags) {
    Block* block = Find(memory);
    if (!block || ShouldFail("GlobalReAlloc")) {
        return nullptr;
    }
    std::unique_ptr<BYTE[]> moved = NewBytes(bytes, flags);
    std::copy_n(block->bytes.get(), std::min(bytes, block->size), moved.get());
    block->bytes = std::move(moved);
    block->size = bytes;
    return memory;
}

void* GlobalLock(HGLOBAL memory) {
    Block* block = Find(memory);
    if (!block || block->size == 0 || ShouldFail("GlobalLock")) {
        return nullptr;
    }
    ++block->locks;
    return block->bytes.get();
}

BOOL GlobalUnlock(HGLOBAL memory) {
    Block* block = Find(memory);
    if (!block || block->locks == 0) {
        return 0;
    }
    return --block->locks > 0;
}

HGLOBAL GlobalFree(HGLOBAL memory) {
    Block* block = Find(memory);
    if (!block) {
        return memory;
    }
    if (block->locks > 0) {
        ++freedWhileLocked;
    }
    blocks.erase(memory);
    fake::detail::Release(Kind::Memory);
    return nullptr;
}

} // namespace polkamoot
