#pragma once
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "actions/uninstaller_check.h"

namespace vorlen {

// Checks uninstall commands on a thread of its own, so that a slow disk
// never holds up the window. Only the latest request counts: one still
// waiting when another comes is dropped unchecked. Each result is kept with
// the generation number of its request, and the window is told by a posted
// message whose wParam is that number; the window takes the result only when
// the number is still that of its selection.
class UninstallerChecker {
public:
    UninstallerChecker() = default;
    ~UninstallerChecker();
    UninstallerChecker(const UninstallerChecker&) = delete;
    UninstallerChecker& operator=(const UninstallerChecker&) = delete;

    // The window that hears of each result, and the message it hears by.
    void Start(HWND window, UINT message);
    void Request(std::uint32_t generation, std::wstring commandLine, UninstallerLookup lookup);
    // The result of the request of that generation, once; nothing when the
    // last result is another request's.
    std::optional<UninstallerCheck> TakeResult(std::uint32_t generation);
    // Whether a request has not yet been answered.
    bool Busy() const;

private:
    struct Request_ {
        std::uint32_t generation;
        std::wstring commandLine;
        UninstallerLookup lookup;
    };
    void Run();

    HWND window_ = nullptr;
    UINT message_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request_> waiting_;
    bool checking_ = false;
    std::optional<std::pair<std::uint32_t, UninstallerCheck>> result_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace vorlen
