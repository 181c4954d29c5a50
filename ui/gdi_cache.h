#pragma once
// The fonts and brushes a form's layout asks for, made once each and freed
// with the form.
#include <windows.h>

#include <utility>
#include <vector>

#include "base/font_cache.h"
#include "base/handles.h"
#include "ui/layout.h"

namespace ui {

// A layout colour as an RGB value (system colours looked up).
COLORREF Resolve(COLORREF color);

class GdiCache {
public:
    HFONT Font(const FontSpec& font);
    // A system colour gives the system's own brush.
    HBRUSH Brush(COLORREF color);

private:
    base::FontCache fonts_;
    std::vector<std::pair<COLORREF, base::ScopedBrush>> brushes_;
};

}  // namespace ui
