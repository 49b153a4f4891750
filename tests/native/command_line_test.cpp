#include <gtest/gtest.h>

#include "export/command_line.h"

using vorlen::CommandLineRequest;
using vorlen::ParseArguments;
using Kind = CommandLineRequest::Kind;

TEST(CommandLine, NoArgumentsOpenTheWindow) { EXPECT_EQ(ParseArguments({}).kind, Kind::Window); }

TEST(CommandLine, ExportTakesExactlyOnePathInEitherSwitchFormAndAnyCase) {
    for (const wchar_t* form : {L"/export", L"-export", L"/EXPORT", L"/Export"}) {
        const auto request = ParseArguments({form, L"C:\\out dir\\list.csv"});
        EXPECT_EQ(request.kind, Kind::Export) << form;
        EXPECT_EQ(request.exportPath, L"C:\\out dir\\list.csv");
    }
}

TEST(CommandLine, AnythingElseIsReportedAndWritesNothing) {
    const auto missing = ParseArguments({L"/export"});
    EXPECT_EQ(missing.kind, Kind::Invalid);
    EXPECT_FALSE(missing.problem.empty());
    EXPECT_EQ(ParseArguments({L"/export", L""}).kind, Kind::Invalid);
    const auto extra = ParseArguments({L"/export", L"a.csv", L"b.csv"});
    EXPECT_EQ(extra.kind, Kind::Invalid);
    EXPECT_NE(extra.problem.find(L"b.csv"), std::wstring::npos);
    const auto unknown = ParseArguments({L"/exports", L"a.csv"});
    EXPECT_EQ(unknown.kind, Kind::Invalid);
    EXPECT_NE(unknown.problem.find(L"/exports"), std::wstring::npos);
    EXPECT_EQ(ParseArguments({L"list.csv"}).kind, Kind::Invalid);
}
