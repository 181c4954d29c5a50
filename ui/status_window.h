#pragma once
// The small window shown while a long job runs page by page: a caption, a
// line "Generating page N" and a Cancel button. It opens with the first page;
// its owner is disabled meanwhile so the job cannot be started again from it.
#include <windows.h>

#include <string>

#include "base/handles.h"
#include "ui/window.h"

namespace ui {

class StatusWindow : public Window {
public:
    StatusWindow(HWND owner, std::wstring caption, std::wstring textPattern);
    ~StatusWindow() override;

    // Shows the page number in place of %p in the pattern, opening the
    // window first if need be, and handles the waiting messages. True once
    // Cancel was chosen.
    bool ShowPage(int page);
    // Handles the waiting messages; true once Cancel was chosen.
    bool Pump();
    bool Cancelled() const { return cancelled_; }
    // A last look at the waiting messages, then Close. True when Cancel was chosen.
    bool Finish();
    // Closes the window and gives the owner back its input.
    void Close();

private:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
    void Open();
    void CreateControls();
    SIZE FrameAt(int dpi) const;  // the outer size at the DPI
    void LayOut(int dpi, const RECT& frame);

    HWND owner_;
    bool ownerWasEnabled_ = false;
    std::wstring caption_, pattern_;
    HWND text_ = nullptr;
    base::ScopedFont font_;
    bool cancelled_ = false;
};

}  // namespace ui
