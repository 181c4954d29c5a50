#include "ui/controls.h"

#include <commctrl.h>
#include <richedit.h>

namespace ui {

std::wstring Control::Text() const {
    int n = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd_, text.data(), n + 1);
    text.resize(static_cast<size_t>(n));
    return text;
}

void ProgressBar::Reset() {
    SendMessageW(hwnd(), PBM_SETRANGE32, 0, kRange);
    SendMessageW(hwnd(), PBM_SETPOS, 0, 0);
}

void ProgressBar::SetProgress(unsigned long long done, unsigned long long total) {
    // A share, not a product: done times the range would overflow past a
    // few hundred terabytes, a share of a double does not.
    const int position = total == 0 || done >= total
                             ? kRange
                             : static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * kRange);
    if (position > Position()) SendMessageW(hwnd(), PBM_SETPOS, position, 0);
}

int ProgressBar::Position() const { return static_cast<int>(SendMessageW(hwnd(), PBM_GETPOS, 0, 0)); }

bool RadioButton::Checked() const {
    return SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RadioButton::SetChecked(bool checked) {
    SendMessageW(hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace {

struct ReadCursor {
    std::string_view data;
    size_t pos = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, BYTE* buf, LONG want, LONG* got) {
    auto* c = reinterpret_cast<ReadCursor*>(cookie);
    size_t n = std::min(static_cast<size_t>(want), c->data.size() - c->pos);
    memcpy(buf, c->data.data() + c->pos, n);
    c->pos += n;
    *got = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK WriteChunk(DWORD_PTR cookie, BYTE* buf, LONG n, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buf),
                                                   static_cast<size_t>(n));
    *done = n;
    return 0;
}

}  // namespace

bool StreamInRtf(HWND richEdit, std::string_view rtf) {
    ReadCursor cursor{rtf};
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&cursor), 0, ReadChunk};
    SendMessageW(richEdit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
    return es.dwError == 0 && cursor.pos > 0;
}

std::optional<std::string> StreamOutRtf(HWND richEdit, DWORD* error) {
    std::string out;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, WriteChunk};
    SendMessageW(richEdit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&es));
    if (error) *error = es.dwError;
    if (es.dwError) return std::nullopt;
    return out;
}

bool RichEdit::LoadRtf(std::string_view rtf) { return StreamInRtf(hwnd(), rtf); }

std::optional<std::string> RichEdit::SaveRtf(DWORD* error) const { return StreamOutRtf(hwnd(), error); }

void AddTooltip(HWND owner, HWND& tips, HWND control, const wchar_t* text) {
    if (!tips)
        tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    if (!tips) return;  // the control still works; only its tip is missing
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
