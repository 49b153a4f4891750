#include "window/uninstaller_checker.h"

namespace vorlen {

UninstallerChecker::~UninstallerChecker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void UninstallerChecker::Start(HWND window, UINT message) {
    window_ = window;
    message_ = message;
    if (!thread_.joinable()) thread_ = std::thread(&UninstallerChecker::Run, this);
}

void UninstallerChecker::Request(std::uint32_t generation, std::wstring commandLine, UninstallerLookup lookup) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = Request_{generation, std::move(commandLine), std::move(lookup)};
    }
    wake_.notify_one();
}

std::optional<UninstallerCheck> UninstallerChecker::TakeResult(std::uint32_t generation) {
    std::lock_guard lock(mutex_);
    if (!result_ || result_->first != generation) return std::nullopt;
    UninstallerCheck check = std::move(result_->second);
    result_.reset();
    return check;
}

bool UninstallerChecker::Busy() const {
    std::lock_guard lock(mutex_);
    return waiting_.has_value() || checking_;
}

void UninstallerChecker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || waiting_; });
        if (stopping_) return;
        Request_ request = std::move(*waiting_);
        waiting_.reset();
        checking_ = true;
        lock.unlock();
        UninstallerCheck check;
        try {
            check = CheckUninstaller(request.commandLine, request.lookup);
        } catch (const std::exception&) {
            // Out of memory: nothing is said about this uninstaller.
        }
        lock.lock();
        checking_ = false;
        result_.emplace(request.generation, std::move(check));
        PostMessageW(window_, message_, request.generation, 0);
    }
}

}  // namespace vorlen
