#pragma once
#include <atomic>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace vorlen {

// An immutable UTF-16 text that copies share: a text longer than fits in the
// object itself lives in one heap block (a reference count, the length and
// the characters) that every copy refers to, so the list's cells and the
// scan's kept reads hold one copy of each key name, program name and
// uninstall command between them. A short text (7 units where wchar_t is
// 16 bits) is held in the 16 bytes of the object and needs no block.
// Copies may be made and dropped on several threads at once; the text itself
// never changes.
class SharedText {
public:
    SharedText() noexcept : size_(0) {}
    SharedText(std::wstring_view text);  // NOLINT: texts convert as std::wstring does
    SharedText(const std::wstring& text) : SharedText(std::wstring_view(text)) {}
    SharedText(const wchar_t* text) : SharedText(std::wstring_view(text)) {}
    SharedText(const SharedText& other) noexcept;
    SharedText(SharedText&& other) noexcept;
    SharedText& operator=(const SharedText& other) noexcept;
    SharedText& operator=(SharedText&& other) noexcept;
    ~SharedText() { Release(); }

    std::wstring_view View() const noexcept {
        if (!IsShared()) return std::wstring_view(SmallChars(), size_);
        const Block* block = SharedBlock();
        return std::wstring_view(block->chars, block->size);
    }
    operator std::wstring_view() const noexcept { return View(); }  // NOLINT
    std::wstring Str() const { return std::wstring(View()); }
    bool empty() const noexcept { return View().empty(); }
    std::size_t size() const noexcept { return View().size(); }

    // True when both refer to one heap block: the same copy of the text.
    bool SharesStorageWith(const SharedText& other) const noexcept {
        return IsShared() && other.IsShared() && SharedBlock() == other.SharedBlock();
    }
    // Bytes of the heap block this text refers to, 0 when it has none.
    std::size_t BlockBytes() const noexcept;

    friend bool operator==(const SharedText& a, const SharedText& b) noexcept { return a.View() == b.View(); }
    friend bool operator==(const SharedText& a, std::wstring_view b) noexcept { return a.View() == b; }
    friend bool operator==(const SharedText& a, const wchar_t* b) noexcept { return a.View() == b; }
    friend bool operator==(const SharedText& a, const std::wstring& b) noexcept { return a.View() == b; }
    friend std::strong_ordering operator<=>(const SharedText& a, const SharedText& b) noexcept {
        return a.View() <=> b.View();
    }

private:
    struct Block {
        std::atomic<std::uint32_t> references;
        std::uint32_t size;
        wchar_t chars[1];
    };
    // The object is 16 bytes: the storage holds either the characters of a
    // short text, counted by size_, or a block pointer, marked by kSharedMark
    // in size_.
    static constexpr std::uint16_t kSharedMark = 0xFFFF;
    static constexpr std::size_t kStorageBytes =
        (2 * sizeof(void*) - sizeof(std::uint16_t)) / sizeof(wchar_t) * sizeof(wchar_t);
    static constexpr std::size_t kSmallCapacity = kStorageBytes / sizeof(wchar_t);
    static_assert(kStorageBytes >= sizeof(Block*));

    static std::size_t BlockSize(std::size_t characters) noexcept;
    bool IsShared() const noexcept { return size_ == kSharedMark; }
    Block* SharedBlock() const noexcept;
    void SetSharedBlock(Block* block) noexcept;
    const wchar_t* SmallChars() const noexcept { return reinterpret_cast<const wchar_t*>(storage_); }
    wchar_t* SmallChars() noexcept { return reinterpret_cast<wchar_t*>(storage_); }
    void Release() noexcept;

    alignas(wchar_t) unsigned char storage_[kStorageBytes];
    std::uint16_t size_;
};

static_assert(sizeof(SharedText) == 2 * sizeof(void*));

// For test messages: the text as UTF-8.
std::ostream& operator<<(std::ostream& out, const SharedText& text);
void PrintTo(const SharedText& text, std::ostream* out);

}  // namespace vorlen
