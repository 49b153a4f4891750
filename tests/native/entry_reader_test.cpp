#include <gtest/gtest.h>

#include <vector>

#include "fake_registry.h"
#include "inventory/entry_reader.h"
#include "inventory/uninstall_key.h"

namespace vorlen {
namespace {

constexpr auto kMachine = RegistryRoot::LocalMachine;

std::wstring EntryPath(std::wstring_view keyName) { return kUninstallKeyPath + std::wstring(keyName); }

class EntryReaderTest : public ::testing::Test {
protected:
    std::vector<EntryValueText> ReadAll(const std::wstring& keyName, EntrySummary& summary) {
        std::vector<EntryValueText> rows;
        summary = ReadEntry(registry, UninstallPlace::Machine, keyName,
                            [&](const EntryValueText& row) { rows.push_back(row); });
        return rows;
    }

    fakes::FakeRegistry registry;
};

TEST_F(EntryReaderTest, TakesTheValuesNamedInExactCaseTheLastOneWinning) {
    const std::wstring path = EntryPath(L"Foo");
    registry.AddString(kMachine, path, L"DisplayName", L"first")
        .AddString(kMachine, path, L"DisplayName", L"Foo 1.0")
        .AddString(kMachine, path, L"displayname", L"lower case")
        .AddString(kMachine, path, L"UninstallString", L"%SystemRoot%\\foo.exe /u", kRegExpandSz)
        .AddString(kMachine, EntryPath(L"Bar"), L"UNINSTALLSTRING", L"upper case")
        .AddDword(kMachine, EntryPath(L"Bar"), L"DisplayName", 10);
    const EntrySummary foo = ReadEntry(registry, UninstallPlace::Machine, L"Foo");
    EXPECT_TRUE(foo.opened);
    EXPECT_EQ(foo.displayName, L"Foo 1.0");
    EXPECT_EQ(foo.uninstallString, L"%SystemRoot%\\foo.exe /u");
    const EntrySummary bar = ReadEntry(registry, UninstallPlace::Machine, L"Bar");
    EXPECT_EQ(bar.displayName, L"0000000A");
    EXPECT_EQ(bar.uninstallString, L"");
}

TEST_F(EntryReaderTest, UnopenableOrMissingKeyGivesNothing) {
    registry.AddString(kMachine, EntryPath(L"Locked"), L"DisplayName", L"secret")
        .MakeUnopenable(kMachine, EntryPath(L"Locked"));
    EntrySummary entry;
    EXPECT_TRUE(ReadAll(L"Locked", entry).empty());
    EXPECT_FALSE(entry.opened);
    EXPECT_EQ(entry.displayName, L"");
    EXPECT_TRUE(ReadAll(L"Missing", entry).empty());
    EXPECT_FALSE(entry.opened);
}

TEST_F(EntryReaderTest, KeyNameIsAppendedUntrimmedAndEmptyReadsTheUninstallKey) {
    registry.AddString(kMachine, EntryPath(L" Spaced "), L"DisplayName", L"spaced")
        .AddString(kMachine, kUninstallKeyPath, L"DisplayName", L"own value");
    EXPECT_EQ(ReadEntry(registry, UninstallPlace::Machine, L" Spaced ").displayName, L"spaced");
    EXPECT_FALSE(ReadEntry(registry, UninstallPlace::Machine, L"Spaced").opened);
    EXPECT_EQ(ReadEntry(registry, UninstallPlace::Machine, L"").displayName, L"own value");
}

TEST_F(EntryReaderTest, SinkGetsEveryValueInOrderFromOneOpening) {
    const std::wstring path = EntryPath(L"{GUID}");
    registry.AddString(kMachine, path, L"", L"default data")
        .AddString(kMachine, path, L"DisplayName", L"App")
        .AddValue(kMachine, path, L"Empty", kRegSz, {})
        .AddValue(kMachine, path, L"List", kRegMultiSz, fakes::MultiStringBytes({L"a", L"b"}))
        .AddValue(kMachine, path, L"Big", 11, {1, 0, 0, 0, 0, 0, 0, 0});
    EntrySummary entry;
    const std::vector<EntryValueText> rows = ReadAll(L"{GUID}", entry);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::vector<std::wstring>> expected = {{L"(標準)", L"REG_SZ", L"default data"},
                                                             {L"DisplayName", L"REG_SZ", L"App"},
                                                             {L"Empty", L"REG_SZ", L""},
                                                             {L"List", L"REG_MULTI_SZ", L"a b "},
                                                             {L"Big", L"Other Type", L"01 00 00 00 00 00 00 00 "}};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ((std::vector<std::wstring>{rows[i].name, rows[i].typeText, rows[i].dataText}), expected[i]) << i;
    EXPECT_TRUE(entry.opened);
    EXPECT_EQ(entry.displayName, L"App");
    EXPECT_EQ(registry.OpenCount(kMachine, path), 1);
}

TEST_F(EntryReaderTest, UninstallCommandIsMarkedForExpansionOnlyWhenStoredAsExpandableString) {
    registry.AddString(kMachine, EntryPath(L"A"), L"UninstallString", L"%windir%\\a.exe", kRegExpandSz)
        .AddString(kMachine, EntryPath(L"B"), L"UninstallString", L"%windir%\\a.exe", kRegExpandSz)
        .AddString(kMachine, EntryPath(L"B"), L"UninstallString", L"%windir%\\b.exe");
    EXPECT_TRUE(ReadEntry(registry, UninstallPlace::Machine, L"A").uninstallStringExpands);
    EXPECT_FALSE(ReadEntry(registry, UninstallPlace::Machine, L"B").uninstallStringExpands)
        << "the value taken, the last, is a plain string";
}

// "Foo<NUL>Hidden" cut at the NUL would read the decoy "Foo"; its shown form
// "Foo\0Hidden" would read a sub-key "0Hidden" of "Foo".
TEST_F(EntryReaderTest, NameHoldingOrShowingANulOpensNothing) {
    registry.AddString(kMachine, EntryPath(L"Foo"), L"DisplayName", L"decoy")
        .AddString(kMachine, EntryPath(L"Foo\\0Hidden"), L"DisplayName", L"decoy sub-key");
    EntrySummary entry;
    EXPECT_TRUE(ReadAll(std::wstring(L"Foo\0Hidden", 10), entry).empty());
    EXPECT_FALSE(entry.opened);
    EXPECT_TRUE(ReadAll(L"Foo\\0Hidden", entry).empty());
    EXPECT_FALSE(entry.opened);
    EXPECT_EQ(registry.ValueReads(), 0);
}

}  // namespace
}  // namespace vorlen
