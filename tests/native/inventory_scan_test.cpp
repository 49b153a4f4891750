#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_registry.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"

namespace vorlen {
namespace {

std::wstring EntryPath(std::wstring_view keyName) { return kUninstallKeyPath + std::wstring(keyName); }

RegistryPlace In(UninstallPlace place) { return RegistryPlaceOf(place); }

const wchar_t kXp[] = L"Windows XP Professional Edition";

ScanRules ListEverything() {
    ScanRules rules;
    rules.osName = kXp;
    return rules;
}

ScanRules DefaultRules() {
    ScanRules rules = ListEverything();
    rules.settings = {1, 1, 1};
    return rules;
}

class InventoryScanTest : public ::testing::Test {
protected:
    void AddProgram(UninstallPlace place, std::wstring_view key, std::wstring_view name,
                    std::wstring_view command = L"C:\\uninst.exe") {
        registry.AddString(In(place), EntryPath(key), L"DisplayName", name)
            .AddString(In(place), EntryPath(key), L"UninstallString", command);
    }

    fakes::FakeRegistry registry;
};

TEST_F(InventoryScanTest, ThreePlacesAreListedInOrderEachRowWithItsOwnPlaceAndValues) {
    AddProgram(UninstallPlace::User, L"Shared", L"user's copy");
    AddProgram(UninstallPlace::Machine, L"Native", L"64-bit program");
    AddProgram(UninstallPlace::Machine32, L"Shared", L"32-bit copy");
    AddProgram(UninstallPlace::Machine, L"Shared", L"64-bit copy");
    AddProgram(UninstallPlace::Machine32, L"Legacy", L"32-bit program", L"%ProgramFiles%\\legacy.exe");
    registry.AddString(In(UninstallPlace::Machine32), EntryPath(L"Legacy"), L"UninstallString",
                       L"%ProgramFiles(x86)%\\legacy.exe", kRegExpandSz);

    const auto entries = ScanUninstallEntries(registry, ListEverything(), 3);
    std::vector<std::tuple<UninstallPlace, std::wstring, std::wstring>> rows;
    for (const ListedEntry& entry : entries) rows.emplace_back(entry.place, entry.keyName, entry.displayName);
    EXPECT_EQ(rows, (decltype(rows){{UninstallPlace::Machine, L"Native", L"64-bit program"},
                                    {UninstallPlace::Machine, L"Shared", L"64-bit copy"},
                                    {UninstallPlace::Machine32, L"Shared", L"32-bit copy"},
                                    {UninstallPlace::Machine32, L"Legacy", L"32-bit program"},
                                    {UninstallPlace::User, L"Shared", L"user's copy"}}));
    // The command taken, the last of two, is the expandable one.
    EXPECT_EQ(entries[3].uninstallString, L"%ProgramFiles(x86)%\\legacy.exe");
    EXPECT_TRUE(entries[3].uninstallStringExpands);
    EXPECT_FALSE(entries[2].uninstallStringExpands);
}

// The native API can create "Foo<NUL>Hidden" beside "Foo"; a path cut at the
// NUL would read the decoy "Foo".
TEST_F(InventoryScanTest, NameHoldingANulIsListedVisiblyWithEmptyTextsAndNeverOpened) {
    const std::wstring hostile(L"Foo\0Hidden", 10);
    AddProgram(UninstallPlace::Machine, L"Foo", L"Decoy");
    AddProgram(UninstallPlace::Machine, hostile, L"Hidden program");

    const auto entries = ScanUninstallEntries(registry, ListEverything());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].keyName, L"Foo\\0Hidden");
    EXPECT_EQ(entries[1].displayName, L"");
    EXPECT_EQ(entries[1].uninstallString, L"");
    EXPECT_FALSE(entries[1].addressable);
    EXPECT_TRUE(entries[0].addressable);
    EXPECT_EQ(registry.OpenCount(In(UninstallPlace::Machine), EntryPath(L"Foo")), 1) << "only by its own row";
    EXPECT_TRUE(ScanUninstallEntries(registry, DefaultRules()).size() == 1u) << "no name: hidden by default";
}

class RefreshTest : public InventoryScanTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 5; ++i) {
            AddProgram(UninstallPlace::Machine, L"M" + std::to_wstring(i), L"machine " + std::to_wstring(i));
            AddProgram(UninstallPlace::Machine32, L"W" + std::to_wstring(i), L"32-bit " + std::to_wstring(i));
            AddProgram(UninstallPlace::User, L"U" + std::to_wstring(i), L"user " + std::to_wstring(i));
        }
        AddProgram(UninstallPlace::Machine, L"KB873339", L"Windows XP Hotfix - KB873339");
        first = inventory.Scan(registry, DefaultRules(), 2);
        readsBefore = registry.ValueReads();
    }

    int ReadsSinceFirstScan() const { return registry.ValueReads() - readsBefore; }

    UninstallInventory inventory;
    std::vector<ListedEntry> first;
    int readsBefore = 0;
};

TEST_F(RefreshTest, ReadsOnlyNewAndChangedKeysAndListsExactlyWhatAFullScanLists) {
    ASSERT_EQ(first.size(), 15u);
    registry.SetString(In(UninstallPlace::Machine32), EntryPath(L"W2"), L"DisplayName", L"32-bit 2, updated");
    registry.DeleteKey(In(UninstallPlace::User), EntryPath(L"U1"));
    AddProgram(UninstallPlace::Machine, L"New", L"new program");

    const auto refreshed = inventory.Scan(registry, DefaultRules(), 2);
    EXPECT_EQ(ReadsSinceFirstScan(), 2) << "the changed key and the new one";
    EXPECT_EQ(refreshed, ScanUninstallEntries(registry, DefaultRules(), 2));
    ASSERT_EQ(refreshed.size(), 15u);
    EXPECT_EQ(refreshed[5].keyName, L"New") << "enumeration order: new keys where the registry lists them";
    EXPECT_EQ(refreshed[8].displayName, L"32-bit 2, updated");
    for (const ListedEntry& entry : refreshed) EXPECT_NE(entry.keyName, L"U1");
}

TEST_F(InventoryScanTest, KeysWithoutATimeOrThatCouldNotBeOpenedAreReadAgainAtEveryScan) {
    AddProgram(UninstallPlace::Machine, L"Locked", L"locked");
    AddProgram(UninstallPlace::User, L"Timeless", L"no time");
    AddProgram(UninstallPlace::User, L"Plain", L"plain");
    registry.MakeUnopenable(In(UninstallPlace::Machine), EntryPath(L"Locked"));
    registry.SetWriteTime(In(UninstallPlace::User), EntryPath(L"Timeless"), std::nullopt);
    UninstallInventory inventory;
    const auto first = inventory.Scan(registry, ListEverything());
    const int firstReads = registry.ValueReads();
    const auto second = inventory.Scan(registry, ListEverything());
    EXPECT_EQ(firstReads, 3);
    EXPECT_EQ(registry.ValueReads() - firstReads, 2) << "Locked and Timeless";
    EXPECT_EQ(second, first);
    EXPECT_EQ(second.size(), 2u);
}

// Keys created while the names are enumerated shift the indexes, so the
// enumeration can give a name twice.
class RepeatingFirstName final : public RegistryReader {
public:
    explicit RepeatingFirstName(const RegistryReader& inner) : inner_(inner) {}
    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override {
        bool first = true;
        return inner_.ForEachSubKey(place, path, [&](std::wstring_view name, std::optional<RegistryWriteTime> time) {
            visit(name, time);
            if (std::exchange(first, false)) visit(name, time);
        });
    }
    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override {
        return inner_.ForEachValue(place, path, visit);
    }
    RegistryWriteTime CurrentTime() const override { return inner_.CurrentTime(); }

private:
    const RegistryReader& inner_;
};

TEST_F(RefreshTest, ANameEnumeratedTwiceGivesTwoRowsWithItsValues) {
    const RepeatingFirstName repeating(registry);
    const auto refreshed = inventory.Scan(repeating, DefaultRules());
    EXPECT_EQ(refreshed, ScanUninstallEntries(repeating, DefaultRules()));
    ASSERT_EQ(refreshed.size(), first.size() + 3);
    EXPECT_EQ(refreshed[1], refreshed[0]);
}

// Windows moves a key's last-write time on at every change of a value; only a
// program that writes the old time back hides its change from a refresh.
TEST_F(RefreshTest, AChangeWhoseKeyKeepsItsTimeIsTheKnownLimit) {
    const auto time = registry.WriteTime(In(UninstallPlace::Machine), EntryPath(L"M4"));
    registry.SetString(In(UninstallPlace::Machine), EntryPath(L"M4"), L"DisplayName", L"changed behind our back");
    registry.SetWriteTime(In(UninstallPlace::Machine), EntryPath(L"M4"), time);
    const auto refreshed = inventory.Scan(registry, DefaultRules());
    EXPECT_EQ(refreshed, first);
    EXPECT_EQ(ReadsSinceFirstScan(), 0);
}

// Writes within one tick of the system clock leave a key's time as it was, so
// a read is kept only when the key's time lay a margin before its scan began.
TEST_F(InventoryScanTest, AKeyWrittenWithinTheMarginBeforeItsScanIsReadAgainUntilItHasSettled) {
    constexpr RegistryWriteTime margin = UninstallInventory::kSettledWriteAge;
    registry.StopClock();
    AddProgram(UninstallPlace::Machine, L"Settled", L"settled");
    registry.AdvanceClock(1);
    AddProgram(UninstallPlace::Machine, L"Recent", L"recent");
    registry.AdvanceClock(margin - 1);
    // An installer has written the name; the command follows within the tick.
    const std::wstring half = EntryPath(L"Half");
    registry.AddString(In(UninstallPlace::Machine), half, L"DisplayName", L"half written");
    UninstallInventory inventory;
    const auto first = inventory.Scan(registry, DefaultRules());
    ASSERT_EQ(first.size(), 2u) << "Half has no command yet and is hidden";

    const auto time = registry.WriteTime(In(UninstallPlace::Machine), half);
    registry.AddString(In(UninstallPlace::Machine), half, L"UninstallString", L"C:\\half\\uninst.exe");
    ASSERT_EQ(registry.WriteTime(In(UninstallPlace::Machine), half), time) << "the same tick";
    int reads = registry.ValueReads();
    const auto second = inventory.Scan(registry, DefaultRules());
    EXPECT_EQ(registry.ValueReads() - reads, 2) << "Recent and Half, read within the margin";
    EXPECT_EQ(second, ScanUninstallEntries(registry, DefaultRules()));
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[2].uninstallString, L"C:\\half\\uninst.exe");
    EXPECT_EQ(registry.OpenCount(In(UninstallPlace::Machine), EntryPath(L"Settled")), 2)
        << "read by the first scan and the full one only: its time lay the whole margin before";

    // Once the clock has moved on by the margin, a read of them stands.
    registry.AdvanceClock(margin);
    reads = registry.ValueReads();
    EXPECT_EQ(inventory.Scan(registry, DefaultRules()), second);
    EXPECT_EQ(registry.ValueReads() - reads, 2) << "read once more, now settled";
    reads = registry.ValueReads();
    EXPECT_EQ(inventory.Scan(registry, DefaultRules()), second);
    EXPECT_EQ(registry.ValueReads() - reads, 0);
}

TEST_F(InventoryScanTest, AReadThatEndedOnAFailureIsListedAndReadAgainAtTheNextScan) {
    AddProgram(UninstallPlace::User, L"Cut", L"cut short");
    AddProgram(UninstallPlace::User, L"Whole", L"whole");
    registry.FailValueEnumerationAfter(In(UninstallPlace::User), EntryPath(L"Cut"), 1);
    UninstallInventory inventory;
    const auto first = inventory.Scan(registry, ListEverything());
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].displayName, L"cut short");
    EXPECT_EQ(first[0].uninstallString, L"") << "the values after the failure were never read";

    registry.FailValueEnumerationAfter(In(UninstallPlace::User), EntryPath(L"Cut"), static_cast<std::size_t>(-1));
    const int reads = registry.ValueReads();
    const auto second = inventory.Scan(registry, ListEverything());
    EXPECT_EQ(registry.ValueReads() - reads, 1) << "Cut alone, though its time is unchanged";
    EXPECT_EQ(second, ScanUninstallEntries(registry, ListEverything()));
    EXPECT_EQ(second[0].uninstallString, L"C:\\uninst.exe");
}

}  // namespace
}  // namespace vorlen
