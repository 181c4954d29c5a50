#pragma once
// The shell's special folders go through one seam so window tests can name
// them in-process (and pretend the shell does not know one).
#include <windows.h>
#include <shtypes.h>

#include <functional>
#include <optional>
#include <string>

namespace ui {

using SpecialFolderHandler = std::function<std::optional<std::wstring>(int csidl)>;

// The file-system path of a special folder (CSIDL_* identifier), without a
// trailing backslash as the shell gives it; nothing when the shell cannot name
// the folder or it has no file-system path.
std::optional<std::wstring> SpecialFolderPath(int csidl);

// Turns a shell item list into its file-system path and frees the list.
// Nothing when the item is virtual (has no file-system path) or the list null.
std::optional<std::wstring> TakePathOf(ITEMIDLIST* pidl);

// Replaces the handler; an empty handler restores the shell. Returns the
// previous one.
SpecialFolderHandler SetSpecialFolderHandler(SpecialFolderHandler handler);

}  // namespace ui
