#pragma once
#include <windows.h>

namespace vorlen {

// Owns an open registry key and closes it once.
class UniqueHkey {
public:
    UniqueHkey() = default;
    explicit UniqueHkey(HKEY key) : key_(key) {}
    UniqueHkey(const UniqueHkey&) = delete;
    UniqueHkey& operator=(const UniqueHkey&) = delete;
    UniqueHkey(UniqueHkey&& other) noexcept : key_(other.release()) {}
    UniqueHkey& operator=(UniqueHkey&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHkey() { reset(); }

    HKEY get() const { return key_; }
    HKEY* put() {
        reset();
        return &key_;
    }
    HKEY release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void reset(HKEY key = nullptr) {
        if (key_) RegCloseKey(key_);
        key_ = key;
    }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace vorlen
