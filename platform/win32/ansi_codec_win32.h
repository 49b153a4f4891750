#pragma once
#include "platform/ansi_codec.h"

namespace vorlen {

// The system's ANSI code page through WideCharToMultiByte, refusing any text
// whose conversion would replace or approximate a character.
class Win32AnsiCodec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::wstring_view text) const override;
    // Text in the ANSI code page, as the C and C++ runtimes write their
    // messages, widened; a byte the code page lacks becomes a stand-in.
    std::wstring Decode(std::string_view text) const;
};

}  // namespace vorlen
