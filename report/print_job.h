#pragma once
// A print job: records the pages its handler produces, telling whoever shows
// its progress about each page, then sends them to the default printer as
// one document. It draws no window of its own; the licence page shows how a
// window runs one.
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
    // Texts for the status window that whoever runs the job shows.
    std::wstring StatusCaption = L"Report Status";
    std::wstring StatusText = L"Generating page %p";

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

    // Runs the job; false when it was cancelled. One copy of pages 1 to 9999
    // is sent.
    bool Execute(const Progress& progress = {});
};

}  // namespace report
