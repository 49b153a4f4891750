#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// Orders two texts for sorting: negative, zero or positive like a three-way
// comparison. The Win32 build uses the user's locale with letter case ignored.
class TextCollator {
public:
    virtual ~TextCollator() = default;
    virtual int Compare(std::wstring_view a, std::wstring_view b) const = 0;

    // A key whose byte order (as unsigned bytes) is this collator's order of
    // the text, so that many texts sort with one key each rather than one
    // comparison per pair; none where the collator has no such keys. A sort
    // uses keys only when every text it sorts has one.
    virtual std::optional<std::string> SortKey(std::wstring_view text) const;
};

// Code-point order with ASCII and Latin letters compared case-insensitively;
// the portable fallback, and what the native tests sort with.
class OrdinalIgnoreCaseCollator final : public TextCollator {
public:
    int Compare(std::wstring_view a, std::wstring_view b) const override;
};

}  // namespace vorlen
