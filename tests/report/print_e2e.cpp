// Prints the licence on the real default printer through the real print job.
//   print_e2e probe                  names the default printer and every printer seen
//   print_e2e print <text-out> [n]   prints the licence n times over (1), as a rich-edit
//                                    control writes it, and writes its expected text,
//                                    word by word, to <text-out>
//   print_e2e cancel                 starts the job and presses Cancel in the status window
// Each mode prints the job's start as Unix time in milliseconds ("start <ms>").
#include <windows.h>
#include <richedit.h>
#include <winspool.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "base/error.h"
#include "base/text.h"
#include "print_job.h"
#include "rtf_reader.h"
#include "test_files.h"
#include "tests/support/host.h"
#include "tests/support/window_test.h"
#include "ui/controls.h"
#include "ui/status_window.h"
#include "wizard/lic.h"
#include "wizard/texts.h"

namespace {

int Probe() {
    wchar_t name[256];
    DWORD size = 256;
    printf("default: %s\n", GetDefaultPrinterW(name, &size) ? base::Narrow(name).c_str() : "(none)");
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    std::string buf(needed, '\0');
    if (needed && EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4,
                                reinterpret_cast<BYTE*>(&buf[0]), needed, &needed, &count)) {
        auto* info = reinterpret_cast<PRINTER_INFO_4W*>(&buf[0]);
        for (DWORD i = 0; i < count; ++i) printf("printer: %s\n", base::Narrow(info[i].pPrinterName).c_str());
    }
    return 0;
}

// The licence's text as the reader sees it, one word a line.
void WriteWords(const std::string& rtf, const char* path) {
    std::u16string text = report::ReadRtf(rtf).doc.PlainText();
    std::wstring w(text.begin(), text.end());
    std::string words;
    std::string word;
    auto flush = [&] {
        if (!word.empty()) words += word + "\n";
        word.clear();
    };
    for (wchar_t c : w) {
        if (c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == 0xA0) flush();
        else word += base::Narrow(std::wstring(1, c));
    }
    flush();
    std::ofstream out(path, std::ios::binary);
    out << words;
}

std::string Repeated(const std::string& rtf, int times) {
    std::string body = rtf.substr(rtf.find("\\pard"));
    body = body.substr(0, body.rfind('}'));
    std::string out = rtf.substr(0, rtf.rfind('}'));
    for (int i = 1; i < times; ++i) out += body;
    return out + "}";
}

// The document as the licence page hands it over: written out by a rich-edit control.
std::string ThroughRichEdit(const std::string& rtf) {
    LoadLibraryExW(L"msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 485, 137,
                                nullptr, nullptr, nullptr, nullptr);
    ui::StreamInRtf(edit, rtf);
    std::string out = ui::StreamOutRtf(edit).value_or("");
    DestroyWindow(edit);
    return out;
}

int Print(const std::string& rtf, bool cancel) {
    report::PrintJob job;
    job.Title = L"Wydruk licencji";
    job.OnPrint = [&](report::Report& r) {
        if (cancel) {
            HWND status = testing_support::FindOwnWindow(L"Report Status");
            PostMessageW(FindWindowExW(status, nullptr, L"BUTTON", L"Cancel"), BM_CLICK, 0, 0);
        }
        PrintAgreement(r, rtf);
    };
    long long start = testing_support::UnixMillis();
    printf("start %lld\n", start);
    fflush(stdout);
    try {
        // The licence page's way: a status window without an owner here.
        ui::StatusWindow status(nullptr, job.StatusCaption, job.StatusText);
        bool printed = job.Execute({[&status](int page) { return status.ShowPage(page); },
                                    [&status] { return status.Finish(); }});
        printf("%s after %lld ms\n", printed ? "printed" : "cancelled", testing_support::UnixMillis() - start);
        return printed == !cancel ? 0 : 1;
    } catch (const base::Error& e) {
        printf("error: %s\n", base::Narrow(e.text()).c_str());
        return 2;
    }
}

}  // namespace

int main(int argc, char** argv) {
    base::SetErrorWording(ErrorWords);  // the print job's errors as the installer says them
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "probe") return Probe();
    std::string licence = LicenceRtf();
    if (mode == "print" && argc > 2) {
        int times = argc > 3 ? atoi(argv[3]) : 1;
        std::string rtf = ThroughRichEdit(Repeated(licence, times));
        WriteWords(rtf, argv[2]);
        return Print(rtf, false);
    }
    if (mode == "cancel") return Print(ThroughRichEdit(Repeated(licence, 3)), true);
    fprintf(stderr, "usage: print_e2e probe | print <text-out> [times] | cancel\n");
    return 3;
}
