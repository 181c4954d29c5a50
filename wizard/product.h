#pragma once
// What this installer installs: the names that make the product, in one
// place. The texts the user reads are in texts.h.
#include <string>
#include <vector>

namespace product {

// The folder beside the installer that holds the application's files.
inline constexpr wchar_t kMediumFolder[] = L"RunImage";
// The application's program at the top of that folder, as it ships ...
inline constexpr wchar_t kProgramFile[] = L"Vel.exe";
// ... and as the shortcuts name it.
inline constexpr wchar_t kShortcutProgram[] = L"vel.exe";
// The default target, below the Program Files folder.
inline constexpr wchar_t kDefaultSubfolder[] = L"\\Vantrel\\Velandra";
// The programs-menu folder of the shortcut, and the name of both shortcuts.
inline constexpr wchar_t kMenuFolder[] = L"Velandra";
inline constexpr wchar_t kShortcutFile[] = L"Velandra.lnk";
// Files (by path relative to the medium folder) that replace what the target
// holds; every other file is kept.
extern const std::vector<std::wstring> kOverwriteList;
// Held while an installer runs, on the whole machine.
inline constexpr wchar_t kRunningMutex[] = L"Global\\vel_instaluj.Velandra";

}  // namespace product
