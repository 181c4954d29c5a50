#include "printer.h"


#include <cstring>
#include <map>

#include "base/error.h"
#include "base/module.h"
#include "base/seam.h"
#include "base/text.h"

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
        throw base::Error(L"Drukowanie nie powiodło się (błąd " + base::Decimal(error) + L").");
    }

    base::ScopedDC dc_;
};

}  // namespace

// The spooler's DLL is not one the loader always takes from the system folder,
// so it is not imported: it is loaded from there when a printout is asked for.
BOOL DefaultPrinterName(wchar_t* buffer, DWORD* size) {
    using GetDefaultPrinterFn = BOOL(WINAPI*)(wchar_t*, DWORD*);
    static HMODULE spooler = base::LoadSystemLibrary(L"winspool.drv");
    auto get = spooler ? reinterpret_cast<GetDefaultPrinterFn>(reinterpret_cast<void*>(
                             GetProcAddress(spooler, "GetDefaultPrinterW")))
                       : nullptr;
    return get ? get(buffer, size) : FALSE;
}

std::unique_ptr<Printer> OpenDefaultPrinter() {
    DWORD size = 0;
    DefaultPrinterName(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size == 0 || !DefaultPrinterName(&name[0], &size))
        throw base::Error(L"Nie można drukować: brak domyślnej drukarki.");
    name.resize(wcslen(name.c_str()));
    base::ScopedDC dc(CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr));
    if (!dc) {
        DWORD error = GetLastError();
        throw base::Error(L"Nie można otworzyć drukarki \"" + name + L"\"" +
                        L" (błąd " + base::Decimal(error) + L").");
    }
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

MemoryPrinter::MemoryPrinter(const PageGeometry& geometry)
    : dc_(CreateCompatibleDC(nullptr)), geometry_(geometry) {}

void MemoryPrinter::Send(const std::wstring& title, const std::vector<HENHMETAFILE>& pages) {
    Sent s;
    s.title = title;
    for (HENHMETAFILE page : pages) s.pages.emplace_back(CopyEnhMetaFileW(page, nullptr));
    sent->push_back(std::move(s));
}

std::vector<PageText> TextsOf(HENHMETAFILE page) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(page, 0, nullptr));
    GetEnhMetaFileBits(page, static_cast<UINT>(bits.size()), bits.data());
    std::map<DWORD, LOGFONTW> fonts;
    LOGFONTW current{};
    std::vector<PageText> out;
    for (size_t pos = 0; pos + sizeof(EMR) <= bits.size();) {
        const EMR* rec = reinterpret_cast<const EMR*>(&bits[pos]);
        if (rec->nSize < sizeof(EMR) || pos + rec->nSize > bits.size()) break;
        if (rec->iType == EMR_EXTCREATEFONTINDIRECTW) {
            auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(rec);
            fonts[f->ihFont] = f->elfw.elfLogFont;
        } else if (rec->iType == EMR_SELECTOBJECT) {
            auto it = fonts.find(reinterpret_cast<const EMRSELECTOBJECT*>(rec)->ihObject);
            if (it != fonts.end()) current = it->second;
        } else if (rec->iType == EMR_EXTTEXTOUTW) {
            auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(rec);
            PageText text;
            text.x = t->emrtext.ptlReference.x;
            text.y = t->emrtext.ptlReference.y;
            const wchar_t* chars = reinterpret_cast<const wchar_t*>(&bits[pos] + t->emrtext.offString);
            if (t->emrtext.offString + t->emrtext.nChars * sizeof(wchar_t) <= rec->nSize)
                text.text.assign(chars, t->emrtext.nChars);
            text.face = current.lfFaceName;
            text.height = current.lfHeight;
            text.bold = current.lfWeight >= FW_BOLD;
            text.italic = current.lfItalic != 0;
            text.underline = current.lfUnderline != 0;
            out.push_back(std::move(text));
        }
        pos += rec->nSize;
    }
    return out;
}

}  // namespace report
