#include <gtest/gtest.h>

#include "core/network_path.h"

using vorlen::IsNetworkOrDevicePath;

TEST(NetworkPath, NetworkAndDevicePathsInEverySpellingAreRecognised) {
    for (const wchar_t* path : {L"\\\\host\\share\\setup.exe", L"//host/share/setup.exe", L"\\/host\\share",
                                L"  \\\\host\\share", L"\\\\?\\UNC\\host\\share\\a.exe", L"\\\\?\\unc\\host\\share",
                                L"\\\\.\\UNC\\host\\share", L"//?/UNC/host/share", L"\\\\.\\pipe\\name", L"\\\\.\\COM1",
                                L"\\\\?\\GLOBALROOT\\Device\\Mup\\host\\share", L"\\??\\UNC\\host\\share", L"\\\\"})
        EXPECT_TRUE(IsNetworkOrDevicePath(path)) << path;
}

TEST(NetworkPath, LocalPathsAndTheLongFormsOfADriveAreNot) {
    for (const wchar_t* path :
         {L"C:\\Program Files\\App\\uninst.exe", L"c:/windows", L"\\Windows\\system32", L"/tmp", L"MsiExec.exe /X{1}",
          L"\\\\?\\C:\\Program Files\\App", L"\\\\.\\C:\\Windows", L"\\\\?\\D:", L"\\??\\C:\\Windows",
          L"\"\\\\host\\share\\a.exe\"", L"https://host/share", L""})
        EXPECT_FALSE(IsNetworkOrDevicePath(path)) << path;
}
