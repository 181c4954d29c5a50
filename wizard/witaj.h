#pragma once
// The welcome page.
#include "ui/form.h"

// The question every page asks before the user leaves the installer, this
// page first. True means leave.
bool ConfirmExit(HWND owner);

class Twitaj_win : public ui::Form {
public:
    enum Id {
        kImage1 = 100, kPanel1, kLabel1, kLabel2, kLabel3, kLabel4, kLabel5, kLabel6, kLabel7,
        kButton1, kButton2, kLabel9
    };
    static const ui::FormSpec kLayout;

    Twitaj_win();

    ui::Picture Image1;
    ui::Panel Panel1;
    ui::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7;
    ui::Button Button1;
    ui::Button Button2;
    ui::Label Label9;

    void Button1Click();
};
