#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>
#include <string>
#include <vector>

#include "actions/uninstaller_check.h"
#include "core/network_path.h"

namespace vorlen {
namespace {

// A file system holding exactly these files, names compared without regard
// to case as Windows compares them, with Z: a network drive; every lookup is
// recorded.
struct Machine {
    std::set<std::wstring> files;
    std::vector<std::wstring> asked;

    UninstallerLookup Lookup() {
        UninstallerLookup lookup;
        lookup.searchFolders = ProgramSearchFolders(L"C:\\windows\\system32", L"C:\\windows", L"C:\\Tools;.");
        lookup.isExistingFile = [this](const std::wstring& path) {
            asked.push_back(path);
            const auto lower = [](std::wstring text) {
                for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
                return text;
            };
            return std::any_of(files.begin(), files.end(),
                               [&](const std::wstring& file) { return lower(file) == lower(path); });
        };
        lookup.isNetworkPath = [](std::wstring_view path) {
            return IsNetworkOrDevicePath(path) || path.starts_with(L"Z:") || path.starts_with(L"z:");
        };
        return lookup;
    }
    UninstallerCheck Check(std::wstring_view command) { return CheckUninstaller(command, Lookup()); }
};

TEST(UninstallerCheck, TheProgramFileOfQuotedUnquotedAndBareCommands) {
    Machine machine{{L"C:\\Program Files\\Vorlen Sample\\uninst.exe", L"C:\\windows\\system32\\msiexec.exe",
                     L"C:\\Program Files\\Tool 1.2\\remove.exe", L"C:\\Tools\\cleanup.exe"}};
    using enum UninstallerState;
    EXPECT_EQ(machine.Check(L"\"C:\\Program Files\\Vorlen Sample\\uninst.exe\" /lang=ja"),
              (UninstallerCheck{Present, L"C:\\Program Files\\Vorlen Sample\\uninst.exe"}));
    EXPECT_EQ(machine.Check(L"\"C:\\Program Files\\Vorlen Orphan\\uninst.exe\""),
              (UninstallerCheck{Missing, L"C:\\Program Files\\Vorlen Orphan\\uninst.exe"}));
    // Unquoted with blanks: the prefix that names a file, ".exe" added as
    // process creation adds it; when none exists, the one ending in ".exe".
    EXPECT_EQ(machine.Check(L"C:\\Program Files\\Tool 1.2\\remove /quiet"),
              (UninstallerCheck{Present, L"C:\\Program Files\\Tool 1.2\\remove.exe"}));
    EXPECT_EQ(machine.Check(L"C:\\Program Files\\Gone Tool\\remove.exe /quiet"),
              (UninstallerCheck{Missing, L"C:\\Program Files\\Gone Tool\\remove.exe"}));
    // A bare name is looked for in the system's folders, so an MSI product's
    // command checks msiexec.exe, never the product; a name found nowhere is
    // reported as written.
    EXPECT_EQ(machine.Check(L"MsiExec.exe /X{6D2F5A10-0001-4B7E-9C31-5E0000000001}").state, Present);
    EXPECT_EQ(machine.Check(L"cleanup /all").state, Present);
    EXPECT_EQ(machine.Check(L"spuninst.exe /q"), (UninstallerCheck{Missing, L"spuninst.exe"}));
    EXPECT_EQ(std::count(machine.asked.begin(), machine.asked.end(), L".\\spuninst.exe"), 0)
        << "the current folder is never searched";
}

TEST(UninstallerCheck, NetworkPathsAreNeverLookedUpAndEmptyCommandsSayNothing) {
    Machine machine;
    using enum UninstallerState;
    for (const wchar_t* command : {L"\\\\server\\share\\uninst.exe /x", L"\"\\\\server\\share\\My App\\uninst.exe\"",
                                   L"Z:\\Apps\\uninst.exe", L"  \"z:\\Apps\\My App\\uninst.exe\" /x",
                                   L"\\\\?\\UNC\\server\\share\\uninst.exe"})
        EXPECT_EQ(machine.Check(command).state, OnNetwork) << command;
    EXPECT_TRUE(machine.asked.empty()) << "first lookup: " << (machine.asked.empty() ? L"" : machine.asked[0]);

    // A command longer than process creation takes is looked up only as far
    // as a program could start from it.
    machine.asked.clear();
    EXPECT_EQ(machine.Check(L"C:\\" + std::wstring(40000, L'a') + L" /x").state, Missing);
    ASSERT_FALSE(machine.asked.empty());
    for (const std::wstring& path : machine.asked) EXPECT_LE(path.size(), 32767u + 4u) << "with .exe added";

    EXPECT_EQ(machine.Check(L"").state, NoCommand);
    EXPECT_EQ(machine.Check(L"   ").state, NoCommand);
}

}  // namespace
}  // namespace vorlen
