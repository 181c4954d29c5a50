#pragma once
// Modules: system DLLs loaded only from the system folder, and the raw data
// a module carries as resources.
#include <windows.h>

#include <optional>
#include <string_view>

namespace base {

// Restricts DLL loading to the system folder for the rest of the process. An
// installer usually runs from a downloads folder, where a planted DLL would
// otherwise be found before the system's own. Call before anything else.
void RestrictDllSearch();

// Loads a DLL from the system folder only. Returns null when it is missing.
HMODULE LoadSystemLibrary(const wchar_t* name);

// A function of a system DLL, the DLL loaded from the system folder only; null
// when either is missing. Fn is the function's pointer type.
template <typename Fn>
Fn SystemFunction(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadSystemLibrary(dll);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// The bytes of a raw-data resource of the module, or nothing when it has none
// of that name. The view lives as long as the module stays loaded.
std::optional<std::string_view> FindRawResource(HMODULE module, const wchar_t* name);

// The module holding the program's own resources (the executable).
HMODULE ProgramModule();

}  // namespace base
