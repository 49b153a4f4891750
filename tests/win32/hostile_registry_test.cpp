// The scan over a prefix whose uninstall key holds hostile data: strings
// without terminator, of odd length, of a megabyte, multi-strings without
// their final NUL, ten thousand values in one key, names at the length
// limit and beyond it, a key name holding a NUL, garbage in DisplayName, key
// names full of shell characters. The scan must finish, show every character
// it read and report nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "actions/reg_command.h"
#include "grid/grid_model.h"
#include "inventory/entry_reader.h"
#include "inventory/inventory_scan.h"
#include "inventory/uninstall_key.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/unique_handle.h"
#include "test_registry_key.h"
#include "window/list_grid.h"

using namespace vorlen;

namespace {

struct SubKey {
    UninstallPlace place;
    std::wstring name;
};

// Every sub-key of the three places, in the order the list reads them.
std::vector<SubKey> UninstallSubKeys(const RegistryReader& registry) {
    std::vector<SubKey> keys;
    for (const UninstallPlace place : kUninstallPlaces)
        registry.ForEachSubKey(RegistryPlaceOf(place), kUninstallKeyPath,
                               [&](std::wstring_view name, std::optional<RegistryWriteTime>) {
                                   keys.push_back({place, std::wstring(name)});
                               });
    return keys;
}

// The sub-key names of the machine's uninstall key in the native view.
std::vector<std::wstring> MachineSubKeyNames() {
    std::vector<std::wstring> names;
    for (const SubKey& key : UninstallSubKeys(Win32Registry()))
        if (key.place == UninstallPlace::Machine) names.push_back(key.name);
    return names;
}

// The number of sub-keys the registry itself reports for the uninstall key.
DWORD UninstallSubKeyCount() {
    UniqueHkey key;
    DWORD count = 0;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS ||
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        ADD_FAILURE() << "the uninstall key cannot be queried";
    return count;
}

ScanRules ListEverything() {
    ScanRules rules;  // all three display rules off, normal mode
    return rules;
}

// Deletes one key right after its name has been enumerated and before the
// scan can read it, as another program might.
class DeletingRegistry final : public RegistryReader {
public:
    DeletingRegistry(const RegistryReader& inner, std::wstring victimName, std::wstring victimPath)
        : inner_(inner), victimName_(std::move(victimName)), victim_(std::move(victimPath)) {}
    bool ForEachSubKey(RegistryPlace place, const std::wstring& path, const SubKeyVisitor& visit) const override {
        return inner_.ForEachSubKey(place, path, [&](std::wstring_view name, std::optional<RegistryWriteTime> time) {
            if (name == victimName_) RegDeleteTreeW(HKEY_LOCAL_MACHINE, victim_.c_str());
            ++enumerated;
            visit(name, time);
        });
    }
    ValueVisitEnd ForEachValue(RegistryPlace place, const std::wstring& path,
                               const RegistryValueVisitor& visit) const override {
        return inner_.ForEachValue(place, path, visit);
    }
    RegistryWriteTime CurrentTime() const override { return inner_.CurrentTime(); }
    mutable int enumerated = 0;

private:
    const RegistryReader& inner_;
    std::wstring victimName_;
    std::wstring victim_;
};

}  // namespace

TEST(HostileRegistry, ScanListsEveryKeyWithEveryCharacterItRead) {
    const Win32Registry registry;
    const auto keys = UninstallSubKeys(registry);
    ASSERT_GT(keys.size(), 20u) << "the hostile prefix is not filled";

    GridModel grid(2, kListColumnCount);
    FillListGrid(grid, ScanUninstallEntries(registry, ListEverything()));
    ASSERT_EQ(grid.Rows(), static_cast<int>(keys.size()) + 1);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        EXPECT_EQ(grid.Text(row, 0), std::to_wstring(row));
        ASSERT_EQ(grid.Text(row, 1), VisibleKeyName(keys[i].name));
        // The parallel scan gives exactly what one reading of the key gives.
        const EntrySummary entry = ReadEntry(registry, keys[i].place, keys[i].name);
        EXPECT_EQ(grid.Text(row, 2), entry.displayName) << "key " << i;
        EXPECT_EQ(grid.Text(row, 3), entry.uninstallString) << "key " << i;
    }
    EXPECT_TRUE(grid.Visible());
}

TEST(HostileRegistry, ParallelAndOneByOneScansWriteTheSameRows) {
    const Win32Registry registry;
    GridModel parallel(2, kListColumnCount), single(2, kListColumnCount);
    FillListGrid(parallel, ScanUninstallEntries(registry, ListEverything(), 16));
    FillListGrid(single, ScanUninstallEntries(registry, ListEverything(), 1));
    ASSERT_EQ(parallel.Rows(), single.Rows());
    for (int row = 0; row < single.Rows(); ++row)
        for (int col = 0; col < kListColumnCount; ++col)
            ASSERT_EQ(parallel.Text(row, col), single.Text(row, col)) << row << "," << col;
}

TEST(HostileRegistry, KeysAfterAKeyNameLongerThanWindowsAllowsAreEnumerated) {
    const auto names = MachineSubKeyNames();
    // Wine holds a 256-character name, which fills no 255-character buffer;
    // the prefix sorts it between two ordinary keys.
    const auto isLong = [](const std::wstring& name) { return name.size() > 255; };
    const auto longName = std::find_if(names.begin(), names.end(), isLong);
    ASSERT_NE(longName, names.end()) << "the hostile prefix has no key name longer than 255 characters";
    EXPECT_EQ(longName->size(), 256u);
    const auto after = std::find(names.begin(), names.end(), L"VorlenHostile.Long256.Z-After");
    EXPECT_NE(after, names.end()) << "the key sorted after the long name is missing";
    EXPECT_LT(longName, after);
    EXPECT_EQ(names.size(), UninstallSubKeyCount()) << "every sub-key the registry counts is enumerated";
}

TEST(HostileRegistry, KeyNameWithANulArrivesWholeBesideItsDecoy) {
    const auto names = MachineSubKeyNames();
    // Planted through the native API: the decoy's name followed by a NUL and more.
    const std::wstring decoy = L"VorlenHostile.NulName";
    const std::wstring planted = decoy + std::wstring(1, L'\0') + L"Hidden";
    EXPECT_EQ(std::count(names.begin(), names.end(), decoy), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), planted), 1);
}

TEST(HostileRegistry, HugeAndUnterminatedValuesAreShownWhole) {
    const Win32Registry registry;
    std::size_t longest = 0;
    for (const auto& key : UninstallSubKeys(registry)) {
        ReadEntry(registry, key.place, key.name,
                  [&](const EntryValueText& value) { longest = std::max(longest, value.dataText.size()); });
    }
    // The megabyte string arrives whole, not cut to a buffer.
    EXPECT_GE(longest, 512u * 1024u - 1);
}

TEST(HostileRegistry, KeyDeletedBetweenEnumerationAndReadIsLeftOut) {
    const std::wstring victimName = L"Vorlen test: deleted during the scan";
    const std::wstring victimPath = std::wstring(kUninstallKeyPath) + victimName;
    {
        TestRegistryKey victim(HKEY_LOCAL_MACHINE, victimPath);
        ASSERT_TRUE(victim.IsOpen());
        victim.SetString(L"DisplayName", L"Deleted program");
        victim.SetString(L"UninstallString", L"C:\\deleted\\uninst.exe");
        const Win32Registry real;
        const DeletingRegistry registry(real, victimName, victimPath);

        GridModel grid(2, kListColumnCount);
        FillListGrid(grid, ScanUninstallEntries(registry, ListEverything()));
        ASSERT_GT(registry.enumerated, 20);
        // Every name enumerated is listed but the one deleted before its read.
        EXPECT_EQ(grid.Rows(), registry.enumerated);
        for (int row = 1; row < grid.Rows(); ++row) EXPECT_NE(grid.Text(row, 1), victimName);
    }
}

// Whatever Win32 call takes the planted name reads it only up to the NUL,
// which names the decoy: the entry must show its own name and nothing of the
// decoy's values, and no command may take it.
TEST(HostileRegistry, KeyNameHoldingANulShowsItselfAndNoOtherKeysData) {
    const std::wstring decoy = L"VorlenHostile.NulName";
    const std::wstring planted = decoy + std::wstring(1, L'\0') + L"Hidden";
    const std::wstring shown = decoy + L"\\0Hidden";
    const Win32Registry registry;
    int rows = 0;
    for (const ListedEntry& entry : ScanUninstallEntries(registry, ListEverything())) {
        if (entry.keyName == decoy) {
            EXPECT_EQ(entry.displayName, L"Decoy: must never show for the NUL-named key");
        }
        if (entry.keyName != shown) continue;
        ++rows;
        EXPECT_EQ(entry.place, UninstallPlace::Machine);
        EXPECT_FALSE(entry.addressable);
        EXPECT_EQ(entry.displayName, L"");
        EXPECT_EQ(entry.uninstallString, L"");
    }
    EXPECT_EQ(rows, 1);
    for (const std::wstring& name : {planted, shown}) {
        EXPECT_FALSE(ReadEntry(registry, UninstallPlace::Machine, name).opened);
        EXPECT_FALSE(RegQueryCommandLine(UninstallPlace::Machine, name).has_value());
        EXPECT_FALSE(RegExportCommandLine(UninstallPlace::Machine, name, L"C:\\x.reg").has_value());
    }
}
