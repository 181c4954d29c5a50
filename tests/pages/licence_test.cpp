// The licence page, created for real and driven through messages.
#include <richedit.h>

#include <gtest/gtest.h>

#include "base/error.h"
#include "tests/support/page_texts.h"
#include "tests/support/recording_printer.h"
#include "tests/support/window_test.h"
#include "ui/display.h"
#include "ui/message.h"
#include "wizard/lic.h"

using namespace testing_support;

namespace {

class LicencePage : public ::testing::Test {
protected:
    void SetUp() override { page.Create(); }
    // The layout table at 96 DPI and, for some, scaled to 144.
    std::vector<Place> Layout() {
        const HWND form = page.hwnd(), top = page.Panel2.hwnd(), middle = page.Panel3.hwnd(),
                   bottom = page.Panel1.hwnd();
        return {
            {top, form, {0, 0, 504, 65}, {0, 0, 756, 98}},
            {middle, form, {0, 65, 504, 309}, {0, 98, 756, 463}},
            {bottom, form, {0, 309, 504, 356}, {0, 463, 756, 534}},
            {page.Image1.hwnd(), top, {440, 2, 499, 61}},
            {page.RichEdit1.hwnd(), middle, {8, 54, 493, 191}, {12, 81, 740, 287}},
            {page.RadioButton1.hwnd(), middle, {16, 197, 333, 214}, {24, 296, 500, 322}},
            {page.RadioButton2.hwnd(), middle, {16, 220, 129, 237}},
            {page.Button4.hwnd(), middle, {372, 205, 488, 230}},
            {page.Button3.hwnd(), bottom, {169, 12, 264, 37}},
            {page.Button2.hwnd(), bottom, {277, 12, 372, 37}},
            {page.Button1.hwnd(), bottom, {393, 12, 488, 37}, {590, 18, 733, 56}},
        };
    }
    std::wstring ViewText() {
        GETTEXTLENGTHEX len{GTL_DEFAULT, 1200};
        LRESULT n = SendMessageW(page.RichEdit1.hwnd(), EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
        std::wstring text(static_cast<size_t>(n) + 1, L'\0');
        GETTEXTEX get{static_cast<DWORD>((n + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
        n = SendMessageW(page.RichEdit1.hwnd(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                         reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(n));
        return text;
    }
    MessageScript messages;
    TLic_win page;
};

TEST_F(LicencePage, OpensWithNothingChosenNextDisabledAndFocusOnExit) {
    EXPECT_EQ(kLicenceCaption, TextOf(page.hwnd()));
    SIZE client = ClientSize(page.hwnd());
    EXPECT_EQ(504, client.cx);
    EXPECT_EQ(356, client.cy);
    EXPECT_FALSE(page.RadioButton1.Checked());
    EXPECT_FALSE(page.RadioButton2.Checked());
    EXPECT_FALSE(page.Button2.Enabled());
    EXPECT_TRUE(page.Button1.Enabled());
    EXPECT_TRUE(page.Button3.Enabled());
    EXPECT_TRUE(page.Button4.Enabled());
    EXPECT_EQ(page.Button1.hwnd(), GetFocus());
    EXPECT_EQ(0u, messages.Count()) << "the licence loads without any error";
}

TEST_F(LicencePage, ControlsSitWhereTheLayoutPutsThem) {
    ExpectPlaces(Layout(), 96);
    for (const auto& [id, text] : kLicenceTexts) EXPECT_EQ(text, TextOf(page.Item(id))) << id;
    EXPECT_EQ(FW_BOLD, FontOf(page.Label1.hwnd()).lfWeight);
    EXPECT_EQ(13, FontCharHeight(page.Label2.hwnd()));
    EXPECT_EQ(11, FontCharHeight(page.Label3.hwnd()));
}

// Run in a prefix at 144 DPI and in one with a black high-contrast scheme:
// ctest gives these suites prefixes of their own.
class LicencePageAt144Dpi : public LicencePage {};
class LicencePageInHighContrast : public LicencePage {};

TEST_F(LicencePageAt144Dpi, LaysTheTableOutScaled) {
    ASSERT_EQ(144, ui::WindowDpi(page.hwnd())) << "runs in a prefix at 144 DPI";
    const SIZE client = ClientSize(page.hwnd());
    EXPECT_EQ(756, client.cx);
    EXPECT_EQ(534, client.cy);
    ExpectPlaces(Layout(), 144);
    EXPECT_EQ(19, FontCharHeight(page.Label1.hwnd()));
    EXPECT_EQ(FW_BOLD, FontOf(page.Label1.hwnd()).lfWeight);
    EXPECT_EQ(16, FontCharHeight(page.RadioButton1.hwnd()));
}

TEST_F(LicencePageInHighContrast, EveryLabelReadsClearly) {
    ExpectLabelsReadableInHighContrast(page.hwnd());
}

TEST_F(LicencePage, AgreeingEnablesNextAndDisagreeingDisablesIt) {
    ASSERT_TRUE(Click(page.RadioButton1));
    EXPECT_TRUE(page.RadioButton1.Checked());
    EXPECT_FALSE(page.RadioButton2.Checked());
    EXPECT_TRUE(page.Button2.Enabled());

    ASSERT_TRUE(Click(page.RadioButton2));
    EXPECT_FALSE(page.RadioButton1.Checked());
    EXPECT_TRUE(page.RadioButton2.Checked());
    EXPECT_FALSE(page.Button2.Enabled());
    // The choice never touches Back, Print or Exit.
    EXPECT_TRUE(page.Button1.Enabled());
    EXPECT_TRUE(page.Button3.Enabled());
    EXPECT_TRUE(page.Button4.Enabled());

    ASSERT_TRUE(Click(page.RadioButton1));
    EXPECT_TRUE(page.Button2.Enabled());
    ASSERT_TRUE(Click(page.Button2));
    EXPECT_EQ(ui::kNext, page.ModalResult());
}

TEST_F(LicencePage, ClearingARadioFromCodeRunsNoHandler) {
    ASSERT_TRUE(Click(page.RadioButton1));
    page.RadioButton1.SetChecked(false);
    EXPECT_TRUE(page.Button2.Enabled()) << "no handler ran, so Next keeps its state";
    // Clicking the radio again makes it selected again: the handler runs once more.
    ASSERT_TRUE(Click(page.RadioButton2));
    EXPECT_FALSE(page.Button2.Enabled());
}

TEST_F(LicencePage, AClickOnDisabledNextDoesNothing) {
    SendMessageW(page.Button2.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(0, page.ModalResult());
    EXPECT_TRUE(IsWindow(page.hwnd()));
}

// Esc and the close box: tests/pages/exit_test.cpp, for every page.
TEST_F(LicencePage, BackEndsThePageWithoutAsking) {
    ASSERT_TRUE(Click(page.Button3));
    EXPECT_EQ(ui::kBack, page.ModalResult());
    EXPECT_EQ(0u, messages.Count());
}

TEST_F(LicencePage, TheKeysOnExitAskTheExitQuestion) {
    messages.Answer(IDNO);
    PressKey(page.hwnd(), VK_SPACE);
    messages.Answer(IDNO);
    PressKey(page.hwnd(), VK_RETURN);
    ASSERT_EQ(2u, messages.Count());
    for (const ui::MessageRequest& q : messages.Asked()) {
        EXPECT_EQ(kExitQuestion, q.text);
        EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), q.type);
    }
    EXPECT_EQ(0, page.ModalResult());
    EXPECT_FALSE(page.RadioButton1.Checked());
}

TEST_F(LicencePage, TheTextViewIsReadOnlyAndNeverTabbedInto) {
    EXPECT_FALSE(GetWindowLongPtrW(page.RichEdit1.hwnd(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongPtrW(page.RichEdit1.hwnd(), GWL_STYLE) & ES_READONLY);
    std::wstring before = ViewText();
    SetFocus(page.RichEdit1.hwnd());
    SendMessageW(page.RichEdit1.hwnd(), WM_CHAR, L'x', 0);
    EXPECT_EQ(before, ViewText());

    // Tab around the whole page: the focus visits the buttons and radios only.
    page.Button1.hwnd() && SetFocus(page.Button1.hwnd());
    for (int i = 0; i < 12; ++i) {
        PressKey(page.hwnd(), VK_TAB);
        EXPECT_NE(page.RichEdit1.hwnd(), GetFocus()) << "after " << i + 1 << " tabs";
    }
}

TEST_F(LicencePage, TheAgreementArrivesFormattedWithPolishLetters) {
    std::wstring text = ViewText();
    EXPECT_NE(std::wstring::npos, text.find(L"UMOWA LICENCYJNA UŻYTKOWNIKA KOŃCOWEGO")) << "start: "
        << testing::PrintToString(text.substr(0, 80));
    EXPECT_NE(std::wstring::npos, text.find(L"Vantrel"));
    for (wchar_t c : std::wstring(L"ąćęłńóśźżŁŚŻ"))
        EXPECT_NE(std::wstring::npos, text.find(c)) << "letter U+" << std::hex << int(c);
    EXPECT_GT(text.size(), 4000u);

    // The title paragraph is centred and underlined.
    size_t title = text.find(L"UMOWA");
    CHARRANGE sel{LONG(title), LONG(title + 5)};
    SendMessageW(page.RichEdit1.hwnd(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel));
    PARAFORMAT2 pf{};
    pf.cbSize = sizeof(pf);
    SendMessageW(page.RichEdit1.hwnd(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    EXPECT_EQ(PFA_CENTER, pf.wAlignment);
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(page.RichEdit1.hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    EXPECT_TRUE(cf.dwEffects & CFE_UNDERLINE);
}

TEST(LicencePageWithoutDocument, ReportsTheMissingResourceAndKeepsTheFallbackText) {
    MessageScript messages;
    // kernel32 carries no licence document.
    TLic_win page(GetModuleHandleW(L"kernel32.dll"));
    page.Create();
    ASSERT_EQ(1u, messages.Count());
    const ui::MessageRequest& r = messages.Last();
    EXPECT_EQ(L"Resource Lic not found.", r.text);
    EXPECT_EQ(ui::ApplicationTitle(), r.caption);
    EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), r.type);
    EXPECT_TRUE(IsWindowVisible(page.hwnd()));
    std::wstring text = TextOf(page.RichEdit1.hwnd());
    EXPECT_NE(std::wstring::npos, text.find(L"UMOWA")) << testing::PrintToString(text.substr(0, 60));
    EXPECT_GE(std::count(text.begin(), text.end(), L'\r') + std::count(text.begin(), text.end(), L'\n'), 39);
}

}  // namespace

namespace {

// Puts a printer of the test's choosing under every print job while in scope.
class PrinterScope {
public:
    explicit PrinterScope(report::PrinterOpener opener) : previous_(report::SetPrinterOpener(std::move(opener))) {}
    ~PrinterScope() { report::SetPrinterOpener(previous_); }

private:
    report::PrinterOpener previous_;
};

TEST_F(LicencePage, PrintingSendsTheWholeAgreementAndLeavesThePageAsItWas) {
    auto sent = std::make_shared<std::vector<report::MemoryPrinter::Sent>>();
    PrinterScope scope([sent] {
        auto printer = std::make_unique<report::MemoryPrinter>();
        printer->sent = sent;
        return printer;
    });
    ASSERT_TRUE(Click(page.RadioButton2));
    ASSERT_TRUE(Click(page.Button4));

    EXPECT_EQ(0u, messages.Count());
    ASSERT_EQ(1u, sent->size());
    EXPECT_EQ(L"Wydruk licencji", sent->front().title);
    ASSERT_GE(sent->front().pages.size(), 2u) << "the agreement is longer than one page";
    std::wstring printed;
    int leftmost = 1 << 30;
    for (const auto& page : sent->front().pages) {
        for (const report::PageText& t : report::TextsOf(page.get())) {
            printed += t.text;
            leftmost = std::min(leftmost, t.x);
        }
    }
    EXPECT_NE(std::wstring::npos, printed.find(L"UMOWA")) << "printed text starts "
        << testing::PrintToString(printed.substr(0, 60));
    EXPECT_NE(std::wstring::npos, printed.find(L"Vantrel"));
    EXPECT_EQ(144, leftmost) << "the column starts 1.5 inch from the paper's edge at 96 dpi";

    EXPECT_FALSE(page.RadioButton1.Checked());
    EXPECT_TRUE(page.RadioButton2.Checked());
    EXPECT_FALSE(page.Button2.Enabled());
    EXPECT_EQ(0, page.ModalResult());
}

// The page hands its print job a status window of its own over the page.
class LicencePrinting : public LicencePage {
protected:
    LicencePrinting()
        : scope_([sent = sent] {
              auto printer = std::make_unique<report::MemoryPrinter>();
              printer->sent = sent;
              return printer;
          }) {}
    std::shared_ptr<std::vector<report::MemoryPrinter::Sent>> sent =
        std::make_shared<std::vector<report::MemoryPrinter::Sent>>();

private:
    PrinterScope scope_;
};

TEST_F(LicencePrinting, TheStatusWindowShowsThePageOverThePageAndCancelSendsNothing) {
    std::wstring seenText;
    bool ownerDisabled = false;
    page.RvSystem1.OnPrint = [&](report::Report& r) {
        r.NewPage();
        HWND status = FindOwnWindow(L"Report Status");
        ASSERT_NE(nullptr, status);
        ownerDisabled = !IsWindowEnabled(page.hwnd());
        RECT o, w;
        GetWindowRect(page.hwnd(), &o);
        GetWindowRect(status, &w);
        EXPECT_NEAR((o.left + o.right) / 2, (w.left + w.right) / 2, 2);  // centred on its owner
        EXPECT_NEAR((o.top + o.bottom) / 2, (w.top + w.bottom) / 2, 2);
        seenText = TextOf(FindWindowExW(status, nullptr, L"STATIC", nullptr));
        HWND cancel = FindWindowExW(status, nullptr, L"BUTTON", L"Cancel");
        ASSERT_NE(nullptr, cancel);
        SendMessageW(cancel, BM_CLICK, 0, 0);
        r.NewPage();  // the job stops here
        ADD_FAILURE() << "the job went on after Cancel";
    };
    ASSERT_TRUE(Click(page.Button4));
    EXPECT_EQ(L"Generating page 2", seenText);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(page.hwnd()));
    EXPECT_EQ(nullptr, FindOwnWindow(L"Report Status"));
    EXPECT_TRUE(sent->empty());
    EXPECT_EQ(0u, messages.Count()) << "a cancel is no error";
}

TEST_F(LicencePrinting, AHandlerErrorIsReportedOnceTheStatusWindowHasClosed) {
    page.RvSystem1.OnPrint = [](report::Report&) { throw base::Error(L"błąd"); };
    HWND statusAtReport = nullptr;
    BOOL pageEnabledAtReport = FALSE;
    messages.OnAsk([&] {
        statusAtReport = FindOwnWindow(L"Report Status");
        pageEnabledAtReport = IsWindowEnabled(page.hwnd());
    });
    ASSERT_TRUE(Click(page.Button4));
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(L"błąd.", messages.Last().text);
    EXPECT_EQ(nullptr, statusAtReport);
    EXPECT_TRUE(pageEnabledAtReport);
    EXPECT_TRUE(IsWindowEnabled(page.hwnd()));
    EXPECT_EQ(nullptr, FindOwnWindow(L"Report Status"));
    EXPECT_TRUE(sent->empty());
}

TEST_F(LicencePage, APrinterThatFailsIsReportedAndThePageStays) {
    PrinterScope scope([]() -> std::unique_ptr<report::Printer> {
        throw base::Error(L"Brak domyślnej drukarki");
    });
    ASSERT_TRUE(Click(page.RadioButton1));
    ASSERT_TRUE(Click(page.Button4));
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(L"Brak domyślnej drukarki.", messages.Last().text);
    EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), messages.Last().type);
    EXPECT_TRUE(page.RadioButton1.Checked());
    EXPECT_TRUE(page.Button2.Enabled());
    EXPECT_EQ(0, page.ModalResult());
}

// The print job names a missing printer by its cause only: the report reads
// in the installer's words, given to the layers below at start-up.
TEST_F(LicencePage, AMissingPrinterIsReportedInTheInstallersWords) {
    PrinterScope scope([]() -> std::unique_ptr<report::Printer> { throw base::Error(base::Cause::NoDefaultPrinter); });
    ASSERT_TRUE(Click(page.Button4));
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(L"Nie można drukować: brak domyślnej drukarki.", messages.Last().text);
}

}  // namespace
