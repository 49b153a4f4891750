#pragma once
#include <functional>
#include <memory>
#include <string>

#include "grid/text_collator.h"
#include "platform/desktop.h"
#include "platform/profile_file.h"
#include "platform/registry.h"
#include "platform/win32/display_api.h"

namespace vorlen {

// What the main window reaches the platform through; the tests put their
// own in place of the real ones.
struct MainWindowServices {
    const RegistryReader* registry = nullptr;
    Desktop* desktop = nullptr;
    std::function<std::unique_ptr<ProfileFile>(const std::wstring& path)> openSettingsFile;
    std::function<std::wstring()> getOsName;
    std::wstring executableFolder;
    const TextCollator* collator = nullptr;
    // DPI, system fonts and metrics, and high contrast.
    const DisplayApi* display = &DisplayApi::OfThisSystem();
};

}  // namespace vorlen
