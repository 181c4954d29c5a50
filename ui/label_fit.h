#pragma once
// Labels sized to their text.
#include <windows.h>

#include <functional>
#include <string>

namespace ui {

// Sizes a label to its text: as wide as the text, as high as a line, in the
// font fontFor(0). Text that would run past the parent's right edge takes
// fontFor(1), fontFor(2) ... instead, up to kMostPixelsSmaller pixels smaller
// or until fontFor answers null: the tables leave little room at 96 DPI, and
// text grows a little more than the scale at larger sizes. Returns the font
// the label now shows.
inline constexpr int kMostPixelsSmaller = 3;
HFONT FitLabelToText(HWND label, const std::wstring& text, const std::function<HFONT(int smaller)>& fontFor);

}  // namespace ui
