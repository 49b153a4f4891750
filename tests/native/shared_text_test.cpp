#include "core/shared_text.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "grid/grid_model.h"

using namespace vorlen;

TEST(SharedText, KeepsEveryTextWholeShortOrLongWithNulsAndSurrogates) {
    const std::wstring texts[] = {L"",
                                  L"a",
                                  L"1234567",
                                  L"12345678",
                                  std::wstring(L"x\0y", 3),
                                  L"\U0001F600 プログラム名",
                                  std::wstring(40000, L'z')};
    for (const std::wstring& text : texts) {
        const SharedText shared(text);
        EXPECT_EQ(shared.View(), text);
        EXPECT_EQ(shared.size(), text.size());
        EXPECT_EQ(shared.empty(), text.empty());
    }
}

TEST(SharedText, CopiesShareOneBlockThatOutlivesTheOriginalAndMovesLeaveEmpty) {
    const std::wstring text = L"C:\\Program Files\\Vorlen\\uninstall.exe /quiet";
    auto original = std::make_unique<SharedText>(text);
    const SharedText copy = *original;
    SharedText assigned;
    assigned = copy;
    EXPECT_TRUE(copy.SharesStorageWith(*original));
    EXPECT_TRUE(assigned.SharesStorageWith(*original));
    EXPECT_GT(copy.BlockBytes(), text.size() * sizeof(wchar_t));
    original.reset();
    EXPECT_EQ(copy, text);

    SharedText moved = std::move(assigned);
    EXPECT_TRUE(assigned.empty());  // NOLINT: the moved-from state is defined
    EXPECT_TRUE(moved.SharesStorageWith(copy));
    moved = moved;  // NOLINT: self-assignment keeps the text
    EXPECT_EQ(moved, text);
    EXPECT_FALSE(SharedText(text).SharesStorageWith(copy)) << "equal texts made apart are two copies";
    EXPECT_FALSE(SharedText(L"short").SharesStorageWith(SharedText(L"short")));
}

// Copies made and dropped on several threads at once, as the scan's readers
// and the window do; the sanitizers see a double free or a leak.
TEST(SharedText, CopiesMayComeAndGoOnSeveralThreads) {
    const SharedText text(L"a text long enough for a shared block");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                SharedText copy = text;
                SharedText other = std::move(copy);
                ASSERT_EQ(other.size(), text.size());
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(text, L"a text long enough for a shared block");
}

TEST(SharedText, GridCellsWrittenFromATextReferToItsStorage) {
    const SharedText name(L"Vorlen program name, shown in the list");
    GridModel grid(3, 2);
    grid.SetText(1, 1, name);
    grid.SetText(2, 1, std::wstring(name.View()));
    EXPECT_TRUE(grid.SharedTextAt(1, 1).SharesStorageWith(name));
    EXPECT_FALSE(grid.SharedTextAt(2, 1).SharesStorageWith(name));
    grid.SetText(2, 1, L"A text that sorts first");
    grid.Sort(1, SortDirection::Ascending, OrdinalIgnoreCaseCollator());
    EXPECT_TRUE(grid.SharedTextAt(2, 1).SharesStorageWith(name)) << "a sort moves the cell, it does not copy it";
    const GridModel copy = grid;
    EXPECT_TRUE(copy.SharedTextAt(2, 1).SharesStorageWith(name));
}
