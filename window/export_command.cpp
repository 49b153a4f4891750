#include "window/export_command.h"

#include <cstdlib>

#include "export/csv_writer.h"
#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/file_replace_win32.h"
#include "resources/resource.h"

namespace vorlen {

void ExportCsv(MainWindowParts& parts) {
    try {
        const std::wstring path = parts.AskSavePath(IDS_FILTER_CSV, L".csv");
        if (path.empty()) return;
        const GridModel& grid = parts.view == ViewMode::Detail ? parts.detail : parts.list;
        PlatformError error;
        if (!WriteFileReplacing(path, CsvFileBytes(grid, Win32AnsiCodec()), error)) {
            parts.ShowError(IDS_CAPTION_EXPORT_ERROR, error);
            return;
        }
        if (parts.ShowMessage(parts.Text(IDS_EXPORT_DONE), parts.title, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
        const wchar_t* windir = _wgetenv(L"windir");
        parts.services.desktop->ShellOpen(nullptr, path, windir ? windir : L"", SW_SHOWNORMAL);
    } catch (const std::exception& failure) {
        parts.ShowError(IDS_CAPTION_EXPORT_ERROR, failure);
    }
}

}  // namespace vorlen
