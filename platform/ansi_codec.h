#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vorlen {

// The system's ANSI conversion, behind an interface so that the choice of
// encoding is decided and tested without the platform.
class AnsiCodec {
public:
    virtual ~AnsiCodec() = default;
    // The text in the ANSI code page; nullopt when some character does not
    // fit and would be replaced or approximated.
    virtual std::optional<std::string> Encode(std::wstring_view text) const = 0;
};

}  // namespace vorlen
