// Movable memory blocks of the model: a handle that survives resizing and a lock count. The
// bytes move on every resize, so that an address kept across one shows up under the address
// sanitizer. Not modelled: discarding, fixed blocks, flags other than GMEM_ZEROINIT.
#include "platform/model/model_internal.h"

#include <algorithm>
#include <map>
#include <memory>

namespace polkamoot {

namespace {

// What a block holds where nobody wrote and nothing was zeroed.
constexpr BYTE Uninitialized = 0xCD;

struct Block {
    std::unique_ptr<BYTE[]> bytes;
    std::size_t size = 0;
    int locks = 0;
};

std::map<HGLOBAL, Block> blocks;

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

void model::detail::ResetMemory() {
    blocks.clear();
}

std::size_t model::BlockSize(HGLOBAL block) {
    Block* found = Find(block);
    return found ? found->size : 0;
}

int model::LockCount(HGLOBAL block) {
    Block* found = Find(block);
    return found ? found->locks : 0;
}

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes) {
    if (backend::ShouldFail("GlobalAlloc")) {
        return nullptr;
    }
    auto memory = reinterpret_cast<HGLOBAL>(model::NewHandle(model::Kind::Memory));
    blocks[memory] = Block{NewBytes(bytes, flags), bytes, 0};
    return memory;
}

HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags) {
    Block* block = Find(memory);
    if (!block || backend::ShouldFail("GlobalReAlloc")) {
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
    if (!block || block->size == 0 || backend::ShouldFail("GlobalLock")) {
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
    if (!blocks.erase(memory)) {
        return memory;
    }
    model::Release(model::Kind::Memory);
    return nullptr;
}

} // namespace polkamoot
