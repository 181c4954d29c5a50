#pragma once
// The print engine's handle owners: the window layer's scoped types, plus the
// two kinds only printing needs.
#include <windows.h>

#include "ui/handles.h"

namespace report {

inline BOOL WINAPI DestroyWindowAdapter(HWND w) { return DestroyWindow(w); }
inline BOOL WINAPI DeleteEmfAdapter(HENHMETAFILE m) { return DeleteEnhMetaFile(m); }

using DcHandle = ui::ScopedDC;
using FontHandle = ui::ScopedFont;
using EmfHandle = ui::Scoped<HENHMETAFILE, ui::NullTraits<HENHMETAFILE, DeleteEmfAdapter>>;
using WindowHandle = ui::Scoped<HWND, ui::NullTraits<HWND, DestroyWindowAdapter>>;
using SelectScope = ui::SelectIn;

}  // namespace report
