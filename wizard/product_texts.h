#pragma once
// The installer's own texts that more than one of its windows uses.
#include <windows.h>

// Caption of the install window, of the exit question and of the install
// window's errors.
extern const wchar_t kInstallerCaption[];

// The question asked before the user leaves the installer. True means leave.
bool ConfirmExit(HWND owner);
