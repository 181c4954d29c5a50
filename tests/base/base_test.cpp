// The base layer on its own: the seam, the font cache, the text helpers,
// the error texts, the handles and module loading.
#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "base/font_cache.h"
#include "base/handles.h"
#include "base/module.h"
#include "base/sha256.h"
#include "base/seam.h"
#include "base/text.h"

namespace {

int RealDouble(int n) { return 2 * n; }

TEST(Seam, CallsTheRealFunctionUntilAHandlerIsPutInAndAfterItIsTakenOut) {
    base::Seam<int(int)> seam(RealDouble);
    EXPECT_EQ(8, seam(4));
    int asked = 0;
    auto previous = seam.Replace([&asked](int n) { asked = n; return -1; });
    EXPECT_FALSE(previous) << "no handler was there";
    EXPECT_EQ(-1, seam(5));
    EXPECT_EQ(5, asked);
    auto mine = seam.Replace(nullptr);
    ASSERT_TRUE(mine) << "the handler comes back to whoever replaces it";
    EXPECT_EQ(-1, mine(6));
    EXPECT_EQ(12, seam(6));
}

TEST(FontCache, MakesEachFontOnceByWhatItDescribes) {
    base::FontCache cache;
    HFONT tahoma = cache.Get(base::FontOf(L"Tahoma", 13, false, false));
    ASSERT_NE(nullptr, tahoma);
    const std::wstring sameFace = L"Tahoma";  // the same face held elsewhere
    EXPECT_EQ(tahoma, cache.Get(base::FontOf(sameFace.c_str(), 13, false, false)));
    EXPECT_NE(tahoma, cache.Get(base::FontOf(L"Tahoma", 11, false, false)));
    EXPECT_NE(tahoma, cache.Get(base::FontOf(L"Tahoma", 13, true, false)));
    LOGFONTW got{};
    ASSERT_EQ(int(sizeof(got)), GetObjectW(tahoma, sizeof(got), &got));
    EXPECT_EQ(-13, got.lfHeight);
    EXPECT_STREQ(L"Tahoma", got.lfFaceName);
}

TEST(Text, DecimalDigitsAndUtf8BothWays) {
    EXPECT_EQ(L"0", base::Decimal(0));
    EXPECT_EQ(L"4294967296", base::Decimal(4294967296ull));
    EXPECT_EQ(L"18446744073709551615", base::Decimal(~0ull));
    const std::wstring polish = L"Zażółć gęślą jaźń";
    EXPECT_EQ(polish, base::Widen(base::Narrow(polish)));
    EXPECT_EQ("\xc5\x81", base::Narrow(L"Ł"));
    EXPECT_EQ(L"", base::Widen(""));
}

std::wstring Words(const base::Error& e) { return L"słowa " + base::Decimal(e.code()) + L" " + e.detail(); }

TEST(Error, CarriesItsTextAndTheSystemWordsItsCodes) {
    const base::Error e(L"Brak pliku");
    EXPECT_EQ(L"Brak pliku", e.text());
    const base::Error byCause(base::Cause::PrinterNotOpened, 5, L"PDF");
    EXPECT_EQ(L"PDF", byCause.text()) << "no wording given yet: the detail";
    base::SetErrorWording(Words);
    EXPECT_EQ(L"słowa 5 PDF", byCause.text());
    EXPECT_EQ(L"Brak pliku", e.text()) << "an error raised with its words keeps them";
    base::SetErrorWording(nullptr);
    const std::wstring text = base::SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(L'\n', text.back());
    EXPECT_NE(L' ', text.back());
    EXPECT_EQ(L"", base::SystemErrorText(0xDEADBEEF)) << "a code the system does not know";
}

TEST(Handles, AFindHandleThatFoundNothingIsEmptyAndOneThatFoundIsClosed) {
    WIN32_FIND_DATAW entry;
    base::ScopedFind none(FindFirstFileW(L"C:\\no-such-folder-here\\*", &entry));
    EXPECT_FALSE(none);
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    base::ScopedFind found(FindFirstFileW((std::wstring(system) + L"\\*").c_str(), &entry));
    ASSERT_TRUE(found);
    HANDLE raw = found.get();
    base::ScopedFind moved(std::move(found));
    EXPECT_FALSE(found);
    EXPECT_EQ(raw, moved.get());
    moved.reset();
    EXPECT_FALSE(FindNextFileW(raw, &entry)) << "the listing was closed";
}

// The system's SHA-256 through its late-bound entry points, fed in pieces.
TEST(Sha256, GivesTheStandardDigests) {
    const auto hex = [](const base::Sha256Digest& digest) {
        std::string text;
        for (unsigned char byte : digest) text += "0123456789abcdef"[byte >> 4], text += "0123456789abcdef"[byte & 15];
        return text;
    };
    base::Sha256 abc;
    ASSERT_TRUE(abc.ready());
    abc.Update("a", 1);
    abc.Update("bc", 2);
    EXPECT_EQ("ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad", hex(abc.Finish()));
    base::Sha256 empty;
    EXPECT_EQ("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855", hex(empty.Finish()));
}

TEST(Module, SystemLibrariesAndRawResources) {
    EXPECT_NE(nullptr, base::LoadSystemLibrary(L"kernel32.dll"));
    EXPECT_EQ(nullptr, base::LoadSystemLibrary(L"vel-no-such-library.dll"));
    EXPECT_FALSE(base::FindRawResource(GetModuleHandleW(L"kernel32.dll"), L"Lic").has_value());
    EXPECT_EQ(GetModuleHandleW(nullptr), base::ProgramModule());
}

}  // namespace
