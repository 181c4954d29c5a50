#pragma once
// The names of the payload's files, as the sample RunImage (demo/) holds them
// and the installation leaves them, and of the shortcuts it makes: written
// once for the tests of every kind.
#include <string>

namespace testing_support {

inline const std::wstring kProgramFile = L"Vel.exe";
// The program as the shortcuts name it.
inline const std::wstring kLinkedProgramFile = L"vel.exe";
inline const std::wstring kLibraryFile = L"wysw8.dll";
inline const std::wstring kHelpFile = L"VELHELP.HLP";
inline const std::wstring kHelpContentsFile = L"velhelp.cnt";
inline const std::wstring kDataFolder = L"Dane";
inline const std::wstring kSettingsFile = kDataFolder + L"\\tablica.ini";
inline const std::wstring kTextsFile = kDataFolder + L"\\teksty.txt";
inline const std::wstring kReadmeFile = kDataFolder + L"\\czytaj.txt";

// The shortcut on the desktop, and the Start menu's folder holding the other.
inline const std::wstring kShortcutFile = L"Velandra.lnk";
inline const std::wstring kMenuFolder = L"Velandra";

}  // namespace testing_support
