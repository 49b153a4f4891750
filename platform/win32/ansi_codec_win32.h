#pragma once
#include "platform/ansi_codec.h"

namespace vorlen {

// The system's ANSI code page through WideCharToMultiByte, refusing any text
// whose conversion would replace or approximate a character.
class Win32AnsiCodec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::wstring_view text) const override;
};

}  // namespace vorlen
