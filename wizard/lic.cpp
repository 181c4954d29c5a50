#include "wizard/lic.h"

#include "base/error.h"
#include "base/text.h"
#include "report/memo_buf.h"
#include "ui/status_window.h"
#include "wizard/texts.h"
#include "wizard/witaj.h"

TLic_win::TLic_win(HMODULE licenceModule) : ui::Form(kLayout), licenceModule_(licenceModule) {
    Bind(Panel1, kPanel1);
    Bind(Button1, kButton1);
    Bind(Button2, kButton2);
    Bind(Panel2, kPanel2);
    Bind(Panel3, kPanel3);
    Bind(Label1, kLabel1);
    Bind(Label2, kLabel2);
    Bind(Button3, kButton3);
    Bind(Label3, kLabel3);
    Bind(Label4, kLabel4);
    Bind(RichEdit1, kRichEdit1);
    Bind(RadioButton1, kRadioButton1);
    Bind(RadioButton2, kRadioButton2);
    Bind(Image1, kImage1);
    Bind(Button4, kButton4);
    OnClick(kRadioButton1, [this] { RadioButton1Click(); });
    OnClick(kRadioButton2, [this] { RadioButton2Click(); });
    OnClick(kButton1, [this] { Button1Click(); });
    OnClick(kButton4, [this] { Button4Click(); });
    RvSystem1.Title = kPrintTitle;
    RvSystem1.OnPrint = [this](report::Report& r) { RvSystem1Print(r); };
}

void TLic_win::FormCreate() {
    auto rtf = base::FindRawResource(licenceModule_, L"Lic");
    if (!rtf) throw base::Error(kNoLicence);
    RichEdit1.LoadRtf(*rtf);
}

void TLic_win::RadioButton1Click() {
    Button2.SetEnabled(RadioButton1.Checked());
    RadioButton2.SetChecked(!RadioButton1.Checked());
}

void TLic_win::RadioButton2Click() {
    RadioButton1.SetChecked(!RadioButton2.Checked());
    Button2.SetEnabled(RadioButton1.Checked());
}

void TLic_win::Button1Click() {
    if (ConfirmExit(hwnd())) SetModalResult(ui::kCancel);
}

void TLic_win::Button4Click() {
    // The job's progress shows in a status window over this page.
    ui::StatusWindow status(hwnd(), RvSystem1.StatusCaption, RvSystem1.StatusText);
    RvSystem1.Execute({[&status](int page) { return status.ShowPage(page); },
                       [&status] { return status.Finish(); }});
}

namespace {

std::string RtfOf(const ui::RichEdit& view) {
    DWORD error = 0;
    std::optional<std::string> rtf = view.SaveRtf(&error);
    if (!rtf) throw base::Error(Fill(kAgreementUnreadable, {base::Decimal(error)}));
    return *rtf;
}

}  // namespace

void PrintAgreement(report::Report& report, const std::string& rtf) {
    report::MemoBuf buffer(report);
    buffer.SetRTF(rtf);
    buffer.PrintStart = 1.5;
    buffer.PrintEnd = 8.0;
    report.GotoXY(0, report.YPos() + 0.5);
    buffer.PrintAll();
}

void TLic_win::RvSystem1Print(report::Report& report) { PrintAgreement(report, RtfOf(RichEdit1)); }
