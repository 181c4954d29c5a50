#include "wizard/witaj.h"

#include "ui/message.h"
#include "wizard/texts.h"

bool ConfirmExit(HWND owner) {
    return ui::ShowMessage(owner, kExitQuestion, kInstallerCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

Twitaj_win::Twitaj_win() : ui::Form(kLayout) {
    Bind(Image1, kImage1);
    Bind(Panel1, kPanel1);
    Bind(Label1, kLabel1);
    Bind(Label2, kLabel2);
    Bind(Label3, kLabel3);
    Bind(Label4, kLabel4);
    Bind(Label5, kLabel5);
    Bind(Label6, kLabel6);
    Bind(Label7, kLabel7);
    Bind(Button1, kButton1);
    Bind(Button2, kButton2);
    Bind(Label9, kLabel9);
    OnClick(kButton1, [this] { Button1Click(); });
}

void Twitaj_win::Button1Click() {
    if (ConfirmExit(hwnd())) SetModalResult(ui::kCancel);
}
