#include "export/csv_writer.h"

#include "core/utf16.h"
#include "grid/grid_model.h"

namespace vorlen {

namespace {

bool NeedsQuotes(std::wstring_view text) { return text.find_first_of(L",\"\r\n") != std::wstring_view::npos; }

void AppendQuoted(std::wstring& line, std::wstring_view text) {
    line += L'"';
    for (const wchar_t c : text) {
        if (c == L'"') line += L'"';
        line += c;
    }
    line += L'"';
}

}  // namespace

std::wstring CsvLine(const GridModel& grid, int row) {
    std::wstring line;
    const std::wstring_view first = grid.Text(row, 1);
    if (NeedsQuotes(first))
        AppendQuoted(line, first);
    else
        line += first;
    for (int col = 2; col < grid.Cols(); ++col) {
        line += L',';
        AppendQuoted(line, grid.Text(row, col));
    }
    line += L"\r\n";
    return line;
}

std::wstring CsvText(const GridModel& grid) {
    std::wstring text;
    for (int row = 0; row < grid.Rows(); ++row) text += CsvLine(grid, row);
    return text;
}

EncodedCsv EncodeCsv(std::wstring_view text, const AnsiCodec& ansi) {
    if (auto bytes = ansi.Encode(text)) return {CsvEncoding::Ansi, std::move(*bytes)};
    return {CsvEncoding::Utf8WithBom, "\xEF\xBB\xBF" + EncodeUtf8(text)};
}

std::string CsvFileBytes(const GridModel& grid, const AnsiCodec& ansi) { return EncodeCsv(CsvText(grid), ansi).bytes; }

}  // namespace vorlen
