// The desktop folder as the shell automation object reports it, which the
// Save-As dialog opens on. Run a second time with the object made
// unavailable (tests/win32 registers both runs).
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdlib>

#include "platform/win32/desktop_win32.h"

TEST(SpecialFolder, DesktopComesFromTheShellObjectOrIsEmptyWithoutIt) {
    vorlen::Win32Desktop desktop;
    const std::wstring folder = desktop.SpecialFolder(L"Desktop");
    if (_wgetenv(L"VORLEN_EXPECT_NO_SHELL_OBJECT")) {
        EXPECT_EQ(folder, L"") << "without the object the dialog keeps its own default folder";
        return;
    }
    wchar_t expected[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
    EXPECT_EQ(folder, expected);
    EXPECT_EQ(desktop.SpecialFolder(L"NoSuchFolder"), L"");
}
