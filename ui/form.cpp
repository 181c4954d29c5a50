#include "ui/form.h"

#include <richedit.h>

#include <algorithm>
#include <exception>

#include "base/error.h"
#include "base/module.h"
#include "base/text.h"
#include "ui/message.h"
#include "ui/platform.h"

namespace ui {

namespace {

const wchar_t kPanelClass[] = L"VelPanel";

COLORREF Resolve(COLORREF c) {
    return (c & kSysColor) ? GetSysColor(static_cast<int>(c & 0xFF)) : c;
}

struct PanelLook {
    HBRUSH brush;
    Bevel bevel;
};

void PaintPanel(HWND hwnd, HDC dc, bool background) {
    auto* look = reinterpret_cast<PanelLook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!look) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    if (background) FillRect(dc, &rc, look->brush);
    if (look->bevel == Bevel::Raised) DrawEdge(dc, &rc, BDR_RAISEDINNER, BF_RECT);
}

// A panel fills itself with its colour, draws its bevel and hands every
// notification of its children to the form, which owns the handlers.
LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_ERASEBKGND:
        PaintPanel(hwnd, reinterpret_cast<HDC>(wp), true);
        return 1;
    case WM_PRINTCLIENT:
        PaintPanel(hwnd, reinterpret_cast<HDC>(wp), true);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        PaintPanel(hwnd, dc, false);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
        return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void RegisterPanelClass() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{sizeof(wc)};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512) /* IDC_ARROW */);
    wc.lpszClassName = kPanelClass;
    done = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Focusable(Kind k) {
    return k == Kind::Button || k == Kind::PictureButton || k == Kind::Edit || k == Kind::Radio ||
           k == Kind::RichEdit;
}

// Replaces the picture's background (the colour of its top-left pixel) with
// the button face, so the picture sits on the button like a transparent one.
void BlendIntoButtonFace(HBITMAP bmp) {
    DIBSECTION ds{};
    if (GetObjectW(bmp, sizeof(ds), &ds) != sizeof(ds) || ds.dsBm.bmBitsPixel != 24 ||
        !ds.dsBm.bmBits)
        return;
    auto* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
    const int stride = ds.dsBm.bmWidthBytes, w = ds.dsBm.bmWidth, h = ds.dsBm.bmHeight;
    // Bottom-up: the first row in memory is the picture's last.
    const BYTE* key = bits + static_cast<size_t>(stride) * (h - 1);
    const BYTE kb = key[0], kg = key[1], kr = key[2];
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 0; y < h; ++y) {
        BYTE* p = bits + static_cast<size_t>(stride) * y;
        for (int x = 0; x < w; ++x, p += 3) {
            if (p[0] == kb && p[1] == kg && p[2] == kr) {
                p[0] = GetBValue(face);
                p[1] = GetGValue(face);
                p[2] = GetRValue(face);
            }
        }
    }
}

}  // namespace

// What a built window owns: fonts, brushes, pictures and the map from
// controls to their layout entries.
struct Form::Built {
    std::vector<std::pair<FontSpec, base::ScopedFont>> fonts;
    std::vector<std::pair<COLORREF, base::ScopedBrush>> brushes;
    std::map<int, base::ScopedBitmap> pictures;
    std::map<int, HWND> items;
    std::map<HWND, const ControlSpec*> specs;
    std::vector<std::unique_ptr<PanelLook>> looks;  // panels keep pointers to these
    std::map<HWND, const PanelLook*> panels;
    std::map<int, bool> radioChecked;
    HBRUSH formBrush = nullptr;
    int cancelId = 0;

    HFONT Font(const FontSpec& f) {
        for (auto& [spec, font] : fonts)
            if (spec.face == f.face && spec.height == f.height && spec.bold == f.bold &&
                spec.italic == f.italic && spec.charset == f.charset)
                return font.get();
        LOGFONTW lf{};
        lf.lfHeight = -f.height;
        lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = f.italic;
        lf.lfCharSet = f.charset;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, f.face ? f.face : L"Tahoma", LF_FACESIZE);
        fonts.emplace_back(f, base::ScopedFont(CreateFontIndirectW(&lf)));
        return fonts.back().second.get();
    }

    HBRUSH Brush(COLORREF c) {
        if (c & kSysColor) return GetSysColorBrush(static_cast<int>(c & 0xFF));
        for (auto& [color, brush] : brushes)
            if (color == c) return brush.get();
        brushes.emplace_back(c, base::ScopedBrush(CreateSolidBrush(c)));
        return brushes.back().second.get();
    }

    const ControlSpec* SpecOf(HWND h) const {
        auto it = specs.find(h);
        return it == specs.end() ? nullptr : it->second;
    }

    HBRUSH BackgroundOf(HWND parent) const {
        auto it = panels.find(parent);
        return it == panels.end() ? formBrush : it->second->brush;
    }
};

Form::Form(const FormSpec& spec) : spec_(spec) {}

Form::~Form() { Destroy(); }

std::vector<WORD> Form::Template() const {
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_3DLOOK | DS_SETFOREGROUND;
    DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    if (spec_.border == Border::Dialog)
        style |= DS_MODALFRAME;
    else
        style |= WS_BORDER;
    // DLGTEMPLATE, then empty menu, class and title arrays; no items.
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = style;
    d->dwExtendedStyle = exStyle;
    return t;
}

int Form::ShowModal(HWND owner) {
    modal_ = true;
    modalResult_ = 0;
    std::vector<WORD> t = Template();
    INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                        DialogProc, reinterpret_cast<LPARAM>(this));
    modal_ = false;
    if (r == -1) throw base::Error(L"Nie można utworzyć okna: " + base::SystemErrorText(GetLastError()));
    return static_cast<int>(r);
}

HWND Form::Create(HWND owner, bool mainWindow) {
    modal_ = false;
    mainWindow_ = mainWindow;
    modalResult_ = 0;
    std::vector<WORD> t = Template();
    HWND h = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                        reinterpret_cast<const DLGTEMPLATE*>(t.data()), owner,
                                        DialogProc, reinterpret_cast<LPARAM>(this));
    if (!h) throw base::Error(L"Nie można utworzyć okna: " + base::SystemErrorText(GetLastError()));
    ShowWindow(h, SW_SHOW);
    return h;
}

void Form::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

HWND Form::Item(int id) const {
    if (!built_) return nullptr;
    auto it = built_->items.find(id);
    return it == built_->items.end() ? nullptr : it->second;
}

void Form::SetModalResult(int result) {
    modalResult_ = result;
    if (modal_ && hwnd_) EndDialog(hwnd_, result);
}

void Form::Close() {
    if (mainWindow_) {
        if (hwnd_) DestroyWindow(hwnd_);
    } else {
        SetModalResult(kCancel);
    }
}

bool Form::PressKey(UINT vk) {
    HWND target = GetFocus();
    if (!target || (target != hwnd_ && !IsChild(hwnd_, target))) target = hwnd_;
    bool handled = false;
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
        MSG m{target, msg, vk, static_cast<LPARAM>(msg == WM_KEYUP ? 0xC0000001u : 1u), GetTickCount(), {}};
        if (IsDialogMessageW(hwnd_, &m)) {
            handled = true;
        } else {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (!hwnd_) break;  // the key ended the window
        target = GetFocus() ? GetFocus() : hwnd_;
    }
    return handled;
}

void Form::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::Error& e) {
        ShowErrorReport(hwnd_, e.text());
    } catch (const std::exception& e) {
        ShowErrorReport(hwnd_, base::Widen(e.what()));
    } catch (...) {
        ShowErrorReport(hwnd_, L"Nieoczekiwany błąd");
    }
}

INT_PTR CALLBACK Form::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Form*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    try {
        return self->Handle(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through the system's window code.
        return FALSE;
    }
}

namespace {

HWND FirstFocusable(HWND parent) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG_PTR style = GetWindowLongPtrW(c, GWL_STYLE);
        if (!(style & WS_VISIBLE) || (style & WS_DISABLED)) continue;
        if (GetWindowLongPtrW(c, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
            if (HWND inner = FirstFocusable(c)) return inner;
        } else if (style & WS_TABSTOP) {
            return c;
        }
    }
    return nullptr;
}

}  // namespace

INT_PTR Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_INITDIALOG:
        InitWindow(hwnd_);
        Guard([this] { FormCreate(); });
        if (HWND first = FirstFocusable(hwnd_)) SetFocus(first);
        return FALSE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(built_ ? built_->formBrush : nullptr);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
        DrawPicture(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_COMMAND:
        Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return TRUE;
    case WM_CLOSE:
        // The close box ends the form without any question.
        Close();
        return TRUE;
    case WM_DESTROY:
        if (mainWindow_) PostQuitMessage(0);
        return FALSE;
    case WM_NCDESTROY:
        for (auto& [control, id] : bindings_) control->hwnd_ = nullptr;
        built_.reset();
        hwnd_ = nullptr;
        return FALSE;
    }
    return FALSE;
}

void Form::Command(int id, int code, HWND control) {
    if (!built_) return;
    if (id == IDCANCEL && !built_->SpecOf(control)) {
        // Esc: the dialog manager asks for Cancel; the form's Cancel button answers.
        if (built_->cancelId) Click(built_->cancelId);
        return;
    }
    if (id == IDOK && !built_->SpecOf(control)) {
        // Enter: no button is the default, so Enter presses the focused push button.
        HWND focus = GetFocus();
        const ControlSpec* focused = built_->SpecOf(focus);
        if (focused && (focused->kind == Kind::Button || focused->kind == Kind::PictureButton))
            Click(focused->id);
        return;
    }
    const ControlSpec* spec = built_->SpecOf(control);
    if (!spec) return;  // Enter with no default button, and the like
    if (code == BN_CLICKED && (spec->kind == Kind::Button || spec->kind == Kind::PictureButton)) {
        Click(id);
    } else if (code == BN_CLICKED && spec->kind == Kind::Radio) {
        bool was = built_->radioChecked[id];
        bool now = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        auto refresh = [this] {
            for (auto& [rid, checked] : built_->radioChecked)
                checked = SendMessageW(Item(rid), BM_GETCHECK, 0, 0) == BST_CHECKED;
        };
        refresh();
        auto it = clicks_.find(id);
        if (now && !was && it != clicks_.end()) Guard(it->second);
        if (built_) refresh();
    } else if (code == EN_CHANGE) {
        auto it = changes_.find(id);
        if (it != changes_.end()) Guard(it->second);
    }
}

void Form::Click(int id) {
    HWND button = Item(id);
    // A disabled button never acts, whatever delivered the click.
    if (!button || !IsWindowEnabled(button)) return;
    const ControlSpec* spec = built_->SpecOf(button);
    auto it = clicks_.find(id);
    if (it != clicks_.end()) Guard(it->second);
    if (spec && spec->modalResult && hwnd_) SetModalResult(spec->modalResult);
}

INT_PTR Form::ColorStatic(HDC dc, HWND control) {
    if (!built_) return 0;
    const ControlSpec* spec = built_->SpecOf(control);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Resolve(spec ? spec->color : kWindowTextColor));
    return reinterpret_cast<INT_PTR>(built_->BackgroundOf(GetParent(control)));
}

void Form::DrawPicture(const DRAWITEMSTRUCT& item) {
    if (!built_) return;
    const ControlSpec* spec = built_->SpecOf(item.hwndItem);
    if (!spec) return;
    RECT rc = item.rcItem;
    FillRect(item.hDC, &rc, built_->BackgroundOf(GetParent(item.hwndItem)));
    auto it = built_->pictures.find(spec->id);
    if (it == built_->pictures.end()) return;
    BITMAP bm{};
    GetObjectW(it->second.get(), sizeof(bm), &bm);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (spec->fit == Fit::Proportional && bm.bmWidth > 0 && bm.bmHeight > 0) {
        double scale = std::min(double(w) / bm.bmWidth, double(h) / bm.bmHeight);
        w = int(bm.bmWidth * scale + 0.5);
        h = int(bm.bmHeight * scale + 0.5);
    }
    base::ScopedDC mem(CreateCompatibleDC(item.hDC));
    base::SelectIn sel(mem.get(), it->second.get());
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, rc.left, rc.top, w, h, mem.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
}

namespace {

struct Placed {
    const ControlSpec* spec;
    RECT rect;  // within the parent
};

// Docks the parent's children in the order top, bottom, left, fill; the rest
// keep their table position.
std::vector<Placed> Place(const FormSpec& form, int parentId, RECT area) {
    std::vector<Placed> out;
    for (size_t i = 0; i < form.controlCount; ++i) {
        const ControlSpec& c = form.controls[i];
        if (c.parent == parentId) out.push_back({&c, {c.x, c.y, c.x + c.w, c.y + c.h}});
    }
    for (Dock pass : {Dock::Top, Dock::Bottom, Dock::Left, Dock::Fill}) {
        for (Placed& p : out) {
            if (p.spec->dock != pass) continue;
            const int w = p.spec->w, h = p.spec->h;
            switch (pass) {
            case Dock::Top: p.rect = {area.left, area.top, area.right, area.top + h}; area.top += h; break;
            case Dock::Bottom: p.rect = {area.left, area.bottom - h, area.right, area.bottom}; area.bottom -= h; break;
            case Dock::Left: p.rect = {area.left, area.top, area.left + w, area.bottom}; area.left += w; break;
            default: p.rect = area; break;
            }
        }
    }
    // Creation order is the keyboard focus order among siblings.
    std::stable_sort(out.begin(), out.end(), [](const Placed& a, const Placed& b) {
        auto key = [](const Placed& p) { return p.spec->focusOrder < 0 ? 1 << 30 : p.spec->focusOrder; };
        return key(a) < key(b);
    });
    return out;
}

struct ClassAndStyle {
    const wchar_t* cls;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle StyleOf(const ControlSpec& c) {
    switch (c.kind) {
    case Kind::Label:
        return {L"STATIC", DWORD((c.flags & kCenter) ? SS_CENTER : SS_LEFT) | SS_NOPREFIX, 0};
    case Kind::Panel: return {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case Kind::Button: return {L"BUTTON", BS_PUSHBUTTON, 0};
    case Kind::PictureButton: return {L"BUTTON", BS_PUSHBUTTON | BS_BITMAP, 0};
    case Kind::Edit: return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case Kind::Radio: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case Kind::Picture: return {L"STATIC", SS_OWNERDRAW, 0};
    case Kind::RichEdit:
        return {RichEditClass(), ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
                WS_EX_CLIENTEDGE};
    }
    return {L"STATIC", 0, 0};
}

SIZE TextSize(HWND control, HFONT font, const std::wstring& text) {
    base::WindowDC dc(control);
    base::SelectIn sel(dc.get(), font);
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    size.cy = tm.tmHeight;
    return size;
}

}  // namespace

void Form::InitWindow(HWND hwnd) {
    RegisterPanelClass();
    built_ = std::make_unique<Built>();
    built_->formBrush = built_->Brush(spec_.background);
    SetWindowTextW(hwnd, spec_.caption);

    RECT frame{0, 0, spec_.clientWidth, spec_.clientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
    SetWindowPos(hwnd, nullptr, (GetSystemMetrics(SM_CXSCREEN) - fw) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - fh) / 2, fw, fh, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(built_->Font(spec_.font)), FALSE);
    // The program's icon for the taskbar button and, where the border shows
    // one, the caption. Shared icons from the module need no clean-up.
    for (auto [kind, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int px = GetSystemMetrics(size);
        if (HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, px, px, LR_SHARED))
            SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }

    // Parents before children: panels are built as they are met.
    std::vector<std::pair<int, HWND>> pending{{0, hwnd}};
    while (!pending.empty()) {
        auto [parentId, parent] = pending.front();
        pending.erase(pending.begin());
        RECT area;
        GetClientRect(parent, &area);
        bool previousRadio = false;
        for (const Placed& p : Place(spec_, parentId, area)) {
            const ControlSpec& c = *p.spec;
            ClassAndStyle cs = StyleOf(c);
            DWORD style = WS_CHILD | WS_VISIBLE | cs.style;
            const bool isRadio = c.kind == Kind::Radio;
            if (Focusable(c.kind) && c.focusOrder >= 0 && !(c.flags & kNoTabStop)) style |= WS_TABSTOP;
            if (!isRadio || !previousRadio) style |= WS_GROUP;
            previousRadio = isRadio;
            if (c.flags & kDisabled) style |= WS_DISABLED;
            void* param = nullptr;
            if (c.kind == Kind::Panel) {
                HBRUSH brush = built_->Brush(c.background == kInherit ? spec_.background : c.background);
                built_->looks.push_back(std::make_unique<PanelLook>(PanelLook{brush, c.bevel}));
                param = built_->looks.back().get();
            }
            HWND h = CreateWindowExW(cs.exStyle, cs.cls, c.text && c.kind != Kind::RichEdit ? c.text : L"",
                                     style, p.rect.left, p.rect.top, p.rect.right - p.rect.left,
                                     p.rect.bottom - p.rect.top, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                     GetModuleHandleW(nullptr), param);
            if (!h) throw base::Error(L"Nie można utworzyć kontrolki: " + base::SystemErrorText(GetLastError()));
            if (c.kind == Kind::Panel) {
                built_->panels[h] = built_->looks.back().get();
                pending.push_back({c.id, h});
            }
            built_->items[c.id] = h;
            built_->specs[h] = &c;
            if (c.flags & kCancelButton) built_->cancelId = c.id;
            if (isRadio) built_->radioChecked[c.id] = false;
            FontSpec font = c.font.face ? c.font : spec_.font;
            HFONT hf = built_->Font(font);
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(hf), FALSE);
            if (c.kind == Kind::Label && (c.flags & kAutoSize) && c.text) {
                SIZE s = TextSize(h, hf, c.text);
                SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (c.picture) {
                // Only the button picture is edited in place and needs a DIB section;
                // the others may be RLE-compressed, which a DIB section cannot hold.
                const UINT load = c.kind == Kind::PictureButton ? LR_CREATEDIBSECTION : 0;
                auto bmp = static_cast<HBITMAP>(
                    LoadImageW(GetModuleHandleW(nullptr), c.picture, IMAGE_BITMAP, 0, 0, load));
                if (bmp && c.kind == Kind::PictureButton) {
                    BlendIntoButtonFace(bmp);
                    SendMessageW(h, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
                }
                if (bmp) built_->pictures[c.id] = base::ScopedBitmap(bmp);
            }
            if (c.kind == Kind::RichEdit) {
                SendMessageW(h, EM_SETTARGETDEVICE, 0, 0);  // wrap at the window's edge
                SendMessageW(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
                if (c.text) {
                    if (auto text = base::FindRawResource(base::ProgramModule(), c.text))
                        SetWindowTextW(h, base::Widen(*text).c_str());
                }
            }
        }
    }
    for (auto& [control, id] : bindings_) control->hwnd_ = Item(id);
}

void RunMessageLoop(HWND mainWindow) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsWindow(mainWindow) && IsDialogMessageW(mainWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace ui
