#include "export/csv_writer.h"

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

void AppendCodePoint(std::string& out, char32_t point) {
    if (point < 0x80) {
        out += static_cast<char>(point);
    } else if (point < 0x800) {
        out += static_cast<char>(0xC0 | (point >> 6));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += static_cast<char>(0xE0 | (point >> 12));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (point >> 18));
        out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (point & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring CsvLine(const GridModel& grid, int row) {
    std::wstring line;
    const std::wstring& first = grid.Text(row, 1);
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

std::string EncodeUtf8(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto point = static_cast<char32_t>(text[i]);
        if (IsHighSurrogate(point) && i + 1 < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i + 1]))) {
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(point) || IsLowSurrogate(point) || point > 0x10FFFF) {
            point = kReplacement;
        }
        AppendCodePoint(out, point);
    }
    return out;
}

EncodedCsv EncodeCsv(std::wstring_view text, const AnsiCodec& ansi) {
    if (auto bytes = ansi.Encode(text)) return {CsvEncoding::Ansi, std::move(*bytes)};
    return {CsvEncoding::Utf8WithBom, "\xEF\xBB\xBF" + EncodeUtf8(text)};
}

std::string CsvFileBytes(const GridModel& grid, const AnsiCodec& ansi) { return EncodeCsv(CsvText(grid), ansi).bytes; }

}  // namespace vorlen
