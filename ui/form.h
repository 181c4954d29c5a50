#pragma once
// A window built from a layout table. One Form object maps to one window; the
// window's procedure finds the object through the window's user data.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "base/handles.h"
#include "ui/controls.h"
#include "ui/layout.h"

namespace ui {

// How a modal form ended.
enum PageResult : int { kNext = 1, kCancel = 2, kBack = 4 };

class Form {
public:
    explicit Form(const FormSpec& spec);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window, shows it modally and destroys it when it ends.
    int ShowModal(HWND owner = nullptr);
    // Creates the window without a modal loop (tests, and the main window).
    // A main window ends the message loop when it is destroyed.
    HWND Create(HWND owner = nullptr, bool mainWindow = false);
    void Destroy();

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const;
    int ModalResult() const { return modalResult_; }
    // Ends a modal form with the result; a form without a modal loop only
    // records it.
    void SetModalResult(int result);
    // Ends the form: a modal one with Cancel, a main window by destroying it.
    void Close();

    // Delivers a key to the window through the dialog manager, as the message
    // loop would (Esc, Enter, Tab ...). Used by the window tests.
    bool PressKey(UINT vk);

protected:
    // Runs once the controls exist, before the window is shown.
    virtual void FormCreate() {}

    void Bind(Control& control, int id) { bindings_.push_back({&control, id}); }
    void OnClick(int id, std::function<void()> handler) { clicks_[id] = std::move(handler); }
    void OnChange(int id, std::function<void()> handler) { changes_[id] = std::move(handler); }

    // Runs a handler: an error it raises is shown by the default error report
    // and the window goes on.
    void Guard(const std::function<void()>& action);

private:
    struct Built;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    INT_PTR Handle(UINT msg, WPARAM wp, LPARAM lp);
    void InitWindow(HWND hwnd);
    void Command(int id, int code, HWND control);
    void Click(int id);
    INT_PTR ColorStatic(HDC dc, HWND control);
    void DrawPicture(const DRAWITEMSTRUCT& item);
    std::vector<WORD> Template() const;

    const FormSpec& spec_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool mainWindow_ = false;
    int modalResult_ = 0;
    std::unique_ptr<Built> built_;
    std::vector<std::pair<Control*, int>> bindings_;
    std::map<int, std::function<void()>> clicks_;
    std::map<int, std::function<void()>> changes_;
};

// Runs the message loop of a main window until it is destroyed.
void RunMessageLoop(HWND mainWindow);

}  // namespace ui
