#include "export/csv_file.h"

#include "export/csv_writer.h"
#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/file_replace_win32.h"

namespace vorlen {

bool WriteCsvFile(const GridModel& grid, const std::wstring& path, PlatformError& error) {
    const EncodedCsv encoded = EncodeCsv(CsvText(grid), Win32AnsiCodec());
    return WriteFileReplacing(path, encoded.bytes, error);
}

}  // namespace vorlen
