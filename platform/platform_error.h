#pragma once
#include <cstdint>
#include <string>

namespace vorlen {

// A failure of the platform as the error report shows it: the Windows error
// number and the system's description of it.
struct PlatformError {
    std::int32_t number = 0;
    std::wstring description;
};

}  // namespace vorlen
