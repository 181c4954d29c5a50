#pragma once
// A buffer of rich text bound to a report: prints its document between two
// horizontal limits from the report's print position on, wrapping lines and
// starting new pages as needed.
#include <string>

#include "document.h"
#include "report.h"

namespace report {

class MemoBuf {
public:
    explicit MemoBuf(Report& report) : report_(report) {}

    // Loads an RTF stream; throws base::Error when it is not readable RTF.
    void SetRTF(const std::string& bytes);

    // The text column, in inches from the paper's left edge.
    double PrintStart = 0;
    double PrintEnd = 0;

    // Prints every line, the first at the report's print position, and leaves
    // the position below the last line (on the last page).
    void PrintAll();

private:
    Report& report_;
    Document doc_;
};

}  // namespace report
