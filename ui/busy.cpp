#include "ui/busy.h"

namespace ui {

namespace {

// Long enough that showing costs nothing next to the work, short enough that
// the form answers at once and the bar moves smoothly.
constexpr ULONGLONG kShowEveryMs = 50;
// A bound on the messages handled at a time, so the work always goes on.
constexpr int kMostMessages = 200;

struct MessageRange {
    UINT first, last;
};
// What the user's hands send: keys, and the mouse over the client area and
// over the frame (the close box among it).
constexpr MessageRange kInput[] = {
    {WM_KEYFIRST, WM_KEYLAST}, {WM_MOUSEFIRST, WM_MOUSELAST}, {WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK}};

bool IsInput(UINT message) {
    for (const MessageRange& range : kInput)
        if (message >= range.first && message <= range.last) return true;
    return false;
}

// Milliseconds by the performance counter: under Wine the tick count stood
// still across a 60 ms sleep, which would have kept the form from its turn.
ULONGLONG NowMs() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<ULONGLONG>(count.QuadPart) * 1000 / static_cast<ULONGLONG>(frequency.QuadPart);
}

base::ComPtr<ITaskbarList3> Taskbar() {
    base::ComPtr<ITaskbarList3> taskbar;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                taskbar.put_void())) ||
        FAILED(taskbar->HrInit()))
        taskbar.reset();
    return taskbar;
}

}  // namespace

void DiscardPendingInput() {
    MSG msg;
    for (const MessageRange& range : kInput)
        while (PeekMessageW(&msg, nullptr, range.first, range.last, PM_REMOVE)) {
        }
}

BusyForm::BusyForm(Form& form, ProgressBar& bar, const wchar_t* shutdownReason)
    : form_(form), bar_(bar), taskbar_(Taskbar()) {
    form_.SetBusy(true);
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    ShutdownBlockReasonCreate(form_.hwnd(), shutdownReason);
    bar_.Reset();
    bar_.SetVisible(true);
    if (taskbar_) taskbar_->SetProgressState(form_.hwnd(), TBPF_NORMAL);
    KeepAlive();
}

BusyForm::~BusyForm() {
    // What came while the form was busy is answered as a busy form answers
    // it: a close posted just now must not close the form after all.
    KeepAlive();
    bar_.SetVisible(false);
    if (taskbar_) taskbar_->SetProgressState(form_.hwnd(), TBPF_NOPROGRESS);
    ShutdownBlockReasonDestroy(form_.hwnd());
    form_.SetBusy(false);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void BusyForm::Expect(unsigned long long total) {
    total_ = total;
    done_ = 0;
    Show();
}

void BusyForm::Progress(unsigned long long done) {
    if (done > done_) done_ = done;
    if (done_ >= total_ || NowMs() - lastShown_ >= kShowEveryMs) Show();
}

void BusyForm::Show() {
    bar_.SetProgress(done_, total_);
    if (taskbar_) {
        // The taskbar takes a share too: an empty work is whole.
        if (total_ == 0)
            taskbar_->SetProgressValue(form_.hwnd(), 1, 1);
        else
            taskbar_->SetProgressValue(form_.hwnd(), done_, total_);
    }
    KeepAlive();
    lastShown_ = NowMs();
}

// Paints, answers what the system and other programs send, and drops the
// user's input, which the busy form would not act on anyway.
void BusyForm::KeepAlive() {
    MSG msg;
    for (int n = 0; n < kMostMessages && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++n) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that waits for it
            return;
        }
        if (!IsInput(msg.message)) DispatchMessageW(&msg);
    }
}

}  // namespace ui
