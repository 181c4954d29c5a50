#include "print_job.h"

#include <algorithm>

#include "status_window.h"

namespace report {
namespace {

struct JobCancelled {};

}  // namespace

bool PrintJob::Execute(HWND owner) {
    std::unique_ptr<Printer> printer = OpenJobPrinter();
    std::vector<base::ScopedEmf> pages;
    {
        StatusWindow status(owner, StatusCaption, StatusText);
        Report report(*printer, Margin, [&status](int page) {
            status.SetPage(page);
            if (status.Pump()) throw JobCancelled{};
        });
        try {
            report.Begin();
            if (OnPrint) OnPrint(report);
            pages = report.Finish();
        } catch (const JobCancelled&) {
            return false;
        }
        if (status.Pump()) return false;
    }
    std::vector<HENHMETAFILE> selected;
    int last = std::min<int>(LastPage, static_cast<int>(pages.size()));
    for (int copy = 0; copy < Copies; ++copy)
        for (int i = std::max(FirstPage, 1); i <= last; ++i) selected.push_back(pages[i - 1].get());
    if (!selected.empty()) printer->Send(Title, selected);
    return true;
}

}  // namespace report
