#include <gtest/gtest.h>

#include "fake_profile_file.h"
#include "platform/display_settings_file.h"

namespace vorlen {
namespace {

using fakes::FakeProfileFile;

void ExpectSettings(const DisplaySettings& s, int displayName, int uninstallString, int noHotfix) {
    EXPECT_EQ(s.displayName, displayName);
    EXPECT_EQ(s.uninstallString, uninstallString);
    EXPECT_EQ(s.noHotfix, noHotfix);
}

TEST(DisplaySettings, MissingKeysDefaultToOnAndEachKeyReadsOnItsOwn) {
    FakeProfileFile file;
    ExpectSettings(ReadDisplaySettings(file), 1, 1, 1);
    file.Set(L"Settings", L"NoHotfix", L"0");
    file.Set(L"Settings", L"UninstallString", L" 2 ");
    file.Set(L"Other", L"DisplayName", L"0");
    ExpectSettings(ReadDisplaySettings(file), 1, 2, 0);
}

TEST(DisplaySettings, TextThatIsNoNumberKeepsThePreviousValue) {
    FakeProfileFile file;
    file.Set(L"Settings", L"DisplayName", L"");
    file.Set(L"Settings", L"UninstallString", L"yes");
    file.Set(L"Settings", L"NoHotfix", L"40000");
    ExpectSettings(ReadDisplaySettings(file), 0, 0, 0);
    ExpectSettings(ReadDisplaySettings(file, DisplaySettings{1, 2, 1}), 1, 2, 1);
}

TEST(DisplaySettings, WriteStoresDecimalTextsInTheFixedOrder) {
    FakeProfileFile file;
    EXPECT_TRUE(WriteDisplaySettings(file, DisplaySettings{0, 1, -3}));
    ASSERT_EQ(file.writes.size(), 3u);
    const wchar_t* keys[] = {L"DisplayName", L"UninstallString", L"NoHotfix"};
    const wchar_t* values[] = {L"0", L"1", L"-3"};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(file.writes[i].section, L"Settings");
        EXPECT_EQ(file.writes[i].key, keys[i]);
        EXPECT_EQ(file.writes[i].value, values[i]);
    }
    ExpectSettings(ReadDisplaySettings(file), 0, 1, -3);

    file.readOnly = true;
    EXPECT_FALSE(WriteDisplaySettings(file, DisplaySettings{1, 1, 1}));
    ExpectSettings(ReadDisplaySettings(file), 0, 1, -3);
}

}  // namespace
}  // namespace vorlen
