// Where the shortcuts land, and what happens when the link object fails.
#include "tests/wizard/install_window.h"
#include "ui/message.h"
#include "base/error.h"
#include "wizard/texts.h"
#include "wizard/shortcuts.h"

using engine::CreateFolderTree;

using namespace testing_support;

namespace inst_test {
namespace {

class Shortcuts : public InstallWindow {
protected:
    void SetUp() override {
        Open();
        target = scratch / L"Velandra";
    }
    std::wstring target;
};

TEST_F(Shortcuts, FallBackToTheUsersFoldersWhenTheShellCannotNameTheShared) {
    shell.Unknown(CSIDL_COMMON_DESKTOPDIRECTORY);
    shell.Unknown(CSIDL_COMMON_PROGRAMS);
    win->CreateShortcuts(target);
    for (const std::wstring& file : {DesktopLink(CSIDL_DESKTOPDIRECTORY), MenuLink(CSIDL_PROGRAMS)})
        ExpectLinkTo(file, target);
    EXPECT_EQ(0u, messages.Count());
}

TEST_F(Shortcuts, ASharedFolderThatRefusesTheSaveFallsBackToTheUsersOwn) {
    // Named by the shell but not there: the save fails and the user's desktop gets it.
    shell.Set(CSIDL_COMMON_DESKTOPDIRECTORY, scratch / L"brak\\Desktop");
    const auto saved = win->CreateShortcuts(target);
    EXPECT_TRUE(saved.desktop);
    EXPECT_TRUE(saved.menu);
    EXPECT_FALSE(IsFile(scratch / (L"brak\\Desktop\\" + kShortcutFile)));
    EXPECT_TRUE(IsFile(DesktopLink(CSIDL_DESKTOPDIRECTORY)));
    EXPECT_TRUE(IsFile(MenuLink(CSIDL_COMMON_PROGRAMS))) << "the menu shortcut still comes";
    EXPECT_EQ(0u, messages.Count());
}

TEST_F(Shortcuts, SharedFoldersWithoutWriteRightsLeaveTheShortcutsInTheUsersFolders) {
    for (int id : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS}) CreateFolderTree(shell[id]);
    WritesDenied desktop(shell[CSIDL_COMMON_DESKTOPDIRECTORY]), programs(shell[CSIDL_COMMON_PROGRAMS]);
    if (!desktop.enforced() || !programs.enforced()) GTEST_SKIP() << "this user may write anywhere (root)";
    const auto saved = win->CreateShortcuts(target);
    EXPECT_TRUE(saved.desktop);
    EXPECT_TRUE(saved.menu);
    EXPECT_FALSE(IsFile(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY)));
    EXPECT_FALSE(IsFile(MenuLink(CSIDL_COMMON_PROGRAMS)));
    for (const std::wstring& file : {DesktopLink(CSIDL_DESKTOPDIRECTORY), MenuLink(CSIDL_PROGRAMS)})
        ExpectLinkTo(file, target);
}

TEST_F(Shortcuts, WithoutAnyProgramsFolderOnlyTheDesktopLinkIsMade) {
    shell.Unknown(CSIDL_COMMON_PROGRAMS);
    shell.Unknown(CSIDL_PROGRAMS);
    const auto saved = win->CreateShortcuts(target);
    EXPECT_TRUE(saved.desktop);
    EXPECT_FALSE(saved.menu);
    EXPECT_TRUE(IsFile(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY)));
    EXPECT_EQ(0u, messages.Count());
}

TEST_F(Shortcuts, AnExistingMenuFolderIsReusedAndAnOldLinkReplaced) {
    const std::wstring menu = shell[CSIDL_COMMON_PROGRAMS] + L"\\" + kMenuFolder;
    WriteText(menu + L"\\Czytaj.txt", "plik użytkownika");
    WriteText(menu + L"\\" + kShortcutFile, "stary");
    win->CreateShortcuts(target);
    EXPECT_EQ("plik użytkownika", ReadText(menu + L"\\Czytaj.txt"));
    ExpectLinkTo(menu + L"\\" + kShortcutFile, target);
}

// An object that is no shell link at all.
class NotALink : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        *out = nullptr;
        if (iid != IID_IUnknown) return E_NOINTERFACE;
        *out = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
};

class LinkObjectFails : public InstallWindow {
protected:
    void SetUp() override {
        target = scratch / L"Velandra";
        CreateFolderTree(target);
        Open();
        Type(target);
    }
    void TearDown() override { SetShellLinkFactory(nullptr); }
    // Next runs the copy, then the error of the link object ends it.
    void ExpectErrorReport(const std::wstring& text) {
        ASSERT_TRUE(Click(win->BitBtn3));
        ASSERT_EQ(1u, messages.Count()) << "no success message";
        EXPECT_EQ(text, messages.Last().text);
        EXPECT_EQ(ui::ApplicationTitle(), messages.Last().caption);
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), messages.Last().type);
        EXPECT_FALSE(Ended());
        EXPECT_FALSE(win->BitBtn3.Enabled());
        EXPECT_EQ("program 3.51", ReadText(target + L"\\" + kProgramFile)) << "the copy stays";
        EXPECT_FALSE(IsFile(DesktopLink(CSIDL_COMMON_DESKTOPDIRECTORY)));
    }
    std::wstring target;
};

TEST_F(LinkObjectFails, ACreationFailureNamesTheErrorAndTheClass) {
    SetShellLinkFactory([](IUnknown** out) {
        *out = nullptr;
        return REGDB_E_CLASSNOTREG;
    });
    ExpectErrorReport(SystemWords(static_cast<unsigned long>(REGDB_E_CLASSNOTREG)) +
                      L", ClassID: {00021401-0000-0000-C000-000000000046}.");
}

TEST_F(LinkObjectFails, AMissingInterfaceIsReported) {
    NotALink object;
    SetShellLinkFactory([&object](IUnknown** out) {
        object.AddRef();
        *out = &object;
        return S_OK;
    });
    ExpectErrorReport(L"Interface not supported.");
    EXPECT_EQ(1u, object.refs) << "the object was released";
}

}  // namespace
}  // namespace inst_test
