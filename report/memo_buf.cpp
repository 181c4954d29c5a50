#include "memo_buf.h"

#include <richedit.h>

#include "base/error.h"
#include "rtf_reader.h"

namespace report {

void MemoBuf::SetRTF(const std::string& bytes) {
    RtfResult r = ReadRtf(bytes);
    if (!r.ok)
        throw base::Error(base::Cause::PrintTextUnreadable, 0, std::wstring(r.error.begin(), r.error.end()));
    doc_ = std::move(r.doc);
}

void MemoBuf::PrintAll() {
    FlowFrame frame;
    frame.left = PrintStart;
    frame.right = PrintEnd;
    frame.startY = report_.YPos();
    frame.pageTop = report_.SectionTop();
    frame.pageBottom = report_.SectionBottom();
    FlowResult flow = LayoutText(doc_, frame, report_.Measure());
    for (size_t i = 0; i < flow.pages.size(); ++i) {
        if (i) report_.NewPage();
        for (const Piece& p : flow.pages[i].pieces) report_.Draw(p);
    }
    report_.GotoXY(report_.XPos(), flow.endY);
}

}  // namespace report
