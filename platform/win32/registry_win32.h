#pragma once
#include "platform/registry.h"

namespace vorlen {

// The registry through the wide registry functions, read only: keys are
// opened with the query and enumerate rights alone, in the view asked for.
class Win32Registry final : public RegistryReader {
public:
    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override;
    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override;
    RegistryWriteTime CurrentTime() const override;
};

}  // namespace vorlen
