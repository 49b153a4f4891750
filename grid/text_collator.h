#pragma once
#include <string_view>

namespace vorlen {

// Orders two texts for sorting: negative, zero or positive like a three-way
// comparison. The Win32 build uses the user's locale with letter case ignored.
class TextCollator {
public:
    virtual ~TextCollator() = default;
    virtual int Compare(std::wstring_view a, std::wstring_view b) const = 0;
};

// Code-point order with ASCII and Latin letters compared case-insensitively;
// the portable fallback, and what the native tests sort with.
class OrdinalIgnoreCaseCollator final : public TextCollator {
public:
    int Compare(std::wstring_view a, std::wstring_view b) const override;
};

}  // namespace vorlen
