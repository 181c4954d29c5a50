#include "printer.h"

#include <cstring>

#include "base/error.h"
#include "base/module.h"
#include "base/seam.h"

namespace report {
namespace {

// The rectangle, in the device's pixels, that a page recorded against the
// device covers: the inverse of how the recording converted its frame.
RECT PlayRect(HENHMETAFILE page) {
    ENHMETAHEADER h{};
    GetEnhMetaFileHeader(page, sizeof h, &h);
    auto px = [](LONG hundredthsMm, LONG devicePx, LONG mm) {
        return mm > 0 ? MulDiv(hundredthsMm, devicePx, mm * 100) : hundredthsMm;
    };
    return RECT{px(h.rclFrame.left, h.szlDevice.cx, h.szlMillimeters.cx),
                px(h.rclFrame.top, h.szlDevice.cy, h.szlMillimeters.cy),
                px(h.rclFrame.right, h.szlDevice.cx, h.szlMillimeters.cx),
                px(h.rclFrame.bottom, h.szlDevice.cy, h.szlMillimeters.cy)};
}

class DefaultPrinter : public Printer {
public:
    DefaultPrinter(base::ScopedDC dc) : dc_(std::move(dc)) {}

    HDC ReferenceDc() override { return dc_.get(); }
    PageGeometry Geometry() override { return PageGeometry::Of(dc_.get()); }

    void Send(const std::wstring& title, const std::vector<HENHMETAFILE>& pages) override {
        HDC dc = dc_.get();
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = title.c_str();
        if (StartDocW(dc, &info) <= 0) Fail();
        for (HENHMETAFILE page : pages) {
            RECT rect = PlayRect(page);
            if (StartPage(dc) <= 0 || !PlayEnhMetaFile(dc, page, &rect) || EndPage(dc) <= 0) {
                DWORD error = GetLastError();
                AbortDoc(dc);
                Fail(error);
            }
        }
        if (EndDoc(dc) <= 0) Fail();
    }

private:
    [[noreturn]] static void Fail(DWORD error = GetLastError()) {
        throw base::Error(base::Cause::PrintFailed, error);
    }

    base::ScopedDC dc_;
};

// The spooler's DLL is not one the loader always takes from the system folder,
// so it is not imported: it is loaded from there when a printout is asked for.
BOOL DefaultPrinterName(wchar_t* buffer, DWORD* size) {
    static const auto get = base::SystemFunction<BOOL(WINAPI*)(wchar_t*, DWORD*)>(L"winspool.drv", "GetDefaultPrinterW");
    return get ? get(buffer, size) : FALSE;
}

}  // namespace

std::unique_ptr<Printer> OpenDefaultPrinter() {
    DWORD size = 0;
    DefaultPrinterName(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !DefaultPrinterName(&name[0], &size))
        throw base::Error(base::Cause::NoDefaultPrinter);
    name.resize(wcslen(name.c_str()));
    // One copy, whatever the printer's own settings ask for.
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_COPIES;
    mode.dmCopies = 1;
    lstrcpynW(mode.dmDeviceName, name.c_str(), CCHDEVICENAME);
    base::ScopedDC dc(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, &mode));
    if (!dc) throw base::Error(base::Cause::PrinterNotOpened, GetLastError(), name);
    return std::make_unique<DefaultPrinter>(std::move(dc));
}

namespace {

base::Seam<std::unique_ptr<Printer>()>& PrinterSeam() {
    static base::Seam<std::unique_ptr<Printer>()> seam(OpenDefaultPrinter);
    return seam;
}

}  // namespace

PrinterOpener SetPrinterOpener(PrinterOpener opener) { return PrinterSeam().Replace(std::move(opener)); }

std::unique_ptr<Printer> OpenJobPrinter() { return PrinterSeam()(); }

}  // namespace report
