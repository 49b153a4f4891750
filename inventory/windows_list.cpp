#include "inventory/windows_list.h"

#include <algorithm>

#include "inventory/value_text.h"

namespace vorlen {

namespace {

// A REG_DWORD other than 0. Data shorter or longer than four bytes is read
// as far as it goes, up to the four bytes a DWORD has.
bool IsNonZeroDword(std::uint32_t type, std::span<const std::uint8_t> data) {
    if (type != kRegDword) return false;
    const auto bytes = data.first(std::min<std::size_t>(data.size(), 4));
    return std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t byte) { return byte != 0; });
}

}  // namespace

bool IsWindowsListValue(std::wstring_view name) {
    return name == L"SystemComponent" || name == L"ParentKeyName" || name == L"NoRemove";
}

void NoteWindowsListValue(WindowsListFacts& facts, std::wstring_view name, std::uint32_t type,
                          std::span<const std::uint8_t> data, std::wstring* parentKeyName) {
    if (name == L"SystemComponent") {
        facts.systemComponent = IsNonZeroDword(type, data);
    } else if (name == L"NoRemove") {
        facts.noRemove = IsNonZeroDword(type, data);
    } else if (name == L"ParentKeyName") {
        std::wstring text;
        if (type == kRegSz || type == kRegExpandSz) text = ValueDataText(type, data);
        facts.hasParentKeyName = !text.empty();
        if (parentKeyName) *parentKeyName = std::move(text);
    }
}

WindowsListNote ChooseWindowsListNote(const WindowsListFacts& facts, bool displayNameEmpty) {
    if (facts.systemComponent) return WindowsListNote::SystemComponent;
    if (displayNameEmpty) return WindowsListNote::NoDisplayName;
    if (facts.hasParentKeyName) return WindowsListNote::Update;
    if (facts.noRemove) return WindowsListNote::NoRemove;
    return WindowsListNote::None;
}

std::wstring JoinEntryNotes(const std::wstring& windowsListText, const std::wstring& uninstallerText) {
    if (windowsListText.empty()) return uninstallerText;
    if (uninstallerText.empty()) return windowsListText;
    return windowsListText + L"\u3000" + uninstallerText;
}

}  // namespace vorlen
