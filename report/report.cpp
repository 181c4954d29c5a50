#include "report.h"

#include <string>

#include "base/error.h"

namespace report {

Report::Report(Printer& printer, const Margins& margins, std::function<void(int)> onPage)
    : geometry_(printer.Geometry()),
      margins_(margins),
      onPage_(std::move(onPage)),
      reference_(printer.ReferenceDc()),
      text_(reference_, geometry_),
      x_(margins.left),
      y_(margins.top) {}

Report::~Report() {
    if (recording_) DeleteEnhMetaFile(CloseEnhMetaFile(recording_));
}

void Report::Begin() { StartPage(); }

void Report::NewPage() {
    EndPage();
    StartPage();
}

void Report::StartPage() {
    x_ = margins_.left;
    y_ = margins_.top;
    if (onPage_) onPage_(PageNumber());
    // The frame is the printable area, converted the way the recording converts
    // back, so playing it onto that area maps one pixel onto one pixel.
    int mmX = GetDeviceCaps(reference_, HORZSIZE), mmY = GetDeviceCaps(reference_, VERTSIZE);
    int pxX = GetDeviceCaps(reference_, HORZRES), pxY = GetDeviceCaps(reference_, VERTRES);
    RECT frame{0, 0, MulDiv(geometry_.printWidth, mmX * 100, pxX), MulDiv(geometry_.printHeight, mmY * 100, pxY)};
    recording_ = CreateEnhMetaFileW(reference_, nullptr, &frame, nullptr);
    if (!recording_)
        throw base::Error(base::Cause::PrintFailed, GetLastError());
}

void Report::EndPage() {
    if (!recording_) return;
    pages_.emplace_back(CloseEnhMetaFile(recording_));
    recording_ = nullptr;
}

void Report::Draw(const Piece& piece) {
    if (recording_) text_.Draw(recording_, piece);
}

std::vector<base::ScopedEmf> Report::Finish() {
    EndPage();
    return std::move(pages_);
}

}  // namespace report
