#include "ui/platform.h"

#include <commctrl.h>

namespace ui {

void RestrictDllSearch() {
    // Looked up at run time: older systems without the loader update lack it.
    using SetDefaultDirsFn = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto setDefault = reinterpret_cast<SetDefaultDirsFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Also drops the current folder from the search where the call above is missing.
    SetDllDirectoryW(L"");
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    HMODULE m = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!m && GetLastError() == ERROR_INVALID_PARAMETER) {
        // The flag is unknown to this loader: build the full system path instead.
        wchar_t path[MAX_PATH];
        UINT n = GetSystemDirectoryW(path, MAX_PATH);
        if (n == 0 || n + 2 + lstrlenW(name) >= MAX_PATH) return nullptr;
        lstrcatW(path, L"\\");
        lstrcatW(path, name);
        m = LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    return m;
}

void InitControls() {
    static bool done = false;
    if (done) return;
    done = true;
    // comctl32 is not imported: the manifest's version 6 is found through the
    // activation context, which the loader consults before any folder.
    if (HMODULE cc = LoadSystemLibrary(L"comctl32.dll")) {
        using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        auto init = reinterpret_cast<InitFn>(
            reinterpret_cast<void*>(GetProcAddress(cc, "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
        if (init) init(&icc);
    }
}

const wchar_t* RichEditClass() {
    // Loaded when the first rich-text view is made: the welcome page, shown
    // first, has none and so opens sooner.
    static const wchar_t* const cls = [] {
        if (LoadSystemLibrary(L"msftedit.dll")) return L"RICHEDIT50W";
        if (LoadSystemLibrary(L"riched20.dll")) return L"RichEdit20W";
        return L"RICHEDIT50W";
    }();
    return cls;
}

}  // namespace ui
