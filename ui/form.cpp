// A form's way from its layout table into a window, top to bottom: it is
// shown, the dialog manager creates an empty dialog, WM_INITDIALOG builds the
// frame and then every control in one loop over the placed table, and from
// then on the form turns the controls' notifications into its handlers.
#include "ui/form.h"

#include <richedit.h>

#include <exception>
#include <optional>

#include "base/error.h"
#include "base/module.h"
#include "base/text.h"
#include "ui/display.h"
#include "ui/gdi_cache.h"
#include "ui/label_fit.h"
#include "ui/layout_rules.h"
#include "ui/message.h"
#include "ui/page_keys.h"
#include "ui/panel.h"
#include "ui/picture.h"
#include "ui/platform.h"

namespace ui {

namespace {

[[noreturn]] void FailCreating(base::Cause what) { throw base::Error(what, GetLastError()); }

// The program's icon for the taskbar button and, where the border shows one,
// the caption. Shared icons from the module need no clean-up.
void SetProgramIcon(HWND hwnd) {
    for (auto [kind, size] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
        const int px = GetSystemMetrics(size);
        if (HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, px, px, LR_SHARED))
            SendMessageW(hwnd, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
}

// The rich-text view wraps at its edge on a window-coloured background and
// starts with the text of the raw-data resource its table entry names.
void PrepareRichEdit(HWND view, const ControlSpec& c) {
    SendMessageW(view, EM_SETTARGETDEVICE, 0, 0);
    SendMessageW(view, EM_SETBKGNDCOLOR, TRUE, 0);  // the system's window colour, following a theme change
    if (!c.text) return;
    if (auto text = base::FindRawResource(base::ProgramModule(), c.text))
        SetWindowTextW(view, base::Widen(*text).c_str());
}

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

// The dialog the form starts from: its frame only, with no menu, class,
// title or controls.
std::vector<WORD> EmptyDialog(Border border) {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = FormStyle(border);
    d->dwExtendedStyle = kFormExStyle;
    return t;
}

bool IsPushButton(const ControlSpec* spec) {
    return spec && (spec->kind == Kind::Button || spec->kind == Kind::PictureButton);
}

void RunMessageLoop(HWND mainWindow) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsWindow(mainWindow) && IsDialogMessageW(mainWindow, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

// What a built window owns: fonts, brushes, panels, each control with its
// layout entry and picture, and the DPI it is laid out for.
struct Form::Made {
    HWND hwnd;
    const ControlSpec* spec;
    base::ScopedBitmap picture;
    bool radioChecked = false;
};

struct Form::Built {
    GdiCache gdi;
    int dpi = kTableDpi;
    std::vector<std::unique_ptr<PanelWindow>> panels;
    std::vector<Made> controls;  // in the order they were made: a few dozen at most
    HBRUSH formBrush = nullptr;
    HWND tips = nullptr;
    int cancelId = 0;
    std::optional<PageKeys> pageKeys;

    Made* Find(HWND h) {
        for (Made& m : controls)
            if (m.hwnd == h) return &m;
        return nullptr;
    }

    Made* Find(int id) {
        for (Made& m : controls)
            if (m.spec->id == id) return &m;
        return nullptr;
    }

    const ControlSpec* SpecOf(HWND h) {
        const Made* m = Find(h);
        return m ? m->spec : nullptr;
    }

    const PanelWindow* PanelOf(HWND h) const {
        for (const auto& panel : panels)
            if (panel->hwnd() == h) return panel.get();
        return nullptr;
    }

    HBRUSH BackgroundOf(HWND parent) const {
        const PanelWindow* panel = PanelOf(parent);
        return panel ? panel->Background() : formBrush;
    }
};

Form::Form(const FormSpec& spec) : spec_(spec) {}

Form::~Form() { Destroy(); }

// ---- showing and ending ----

int Form::ShowModal(HWND owner) {
    shown_ = Shown::Modal;
    modalResult_ = 0;
    const std::vector<WORD> t = EmptyDialog(spec_.border);
    INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                                        owner, DialogProc,
                                        reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
    shown_ = Shown::Modeless;
    if (r == -1) FailCreating(base::Cause::WindowNotMade);
    return static_cast<int>(r);
}

HWND Form::Create(HWND owner) {
    shown_ = Shown::Modeless;
    return CreateWindowFromTemplate(owner);
}

void Form::RunAsMainWindow() {
    shown_ = Shown::Main;
    RunMessageLoop(CreateWindowFromTemplate(nullptr));
}

HWND Form::CreateWindowFromTemplate(HWND owner) {
    modalResult_ = 0;
    const std::vector<WORD> t = EmptyDialog(spec_.border);
    HWND h = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(t.data()),
                                        owner, DialogProc,
                                        reinterpret_cast<LPARAM>(static_cast<Window*>(this)));
    if (!h) FailCreating(base::Cause::WindowNotMade);
    ShowWindow(h, SW_SHOW);
    return h;
}

void Form::Destroy() {
    if (hwnd()) DestroyWindow(hwnd());
}

void Form::SetModalResult(int result) {
    modalResult_ = result;
    if (shown_ == Shown::Modal && hwnd()) EndDialog(hwnd(), result);
}

void Form::Close() {
    if (shown_ == Shown::Main)
        Destroy();
    else
        SetModalResult(kCancel);
}

// ---- the window's messages ----

// What a busy form does instead of its usual answer; false when the message
// takes its usual way.
bool Form::HandleBusy(UINT msg, WPARAM wp) {
    const auto answer = [this](LONG_PTR result) {
        SetWindowLongPtrW(hwnd(), DWLP_MSGRESULT, result);
        return true;
    };
    switch (msg) {
    case WM_COMMAND: case WM_CLOSE: return true;  // sent from outside too: the taskbar, another program
    case WM_SYSCOMMAND: return (wp & 0xFFF0) == SC_CLOSE;
    case WM_QUERYENDSESSION: return answer(FALSE);
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return answer(TRUE);
    }
    return false;
}

LRESULT Form::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (busy_ && HandleBusy(msg, wp)) return TRUE;
    switch (msg) {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE;
    case WM_CTLCOLORDLG:
        return reinterpret_cast<LRESULT>(built_ ? built_->formBrush : nullptr);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return ColorStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_DPICHANGED:  // moved to a screen of another scale
        Rescale(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
        return TRUE;
    case WM_SYSCOLORCHANGE:  // the picture button's face colour is baked into its bitmap
        if (built_) ApplyLooks();
        InvalidateRect(hwnd(), nullptr, TRUE);
        return FALSE;
    case WM_COMMAND:
        Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return TRUE;
    case WM_CLOSE:
        Close();  // the close box ends the form without any question
        return TRUE;
    case WM_DESTROY:
        if (shown_ == Shown::Main) PostQuitMessage(0);
        return FALSE;
    case WM_NCDESTROY:
        Unbuild();
        return FALSE;
    }
    return FALSE;
}

void Form::OnInitDialog() {
    Build();
    Guard([this] { FormCreate(); });
    if (HWND first = FirstFocusable(hwnd())) SetFocus(first);
}

// ---- building the window from the table ----

void Form::Build() {
    PanelWindow::Register();
    built_ = std::make_unique<Built>();
    built_->formBrush = built_->gdi.Brush(spec_.background);
    built_->dpi = WindowDpi(hwnd());
    LeaveDpiChangesToDialog(hwnd());
    SetUpFrame();
    CreateControls();
    ApplyLooks();
    for (auto& [control, id] : bindings_) control->hwnd_ = Item(id);
}

// The caption, the table's client size at the window's DPI centred on the
// screen, and the program's icon.
void Form::SetUpFrame() {
    SetWindowTextW(hwnd(), spec_.caption);
    const SIZE size = FrameSize(hwnd(), ClientSize(spec_, built_->dpi), built_->dpi);
    const POINT at = CentredOn(nullptr, size);
    SetWindowPos(hwnd(), nullptr, at.x, at.y, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    SetProgramIcon(hwnd());
}

std::vector<Placed> Form::Placement() const {
    const SIZE client = ClientSize(spec_, built_->dpi);
    return PlaceControls(spec_, RECT{0, 0, client.cx, client.cy}, built_->dpi);
}

void Form::CreateControls() {
    const ControlSpec* previous = nullptr;
    for (const Placed& p : Placement()) {
        const ControlSpec& c = *p.spec;
        const bool followsRadio = previous && previous->parent == c.parent && previous->kind == Kind::Radio;
        HWND h = CreateControl(p, followsRadio);
        built_->controls.push_back({h, &c});
        if (c.flags & kCancelButton) built_->cancelId = c.id;
        if (c.kind == Kind::RichEdit) PrepareRichEdit(h, c);
        if (c.flags & kPageKeys) built_->pageKeys.emplace(hwnd(), h);
        if (c.tip) AddTooltip(hwnd(), built_->tips, h, c.tip);
        previous = &c;
    }
}

// Lays the built window out again at another DPI: the frame at the place the
// system suggests, every control where the table puts it at that DPI, the
// fonts and pictures to match.
void Form::Rescale(int dpi, const RECT& suggested) {
    if (!built_ || dpi <= 0) return;
    built_->dpi = dpi;
    const SIZE size = FrameSize(hwnd(), ClientSize(spec_, dpi), dpi);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Placed& p : Placement())
        SetWindowPos(Item(p.spec->id), nullptr, p.rect.left, p.rect.top, p.rect.right - p.rect.left,
                     p.rect.bottom - p.rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyLooks();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

// The fonts, label sizes, bevels and button pictures at the window's DPI.
void Form::ApplyLooks() {
    const int dpi = built_->dpi;
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(built_->gdi.Font(ScaledFont(spec_.font, dpi))), FALSE);
    for (Made& m : built_->controls) ApplyLooks(m);
    for (auto& panel : built_->panels) panel->SetBevelWidth(BevelWidth(dpi));
}

HWND Form::CreateControl(const Placed& p, bool followsRadio) {
    const ControlSpec& c = *p.spec;
    ControlStyle cs = StyleOf(c, followsRadio);
    if (!cs.cls) cs.cls = RichEditClass();
    Window* object = nullptr;
    if (c.kind == Kind::Panel) {
        const COLORREF color = c.background == kInherit ? spec_.background : c.background;
        built_->panels.push_back(std::make_unique<PanelWindow>(color, built_->gdi.Brush(color), c.bevel));
        object = built_->panels.back().get();
    }
    HWND h = CreateWindowExW(cs.exStyle, cs.cls, c.text && c.kind != Kind::RichEdit ? c.text : L"", cs.style,
                             p.rect.left, p.rect.top, p.rect.right - p.rect.left, p.rect.bottom - p.rect.top,
                             c.parent ? Item(c.parent) : hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                             GetModuleHandleW(nullptr), object);
    if (!h) FailCreating(base::Cause::ControlNotMade);
    return h;
}

// The control's font at the DPI, a label's size to fit it, and its picture.
void Form::ApplyLooks(Made& m) {
    const HWND h = m.hwnd;
    const ControlSpec& c = *m.spec;
    const FontSpec font = ScaledFont(FontOf(c, spec_), built_->dpi);
    if (c.kind == Kind::Label && (c.flags & kAutoSize) && c.text) {
        // At 96 DPI the table's font holds exactly, whatever the room.
        const int most = built_->dpi == kTableDpi ? 0 : kMostPixelsSmaller;
        FitLabelToText(h, c.text, [&](int smaller) {
            FontSpec f = font;
            f.height -= smaller;
            return smaller <= most ? built_->gdi.Font(f) : nullptr;
        });
    } else {
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(built_->gdi.Font(font)), TRUE);
    }
    if (c.picture) {
        const bool onButton = c.kind == Kind::PictureButton;
        base::ScopedBitmap bmp = LoadPicture(c.picture, onButton, built_->dpi);
        if (bmp && onButton) SendMessageW(h, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp.get()));
        // The old bitmap goes only now that the button no longer shows it.
        if (bmp) m.picture = std::move(bmp);
    }
}

void Form::Unbuild() {
    for (auto& [control, id] : bindings_) control->hwnd_ = nullptr;
    built_.reset();
}

HWND Form::Item(int id) const {
    if (!built_) return nullptr;
    const Made* m = built_->Find(id);
    return m ? m->hwnd : nullptr;
}

// ---- from notifications to handlers ----

void Form::Guard(const std::function<void()>& action) {
    try {
        action();
    } catch (const base::Error& e) {
        ShowErrorReport(hwnd(), e.text());
    } catch (const std::exception& e) {
        ShowErrorReport(hwnd(), base::Widen(e.what()));
    } catch (...) {
        ShowErrorReport(hwnd(), base::Error(base::Cause::Unexpected).text());
    }
}

void Form::Command(int id, int code, HWND control) {
    if (!built_) return;
    const ControlSpec* spec = built_->SpecOf(control);
    if (id == IDCANCEL && !spec) {
        // Esc: the dialog manager asks for Cancel; the form's Cancel button answers.
        if (built_->cancelId) Click(built_->cancelId);
    } else if (id == IDOK && !spec) {
        // Enter: no button is the default, so Enter presses the focused push button.
        const ControlSpec* focused = built_->SpecOf(GetFocus());
        if (IsPushButton(focused)) Click(focused->id);
    } else if (!spec) {
        // nothing of the table
    } else if (code == BN_CLICKED && IsPushButton(spec)) {
        Click(id);
    } else if (code == BN_CLICKED && spec->kind == Kind::Radio) {
        RadioClicked(id, control);
    } else if (code == EN_CHANGE) {
        Run(changes_, id);
    }
}

// A radio button's handler runs when the click selects it, not for a click
// on the one already selected.
void Form::RadioClicked(int id, HWND control) {
    const bool was = built_->Find(control)->radioChecked;
    const bool now = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    auto refresh = [this] {
        for (Made& m : built_->controls)
            if (m.spec->kind == Kind::Radio) m.radioChecked = SendMessageW(m.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    };
    refresh();
    if (now && !was) Run(clicks_, id);
    if (built_) refresh();
}

void Form::SetHandler(Handlers& handlers, int id, std::function<void()> handler) {
    for (Handler& h : handlers) {
        if (h.id != id) continue;
        h.run = std::move(handler);
        return;
    }
    handlers.push_back({id, std::move(handler)});
}

void Form::Run(const Handlers& handlers, int id) {
    for (const Handler& h : handlers)
        if (h.id == id) return Guard(h.run);
}

void Form::Click(int id) {
    HWND button = Item(id);
    // A disabled button never acts, whatever delivered the click.
    if (!button || !IsWindowEnabled(button)) return;
    const ControlSpec* spec = built_->SpecOf(button);
    Run(clicks_, id);
    if (spec && spec->modalResult && hwnd()) SetModalResult(spec->modalResult);
}

LRESULT Form::ColorStatic(HDC dc, HWND control) {
    if (!built_) return 0;
    const ControlSpec* spec = built_->SpecOf(control);
    const PanelWindow* panel = built_->PanelOf(GetParent(control));
    const COLORREF background = panel ? panel->Color() : spec_.background;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Resolve(TextColorOf(spec ? *spec : ControlSpec{}, background, HighContrast())));
    return reinterpret_cast<LRESULT>(built_->BackgroundOf(GetParent(control)));
}

void Form::DrawItem(const DRAWITEMSTRUCT& item) {
    if (!built_) return;
    const Made* m = built_->Find(item.hwndItem);
    if (!m) return;
    DrawPicture(item, m->picture.get(), m->spec->fit, built_->BackgroundOf(GetParent(item.hwndItem)));
}

}  // namespace ui
