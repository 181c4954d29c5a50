#pragma once
// Work that runs on a form's own thread for a while (an installation). The
// form stays alive: the work calls Progress often, which now and then lets the
// form paint and answer the system and drops the user's input. The form shows
// how far the work is on its progress bar and its taskbar button, and asks
// the system not to end the session meanwhile, giving the reason.
#include <windows.h>

#include <shobjidl.h>

#include "base/handles.h"
#include "ui/form.h"

namespace ui {

class BusyForm {
public:
    // The bar is shown from now until the object goes.
    BusyForm(Form& form, ProgressBar& bar, const wchar_t* shutdownReason);
    ~BusyForm();
    BusyForm(const BusyForm&) = delete;
    BusyForm& operator=(const BusyForm&) = delete;

    // The work to come, in units of the work's choosing; 0 is work done at once.
    void Expect(unsigned long long total);
    // done of the total; it only grows. Shown, and the form kept alive, at
    // most every few tens of milliseconds, and at once when the work is done.
    void Progress(unsigned long long done);

private:
    void Show();
    void KeepAlive();

    Form& form_;
    ProgressBar& bar_;
    base::ComPtr<ITaskbarList3> taskbar_;  // null where the shell offers none
    unsigned long long total_ = 0, done_ = 0;
    ULONGLONG lastShown_ = 0;
};

// Removes the keyboard and mouse messages still queued for this thread, and
// what the system holds for it (PeekMessage moves that into the queue as it
// goes).
void DiscardPendingInput();

}  // namespace ui
