#pragma once
// Where a print job's pages go. The real destination is the default printer;
// tests replace it through SetPrinterOpener with a MemoryPrinter, which keeps
// the pages instead of spooling them.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"
#include "gdi_text.h"

namespace report {

class Printer {
public:
    virtual ~Printer() = default;
    // The device the pages are measured and recorded against.
    virtual HDC ReferenceDc() = 0;
    virtual PageGeometry Geometry() = 0;
    // Sends the recorded pages as one document; throws base::Error on failure.
    virtual void Send(const std::wstring& title, const std::vector<HENHMETAFILE>& pages) = 0;
};

using PrinterOpener = std::function<std::unique_ptr<Printer>()>;

// Opens the system's default printer; throws base::Error when there is none or
// it cannot be opened.
std::unique_ptr<Printer> OpenDefaultPrinter();

// Replaces how print jobs open their printer (an empty opener restores the
// default printer); returns the previous opener.
PrinterOpener SetPrinterOpener(PrinterOpener opener);
std::unique_ptr<Printer> OpenJobPrinter();

// A printer that keeps what it is sent: for tests. Its reference is a memory
// DC of the screen with a Letter-sized page.
class MemoryPrinter : public Printer {
public:
    explicit MemoryPrinter(const PageGeometry& geometry = PageGeometry::Letter(96));

    HDC ReferenceDc() override { return dc_.get(); }
    PageGeometry Geometry() override { return geometry_; }
    void Send(const std::wstring& title, const std::vector<HENHMETAFILE>& pages) override;

    struct Sent {
        std::wstring title;
        std::vector<base::ScopedEmf> pages;
    };
    // Shared so the test keeps the record after the job has destroyed the printer.
    std::shared_ptr<std::vector<Sent>> sent = std::make_shared<std::vector<Sent>>();

private:
    base::ScopedDC dc_;
    PageGeometry geometry_;
};

// A text a recorded page draws, in the recording device's pixels.
struct PageText {
    int x = 0, y = 0;
    std::wstring text;
    std::wstring face;
    int height = 0;  // the font's LOGFONT height
    bool bold = false, italic = false, underline = false;
};
std::vector<PageText> TextsOf(HENHMETAFILE page);

}  // namespace report
