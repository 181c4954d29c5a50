#pragma once
// A print job: records the pages its handler produces, telling whoever shows
// its progress about each page, then sends them to the default printer as
// one document. It draws no window of its own.
//
// Use from a window:
//     report::PrintJob RvSystem1;                       // a member of the window
//     RvSystem1.Title = L"Wydruk licencji";             // as the spooler shows it
//     RvSystem1.OnPrint = [this](report::Report& r) { RvSystem1Print(r); };
//     ...
//     void TLic_win::Button4Click() {
//         ui::StatusWindow status(handle, RvSystem1.StatusCaption, RvSystem1.StatusText);
//         RvSystem1.Execute({[&](int page) { return status.ShowPage(page); },
//                            [&] { return status.Finish(); }});
//     }
//     void TLic_win::RvSystem1Print(report::Report& r) {
//         report::MemoBuf buf(r);
//         buf.SetRTF(rtfOfTheView);
//         buf.PrintStart = 1.5;                      // inches from the paper's left edge
//         buf.PrintEnd = 8.0;
//         r.GotoXY(0, r.YPos() + 0.5);               // YPos starts at the top margin
//         buf.PrintAll();
//     }
// Execute throws base::Error when there is no default printer or printing
// fails; a cancelled job is no error: nothing is sent. Tests replace the
// printer with report::SetPrinterOpener (printer.h).
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
    // Texts for the status window that whoever runs the job shows.
    std::wstring StatusCaption = L"Report Status";
    std::wstring StatusText = L"Generating page %p";
    // Texts of the output-options and preview dialogs, which this engine does not show.
    std::wstring OutputOptionsCaption = L"Output Options";
    std::wstring PreviewCaption = L"Report Preview";
    int PreviewZoom = 100;

    // The report handler, called once per run.
    std::function<void(Report&)> OnPrint;

    // How the job reports its progress and learns that it is cancelled.
    // Either may be empty.
    struct Progress {
        // A page starts; true cancels the job.
        std::function<bool(int page)> page;
        // Every page is made and nothing is sent yet; true cancels the job.
        std::function<bool()> done;
    };

    // Runs the job; false when it was cancelled.
    bool Execute(const Progress& progress = {});
};

}  // namespace report
