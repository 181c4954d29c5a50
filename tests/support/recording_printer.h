#pragma once
// The printer of the tests: it keeps what a print job sends instead of
// spooling it, and reads back the texts a recorded page draws.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/handles.h"
#include "report/printer.h"

namespace report {

// Its reference is a memory DC of the screen with a Letter-sized page.
class MemoryPrinter : public Printer {
public:
    explicit MemoryPrinter(const PageGeometry& geometry = PageGeometry::Letter(96))
        : dc_(CreateCompatibleDC(nullptr)), geometry_(geometry) {}

    HDC ReferenceDc() override { return dc_.get(); }
    PageGeometry Geometry() override { return geometry_; }
    void Send(const std::wstring& title, const std::vector<HENHMETAFILE>& pages) override {
        Sent s;
        s.title = title;
        for (HENHMETAFILE page : pages) s.pages.emplace_back(CopyEnhMetaFileW(page, nullptr));
        sent->push_back(std::move(s));
    }

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

inline std::vector<PageText> TextsOf(HENHMETAFILE page) {
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

namespace testing_support {

// While it lives every print job opens a MemoryPrinter that adds to sent; the
// opener before it comes back afterwards.
class RecordedPrints {
public:
    RecordedPrints()
        : previous_(report::SetPrinterOpener([sent = sent] {
              auto printer = std::make_unique<report::MemoryPrinter>();
              printer->sent = sent;
              return printer;
          })) {}
    ~RecordedPrints() { report::SetPrinterOpener(previous_); }
    RecordedPrints(const RecordedPrints&) = delete;
    RecordedPrints& operator=(const RecordedPrints&) = delete;

    std::shared_ptr<std::vector<report::MemoryPrinter::Sent>> sent =
        std::make_shared<std::vector<report::MemoryPrinter::Sent>>();

private:
    report::PrinterOpener previous_;
};

}  // namespace testing_support
