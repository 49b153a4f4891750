#pragma once
#include "grid/text_collator.h"

namespace vorlen {

// The user's locale order with letter case ignored (CompareStringEx).
class UserLocaleCollator final : public TextCollator {
public:
    int Compare(std::wstring_view a, std::wstring_view b) const override;
};

}  // namespace vorlen
