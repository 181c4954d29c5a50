#pragma once
// Seam for the shell link object behind the shortcuts, so a test can make
// its creation fail or hand back an object without the needed interfaces.
#include <objbase.h>

#include <functional>

// Creates the link object and returns its IUnknown in *object.
using ShellLinkFactory = std::function<HRESULT(IUnknown** object)>;

// Replaces the factory; an empty one restores CoCreateInstance of the shell's
// link class. Returns the previous one.
ShellLinkFactory SetShellLinkFactory(ShellLinkFactory factory);
