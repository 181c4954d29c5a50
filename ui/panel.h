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
    PanelWindow(COLORREF color, HBRUSH background, Bevel bevel)
        : color_(color), background_(background), bevel_(bevel) {}
    COLORREF Color() const { return color_; }  // as the layout gives it
    HBRUSH Background() const { return background_; }
    void SetBevelWidth(int width);

    // Registers the panel class (ui/layout_rules.h names it); once is enough.
    static void Register();

protected:
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint(HDC dc, bool background);

    COLORREF color_;
    HBRUSH background_;
    Bevel bevel_;
    int bevelWidth_ = 1;
};

}  // namespace ui
