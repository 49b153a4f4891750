#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "actions/reg_command.h"

using vorlen::CommandProcessorArgument;
using vorlen::ExplorerOnFolderCommandLine;
using vorlen::FolderOfFile;
using vorlen::RegExportCommandLine;
using vorlen::RegExportCommandLineForPath;
using vorlen::RegistryPathOf;
using vorlen::RegQueryCommandLine;
using vorlen::UninstallPlace;

namespace {

const std::wstring kUninstall = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// What cmd.exe makes of the command after /C or /K, reduced to what decides
// whether a key name is safe: environment expansion of %name%, then carets
// and quotes. `expansionFirst` is Windows' order on a typed line; Wine reads
// carets first. Any & | < > ( ) that is neither quoted nor escaped would
// start or redirect a command: `operators` counts them.
struct CommandProcessor {
    std::map<std::wstring, std::wstring> environment{{L"PATH", L"C:\\WINDOWS\\system32"},
                                                     {L"windir", L"C:\\WINDOWS"},
                                                     {L"TEMP", L"C:\\TEMP"},
                                                     {L"x", L"[x]"},
                                                     {L"=C:", L"C:\\"},
                                                     {L" ", L"[blank]"}};
    int operators = 0;

    std::wstring Expand(const std::wstring& text) const {
        // Every % is tried with the next one, and an unknown name leaves both
        // standing: the most pairings any cmd.exe tries.
        std::wstring out;
        std::size_t i = 0;
        while (i < text.size()) {
            const auto close = text[i] == L'%' ? text.find(L'%', i + 1) : std::wstring::npos;
            if (close != std::wstring::npos) {
                const auto found = environment.find(text.substr(i + 1, close - i - 1));
                if (found != environment.end()) {
                    out += found->second;
                    i = close + 1;
                    continue;
                }
            }
            out += text[i++];
        }
        return out;
    }

    std::wstring Carets(const std::wstring& text) {
        std::wstring out;
        bool quoted = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            if (!quoted && c == L'^' && i + 1 < text.size()) {
                out += text[++i];
                continue;
            }
            if (c == L'"') quoted = !quoted;
            if (!quoted && std::wstring_view(L"&|<>()").find(c) != std::wstring_view::npos) ++operators;
            out += c;
        }
        return out;
    }

    std::wstring Read(const std::wstring& command, bool expansionFirst) {
        return expansionFirst ? Carets(Expand(command)) : Expand(Carets(command));
    }
};

// How a program's C runtime splits its command line into arguments.
std::vector<std::wstring> SplitArguments(const std::wstring& line) {
    std::vector<std::wstring> arguments;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= line.size()) return arguments;
        std::wstring argument;
        bool quoted = false;
        for (; i < line.size(); ++i) {
            std::size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') ++backslashes, ++i;
            if (i < line.size() && line[i] == L'"') {
                argument.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    argument += L'"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                    argument += L'"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                continue;
            }
            argument.append(backslashes, L'\\');
            if (i >= line.size()) break;
            if (!quoted && (line[i] == L' ' || line[i] == L'\t')) break;
            argument += line[i];
        }
        arguments.push_back(argument);
    }
}

// The arguments REG receives from the command line, in both orders of
// reading; fails the test when cmd.exe would see an operator.
std::vector<std::wstring> ArgumentsReceived(const std::wstring& commandLine, const std::wstring& cmdSwitch) {
    const std::wstring prefix = L"cmd.exe " + cmdSwitch + L" ";
    EXPECT_EQ(commandLine.substr(0, prefix.size()), prefix);
    const std::wstring command = commandLine.substr(prefix.size());
    CommandProcessor windows;
    CommandProcessor wine;
    const std::wstring windowsLine = windows.Read(command, true);
    const std::wstring wineLine = wine.Read(command, false);
    EXPECT_EQ(windows.operators, 0) << "cmd.exe on Windows would run more than REG";
    EXPECT_EQ(wine.operators, 0) << "cmd.exe on Wine would run more than REG";
    EXPECT_EQ(windowsLine, wineLine);
    return SplitArguments(windowsLine);
}

const std::vector<std::wstring> kHostileNames = {
    L"Tool With  Blanks",
    L"x & echo PWNED > C:\\pwned.txt",
    L"a\" & echo PWNED > pwned.txt & \"",
    L"\"",
    L"end\"",
    L"\"\"\"",
    L"|pipe <in >out ^caret (paren) !bang! ,;=",
    L"%PATH%",
    L"100% %windir% %x% %%",
    L"%=C:%",
    L"% %",
    L"x^",
    L"trailing\\",
    L"back\\\"slash\\\\\"",
    L"キー名　テスト",
    L"\t",
};

}  // namespace

TEST(RegistryPathOf, IsTheFullUninstallKeyOfThePlaceFollowedByTheName) {
    EXPECT_EQ(RegistryPathOf(UninstallPlace::Machine, L"{90120000-0030-0000-0000-0000000FF1CE}"),
              kUninstall + L"{90120000-0030-0000-0000-0000000FF1CE}");
    EXPECT_EQ(RegistryPathOf(UninstallPlace::Machine32, L"Editor"),
              L"HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Editor");
    EXPECT_EQ(RegistryPathOf(UninstallPlace::User, L"Editor"),
              L"HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Editor");
    EXPECT_EQ(RegistryPathOf(UninstallPlace::Machine, L""), kUninstall);
}

TEST(RegCommandLine, OrdinaryKeysGiveTheQuotedPathAndTheExportOverwritesWithoutAsking) {
    EXPECT_EQ(RegQueryCommandLine(UninstallPlace::Machine, L"Editor"),
              L"cmd.exe /K REG QUERY ^\"" + kUninstall + L"Editor^\"");
    EXPECT_EQ(RegExportCommandLine(UninstallPlace::Machine, L"Editor",
                                   L"C:\\Documents and Settings\\user\\デスクトップ\\editor.reg"),
              L"cmd.exe /C REG EXPORT ^\"" + kUninstall +
                  L"Editor^\" ^\"C:\\Documents and Settings\\user\\デスクトップ\\editor.reg^\" /y");
}

TEST(RegCommandLine, QueryHandsRegExactlyTheOneKeyOfThePlaceWhateverItsName) {
    for (const UninstallPlace place : vorlen::kUninstallPlaces) {
        for (const auto& name : kHostileNames) {
            const auto line = RegQueryCommandLine(place, name);
            ASSERT_TRUE(line.has_value()) << "no line for a name cmd.exe can carry";
            EXPECT_EQ(ArgumentsReceived(*line, L"/K"),
                      (std::vector<std::wstring>{L"REG", L"QUERY", RegistryPathOf(place, name)}));
        }
    }
}

TEST(RegCommandLine, ExportHandsRegTheKeyTheFileAndTheOverwriteSwitch) {
    const std::vector<std::wstring> files = {
        L"C:\\Desktop\\plain.reg",
        L"C:\\My Files\\a&b (1) 100% %PATH%.reg",
        L"\\\\server\\share\\x^y;z=,w!.reg",
        L"C:\\デスクトップ\\キー名.reg",
    };
    for (const UninstallPlace place : vorlen::kUninstallPlaces) {
        for (const auto& name : kHostileNames) {
            for (const auto& file : files) {
                const auto line = RegExportCommandLine(place, name, file);
                ASSERT_TRUE(line.has_value());
                EXPECT_EQ(ArgumentsReceived(*line, L"/C"),
                          (std::vector<std::wstring>{L"REG", L"EXPORT", RegistryPathOf(place, name), file, L"/y"}));
            }
        }
    }
}

TEST(RegCommandLine, EmptyNameAddressesTheWholeUninstallKeyWithItsBackslash) {
    const auto line = RegQueryCommandLine(UninstallPlace::Machine, L"");
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(ArgumentsReceived(*line, L"/K"), (std::vector<std::wstring>{L"REG", L"QUERY", kUninstall}));
}

TEST(RegCommandLine, LineBreaksAndNulCannotTravelThroughTheCommandProcessor) {
    EXPECT_FALSE(RegQueryCommandLine(UninstallPlace::Machine, L"a\nb").has_value());
    EXPECT_FALSE(RegQueryCommandLine(UninstallPlace::User, L"a\rb").has_value());
    EXPECT_FALSE(RegExportCommandLine(UninstallPlace::Machine32, L"a\nb", L"C:\\x.reg").has_value());
    EXPECT_FALSE(RegExportCommandLineForPath(L"HKEY_CURRENT_USER\\x", L"C:\\x\n.reg").has_value());
    EXPECT_FALSE(CommandProcessorArgument(L"\r\n").has_value());
}

// "Foo<NUL>Hidden" cut at the NUL is the decoy key "Foo"; shown as
// "Foo\0Hidden" it would address a sub-key "0Hidden" of "Foo".
TEST(RegCommandLine, KeyNamesHoldingOrShowingANulAreRefusedInEveryPlace) {
    for (const UninstallPlace place : vorlen::kUninstallPlaces) {
        for (const std::wstring& name : {std::wstring(L"Foo\0Hidden", 10), std::wstring(L"Foo\\0Hidden")}) {
            EXPECT_FALSE(RegQueryCommandLine(place, name).has_value());
            EXPECT_FALSE(RegExportCommandLine(place, name, L"C:\\x.reg").has_value());
        }
    }
}

TEST(FolderOfFile, IsThePathUpToAndIncludingItsLastBackslash) {
    EXPECT_EQ(FolderOfFile(L"C:\\Documents and Settings\\user\\デスクトップ\\x.reg"),
              L"C:\\Documents and Settings\\user\\デスクトップ\\");
    EXPECT_EQ(FolderOfFile(L"C:\\x.reg"), L"C:\\");
    EXPECT_EQ(FolderOfFile(L"x.reg"), L"");
    EXPECT_EQ(ExplorerOnFolderCommandLine(L"C:\\My Files\\"), L"explorer C:\\My Files\\");
}
