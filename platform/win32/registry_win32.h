#pragma once
#include "platform/registry.h"

namespace vorlen {

// The registry through the wide registry functions, read only: keys are
// opened with the query and enumerate rights alone.
class Win32Registry final : public RegistryReader {
public:
    bool ForEachSubKey(RegistryRoot root, const std::wstring& path,
                       const std::function<void(std::wstring_view)>& visit) const override;
    bool ForEachValue(RegistryRoot root, const std::wstring& path, const RegistryValueVisitor& visit) const override;
};

}  // namespace vorlen
