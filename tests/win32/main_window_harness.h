#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "fake_desktop.h"
#include "platform/win32/locale_collator.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/profile_win32.h"
#include "platform/win32/registry_win32.h"
#include "window/list_grid.h"
#include "window/main_window.h"

// The main window created in this process on the prefix's real registry, with its
// settings file in a folder the test chooses, shown without activation.
class MainWindowHarness {
public:
    explicit MainWindowHarness(const std::wstring& settingsFolder, const vorlen::RegistryReader* registry = nullptr,
                               std::function<std::wstring()> osName = vorlen::GetOSName,
                               const vorlen::DisplayApi* display = nullptr) {
        vorlen::MainWindowServices services;
        services.registry = registry ? registry : &registry_;
        services.collator = &collator_;
        services.desktop = &desktop_;
        services.executableFolder = settingsFolder;
        services.getOsName = std::move(osName);
        if (display) services.display = display;
        services.openSettingsFile = [](const std::wstring& path) -> std::unique_ptr<vorlen::ProfileFile> {
            return std::make_unique<vorlen::Win32ProfileFile>(path);
        };
        window_ = std::make_unique<vorlen::MainWindow>(GetModuleHandleW(nullptr), std::move(services));
        created_ = window_->Create(SW_SHOWNOACTIVATE);
        if (!created_) createError_ = GetLastError();
        PumpMessages();
    }

    // The closed window posts the quit message that ends the program's loop;
    // here it would end the next modal loop of a test instead.
    ~MainWindowHarness() {
        window_.reset();
        MSG quit;
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    MainWindowHarness(const MainWindowHarness&) = delete;
    MainWindowHarness& operator=(const MainWindowHarness&) = delete;

    bool Created() const { return created_; }
    FakeDesktop& Desktop() { return desktop_; }
    DWORD CreateError() const { return createError_; }
    vorlen::MainWindow& Window() { return *window_; }
    HWND Hwnd() const { return window_->Hwnd(); }

    // The list row of the key name `key` (in the place shown as `place`, when
    // given); a missing row fails the test and gives the first data row.
    int RowOf(const std::wstring& key, const std::wstring& place = {}) {
        const vorlen::GridModel& list = window_->ListGrid();
        for (int row = 1; row < list.Rows(); ++row)
            if (list.Text(row, vorlen::kListColumnKeyName) == key &&
                (place.empty() || list.Text(row, vorlen::kListColumnPlace) == place))
                return row;
        ADD_FAILURE() << "no row for " << key << (place.empty() ? L"" : L" in " + place);
        return 1;
    }

    std::wstring WindowText() const {
        std::wstring text(GetWindowTextLengthW(Hwnd()) + 1, L'\0');
        text.resize(GetWindowTextW(Hwnd(), text.data(), static_cast<int>(text.size())));
        return text;
    }

    static void PumpMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

private:
    vorlen::Win32Registry registry_;
    FakeDesktop desktop_;
    vorlen::UserLocaleCollator collator_;
    std::unique_ptr<vorlen::MainWindow> window_;
    bool created_ = false;
    DWORD createError_ = 0;
};
