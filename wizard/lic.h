#pragma once
// The licence agreement page.
#include <string>

#include "base/module.h"
#include "report/print_job.h"
#include "ui/form.h"

// The agreement on paper: the text in the column from 1.5 to 8 inches, half
// an inch below where the report stands. The page's print job prints it.
void PrintAgreement(report::Report& report, const std::string& rtf);

class TLic_win : public ui::Form {
public:
    enum Id {
        kPanel1 = 100, kButton1, kButton2, kPanel2, kPanel3, kLabel1, kLabel2, kButton3, kLabel3,
        kLabel4, kRichEdit1, kRadioButton1, kRadioButton2, kImage1, kButton4
    };
    static const ui::FormSpec kLayout;

    // The licence document is read from licenceModule (the program itself
    // unless a test says otherwise).
    explicit TLic_win(HMODULE licenceModule = base::ProgramModule());

    ui::Panel Panel1;
    ui::Button Button1;
    ui::Button Button2;
    ui::Panel Panel2;
    ui::Panel Panel3;
    ui::Label Label1;
    ui::Label Label2;
    ui::Button Button3;
    ui::Label Label3;
    ui::Label Label4;
    ui::RichEdit RichEdit1;
    ui::RadioButton RadioButton1;
    ui::RadioButton RadioButton2;
    ui::Picture Image1;
    ui::Button Button4;
    report::PrintJob RvSystem1;

    void FormCreate() override;
    void RadioButton1Click();
    void RadioButton2Click();
    void Button1Click();
    void Button4Click();
    void RvSystem1Print(report::Report& report);

private:
    HMODULE licenceModule_;
};
