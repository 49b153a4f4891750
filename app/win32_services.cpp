#include "app/win32_services.h"

#include "platform/win32/module_path.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/profile_win32.h"

namespace vorlen {

MainWindowServices Win32Services::Services() {
    MainWindowServices services;
    services.registry = &registry_;
    services.collator = &collator_;
    services.desktop = &desktop_;
    services.executableFolder = ExecutableFolder();
    services.getOsName = GetOSName;
    services.openSettingsFile = [](const std::wstring& path) -> std::unique_ptr<ProfileFile> {
        return std::make_unique<Win32ProfileFile>(path);
    };
    return services;
}

}  // namespace vorlen
