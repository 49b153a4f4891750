#include <gtest/gtest.h>

#include <set>

#include "actions/program_file.h"
#include "actions/program_launches.h"

using vorlen::FindProgramInFolders;
using vorlen::NamesFolder;
using vorlen::ProgramOfCommandLine;
using vorlen::ProgramSearchFolders;

namespace {

// A file system holding exactly these files; every lookup is recorded.
struct Files {
    std::set<std::wstring> present;
    std::vector<std::wstring> asked;
    vorlen::IsExistingFile Lookup() {
        return [this](const std::wstring& path) {
            asked.push_back(path);
            return present.count(path) > 0;
        };
    }
};

}  // namespace

TEST(ProgramSearchFolders, SystemThenWindowsThenAbsolutePathEntriesNeverTheCurrentFolder) {
    EXPECT_EQ(
        ProgramSearchFolders(L"C:\\Windows\\system32", L"C:\\Windows",
                             L".;C:\\Tools;;bin;\"C:\\Program Files\\X\";C:relative;\\rooted;\\\\host\\share;D:/y"),
        (std::vector<std::wstring>{L"C:\\Windows\\system32", L"C:\\Windows", L"C:\\Tools", L"C:\\Program Files\\X",
                                   L"\\\\host\\share", L"D:/y"}));
    // A folder the system could not report is no folder to search.
    EXPECT_EQ(ProgramSearchFolders(L"", L"C:\\Windows", L""), std::vector<std::wstring>{L"C:\\Windows"});
}

TEST(FindProgramInFolders, FirstFolderHoldingTheNameWinsAndExeIsAddedOnlyWithoutAnExtension) {
    const std::vector<std::wstring> folders{L"C:\\Windows\\system32", L"C:\\Windows\\", L"C:\\Tools"};
    Files files{{L"C:\\Windows\\system32\\msiexec.exe", L"C:\\Windows\\MsiExec.exe", L"C:\\Tools\\rundll32.exe",
                 L"C:\\Windows\\tool.cmd"}};
    EXPECT_EQ(FindProgramInFolders(L"rundll32", folders, files.Lookup()), L"C:\\Tools\\rundll32.exe");
    EXPECT_EQ(files.asked, (std::vector<std::wstring>{L"C:\\Windows\\system32\\rundll32.exe",
                                                      L"C:\\Windows\\rundll32.exe", L"C:\\Tools\\rundll32.exe"}));
    EXPECT_EQ(FindProgramInFolders(L"MsiExec.exe", folders, files.Lookup()), L"C:\\Windows\\MsiExec.exe");
    EXPECT_EQ(FindProgramInFolders(L"tool.cmd", folders, files.Lookup()), L"C:\\Windows\\tool.cmd");
    EXPECT_EQ(FindProgramInFolders(L"missing", folders, files.Lookup()), std::nullopt);
    // A name with a folder of its own is never searched.
    files.asked.clear();
    for (const wchar_t* named : {L".\\msiexec.exe", L"sub/msiexec.exe", L"C:msiexec.exe", L""})
        EXPECT_EQ(FindProgramInFolders(named, folders, files.Lookup()), std::nullopt) << named;
    EXPECT_TRUE(files.asked.empty());
    EXPECT_TRUE(NamesFolder(L"a\\b") && NamesFolder(L"a/b") && NamesFolder(L"C:b"));
    EXPECT_FALSE(NamesFolder(L"MsiExec.exe"));
}

TEST(ProgramOfCommandLine, QuotedUnquotedAndBlankLines) {
    Files files{{L"C:\\Program Files\\App\\uninst.exe", L"C:\\Tools\\setup", L"C:\\Tool 2\\run.exe"}};
    EXPECT_EQ(ProgramOfCommandLine(L"\"C:\\Program Files\\App\\uninst.exe\" /S", files.Lookup()),
              L"C:\\Program Files\\App\\uninst.exe");
    EXPECT_EQ(ProgramOfCommandLine(L"  \"MsiExec.exe\" /X{1}", files.Lookup()), L"MsiExec.exe");
    EXPECT_EQ(ProgramOfCommandLine(L"\"C:\\open ended", files.Lookup()), L"C:\\open ended");
    // Unquoted: the shortest prefix that exists, tried as it stands and with .exe.
    files.asked.clear();
    EXPECT_EQ(ProgramOfCommandLine(L"C:\\Program Files\\App\\uninst.exe /S", files.Lookup()),
              L"C:\\Program Files\\App\\uninst.exe");
    EXPECT_EQ(files.asked,
              (std::vector<std::wstring>{L"C:\\Program", L"C:\\Program.exe", L"C:\\Program Files\\App\\uninst.exe"}));
    EXPECT_EQ(ProgramOfCommandLine(L"C:\\Tool 2\\run /x", files.Lookup()), L"C:\\Tool 2\\run.exe");
    EXPECT_EQ(ProgramOfCommandLine(L"C:\\Tools\\setup", files.Lookup()), L"C:\\Tools\\setup");
    // Nothing exists: the longest prefix ending in .exe, else the first word.
    EXPECT_EQ(ProgramOfCommandLine(L"MsiExec.exe /X{1}", files.Lookup()), L"MsiExec.exe");
    EXPECT_EQ(ProgramOfCommandLine(L"C:\\My Apps\\un.EXE  /a b.exe c", files.Lookup()),
              L"C:\\My Apps\\un.EXE  /a b.exe");
    EXPECT_EQ(ProgramOfCommandLine(L"rundll32 shell32.dll,Control_RunDLL", files.Lookup()), L"rundll32");
    EXPECT_EQ(ProgramOfCommandLine(L" \t ", files.Lookup()), L"");
    EXPECT_EQ(ProgramOfCommandLine(L"", files.Lookup()), L"");
}

TEST(UninstallLaunch, ABareProgramComesFromTheSearchFoldersNeverFromTheCurrentFolder) {
    using vorlen::UninstallLaunch;
    const std::vector<std::wstring> folders{L"C:\\Windows\\system32", L"C:\\Windows"};
    // Relative names "exist" too: they stand for files in the current folder.
    Files files{{L"MsiExec.exe", L"planted.exe", L"C:\\Windows\\system32\\MsiExec.exe", L"C:\\App\\un.exe"}};
    const auto msi = UninstallLaunch(L"MsiExec.exe /X{1}", folders, files.Lookup());
    ASSERT_TRUE(msi);
    EXPECT_EQ(msi->applicationPath, L"C:\\Windows\\system32\\MsiExec.exe");
    EXPECT_EQ(msi->commandLine, L"MsiExec.exe /X{1}") << "the command runs exactly as given";
    EXPECT_EQ(UninstallLaunch(L"planted.exe /S", folders, files.Lookup()), std::nullopt);
    EXPECT_EQ(UninstallLaunch(L"   ", folders, files.Lookup()), std::nullopt);
    // A quoted program named with its folder gets .exe as process creation adds it.
    EXPECT_EQ(UninstallLaunch(L"\"C:\\App\\un\" /S", folders, files.Lookup())->applicationPath, L"C:\\App\\un.exe");
    EXPECT_EQ(UninstallLaunch(L"\"C:\\App\\gone\" /S", folders, files.Lookup())->applicationPath, L"C:\\App\\gone");

    // The system's programs: by their folders, with the command line as given.
    const vorlen::SystemFolders system{L"C:\\Windows\\system32", L"C:\\Windows"};
    const auto reg = vorlen::LaunchOfSystemProgram(vorlen::SystemProgram::CommandProcessor, system, L"cmd.exe /K REG");
    EXPECT_EQ(reg.applicationPath, L"C:\\Windows\\system32\\cmd.exe");
    EXPECT_EQ(reg.workingFolder, L"C:\\Windows\\system32") << "REG is found in cmd.exe's current folder first";
    const auto help = vorlen::LaunchOfSystemProgram(vorlen::SystemProgram::HelpViewer, system, L"hh.exe x");
    EXPECT_EQ(help.applicationPath, L"C:\\Windows\\hh.exe");
    EXPECT_EQ(help.commandLine, L"hh.exe x");
    EXPECT_EQ(help.workingFolder, L"");
}
