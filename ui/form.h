#pragma once
// A window built from a layout table: a dialog whose controls the table
// describes, with the named members bound to them and handlers for their
// events. One Form object maps to one window (ui/window.h links them).
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/window.h"

namespace ui {

// How a modal form ended.
enum PageResult : int { kNext = 1, kCancel = 2, kBack = 4 };

struct Placed;

class Form : public Window {
public:
    explicit Form(const FormSpec& spec);
    ~Form() override;

    // A form is shown in one of three ways, and Close ends it the same way:
    // - ShowModal runs it modally; Close ends it with Cancel, and the window
    //   is destroyed when ShowModal returns;
    // - RunAsMainWindow shows it as the program's main window and runs the
    //   message loop until the window is destroyed, which Close does;
    // - Create only shows it (the window tests); Close records Cancel.
    int ShowModal(HWND owner = nullptr);
    void RunAsMainWindow();
    HWND Create(HWND owner = nullptr);
    void Destroy();

    HWND Item(int id) const;
    int ModalResult() const { return modalResult_; }
    // Ends a modal form with the result; otherwise only records it.
    void SetModalResult(int result);
    void Close();
    // While busy, the form works on its own thread and takes no input: its
    // controls' commands, the close box and Alt+F4 do nothing, the session
    // may not end, and the cursor is the hourglass (see ui/busy.h).
    void SetBusy(bool busy) { busy_ = busy; }

protected:
    // Runs once the controls exist, before the window is shown.
    virtual void FormCreate() {}

    void Bind(Control& control, int id) { bindings_.push_back({&control, id}); }
    void OnClick(int id, std::function<void()> handler) { SetHandler(clicks_, id, std::move(handler)); }
    void OnChange(int id, std::function<void()> handler) { SetHandler(changes_, id, std::move(handler)); }

    // Runs a handler: an error it raises is shown by the default error report
    // and the window goes on.
    void Guard(const std::function<void()>& action);

private:
    struct Built;
    struct Made;
    enum class Shown { Modeless, Modal, Main };
    // A control's handler; a form has a few.
    struct Handler {
        int id;
        std::function<void()> run;
    };
    using Handlers = std::vector<Handler>;

    HWND CreateWindowFromTemplate(HWND owner);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleBusy(UINT msg, WPARAM wp);
    void OnInitDialog();
    void Build();
    void SetUpFrame();
    std::vector<Placed> Placement() const;
    void CreateControls();
    HWND CreateControl(const Placed& p, bool followsRadio);
    void Rescale(int dpi, const RECT& suggested);
    void ApplyLooks();
    void ApplyLooks(Made& control);
    void Unbuild();

    void Command(int id, int code, HWND control);
    void RadioClicked(int id, HWND control);
    void Click(int id);
    static void SetHandler(Handlers& handlers, int id, std::function<void()> handler);
    void Run(const Handlers& handlers, int id);
    LRESULT ColorStatic(HDC dc, HWND control);
    void DrawItem(const DRAWITEMSTRUCT& item);

    const FormSpec& spec_;
    Shown shown_ = Shown::Modeless;
    int modalResult_ = 0;
    bool busy_ = false;
    std::unique_ptr<Built> built_;
    std::vector<std::pair<Control*, int>> bindings_;
    Handlers clicks_;
    Handlers changes_;
};

}  // namespace ui
