#pragma once
// The small window shown while a job produces its pages: a caption, a line
// "Generating page N" and a Cancel button. Its owner is disabled meanwhile so
// the job cannot be started again from it.
#include <windows.h>

#include <string>

#include "base/handles.h"

namespace report {

inline BOOL WINAPI DestroyWindowAdapter(HWND w) { return DestroyWindow(w); }
using WindowHandle = base::Scoped<HWND, base::NullTraits<HWND, DestroyWindowAdapter>>;

class StatusWindow {
public:
    StatusWindow(HWND owner, const std::wstring& caption, const std::wstring& textPattern);
    ~StatusWindow();
    StatusWindow(const StatusWindow&) = delete;
    StatusWindow& operator=(const StatusWindow&) = delete;

    // Shows the page number in place of %p in the pattern.
    void SetPage(int page);
    // Handles the waiting messages; true once Cancel was chosen.
    bool Pump();
    bool Cancelled() const { return cancelled_; }
    HWND Handle() const { return window_.get(); }
    // Closes the window and gives the owner back its input.
    void Close();

private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp);
    void Create();

    HWND owner_;
    bool ownerWasEnabled_ = false;
    std::wstring caption_, pattern_;
    WindowHandle window_;
    HWND text_ = nullptr;
    base::ScopedFont font_;
    bool cancelled_ = false;
};

}  // namespace report
