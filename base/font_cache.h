#pragma once
// Fonts made once per description and deleted together: the forms' fonts
// and the print engine's fonts for the printer.
#include <windows.h>

#include <utility>
#include <vector>

#include "base/handles.h"

namespace base {

class FontCache {
public:
    // The font lf describes, made on first use; null when GDI cannot make it
    // (nothing is kept then, so a later call tries again).
    HFONT Get(const LOGFONTW& lf);

private:
    std::vector<std::pair<LOGFONTW, ScopedFont>> fonts_;
};

}  // namespace base
