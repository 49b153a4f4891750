#include "app/command_line_run.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "core/error_report.h"
#include "core/program_state.h"
#include "export/command_line.h"
#include "export/csv_writer.h"
#include "grid/grid_model.h"
#include "inventory/inventory_scan.h"
#include "platform/display_settings_file.h"
#include "platform/win32/ansi_codec_win32.h"
#include "platform/win32/file_replace_win32.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/module_path.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/resource_text.h"
#include "platform/win32/unique_handle.h"
#include "resources/resource.h"
#include "window/grid_setup.h"
#include "window/list_grid.h"

namespace vorlen {

namespace {

constexpr int kExitExportFailed = 1;
constexpr int kExitBadArguments = 2;

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i) arguments.emplace_back(list[i]);
    if (list) LocalFree(list);
    return arguments;
}

// Prints to the console the program was started from. A program for the
// window has none of its own: it writes to redirected output, or attaches to
// its parent's console, or else shows the text in a message box.
void Report(const std::wstring& text) {
    const std::wstring line = text + L"\r\n";
    HANDLE out = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) {
        DWORD written = 0;
        if (GetConsoleMode(out, &mode)) {
            WriteConsoleW(out, line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
        } else {
            const int size = WideCharToMultiByte(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                                 nullptr, nullptr);
            std::string bytes(static_cast<std::size_t>(size), '\0');
            WideCharToMultiByte(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr,
                                nullptr);
            WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        }
        return;
    }
    if (AttachConsole(ATTACH_PARENT_PROCESS)) {
        const UniqueFileHandle console(
            CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        if (console) {
            DWORD written = 0;
            WriteConsoleW(console.get(), line.c_str(), static_cast<DWORD>(line.size()), &written, nullptr);
            return;
        }
    }
    MessageBoxW(nullptr, text.c_str(), kAppTitle, MB_OK | MB_ICONERROR);
}

// The list as the window shows it right after start-up: the settings file
// beside the program, the running version's hotfix rules, sorted by name.
int ExportList(HINSTANCE instance, const std::wstring& path) {
    const Win32ProfileFile settingsFile(ExecutableFolder() + L"\\" + kAppTitle + L".ini");
    ScanRules rules;
    rules.settings = ReadDisplaySettings(settingsFile);
    rules.osName = GetOSName();
    GridModel grid(2, kListColumnCount);
    SetUpGrid(grid, instance, IDS_LIST_HEADING_NO);
    FillListGrid(grid, ScanUninstallEntries(Win32Registry(), rules));
    grid.Sort(kListColumnDisplayName, SortDirection::Ascending, UserLocaleCollator());
    RenumberListGrid(grid);

    PlatformError error;
    if (WriteFileReplacing(path, CsvFileBytes(grid, Win32AnsiCodec()), error)) return 0;
    Report(LoadResourceText(instance, IDS_CAPTION_EXPORT_ERROR) + L": " + path + L"\r\n" +
           FormatErrorReport(error.number, error.description));
    return kExitExportFailed;
}

}  // namespace

std::optional<int> RunFromCommandLine(HINSTANCE instance) {
    const CommandLineRequest request = ParseArguments(Arguments());
    switch (request.kind) {
    case CommandLineRequest::Kind::Window: return std::nullopt;
    case CommandLineRequest::Kind::Export: return ExportList(instance, request.exportPath);
    case CommandLineRequest::Kind::Invalid: break;
    }
    Report(request.problem + L"\r\n" + UsageText());
    return kExitBadArguments;
}

}  // namespace vorlen
