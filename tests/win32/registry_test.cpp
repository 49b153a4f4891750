// The registry reader against Wine's real registry: keys the test writes
// under HKEY_CURRENT_USER and in both views of HKEY_LOCAL_MACHINE, read back
// through the wide registry functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "inventory/value_text.h"
#include "platform/win32/registry_win32.h"
#include "test_registry_key.h"

using vorlen::RegistryRoot;
using vorlen::RegistryWriteTime;
using vorlen::ValueVisitEnd;
using vorlen::Win32Registry;

namespace {

struct ReadValue {
    std::wstring name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
};

std::vector<ReadValue> ReadAll(const std::wstring& path, bool* opened = nullptr) {
    std::vector<ReadValue> values;
    const ValueVisitEnd end = Win32Registry().ForEachValue(
        RegistryRoot::CurrentUser, path,
        [&](std::wstring_view name, std::uint32_t type, std::span<const std::uint8_t> data) {
            values.push_back({std::wstring(name), type, {data.begin(), data.end()}});
        });
    if (end != ValueVisitEnd::NotOpened) EXPECT_EQ(end, ValueVisitEnd::AllValues) << "a key read at rest is read whole";
    if (opened) *opened = end != ValueVisitEnd::NotOpened;
    return values;
}

std::vector<std::wstring> SubKeys(const std::wstring& path, bool* opened = nullptr) {
    std::vector<std::wstring> names;
    const bool ok = Win32Registry().ForEachSubKey(
        RegistryRoot::CurrentUser, path,
        [&](std::wstring_view name, std::optional<vorlen::RegistryWriteTime>) { names.emplace_back(name); });
    if (opened) *opened = ok;
    return names;
}

const wchar_t kScratch[] = L"Software\\VorlenTests\\Registry";

}  // namespace

TEST(Registry, SubKeyNamesComeBackAsTheSameTexts) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    ASSERT_TRUE(key.IsOpen());
    const std::wstring longest(255, L'k');
    const std::vector<std::wstring> written{L"{6F1A2B3C-0000-4000-8000-000000000001}", L"日本語のキー名",
                                            L"Key with blanks", L"a&b|c<d>e^f%g\"h", longest};
    for (const auto& name : written) key.AddSubKey(name);

    bool opened = false;
    auto names = SubKeys(key.Path(), &opened);
    EXPECT_TRUE(opened);
    std::sort(names.begin(), names.end());
    auto expected = written;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
}

TEST(Registry, MissingKeyOpensNothingAndVisitsNothing) {
    bool opened = true;
    EXPECT_TRUE(SubKeys(L"Software\\VorlenTests\\DoesNotExist", &opened).empty());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(ReadAll(L"Software\\VorlenTests\\DoesNotExist", &opened).empty());
    EXPECT_FALSE(opened);
}

// The refresh compares a key's last-write time with the time its scan
// began: both must come from one clock.
TEST(Registry, AKeyIsStampedWithTheTimeTheRegistryClockReads) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    const Win32Registry registry;
    const RegistryWriteTime before = registry.CurrentTime();
    key.AddSubKey(L"stamped");
    const RegistryWriteTime after = registry.CurrentTime();
    std::optional<RegistryWriteTime> stamped;
    registry.ForEachSubKey(RegistryRoot::CurrentUser, key.Path(),
                           [&](std::wstring_view, std::optional<RegistryWriteTime> time) { stamped = time; });
    ASSERT_TRUE(stamped.has_value());
    // The system time advances in ticks, so the stamp may lie one tick early.
    constexpr RegistryWriteTime tick = 160'000;
    EXPECT_GE(*stamped + tick, before);
    EXPECT_LE(*stamped, after);
}

TEST(Registry, KeyWithoutSubKeysListsNone) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    bool opened = false;
    EXPECT_TRUE(SubKeys(key.Path(), &opened).empty());
    EXPECT_TRUE(opened);
}

TEST(Registry, ValuesAreReadWholeWithNothingLeftOverFromEarlierValues) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    const std::wstring longText(300, L'長');        // 600 bytes: beyond a 256-byte buffer
    const std::wstring hugeText(512 * 1024, L'x');  // 1 MB of data
    key.SetString(L"Long", longText);
    key.SetString(L"Short", L"ab");
    key.SetString(L"Huge", hugeText);
    key.SetBytes(L"Empty", REG_BINARY, {});
    key.SetString(L"", L"default value");

    const auto values = ReadAll(key.Path());
    ASSERT_EQ(values.size(), 5u);
    for (const auto& value : values) {
        const std::wstring text = vorlen::ValueDataText(value.type, value.data);
        if (value.name == L"Long") EXPECT_EQ(text, longText);
        if (value.name == L"Short") {
            EXPECT_EQ(value.data.size(), 6u);  // "ab" and its NUL, nothing of the long value
            EXPECT_EQ(text, L"ab");
        }
        if (value.name == L"Huge") EXPECT_EQ(text, hugeText);
        if (value.name == L"Empty") EXPECT_TRUE(value.data.empty());
        if (value.name.empty()) EXPECT_EQ(text, L"default value");
    }
}

TEST(Registry, StringsWithoutTerminatorOrOfOddLengthKeepEveryCharacter) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    key.SetBytes(L"NoTerminator", REG_SZ, TestRegistryKey::Utf16Bytes(L"abc", false));
    key.SetBytes(L"OddLength", REG_SZ, {'a', 0, 'b', 0, 'c'});
    key.SetBytes(L"MultiNoFinalNul", REG_MULTI_SZ, {'a', 0, 0, 0, 'b', 0});

    for (const auto& value : ReadAll(key.Path())) {
        const std::wstring text = vorlen::ValueDataText(value.type, value.data);
        if (value.name == L"NoTerminator") EXPECT_EQ(text, L"abc");
        if (value.name == L"OddLength") EXPECT_EQ(text, std::wstring(L"ab") + L"c");
        if (value.name == L"MultiNoFinalNul") EXPECT_EQ(text, L"a b");
    }
}

// The list is read on worker threads that end after every refresh: what a
// thread kept for its reads must be freed once, while the thread still owns
// it, or every refresh corrupts the heap.
TEST(Registry, ThreadsThatReadValuesAndEndLeaveEveryHeapSound) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    key.SetString(L"Long", std::wstring(5000, L'x'));  // grows the data buffer
    key.SetString(L"Short", L"ab");
    for (int round = 0; round < 50; ++round) {
        std::vector<std::thread> readers;
        for (int i = 0; i < 8; ++i) readers.emplace_back([&] { ReadAll(key.Path()); });
        for (auto& reader : readers) reader.join();
    }
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    for (const HANDLE heap : heaps) EXPECT_TRUE(HeapValidate(heap, 0, nullptr)) << "heap " << heap;
}

TEST(Registry, TenThousandValuesAndLongNamesAreAllVisited) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    for (int i = 0; i < 10000; ++i) key.SetDword(L"v" + std::to_wstring(i), static_cast<DWORD>(i));
    const std::wstring longName(255, L'n');
    key.SetString(longName, L"long name");

    const auto values = ReadAll(key.Path());
    ASSERT_EQ(values.size(), 10001u);
    bool sawLongName = false;
    for (const auto& value : values) sawLongName |= value.name == longName;
    EXPECT_TRUE(sawLongName);
}

TEST(Registry, KeyDeletedAfterItsNameWasEnumeratedFailsToOpen) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    key.AddSubKey(L"Gone");
    const auto names = SubKeys(key.Path());
    ASSERT_EQ(names, std::vector<std::wstring>{L"Gone"});
    key.DeleteSubKey(L"Gone");
    bool opened = true;
    EXPECT_TRUE(ReadAll(key.Path() + L"\\Gone", &opened).empty());
    EXPECT_FALSE(opened);
}

// Read only up to the NUL, the path would name the scratch key itself.
TEST(Registry, PathHoldingANulOpensNothing) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    key.SetString(L"DisplayName", L"decoy");
    const std::wstring hidden = key.Path() + std::wstring(L"\0Hidden", 7);
    bool opened = true;
    EXPECT_TRUE(ReadAll(hidden, &opened).empty());
    EXPECT_FALSE(opened);
    EXPECT_TRUE(SubKeys(hidden, &opened).empty());
    EXPECT_FALSE(opened);
}

// Thousands of sub-keys are read by several threads in chunks; they must
// still come whole and in the registry's own order.
TEST(Registry, AKeyOfThousandsOfSubKeysIsVisitedWholeInIndexOrder) {
    TestRegistryKey key(HKEY_CURRENT_USER, kScratch);
    for (int i = 0; i < 5000; ++i) key.AddSubKey(L"entry " + std::to_wstring(i * 7919 % 5000));

    std::vector<std::wstring> expected;
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kScratch, 0, KEY_ENUMERATE_SUB_KEYS, &raw), ERROR_SUCCESS);
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        if (RegEnumKeyExW(raw, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        expected.emplace_back(name, length);
    }
    RegCloseKey(raw);

    int withTime = 0;
    std::vector<std::wstring> names;
    Win32Registry().ForEachSubKey(RegistryRoot::CurrentUser, key.Path(),
                                  [&](std::wstring_view name, std::optional<RegistryWriteTime> time) {
                                      names.emplace_back(name);
                                      withTime += time.has_value() && *time != 0;
                                  });
    ASSERT_EQ(expected.size(), 5000u);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(withTime, 5000);
}
