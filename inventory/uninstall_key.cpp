#include "inventory/uninstall_key.h"

namespace vorlen {

RegistryPlace RegistryPlaceOf(UninstallPlace place) {
    switch (place) {
    case UninstallPlace::Machine: break;
    case UninstallPlace::Machine32: return {RegistryRoot::LocalMachine, RegistryView::Bits32};
    case UninstallPlace::User: return {RegistryRoot::CurrentUser};
    }
    return {RegistryRoot::LocalMachine};
}

std::wstring_view PlaceText(UninstallPlace place) {
    switch (place) {
    case UninstallPlace::Machine: break;
    case UninstallPlace::Machine32: return L"HKLM 32 ビット";
    case UninstallPlace::User: return L"HKCU";
    }
    return L"HKLM";
}

std::wstring VisibleKeyName(std::wstring_view name) {
    std::wstring visible;
    visible.reserve(name.size());
    for (const wchar_t c : name) {
        if (c == L'\0')
            visible += kNulMark;
        else
            visible += c;
    }
    return visible;
}

bool IsAddressableKeyName(std::wstring_view name) {
    return name.find(L'\0') == std::wstring_view::npos && name.find(kNulMark) == std::wstring_view::npos;
}

}  // namespace vorlen
