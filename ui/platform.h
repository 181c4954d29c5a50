#pragma once
#include <windows.h>

namespace ui {

// Restricts DLL loading to the system folder for the rest of the process. An
// installer usually runs from a downloads folder, where a planted DLL would
// otherwise be found before the system's own. Call before anything else.
void RestrictDllSearch();

// Loads a DLL from the system folder only. Returns null when it is missing.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Loads the common controls (version 6 through the manifest). Safe to call
// more than once.
void InitControls();

// Window class of the rich-edit control, whose DLL is loaded on first use.
const wchar_t* RichEditClass();

}  // namespace ui
