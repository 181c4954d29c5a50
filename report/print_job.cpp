#include "print_job.h"

#include <algorithm>
#include <optional>

namespace report {
namespace {

constexpr size_t kLastPage = 9999;

struct JobCancelled {};

// The pages the handler draws; nothing when the job was cancelled meanwhile.
std::optional<std::vector<base::ScopedEmf>> MakePages(Printer& printer, const Margins& margins,
                                                      const std::function<void(Report&)>& onPrint,
                                                      const PrintJob::Progress& progress) {
    Report report(printer, margins, [&progress](int page) {
        if (progress.page && progress.page(page)) throw JobCancelled{};
    });
    try {
        report.Begin();
        if (onPrint) onPrint(report);
        return report.Finish();
    } catch (const JobCancelled&) {
        return std::nullopt;
    }
}

}  // namespace

bool PrintJob::Execute(const Progress& progress) {
    std::unique_ptr<Printer> printer = OpenJobPrinter();
    std::optional<std::vector<base::ScopedEmf>> pages = MakePages(*printer, Margin, OnPrint, progress);
    if (!pages || (progress.done && progress.done())) return false;
    std::vector<HENHMETAFILE> selected;
    for (size_t i = 0; i < std::min(kLastPage, pages->size()); ++i) selected.push_back((*pages)[i].get());
    if (!selected.empty()) printer->Send(Title, selected);
    return true;
}

}  // namespace report
