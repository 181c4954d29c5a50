#include "ui/layout_rules.h"

#include <algorithm>
#include <climits>

#include <commctrl.h>

namespace ui {
namespace {

bool Focusable(Kind k) {
    return k == Kind::Button || k == Kind::PictureButton || k == Kind::Edit || k == Kind::Radio ||
           k == Kind::RichEdit;
}

void DockInto(Placed& p, Dock pass, RECT& area, int dpi) {
    const int w = Scale(p.spec->w, dpi), h = Scale(p.spec->h, dpi);
    switch (pass) {
    case Dock::Top: p.rect = {area.left, area.top, area.right, area.top + h}; area.top += h; break;
    case Dock::Bottom: p.rect = {area.left, area.bottom - h, area.right, area.bottom}; area.bottom -= h; break;
    case Dock::Left: p.rect = {area.left, area.top, area.left + w, area.bottom}; area.left += w; break;
    default: p.rect = area; break;
    }
}

int FocusKey(const Placed& p) { return p.spec->focusOrder < 0 ? INT_MAX : p.spec->focusOrder; }

}  // namespace

int Scale(int px, int dpi) { return MulDiv(px, dpi, kTableDpi); }

SIZE ClientSize(const FormSpec& form, int dpi) {
    return SIZE{Scale(form.clientWidth, dpi), Scale(form.clientHeight, dpi)};
}

FontSpec ScaledFont(const FontSpec& font, int dpi) {
    // Half a pixel rounds down: text grows a little wider than its height
    // when scaled, and a table's boxes were made for the text at 96 DPI.
    FontSpec f = font;
    f.height = (2 * font.height * dpi + kTableDpi - 1) / (2 * kTableDpi);
    return f;
}

int BevelWidth(int dpi) { return std::max(1, Scale(1, dpi)); }

std::vector<Placed> PlaceChildren(const FormSpec& form, int parentId, RECT area, int dpi) {
    std::vector<Placed> out;
    for (size_t i = 0; i < form.controlCount; ++i) {
        const ControlSpec& c = form.controls[i];
        const int x = Scale(c.x, dpi), y = Scale(c.y, dpi);
        if (c.parent == parentId) out.push_back({&c, {x, y, x + Scale(c.w, dpi), y + Scale(c.h, dpi)}});
    }
    for (Dock pass : {Dock::Top, Dock::Bottom, Dock::Left, Dock::Fill})
        for (Placed& p : out)
            if (p.spec->dock == pass) DockInto(p, pass, area, dpi);
    // In focus order, those without one last; equals keep the table's order.
    // A handful of controls: an insertion sort does.
    for (size_t i = 1; i < out.size(); ++i)
        for (size_t j = i; j > 0 && FocusKey(out[j]) < FocusKey(out[j - 1]); --j) std::swap(out[j], out[j - 1]);
    return out;
}

std::vector<Placed> PlaceControls(const FormSpec& form, RECT formClient, int dpi) {
    std::vector<Placed> out = PlaceChildren(form, 0, formClient, dpi);
    for (size_t i = 0; i < out.size(); ++i) {
        if (out[i].spec->kind != Kind::Panel) continue;
        const RECT r = out[i].rect;
        for (const Placed& child :
             PlaceChildren(form, out[i].spec->id, {0, 0, r.right - r.left, r.bottom - r.top}, dpi))
            out.push_back(child);
    }
    return out;
}

COLORREF TextColorOf(const ControlSpec& c, COLORREF background, bool highContrast) {
    const bool fixed = c.color != kSystemText && !(c.color & kSysColor);
    if (c.color != kSystemText && !(fixed && highContrast)) return c.color;
    return background == kFaceColor ? SysColor(COLOR_BTNTEXT) : SysColor(COLOR_WINDOWTEXT);
}

ControlStyle StyleOf(const ControlSpec& c, bool followsRadio) {
    ControlStyle s{L"STATIC", 0, 0};
    switch (c.kind) {
    case Kind::Label: s = {L"STATIC", DWORD((c.flags & kCenter) ? SS_CENTER : SS_LEFT) | SS_NOPREFIX, 0}; break;
    case Kind::Panel: s = {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT}; break;
    case Kind::Button: s = {L"BUTTON", BS_PUSHBUTTON, 0}; break;
    case Kind::PictureButton: s = {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0}; break;
    case Kind::Edit: s = {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE}; break;
    case Kind::Radio: s = {L"BUTTON", BS_AUTORADIOBUTTON, 0}; break;
    case Kind::Picture: s = {L"STATIC", SS_OWNERDRAW, 0}; break;
    case Kind::RichEdit:
        s = {nullptr, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE};
        break;
    case Kind::Progress: s = {PROGRESS_CLASSW, PBS_SMOOTH, 0}; break;
    }
    s.style |= WS_CHILD;
    if (!(c.flags & kHidden)) s.style |= WS_VISIBLE;
    if (Focusable(c.kind) && c.focusOrder >= 0 && !(c.flags & kNoTabStop)) s.style |= WS_TABSTOP;
    if (c.kind != Kind::Radio || !followsRadio) s.style |= WS_GROUP;
    if (c.flags & kDisabled) s.style |= WS_DISABLED;
    return s;
}

DWORD FormStyle(Border border) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_3DLOOK | DS_SETFOREGROUND;
    return style | (border == Border::Dialog ? DWORD(DS_MODALFRAME) : DWORD(WS_BORDER));
}

const FontSpec& FontOf(const ControlSpec& c, const FormSpec& form) { return c.font.face ? c.font : form.font; }

}  // namespace ui
