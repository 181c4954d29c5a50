#pragma once
// A window's layout as data: every control with its place and looks, in
// pixels at 96 DPI. A form (ui/form.h) builds the window from such a table,
// scaled to the window's DPI.
#include <windows.h>

#include <cstddef>

namespace ui {

enum class Kind { Label, Panel, Button, PictureButton, Edit, Radio, Picture, RichEdit, Progress };
enum class Dock { None, Top, Bottom, Left, Fill };
enum class Bevel { None, Raised };
enum class Fit { Stretch, Proportional };
enum class Border { Dialog, Single };

// A colour: an RGB value, or a system colour index marked with kSysColor.
constexpr COLORREF kSysColor = 0x80000000u;
constexpr COLORREF SysColor(int index) { return kSysColor | static_cast<COLORREF>(index); }
constexpr COLORREF kFaceColor = SysColor(COLOR_BTNFACE);
// The system's window colour: white in the normal schemes, dark in the
// high-contrast ones, where a fixed white would leave white text on white.
constexpr COLORREF kWindowColor = SysColor(COLOR_WINDOW);
constexpr COLORREF kInherit = 0x40000000u;     // the parent's background
constexpr COLORREF kSystemText = 0x20000000u;  // the system's text colour for the background

// Font by character height in pixels (the cell height less internal leading).
struct FontSpec {
    const wchar_t* face = nullptr;  // null: the form's font
    int height = 0;
    bool bold = false;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
};

// Control flags.
enum : unsigned {
    kDisabled = 1u << 0,     // created disabled
    kAutoSize = 1u << 1,     // label sized to its text
    kCenter = 1u << 2,       // text centred in the control's box
    kNoTabStop = 1u << 3,    // keeps its place in the focus order but is skipped by Tab
    kCancelButton = 1u << 4, // Esc activates it
    kHidden = 1u << 5,       // created hidden; code shows it when it has something to say
    kPageKeys = 1u << 6,     // a view the page keys scroll wherever the focus is (ui/page_keys.h)
};

struct ControlSpec {
    int id;                   // unique within the form, from 100 up
    Kind kind;
    int parent = 0;           // id of the panel that holds it; 0: the form
    int x = 0, y = 0, w = 0, h = 0;
    const wchar_t* text = nullptr;  // caption; for a rich-text view the name of
                                    // a raw-data resource with its initial text
    int focusOrder = -1;      // order among the parent's children; -1: not focusable
    FontSpec font = {};
    COLORREF color = kSystemText;       // text colour; a fixed one yields to the
                                        // system's under a high-contrast theme
    COLORREF background = kInherit;     // panels
    unsigned flags = 0;
    int modalResult = 0;      // buttons: pressing ends a modal form with this result
    const wchar_t* picture = nullptr;  // bitmap resource name
    const wchar_t* tip = nullptr;      // tooltip
    Fit fit = Fit::Stretch;
    Dock dock = Dock::None;
    Bevel bevel = Bevel::None;
};

struct FormSpec {
    const wchar_t* caption;
    int clientWidth, clientHeight;
    Border border;
    COLORREF background;
    FontSpec font;
    const ControlSpec* controls;
    size_t controlCount;
};

template <size_t N>
constexpr FormSpec MakeForm(const wchar_t* caption, int w, int h, Border border, COLORREF bg,
                            FontSpec font, const ControlSpec (&controls)[N]) {
    return FormSpec{caption, w, h, border, bg, font, controls, N};
}

}  // namespace ui
