// The install window before Next: its look, the proposed folder, the edit and
// the picker, the folder question and leaving.
#include "tests/wizard/install_window.h"

#include <commctrl.h>

#include "ui/display.h"
#include "ui/message.h"

using engine::CreateFolderTree;
using engine::FolderExists;

using namespace testing_support;

namespace inst_test {
namespace {

// The tooltip the form shows for a control, read back from its tooltip window.
std::wstring TipOf(HWND form, HWND control) {
    HWND tips = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM found) {
            wchar_t cls[64] = {};
            GetClassNameW(h, cls, 64);
            if (lstrcmpiW(cls, TOOLTIPS_CLASSW) != 0) return TRUE;
            *reinterpret_cast<HWND*>(found) = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tips));
    if (!tips || GetWindow(tips, GW_OWNER) != form) return L"(no tooltip window of the form)";
    wchar_t text[80] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    SendMessageW(tips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
    return text;
}

// The layout table at 96 DPI and scaled to 144: every position and size
// times 1.5 to the nearest pixel.
std::vector<Place> Layout(Tinst_main_win& win) {
    const HWND form = win.hwnd(), top = win.Panel1.hwnd(), bottom = win.Panel2.hwnd();
    return {
        {top, form, {0, 0, 504, 65}, {0, 0, 756, 98}},
        {win.Label3.hwnd(), top, {6, 18, 429, 41}, {9, 27, 644, 62}},
        {win.Image1.hwnd(), top, {440, 2, 499, 61}, {660, 3, 749, 92}},
        {win.Edit1.hwnd(), form, {13, 106, 425, 130}, {20, 159, 638, 195}},
        {win.BitBtn1.hwnd(), form, {431, 102, 463, 134}, {647, 153, 695, 201}},
        {bottom, form, {0, 153, 504, 207}, {0, 230, 756, 311}},
        {win.BitBtn3.hwnd(), bottom, {238, 16, 333, 41}, {357, 24, 500, 62}},
        {win.BitBtn4.hwnd(), bottom, {372, 16, 467, 41}, {558, 24, 701, 62}},
        {win.ProgressBar1.hwnd(), bottom, {13, 20, 223, 37}, {20, 30, 335, 56}},
        {win.Label1.hwnd(), form, {13, 84}, {20, 126}, true},
    };
}

// The table at 144 DPI, fonts a half pixel down.
void ExpectLaidOutAt144(Tinst_main_win& win) {
    ExpectPlaces(Layout(win), 144);
    EXPECT_EQ(19, FontCharHeight(win.Label1.hwnd()));
    EXPECT_EQ(19, FontCharHeight(win.Edit1.hwnd()));
    EXPECT_EQ(28, FontCharHeight(win.Label3.hwnd()));
    EXPECT_EQ(16, FontCharHeight(win.BitBtn3.hwnd()));
    auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(win.BitBtn1.hwnd(), BM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP bm{};
    ASSERT_TRUE(bmp && GetObjectW(bmp, sizeof(bm), &bm));
    EXPECT_EQ(36, bm.bmWidth) << "the folder picture scaled with its button";
    EXPECT_EQ(36, bm.bmHeight);
}

TEST_F(InstallWindow, OpensWithTheTableLayout) {
    Open();
    EXPECT_EQ(kInstallerCaption, TextOf(win->hwnd()));
    SIZE client = ClientSize(win->hwnd());
    EXPECT_EQ(504, client.cx);
    EXPECT_EQ(207, client.cy);
    const LONG_PTR style = GetWindowLongPtrW(win->hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(style & WS_SYSMENU);
    // The form's font reaches the controls without a font of their own.
    for (ui::Control* c : {static_cast<ui::Control*>(&win->Label1), static_cast<ui::Control*>(&win->Edit1)}) {
        EXPECT_EQ(L"Tahoma", FontFace(c->hwnd()));
        EXPECT_EQ(13, FontCharHeight(c->hwnd()));
    }

    ExpectPlaces(Layout(*win), 96);

    EXPECT_EQ(L"Wybierz folder, w którym ma być zainstalowany program Velandra", win->Label1.Text());
    EXPECT_EQ(L"Instalacja programu Velandra ver 3.51", win->Label3.Text());
    EXPECT_EQ(kNextText, win->BitBtn3.Text());
    EXPECT_EQ(kExitText, win->BitBtn4.Text());
    // Not drawn on the picture button, but announced by a screen reader.
    EXPECT_EQ(L"Przeglądaj", win->BitBtn1.Text());
    EXPECT_EQ(L"Wybierz folder", TipOf(win->hwnd(), win->BitBtn1.hwnd()));
}

// Run in a prefix at 144 DPI (ctest gives these suites one of their own).
class InstallWindowAt144Dpi : public InstallWindow {};

TEST_F(InstallWindowAt144Dpi, LaysTheTableOutScaled) {
    ASSERT_EQ(144, ui::WindowDpi(nullptr)) << "runs in a prefix at 144 DPI";
    Open();
    EXPECT_EQ(144, ui::WindowDpi(win->hwnd()));
    const SIZE client = ClientSize(win->hwnd());
    EXPECT_EQ(756, client.cx);
    EXPECT_EQ(311, client.cy);
    ExpectLaidOutAt144(*win);
}

// Run in a prefix with a black high-contrast scheme.
class InstallWindowInHighContrast : public InstallWindow {};

TEST_F(InstallWindowInHighContrast, EveryLabelReadsClearlyTheGreenTitleToo) {
    Open();
    ExpectLabelsReadableInHighContrast(win->hwnd());
}

TEST_F(InstallWindow, ADpiChangeLaysTheWindowOutAgainWhereTheSystemSuggests) {
    Open();
    Type(L"C:\\Inny");
    RECT suggested{10, 20, 800, 400};
    SendMessageW(win->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(win->hwnd(), &frame);
    EXPECT_EQ(10, frame.left);
    EXPECT_EQ(20, frame.top);
    EXPECT_GT(frame.right - frame.left, 756) << "the frame holds the scaled client area";
    ExpectLaidOutAt144(*win);
    EXPECT_EQ(L"C:\\Inny", win->Edit1.Text()) << "what the user typed stays";
    EXPECT_TRUE(win->BitBtn3.Enabled());
}

TEST_F(InstallWindow, TitleIsGreenItalicAndCentred) {
    Open();
    LOGFONTW title = FontOf(win->Label3.hwnd());
    EXPECT_EQ(std::wstring(L"Tahoma"), title.lfFaceName);
    EXPECT_EQ(19, FontCharHeight(win->Label3.hwnd()));
    EXPECT_TRUE(title.lfItalic);
    EXPECT_EQ(SS_CENTER, GetWindowLongPtrW(win->Label3.hwnd(), GWL_STYLE) & SS_TYPEMASK);
    for (ui::Control* button : {&win->BitBtn3, &win->BitBtn4}) {
        EXPECT_EQ(L"Tahoma", FontFace(button->hwnd()));
        EXPECT_EQ(11, FontCharHeight(button->hwnd()));
    }
    HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(win->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(win->Label3.hwnd()));
    EXPECT_EQ(RGB(0, 128, 0), GetTextColor(dc));
    // Under a high-contrast theme it takes the system's text colour.
    ui::SetHighContrastHandler([] { return true; });
    SendMessageW(win->hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(win->Label3.hwnd()));
    ui::SetHighContrastHandler(nullptr);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), GetTextColor(dc));
    DeleteDC(dc);
}

TEST_F(InstallWindow, BrowseButtonShowsTheFolderPicture) {
    Open();
    auto bmp = reinterpret_cast<HBITMAP>(SendMessageW(win->BitBtn1.hwnd(), BM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, bmp);
    BITMAP bm{};
    GetObjectW(bmp, sizeof(bm), &bm);
    EXPECT_EQ(24, bm.bmWidth);
    EXPECT_EQ(24, bm.bmHeight);
    EXPECT_EQ(24, bm.bmBitsPixel);
}

TEST_F(InstallWindow, ProposesProgramFilesWithNextEnabledAndFocusOnBrowse) {
    Open();
    EXPECT_EQ(DefaultTarget(), win->Edit1.Text());
    EXPECT_TRUE(win->BitBtn3.Enabled());
    EXPECT_EQ(win->BitBtn1.hwnd(), GetFocus());
    EXPECT_EQ(0u, messages.Count());
}

TEST_F(InstallWindow, TabFollowsTheFocusOrder) {
    Open();
    const HWND order[] = {win->BitBtn3.hwnd(), win->BitBtn4.hwnd(), win->Edit1.hwnd(), win->BitBtn1.hwnd()};
    for (HWND want : order) {
        PressKey(win->hwnd(), VK_TAB);
        EXPECT_EQ(want, GetFocus());
    }
}

TEST_F(InstallWindow, ProposalCollapsesTheShellsTrailingBackslash) {
    shell.Set(CSIDL_PROGRAM_FILES, L"D:\\Programy\\");
    Open();
    EXPECT_EQ(L"D:\\Programy\\Vantrel\\Velandra", win->Edit1.Text());
}

TEST_F(InstallWindow, WithoutTheShellsFolderTheFixedProgramFilesIsProposed) {
    shell.Unknown(CSIDL_PROGRAM_FILES);
    Open();
    // Every prefix here has a C:\Program Files folder.
    EXPECT_EQ(L"C:\\Program Files\\Vantrel\\Velandra", win->Edit1.Text());
    EXPECT_TRUE(win->BitBtn3.Enabled());
}

TEST_F(InstallWindow, NextFollowsWhetherTheEditHoldsText) {
    Open();
    Type(L"");
    EXPECT_FALSE(win->BitBtn3.Enabled());
    EXPECT_FALSE(Click(win->BitBtn3));
    Type(L"x");
    EXPECT_TRUE(win->BitBtn3.Enabled());
}

TEST_F(InstallWindow, DecliningTheFolderKeepsNextDisabledUntilTheTextChanges) {
    Open();
    messages.Answer(IDNO);
    ASSERT_TRUE(Click(win->BitBtn3));
    ASSERT_EQ(1u, messages.Count());
    EXPECT_EQ(FolderQuestion(DefaultTarget()), messages.Last().text);
    EXPECT_EQ(kFolderCaption, messages.Last().caption);
    EXPECT_EQ(UINT(MB_YESNO | MB_ICONQUESTION), messages.Last().type);
    EXPECT_EQ(win->hwnd(), messages.Last().owner);
    EXPECT_FALSE(FolderExists(DefaultTarget()));
    EXPECT_FALSE(win->BitBtn3.Enabled());

    // Picking the folder already shown is no change of the text.
    picks.Answer(win->Edit1.Text());
    ASSERT_TRUE(Click(win->BitBtn1));
    EXPECT_FALSE(win->BitBtn3.Enabled());
    Type(DefaultTarget() + L"2");
    EXPECT_TRUE(win->BitBtn3.Enabled());
    EXPECT_EQ(1u, messages.Count());
}

// The folder exists, as a file: asking whether to create it would be untrue.
TEST_F(InstallWindow, AFileInTheFoldersWayIsReportedWithoutAQuestion) {
    const std::wstring file = scratch / L"cel\\plik";
    WriteText(file, "a file where a folder should go");
    Open();
    for (const std::wstring& path : {file + L"\\Velandra", file}) {
        SCOPED_TRACE(testing::PrintToString(path));
        Type(path);
        ASSERT_TRUE(Click(win->BitBtn3));
        const ui::MessageRequest& failed = messages.Last();
        EXPECT_EQ(FolderFailure(path, L"w miejscu folderu jest plik " + file + L"."), failed.text);
        EXPECT_EQ(kFolderCaption, failed.caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), failed.type);
        EXPECT_FALSE(win->BitBtn3.Enabled());
        EXPECT_FALSE(Ended());
    }
    EXPECT_EQ(2u, messages.Count()) << "no question first";
    EXPECT_EQ(std::vector<std::wstring>{L"plik"}, FilesBelow(scratch / L"cel")) << "nothing created";
}

TEST_F(InstallWindow, EnsureTargetFolderAnswersWhatItFoundOrDid) {
    Open();
    EXPECT_EQ(Tinst_main_win::kFolderExisted, Ensure(scratch.path()));
    messages.Answer(IDYES);
    EXPECT_EQ(Tinst_main_win::kFolderCreated, Ensure(scratch / L"a\\b\\c"));
    EXPECT_TRUE(FolderExists(scratch / L"a\\b\\c"));
    messages.Answer(IDNO);
    EXPECT_EQ(Tinst_main_win::kFolderDeclined, Ensure(scratch / L"d"));
    messages.Answer(IDYES);
    EXPECT_EQ(Tinst_main_win::kFolderFailed, Ensure(scratch / L"nowy\\zły|znak"));
    EXPECT_EQ(4u, messages.Count());
    EXPECT_EQ(FolderFailure(scratch / L"nowy\\zły|znak",
                            L"nazwa folderu jest nieprawidłowa (nie może zawierać znaków : * ? \" < > |)."),
              messages.Last().text);
    EXPECT_FALSE(FolderExists(scratch / L"nowy")) << "the parent made before the failure is gone again";
}

TEST_F(InstallWindow, AFolderOnADriveThatIsNotThereSaysSo) {
    wchar_t drive = L'R';
    while (drive > L'D' && GetDriveTypeW((std::wstring(1, drive) + L":\\").c_str()) != DRIVE_NO_ROOT_DIR) --drive;
    ASSERT_GT(drive, L'D') << "no free drive letter";
    const std::wstring path = std::wstring(1, drive) + L":\\Vantrel\\Velandra";
    Open();
    messages.Answer(IDYES);
    EXPECT_EQ(Tinst_main_win::kFolderFailed, Ensure(path));
    EXPECT_EQ(FolderFailure(path, L"nie ma takiego dysku: " + path.substr(0, 2) + L"."), messages.Last().text);
}

TEST_F(InstallWindow, AProgramFilesFolderWithoutWriteRightsNamesTheMissingRights) {
    const std::wstring programFiles = shell[CSIDL_PROGRAM_FILES];
    CreateFolderTree(programFiles);
    WritesDenied denied(programFiles);
    if (!denied.enforced()) GTEST_SKIP() << "this user may write anywhere (root)";
    Open();
    messages.Answer(IDYES);
    ASSERT_TRUE(Click(win->BitBtn3));
    ASSERT_EQ(2u, messages.Count());
    EXPECT_EQ(FolderFailure(DefaultTarget(), L"brak uprawnień do zapisu. Wybierz inny folder lub uruchom "
                                             L"instalator jako administrator."),
              messages.Last().text);
    EXPECT_FALSE(Ended());
}

TEST_F(InstallWindow, BrowseStartsAtAnExistingFolderAndTakesTheChoice) {
    Open();
    Type(scratch.path());
    picks.Answer(scratch / L"wybrany");
    ASSERT_TRUE(Click(win->BitBtn1));
    ASSERT_EQ(1u, picks.Asked().size());
    EXPECT_EQ(scratch.path(), picks.Asked()[0].startFolder);
    EXPECT_EQ(win->hwnd(), picks.Asked()[0].owner);
    EXPECT_EQ(scratch / L"wybrany", win->Edit1.Text());

    // A path that does not exist opens the picker at its root; cancel changes nothing.
    picks.Answer(std::nullopt);
    ASSERT_TRUE(Click(win->BitBtn1));
    ASSERT_EQ(2u, picks.Asked().size());
    EXPECT_EQ(L"", picks.Asked()[1].startFolder);
    EXPECT_EQ(scratch / L"wybrany", win->Edit1.Text());
}

}  // namespace
}  // namespace inst_test
