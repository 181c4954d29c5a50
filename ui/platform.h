#pragma once
#include <windows.h>

namespace ui {

// Loads the common controls (version 6 through the manifest). Safe to call
// more than once.
void InitControls();

// Window class of the rich-edit control, whose DLL is loaded on first use.
const wchar_t* RichEditClass();

}  // namespace ui
