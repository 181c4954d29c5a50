#pragma once
// Scoped owners for the GDI and window handles the print engine uses.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace report {

struct DcDeleter { void operator()(HDC dc) const { if (dc) DeleteDC(dc); } };
struct GdiObjectDeleter { void operator()(HGDIOBJ o) const { if (o) DeleteObject(o); } };
struct EmfDeleter { void operator()(HENHMETAFILE m) const { if (m) DeleteEnhMetaFile(m); } };
struct WindowDeleter { void operator()(HWND w) const { if (w) DestroyWindow(w); } };

using DcHandle = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using EmfHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EmfDeleter>;
using WindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

// Selects an object into a DC for the lifetime of the scope.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectScope() { SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace report
