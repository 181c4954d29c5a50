#pragma once
// Where a print job's pages go. The real destination is the default printer;
// tests replace it through SetPrinterOpener with one that keeps the pages
// instead of spooling them.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

}  // namespace report
