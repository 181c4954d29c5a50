// The licence as the rich-edit control writes it back reads to the same text
// the control itself holds.
#include <gtest/gtest.h>

#include <richedit.h>
#include <windows.h>

#include "memo_buf.h"
#include "rtf_reader.h"
#include "test_files.h"
#include "ui/controls.h"

namespace {

std::u16string ControlText(HWND edit) {
    GETTEXTLENGTHEX len{GTL_DEFAULT, 1200};
    LRESULT n = SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    std::wstring text(n + 1, L'\0');
    GETTEXTEX get{};
    get.cb = static_cast<DWORD>((n + 1) * sizeof(wchar_t));
    get.flags = GT_DEFAULT;
    get.codepage = 1200;
    SendMessageW(edit, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    std::u16string out(text.begin(), text.end());
    for (char16_t& c : out)
        if (c == 0x0B) c = report::kLineBreak;  // the control's line break
    while (!out.empty() && out.back() == u'\r') out.pop_back();
    return out;
}

}  // namespace

TEST(RichEditRoundTrip, LicenceReadsBackToTheControlsOwnText) {
    HMODULE dll = LoadLibraryExW(L"msftedit.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(nullptr, dll);
    HWND edit = CreateWindowExW(0, MSFTEDIT_CLASS, L"", WS_POPUP | ES_MULTILINE | ES_READONLY, 0, 0, 400, 300,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, edit);
    std::string licence = LicenceRtf();
    ASSERT_GT(licence.size(), 1000u);
    ASSERT_TRUE(ui::StreamInRtf(edit, licence));

    std::u16string shown = ControlText(edit);
    EXPECT_NE(std::u16string::npos, shown.find(u"UŻYTKOWNIKA KOŃCOWEGO"));

    DWORD error = 1;
    std::string written = ui::StreamOutRtf(edit, &error).value_or("");
    EXPECT_EQ(0u, error);
    auto back = report::ReadRtf(written);
    EXPECT_TRUE(back.ok) << back.error;
    std::u16string read = back.doc.PlainText();
    while (!read.empty() && read.back() == u'\r') read.pop_back();
    EXPECT_EQ(shown, read);

    auto direct = report::ReadRtf(licence);
    EXPECT_TRUE(direct.ok) << direct.error;
    EXPECT_EQ(shown, direct.doc.PlainText());
    DestroyWindow(edit);
}
