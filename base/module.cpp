#include "base/module.h"

namespace base {

void RestrictDllSearch() {
    // Looked up at run time: older systems without the loader update lack it.
    auto setDefault = SystemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
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

std::optional<std::string_view> FindRawResource(HMODULE module, const wchar_t* name) {
    HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) return std::nullopt;
    HGLOBAL data = LoadResource(module, info);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) return std::nullopt;
    return std::string_view(static_cast<const char*>(bytes), SizeofResource(module, info));
}

HMODULE ProgramModule() { return GetModuleHandleW(nullptr); }

}  // namespace base
