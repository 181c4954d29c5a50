// Leaving each page of the installer: Esc asks the exit question and No keeps
// the page as it was, the close box ends the page without a question.
#include <gtest/gtest.h>

#include "tests/support/window_test.h"
#include "wizard/inst_main.h"
#include "wizard/lic.h"
#include "wizard/witaj.h"

using namespace testing_support;

namespace {

ui::Control& NextOf(Twitaj_win& page) { return page.Button2; }
ui::Control& NextOf(TLic_win& page) { return page.Button2; }
ui::Control& NextOf(Tinst_main_win& page) { return page.BitBtn3; }

template <class Page>
class PageExit : public ::testing::Test {
protected:
    void SetUp() override { page.Create(); }
    bool Ended() { return page.ModalResult() == ui::kCancel; }

    ScratchFolder scratch;
    ShellFolders shell{scratch};  // where the install window proposes to install
    MessageScript messages;
    Page page;
};

using Pages = ::testing::Types<Twitaj_win, TLic_win, Tinst_main_win>;
TYPED_TEST_SUITE(PageExit, Pages);

TYPED_TEST(PageExit, EscAsksAndNoLeavesThePageUnchanged) {
    auto& page = this->page;
    auto& messages = this->messages;
    const bool nextEnabled = NextOf(page).Enabled();
    messages.Answer(IDNO);
    PressKey(page.hwnd(), VK_ESCAPE);
    ASSERT_EQ(1u, messages.Count());
    const ui::MessageRequest& q = messages.Last();
    EXPECT_EQ(kExitQuestion, q.text);
    EXPECT_EQ(kInstallerCaption, q.caption);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), q.type);
    EXPECT_EQ(0, page.ModalResult());
    EXPECT_TRUE(IsWindow(page.hwnd()));
    EXPECT_EQ(nextEnabled, NextOf(page).Enabled());

    messages.Answer(IDYES);
    PressKey(page.hwnd(), VK_ESCAPE);
    EXPECT_EQ(2u, messages.Count());
    EXPECT_TRUE(this->Ended());
}

TYPED_TEST(PageExit, CloseBoxEndsWithoutAsking) {
    SendMessageW(this->page.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, this->messages.Count());
    EXPECT_TRUE(this->Ended());
}

}  // namespace
