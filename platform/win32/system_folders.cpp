#include "platform/win32/system_folders.h"

#include <windows.h>

namespace vorlen {

namespace {

template <typename Query>
std::wstring FolderFrom(Query query) {
    std::wstring folder(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = query(folder.data(), static_cast<UINT>(folder.size()));
        if (length == 0) return {};
        if (length < folder.size()) {
            folder.resize(length);
            return folder;
        }
        folder.resize(length);  // the size it needs, with its NUL
    }
}

}  // namespace

SystemFolders SystemFoldersOfThisSystem() {
    return {FolderFrom(GetSystemDirectoryW), FolderFrom(GetSystemWindowsDirectoryW)};
}

}  // namespace vorlen
