#pragma once
// The shortcuts made at the end of an installation: one shell link to the
// installed program, saved on the desktop and in a programs-menu folder.
#include <objbase.h>

#include <functional>
#include <string>

// Which of the two shortcuts could be saved somewhere.
struct ShortcutsSaved {
    bool desktop = false;
    bool menu = false;
};

// The desktop and programs-menu shortcuts to vel.exe in folder (an install
// target: full, collapsed). The shared folders first; the user's own when the
// shell cannot name the shared one or it refuses the save. Throws base::Error
// when the shell's link object cannot be made or lacks its interfaces.
ShortcutsSaved CreateShortcuts(const std::wstring& folder);

// The program the shortcuts point at: folder + "\vel.exe", collapsed.
std::wstring ShortcutTarget(const std::wstring& folder);

// Seam for the shell link object behind the shortcuts, so a test can make its
// creation fail or hand back an object without the needed interfaces.
// Creates the link object and returns its IUnknown in *object.
using ShellLinkFactory = std::function<HRESULT(IUnknown** object)>;

// Replaces the factory; an empty one restores CoCreateInstance of the shell's
// link class. Returns the previous one.
ShellLinkFactory SetShellLinkFactory(ShellLinkFactory factory);
