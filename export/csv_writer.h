#pragma once
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace vorlen {

class GridModel;

// One row of a grid as a line of the export file: the texts of columns 1 to
// Cols()-1 (column 0, the running number, is never written), joined by commas,
// ending in CR LF. The first field stands bare and every further one in double
// quotes, so ordinary lines look as they always have. A first field holding a
// comma, a double quote or a line break is quoted too, and inside quotes every
// double quote is doubled, so that a spreadsheet reads back exactly the cells
// of the row (RFC 4180). Throws std::out_of_range like the grid when the row
// or column 1 does not exist.
std::wstring CsvLine(const GridModel& grid, int row);

// Every row of the grid, heading row and hidden rows included, in the grid's
// current order.
std::wstring CsvText(const GridModel& grid);

enum class CsvEncoding { Ansi, Utf8WithBom };

struct EncodedCsv {
    CsvEncoding encoding = CsvEncoding::Ansi;
    std::string bytes;
};

// The file's bytes: the ANSI code page, which every older reader expects,
// when every character fits; otherwise UTF-8 behind a byte-order mark, so that
// no program name turns into question marks.
EncodedCsv EncodeCsv(std::wstring_view text, const AnsiCodec& ansi);

// The export file of the grid: every row as CsvText gives it, encoded by
// EncodeCsv. The menu command and the command-line export both write this.
std::string CsvFileBytes(const GridModel& grid, const AnsiCodec& ansi);

}  // namespace vorlen
