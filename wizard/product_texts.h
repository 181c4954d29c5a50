#pragma once
// The installer's own texts that more than one of its windows uses.
#include <windows.h>

#include <string>

#include "base/error.h"

// Caption of the install window, of the exit question and of the install
// window's errors.
extern const wchar_t kInstallerCaption[];

// The question asked before the user leaves the installer. True means leave.
bool ConfirmExit(HWND owner);

// The words of an error that a layer below the installer names by its cause.
std::wstring ErrorWords(const base::Error& error);

// A system error code in the system's words, or as "Błąd systemu N" when the
// system has none.
std::wstring SystemWords(unsigned long code);
