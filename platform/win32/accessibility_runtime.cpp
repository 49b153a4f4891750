#include "platform/win32/accessibility_runtime.h"

#include "platform/win32/system_folders.h"

namespace vorlen {

namespace {

template <typename Function>
bool LookUp(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

const AccessibilityRuntime* Load() {
    const std::wstring folder = SystemFoldersOfThisSystem().system;
    if (folder.empty()) return nullptr;
    // Kept loaded for the rest of the run: objects handed out call into it.
    const HMODULE module = LoadLibraryExW((folder + L"\\oleacc.dll").c_str(), nullptr, 0);
    if (!module) return nullptr;
    static AccessibilityRuntime runtime;
    if (!LookUp(module, "LresultFromObject", runtime.lresultFromObject) ||
        !LookUp(module, "AccessibleObjectFromWindow", runtime.accessibleObjectFromWindow) ||
        !LookUp(module, "CreateStdAccessibleObject", runtime.createStdAccessibleObject))
        return nullptr;
    return &runtime;
}

}  // namespace

const AccessibilityRuntime* AccessibilityRuntime::OfThisSystem() {
    static const AccessibilityRuntime* const loaded = Load();
    return loaded;
}

}  // namespace vorlen
