#include "tests/support/window_test.h"

#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <map>

#include <gtest/gtest.h>

#include "base/handles.h"
#include "ui/display.h"
#include "ui/shell_folders.h"

namespace testing_support {

MessageScript::MessageScript() {
    ui::SetMessageHandler([this](const ui::MessageRequest& r) {
        asked_.push_back(r);
        if (look_) look_();
        if (replies_.empty()) {
            // An unexpected question: answer No/OK so the window goes on.
            return (r.type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
        }
        int reply = replies_.front();
        replies_.pop_front();
        return reply;
    });
}

MessageScript::~MessageScript() { ui::SetMessageHandler(nullptr); }

ShellFolders::ShellFolders(const ScratchFolder& scratch) {
    folders_ = {
        {CSIDL_PROGRAM_FILES, scratch / L"Program Files"},
        {CSIDL_COMMON_DESKTOPDIRECTORY, scratch / L"Public\\Desktop"},
        {CSIDL_DESKTOPDIRECTORY, scratch / L"User\\Desktop"},
        {CSIDL_COMMON_PROGRAMS, scratch / L"ProgramData\\Programs"},
        {CSIDL_PROGRAMS, scratch / L"User\\Programs"},
    };
    for (auto& [id, path] : folders_) MakeFolders(*path);
    ui::SetSpecialFolderHandler([this](int csidl) -> std::optional<std::wstring> {
        auto it = folders_.find(csidl);
        return it == folders_.end() ? std::nullopt : it->second;
    });
}

ShellFolders::~ShellFolders() { ui::SetSpecialFolderHandler(nullptr); }

FolderPicks::FolderPicks() {
    ui::SetFolderPickHandler([this](const ui::FolderPickRequest& r) -> std::optional<std::wstring> {
        asked_.push_back(r);
        if (replies_.empty()) return std::nullopt;
        auto reply = replies_.front();
        replies_.erase(replies_.begin());
        return reply;
    });
}

FolderPicks::~FolderPicks() { ui::SetFolderPickHandler(nullptr); }

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool Click(const ui::Control& button) {
    if (!button.Enabled()) return false;
    SendMessageW(button.hwnd(), BM_CLICK, 0, 0);
    return true;
}

bool PressKey(HWND window, UINT vk) {
    HWND target = GetFocus();
    if (!target || (target != window && !IsChild(window, target))) target = window;
    bool handled = false;
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP}) {
        MSG m{target, msg, vk, static_cast<LPARAM>(msg == WM_KEYUP ? 0xC0000001u : 1u), GetTickCount(), {}};
        if (IsDialogMessageW(window, &m)) {
            handled = true;
        } else {
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        if (!IsWindow(window)) break;  // the key ended the window
        target = GetFocus() ? GetFocus() : window;
    }
    return handled;
}

RECT RectIn(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ExpectRect(HWND control, HWND parent, RECT want) {
    EXPECT_EQ(parent, GetParent(control));
    RECT r = RectIn(control);
    EXPECT_EQ(want.left, r.left);
    EXPECT_EQ(want.top, r.top);
    EXPECT_EQ(want.right, r.right);
    EXPECT_EQ(want.bottom, r.bottom);
}

void ExpectPlaces(const std::vector<Place>& table, int dpi) {
    ASSERT_TRUE(dpi == 96 || dpi == 144) << dpi << " DPI";
    for (const Place& p : table) {
        const RECT want = dpi == 96 ? p.at96 : p.at144;
        if (EqualRect(&want, &kUnchecked)) continue;
        SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(p.control) << " at " << dpi << " DPI");
        if (!p.cornerOnly) {
            ExpectRect(p.control, p.parent, want);
            continue;
        }
        EXPECT_EQ(p.parent, GetParent(p.control));
        const RECT r = RectIn(p.control);
        EXPECT_EQ(want.left, r.left);
        EXPECT_EQ(want.top, r.top);
    }
}

LOGFONTW FontOf(HWND control) {
    LOGFONTW lf{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

int FontCharHeight(HWND control) { return -FontOf(control).lfHeight; }

std::wstring FontFace(HWND control) { return FontOf(control).lfFaceName; }

COLORREF ScreenPicture::At(int x, int y) const {
    const BYTE* p = bits.data() + Stride() * size_t(height - 1 - y) + size_t(x) * 3;
    return RGB(p[2], p[1], p[0]);
}

ScreenPicture CaptureScreen(RECT r) {
    ScreenPicture picture;
    picture.width = r.right - r.left;
    picture.height = r.bottom - r.top;
    if (picture.width <= 0 || picture.height <= 0) return ScreenPicture{};
    base::WindowDC screen(nullptr);
    base::ScopedDC mem(CreateCompatibleDC(screen.get()));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), picture.width, picture.height, 1, 24, BI_RGB};
    void* bits = nullptr;
    base::ScopedBitmap dib(CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib || !bits) return ScreenPicture{};
    {
        base::SelectIn sel(mem.get(), dib.get());
        BitBlt(mem.get(), 0, 0, picture.width, picture.height, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
    }
    const BYTE* p = static_cast<const BYTE*>(bits);
    picture.bits.assign(p, p + picture.Stride() * size_t(picture.height));
    return picture;
}

namespace {

double Luminance(COLORREF c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
}

double Contrast(COLORREF a, COLORREF b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background is the colour most of the label shows; its text is the
// pixel that differs most from it.
void ExpectReadable(HWND label) {
    RECT r{};
    GetWindowRect(label, &r);
    const ScreenPicture picture = CaptureScreen(r);
    ASSERT_FALSE(picture.bits.empty()) << "label " << testing::PrintToString(TextOf(label));
    std::map<COLORREF, int> counts;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) ++counts[picture.At(x, y)];
    const COLORREF background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    double best = 1;
    for (const auto& [color, n] : counts) best = std::max(best, Contrast(color, background));
    EXPECT_GE(best, 4.5) << "label " << testing::PrintToString(TextOf(label)) << " on background 0x" << std::hex
                         << background;
}

}  // namespace

void ExpectLabelsReadableInHighContrast(HWND window) {
    ASSERT_EQ(RGB(0, 0, 0), GetSysColor(COLOR_WINDOW)) << "runs in a prefix with a black high-contrast scheme";
    ui::SetHighContrastHandler([] { return true; });
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    std::vector<HWND> labels;
    EnumChildWindows(
        window,
        [](HWND h, LPARAM out) {
            wchar_t cls[16] = {};
            GetClassNameW(h, cls, 16);
            const LONG_PTR type = GetWindowLongPtrW(h, GWL_STYLE) & SS_TYPEMASK;
            if (lstrcmpiW(cls, L"STATIC") == 0 && type != SS_OWNERDRAW && GetWindowTextLengthW(h) > 0)
                reinterpret_cast<std::vector<HWND>*>(out)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&labels));
    EXPECT_FALSE(labels.empty());
    for (HWND label : labels) ExpectReadable(label);
    ui::SetHighContrastHandler(nullptr);
}

SIZE ClientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

std::wstring TextOf(HWND window) {
    constexpr UINT kAnswerMs = 10000;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerMs, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                        kAnswerMs, &got);
    text.resize(std::min<size_t>(got, length));
    return text;
}

HWND FindOwnWindow(const std::wstring& caption) {
    struct Search {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (*s->caption != TextOf(w) || !IsWindowVisible(w)) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testing_support
