#include "base/error.h"

#include <windows.h>

namespace base {
namespace {

ErrorWording g_wording = nullptr;

}  // namespace

std::wstring Error::text() const { return cause_ == Cause::Worded || !g_wording ? detail_ : g_wording(*this); }

void SetErrorWording(ErrorWording wording) { g_wording = wording; }

std::wstring SystemErrorText(unsigned long code) {
    wchar_t* buf = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buf), 0, nullptr);
    std::wstring text(buf ? buf : L"", n);
    if (buf) LocalFree(buf);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace base
