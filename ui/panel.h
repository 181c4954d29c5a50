#pragma once
// A panel of a form: a child window that fills itself with its colour, draws
// its bevel and hands every notification of its children to the form, which
// owns the handlers.
#include <windows.h>

#include "ui/layout.h"
#include "ui/window.h"

namespace ui {

class PanelWindow : public Window {
public:
    PanelWindow(HBRUSH background, Bevel bevel) : background_(background), bevel_(bevel) {}
    HBRUSH Background() const { return background_; }

    // Registers the panel class (ui/layout_rules.h names it); once is enough.
    static void Register();

protected:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc, bool background);

    HBRUSH background_;
    Bevel bevel_;
};

}  // namespace ui
