#pragma once
// Font descriptions, and fonts made once per description and deleted together: the forms' fonts
// and the print engine's fonts for the printer.
#include <windows.h>

#include <utility>
#include <vector>

#include "base/handles.h"

namespace base {

// The font of a face at a character height in pixels (the cell height less
// internal leading), everything else left to the font mapper.
LOGFONTW FontOf(const wchar_t* face, int height, bool bold, bool italic, bool underline = false,
                BYTE charset = DEFAULT_CHARSET);

class FontCache {
public:
    // The font lf describes, made on first use; null when GDI cannot make it
    // (nothing is kept then, so a later call tries again).
    HFONT Get(const LOGFONTW& lf);

private:
    std::vector<std::pair<LOGFONTW, ScopedFont>> fonts_;
};

}  // namespace base
