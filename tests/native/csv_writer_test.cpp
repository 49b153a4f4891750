#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/utf16.h"
#include "export/csv_writer.h"
#include "grid/grid_model.h"

using vorlen::AnsiCodec;
using vorlen::CsvEncoding;
using vorlen::CsvLine;
using vorlen::CsvText;
using vorlen::EncodeCsv;
using vorlen::EncodeUtf8;
using vorlen::GridModel;

namespace {

GridModel ListGrid(const std::vector<std::vector<std::wstring>>& dataRows) {
    GridModel grid(static_cast<int>(dataRows.size()) + 1, 4);
    grid.SetText(0, 0, L"No.");
    grid.SetText(0, 1, L"キー名");
    grid.SetText(0, 2, L"プログラム名　[DisplayName]");
    grid.SetText(0, 3, L"アンインストール コマンド　[UninstallString]");
    for (std::size_t r = 0; r < dataRows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        grid.SetText(row, 0, std::to_wstring(row));
        for (int c = 1; c < 4; ++c) grid.SetText(row, c, dataRows[r][static_cast<std::size_t>(c) - 1]);
    }
    return grid;
}

// Reads a file's text back as a spreadsheet does (RFC 4180): the fields of
// every CR LF-ended record, quotes removed and doubled quotes undone.
std::vector<std::vector<std::wstring>> ReadBack(const std::wstring& text) {
    std::vector<std::vector<std::wstring>> records;
    std::vector<std::wstring> fields;
    std::wstring field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (quoted) {
            if (c == L'"' && i + 1 < text.size() && text[i + 1] == L'"') {
                field += L'"';
                ++i;
            } else if (c == L'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == L'"') {
            quoted = true;
        } else if (c == L',') {
            fields.push_back(field);
            field.clear();
        } else if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            fields.push_back(field);
            field.clear();
            records.push_back(fields);
            fields.clear();
            ++i;
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.empty() && fields.empty()) << "text after the last CR LF";
    return records;
}

// Stands for an ASCII code page: it holds nothing above U+007F.
class AsciiCodec final : public AnsiCodec {
public:
    std::optional<std::string> Encode(std::wstring_view text) const override {
        std::string bytes;
        for (const wchar_t c : text) {
            if (static_cast<std::uint32_t>(c) > 0x7F) return std::nullopt;
            bytes += static_cast<char>(c);
        }
        return bytes;
    }
};

}  // namespace

TEST(CsvText, ListExportIsTheHeadingLineThenEveryRowInGridOrderHiddenOnesIncluded) {
    GridModel grid = ListGrid({
        {L"{1234-ABCD}", L"Tool 1.0", L"MsiExec.exe /X{1234-ABCD}"},
        {L"Editor", L"エディタ", L"C:\\Program Files\\Editor\\uninst.exe /S"},
        {L"Empty", L"", L""},
    });
    grid.SetRowHeight(2, 0);
    EXPECT_EQ(CsvText(grid),
              L"キー名,\"プログラム名　[DisplayName]\",\"アンインストール コマンド　[UninstallString]\"\r\n"
              L"{1234-ABCD},\"Tool 1.0\",\"MsiExec.exe /X{1234-ABCD}\"\r\n"
              L"Editor,\"エディタ\",\"C:\\Program Files\\Editor\\uninst.exe /S\"\r\n"
              L"Empty,\"\",\"\"\r\n");
}

TEST(CsvText, EmptyListGivesTheHeadingLineAlone) {
    EXPECT_EQ(CsvText(ListGrid({})),
              L"キー名,\"プログラム名　[DisplayName]\",\"アンインストール コマンド　[UninstallString]\"\r\n");
}

TEST(CsvText, FieldsAreColumnOneToTheLastColumnTheGridHas) {
    GridModel wide(2, 6);
    for (int c = 0; c < 6; ++c) wide.SetText(1, c, std::wstring(1, static_cast<wchar_t>(L'a' + c)));
    EXPECT_EQ(CsvLine(wide, 1), L"b,\"c\",\"d\",\"e\",\"f\"\r\n");

    GridModel narrow(1, 2);
    narrow.SetText(0, 0, L"skipped");
    narrow.SetText(0, 1, L"only");
    EXPECT_EQ(CsvText(narrow), L"only\r\n");
    EXPECT_THROW(CsvLine(narrow, 1), std::out_of_range);
}

TEST(CsvLine, FirstFieldIsQuotedOnlyWhenItHoldsACommaQuoteOrLineBreak) {
    GridModel grid = ListGrid({
        {L"a,b", L"p", L"u"},
        {L"say \"hi\"", L"p", L"u"},
        {L"line\r\nbreak", L"p", L"u"},
        {L"lf\nonly", L"p", L"u"},
        {L"plain key  with blanks", L"p", L"u"},
    });
    EXPECT_EQ(CsvLine(grid, 1), L"\"a,b\",\"p\",\"u\"\r\n");
    EXPECT_EQ(CsvLine(grid, 2), L"\"say \"\"hi\"\"\",\"p\",\"u\"\r\n");
    EXPECT_EQ(CsvLine(grid, 3), L"\"line\r\nbreak\",\"p\",\"u\"\r\n");
    EXPECT_EQ(CsvLine(grid, 4), L"\"lf\nonly\",\"p\",\"u\"\r\n");
    EXPECT_EQ(CsvLine(grid, 5), L"plain key  with blanks,\"p\",\"u\"\r\n");
}

TEST(CsvLine, QuotesInsideFurtherFieldsAreDoubledOtherTextStaysAsItIs) {
    GridModel grid = ListGrid({{L"k", L"The \"Best\" Tool", L"\"C:\\A B\\u.exe\" /x, /y\r\nz"}});
    EXPECT_EQ(CsvLine(grid, 1), L"k,\"The \"\"Best\"\" Tool\",\"\"\"C:\\A B\\u.exe\"\" /x, /y\r\nz\"\r\n");
}

TEST(CsvText, HostileCellsReadBackAsExactlyTheCellsOfTheGrid) {
    const std::vector<std::vector<std::wstring>> rows = {
        {L"a,b", L"x\"y", L"\""},
        {L"\"", L",", L"\r\n"},
        {L"\"quoted\"", L"\"\"", L"end\""},
        {L"cr\ronly", L"a,\"b\",c", L" lead and trail "},
        {L"", L"", L""},
    };
    const auto records = ReadBack(CsvText(ListGrid(rows)));
    ASSERT_EQ(records.size(), rows.size() + 1);
    EXPECT_EQ(records[0], (std::vector<std::wstring>{L"キー名", L"プログラム名　[DisplayName]",
                                                     L"アンインストール コマンド　[UninstallString]"}));
    for (std::size_t r = 0; r < rows.size(); ++r) EXPECT_EQ(records[r + 1], rows[r]) << "row " << r + 1;
}

TEST(EncodeCsv, TextThatFitsTheAnsiCodePageIsWrittenInItWithoutAMark) {
    const auto encoded = EncodeCsv(L"Key,\"Tool\"\r\n", AsciiCodec());
    EXPECT_EQ(encoded.encoding, CsvEncoding::Ansi);
    EXPECT_EQ(encoded.bytes, "Key,\"Tool\"\r\n");

    const auto empty = EncodeCsv(L"", AsciiCodec());
    EXPECT_EQ(empty.encoding, CsvEncoding::Ansi);
    EXPECT_EQ(empty.bytes, "");
}

TEST(EncodeCsv, OneCharacterTheCodePageLacksTurnsTheWholeFileIntoUtf8WithAMark) {
    const auto encoded = EncodeCsv(L"キー名,\"x\"\r\n", AsciiCodec());
    EXPECT_EQ(encoded.encoding, CsvEncoding::Utf8WithBom);
    EXPECT_EQ(encoded.bytes, "\xEF\xBB\xBF\xE3\x82\xAD\xE3\x83\xBC\xE5\x90\x8D,\"x\"\r\n");
}

TEST(EncodeUtf8, EveryLengthOfSequenceAndSurrogatePairsAsOneCodePoint) {
    EXPECT_EQ(EncodeUtf8(L"A"), "A");
    EXPECT_EQ(EncodeUtf8(L"\u00E9"), "\xC3\xA9");
    EXPECT_EQ(EncodeUtf8(L"\u3000"), "\xE3\x80\x80");
    EXPECT_EQ(EncodeUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");  // one unit or a pair, by the width of wchar_t
    const std::wstring pair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(EncodeUtf8(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(EncodeUtf8(L"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
}

TEST(EncodeUtf8, SurrogatesWithoutTheirPartnerBecomeTheReplacementCharacter) {
    const std::wstring loneHigh{L'a', static_cast<wchar_t>(0xD83D), L'b'};
    const std::wstring loneLow{static_cast<wchar_t>(0xDE00)};
    const std::wstring reversed{static_cast<wchar_t>(0xDE00), static_cast<wchar_t>(0xD83D)};
    EXPECT_EQ(EncodeUtf8(loneHigh),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(EncodeUtf8(loneLow), "\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(reversed), "\xEF\xBF\xBD\xEF\xBF\xBD");
    const std::wstring highAtEnd{L'x', static_cast<wchar_t>(0xDBFF)};
    EXPECT_EQ(EncodeUtf8(highAtEnd), "x\xEF\xBF\xBD");
}
