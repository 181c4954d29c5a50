#pragma once
// The rules that turn a layout table into windows, as plain functions of the
// table: where each control goes, in which order the controls are made, and
// the class and styles of each. Nothing here touches a window.
#include <windows.h>

#include <vector>

#include "ui/layout.h"

namespace ui {

// Window class of the panels (ui/panel.h registers it).
inline constexpr wchar_t kPanelClass[] = L"VelPanel";

struct Placed {
    const ControlSpec* spec;
    RECT rect;  // within the parent's client area
};

// The tables' pixels are meant for 96 DPI. A window at another DPI scales
// each position and size by dpi / 96 to the nearest pixel, so controls of one
// size in the table stay of one size.
inline constexpr int kTableDpi = 96;
int Scale(int px, int dpi);
SIZE ClientSize(const FormSpec& form, int dpi);
// The font at the DPI: its character height scaled, a half pixel down.
FontSpec ScaledFont(const FontSpec& font, int dpi);
// A panel's bevel: one pixel at 96 DPI, thicker as the DPI grows.
int BevelWidth(int dpi);

// The children of one parent within its client area, in creation order,
// which is the focus order among siblings (controls without one come last,
// in table order). Docked controls take the area's edges in the order top,
// bottom, left, fill; the rest keep their table position. Both at the DPI.
std::vector<Placed> PlaceChildren(const FormSpec& form, int parentId, RECT area, int dpi = kTableDpi);

// Every control of the form in creation order: the form's own children
// first, then each panel's children in the order the panels were made, so a
// parent always exists before its children. A panel's children are placed
// within the panel's own size.
std::vector<Placed> PlaceControls(const FormSpec& form, RECT formClient, int dpi = kTableDpi);

// The colour of a control's text, as a layout colour, on a parent of the
// given background: the system's text colour for that background unless the
// table fixes one, and always the system's under a high-contrast theme.
COLORREF TextColorOf(const ControlSpec& c, COLORREF background, bool highContrast);

struct ControlStyle {
    const wchar_t* cls;  // null for the rich-text view: its class comes with its DLL
    DWORD style;         // WS_CHILD | WS_VISIBLE and the rest
    DWORD exStyle;
};

// Class and styles of a control. It is a tab stop when its kind can take the
// focus, it has a focus order and is not marked kNoTabStop. A radio button
// made right after another of the same parent joins that one's group; every
// other control starts a group.
ControlStyle StyleOf(const ControlSpec& c, bool followsRadio);

// Styles of the form's own window.
DWORD FormStyle(Border border);
constexpr DWORD kFormExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The control's font: its own when it names a face, otherwise the form's.
const FontSpec& FontOf(const ControlSpec& c, const FormSpec& form);

}  // namespace ui
