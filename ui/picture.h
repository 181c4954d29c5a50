#pragma once
// The bitmaps of picture controls and picture buttons, from the program's
// resources.
#include <windows.h>

#include "base/handles.h"
#include "ui/layout.h"

namespace ui {

// Loads a bitmap resource of the program. A picture button's copy has its
// background (the colour of its top-left pixel) turned into the button face,
// so it sits on the button like a transparent one, and is scaled from 96 DPI
// to the given one: the button shows it at its own size.
base::ScopedBitmap LoadPicture(const wchar_t* name, bool forButton, int dpi = 96);

// Paints an owner-drawn picture control: the background, then the picture
// stretched over the control or, proportionally, as large as fits from its
// top-left corner.
void DrawPicture(const DRAWITEMSTRUCT& item, HBITMAP picture, Fit fit, HBRUSH background);

}  // namespace ui
