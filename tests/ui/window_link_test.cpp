// The link from a window to its object: which messages reach the object, and
// when the link is made and ends.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ui/window.h"

namespace {

const wchar_t kClass[] = L"VelLinkTest";

class Recorder : public ui::Window {
public:
    HWND Create() {
        ui::RegisterWindowClass(kClass, nullptr);
        return CreateWindowExW(0, kClass, L"link", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleW(nullptr), static_cast<ui::Window*>(this));
    }
    HWND OpenDialog() {
        std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
        reinterpret_cast<DLGTEMPLATE*>(t.data())->style = WS_POPUP;
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                                          nullptr, DialogProc, reinterpret_cast<LPARAM>(static_cast<ui::Window*>(this)));
    }

    std::vector<UINT> seen;
    HWND hwndAtCreate = nullptr;

protected:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override {
        seen.push_back(msg);
        if (msg == WM_CREATE || msg == WM_INITDIALOG) hwndAtCreate = hwnd();
        if (msg == WM_USER) return 42;
        if (msg == WM_USER + 1) throw std::runtime_error("a handler that fails");
        return dialog ? FALSE : Default(msg, wp, lp);
    }

public:
    bool dialog = false;
};

bool Saw(const Recorder& r, UINT msg) {
    for (UINT m : r.seen)
        if (m == msg) return true;
    return false;
}

TEST(WindowLink, TheObjectHearsTheWindowFromItsCreationToItsEnd) {
    Recorder r;
    HWND w = r.Create();
    ASSERT_NE(nullptr, w);
    ASSERT_FALSE(r.seen.empty());
    EXPECT_EQ(UINT(WM_NCCREATE), r.seen.front()) << "first message of its own, got 0x" << std::hex << r.seen.front();
    EXPECT_TRUE(Saw(r, WM_CREATE));
    EXPECT_EQ(w, r.hwndAtCreate) << "the object knows its window while it is created";
    EXPECT_EQ(w, r.hwnd());
    EXPECT_EQ(42, SendMessageW(w, WM_USER, 0, 0));
    DestroyWindow(w);
    EXPECT_EQ(UINT(WM_NCDESTROY), r.seen.back());
    EXPECT_EQ(nullptr, r.hwnd());
}

TEST(WindowLink, AFailingHandlerDoesNotUnwindThroughTheSystem) {
    Recorder r;
    HWND w = r.Create();
    ASSERT_NE(nullptr, w);
    EXPECT_EQ(0, SendMessageW(w, WM_USER + 1, 0, 0)) << "answered as not handled";
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(42, SendMessageW(w, WM_USER, 0, 0)) << "and the window goes on";
    DestroyWindow(w);
}

TEST(WindowLink, ADialogIsLinkedFromItsInitialisation) {
    Recorder r;
    r.dialog = true;
    HWND d = r.OpenDialog();
    ASSERT_NE(nullptr, d);
    ASSERT_FALSE(r.seen.empty());
    EXPECT_EQ(UINT(WM_INITDIALOG), r.seen.front());
    EXPECT_EQ(d, r.hwndAtCreate);
    SendMessageW(d, WM_USER + 1, 0, 0);  // a failing handler: the dialog goes on
    EXPECT_TRUE(IsWindow(d));
    EXPECT_EQ(UINT(WM_USER + 1), r.seen.back());
    DestroyWindow(d);
    EXPECT_EQ(UINT(WM_NCDESTROY), r.seen.back());
    EXPECT_EQ(nullptr, r.hwnd());
}

TEST(WindowLink, AWindowWithoutAnObjectGetsTheDefaultProcedure) {
    ui::RegisterWindowClass(kClass, nullptr);
    HWND w = CreateWindowExW(0, kClass, L"bare", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, w);
    SetWindowTextW(w, L"still works");
    wchar_t text[32] = {};
    GetWindowTextW(w, text, 32);
    EXPECT_STREQ(L"still works", text);
    DestroyWindow(w);
}

TEST(CentredOn, TheWindowOrTheScreen) {
    HWND over = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 50, 400, 300, nullptr, nullptr, nullptr, nullptr);
    POINT p = ui::CentredOn(over, SIZE{200, 100});
    EXPECT_EQ(200, p.x);
    EXPECT_EQ(150, p.y);
    p = ui::CentredOn(nullptr, SIZE{200, 100});
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - 200) / 2, p.x);
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - 100) / 2, p.y);
    DestroyWindow(over);
}

}  // namespace
