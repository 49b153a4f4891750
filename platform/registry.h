#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vorlen {

enum class RegistryRoot { LocalMachine, CurrentUser };

// Called once per value, in enumeration order. The views are valid only
// during the call.
using RegistryValueVisitor =
    std::function<void(std::wstring_view name, std::uint32_t type, std::span<const std::uint8_t> data)>;

// Read-only access to the registry. Implementations are safe to call from
// several threads at once.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;

    // Calls `visit` with each sub-key name of root\path in enumeration order,
    // whole whatever its length; a sub-key whose name cannot be read is left
    // out and the ones after it still visited. Returns false, visiting
    // nothing, when the key cannot be opened.
    virtual bool ForEachSubKey(RegistryRoot root, const std::wstring& path,
                               const std::function<void(std::wstring_view)>& visit) const = 0;

    // Opens root\path for reading values and visits every value whole, each
    // with all of its data. Returns false, visiting nothing, when the key
    // cannot be opened.
    virtual bool ForEachValue(RegistryRoot root, const std::wstring& path, const RegistryValueVisitor& visit) const = 0;
};

}  // namespace vorlen
