#pragma once
// A print job: records the pages its handler produces while a status window
// shows progress, then sends them to the default printer as one document.
//
// Use from a window:
//     report::PrintJob RvSystem1;                       // a member of the window
//     RvSystem1.Title = L"Wydruk licencji";             // as the spooler shows it
//     RvSystem1.OnPrint = [this](report::Report& r) { RvSystem1Print(r); };
//     ...
//     void TLic_win::Button4Click() { RvSystem1.Execute(handle); }
//     void TLic_win::RvSystem1Print(report::Report& r) {
//         report::MemoBuf buf(r);
//         buf.SetRTF(rtfOfTheView);
//         buf.PrintStart = 1.5;                      // inches from the paper's left edge
//         buf.PrintEnd = 8.0;
//         r.GotoXY(0, r.YPos() + 0.5);               // YPos starts at the top margin
//         buf.PrintAll();
//     }
// Execute throws base::Error when there is no default printer or printing
// fails; Cancel in the status window is no error: nothing is sent. Tests
// replace the printer with report::SetPrinterOpener (printer.h).
#include <windows.h>

#include <functional>
#include <string>

#include "report.h"

namespace report {

class PrintJob {
public:
    // Settings. Units are inches; the output goes to the default printer at
    // once (no output-options dialog), at 100 % scale.
    std::wstring Title;
    Margins Margin;  // 1.0 inch on each side
    int Copies = 1;
    int FirstPage = 1, LastPage = 9999;
    std::wstring StatusCaption = L"Report Status";
    std::wstring StatusText = L"Generating page %p";
    // Texts of the output-options and preview dialogs, which this engine does not show.
    std::wstring OutputOptionsCaption = L"Output Options";
    std::wstring PreviewCaption = L"Report Preview";
    int PreviewZoom = 100;

    // The report handler, called once per run.
    std::function<void(Report&)> OnPrint;

    // Runs the job; false when the user cancelled it in the status window.
    bool Execute(HWND owner);
};

}  // namespace report
