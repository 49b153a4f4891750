#include "core/shared_text.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "core/utf16.h"

namespace vorlen {

std::size_t SharedText::BlockSize(std::size_t characters) noexcept {
    return offsetof(Block, chars) + characters * sizeof(wchar_t);
}

SharedText::Block* SharedText::SharedBlock() const noexcept {
    Block* block = nullptr;
    std::memcpy(&block, storage_, sizeof block);
    return block;
}

void SharedText::SetSharedBlock(Block* block) noexcept {
    std::memcpy(storage_, &block, sizeof block);
    size_ = kSharedMark;
}

SharedText::SharedText(std::wstring_view text) {
    if (text.size() <= kSmallCapacity) {
        if (!text.empty()) std::memcpy(SmallChars(), text.data(), text.size() * sizeof(wchar_t));
        size_ = static_cast<std::uint16_t>(text.size());
        return;
    }
    if (text.size() > UINT32_MAX) throw std::bad_alloc();
    void* memory = std::malloc(BlockSize(text.size()));
    if (!memory) throw std::bad_alloc();
    Block* block = static_cast<Block*>(memory);
    new (&block->references) std::atomic<std::uint32_t>(1);
    block->size = static_cast<std::uint32_t>(text.size());
    std::memcpy(block->chars, text.data(), text.size() * sizeof(wchar_t));
    SetSharedBlock(block);
}

SharedText::SharedText(const SharedText& other) noexcept : size_(other.size_) {
    std::memcpy(storage_, other.storage_, sizeof storage_);
    if (IsShared()) SharedBlock()->references.fetch_add(1, std::memory_order_relaxed);
}

SharedText::SharedText(SharedText&& other) noexcept : size_(other.size_) {
    std::memcpy(storage_, other.storage_, sizeof storage_);
    other.size_ = 0;
}

SharedText& SharedText::operator=(const SharedText& other) noexcept {
    if (this != &other) {
        SharedText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SharedText& SharedText::operator=(SharedText&& other) noexcept {
    if (this != &other) {
        Release();
        std::memcpy(storage_, other.storage_, sizeof storage_);
        size_ = std::exchange(other.size_, std::uint16_t{0});
    }
    return *this;
}

void SharedText::Release() noexcept {
    if (!IsShared()) return;
    Block* block = SharedBlock();
    size_ = 0;
    // The last holder frees the block; acquire-release orders every other
    // holder's reads of it before the free.
    if (block->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        block->references.~atomic();
        std::free(block);
    }
}

std::size_t SharedText::BlockBytes() const noexcept { return IsShared() ? BlockSize(SharedBlock()->size) : 0; }

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << EncodeUtf8(text.View()); }

void PrintTo(const SharedText& text, std::ostream* out) { *out << '"' << text << '"'; }

}  // namespace vorlen
