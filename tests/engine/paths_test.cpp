#include <gtest/gtest.h>

#include "test_tree.h"
#include "vtutils.h"

TEST(AddTrailingBackslash, AddsOneOnlyWhereMissing) {
    EXPECT_EQ(AddTrailingBackslash(L""), L"");
    EXPECT_EQ(AddTrailingBackslash(L"C:\\Program Files"), L"C:\\Program Files\\");
    EXPECT_EQ(AddTrailingBackslash(L"C:\\Program Files\\"), L"C:\\Program Files\\");
    EXPECT_EQ(AddTrailingBackslash(L"C:\\a\\\\"), L"C:\\a\\\\");
    EXPECT_EQ(AddTrailingBackslash(L"C:/a/"), L"C:/a/\\");  // only the backslash counts
    EXPECT_EQ(AddTrailingBackslash(L"Zażółć"), L"Zażółć\\");
}

TEST(CollapseDoubleBackslashes, PairsBecomeOneWithoutRescanning) {
    EXPECT_EQ(CollapseDoubleBackslashes(L""), L"");
    EXPECT_EQ(CollapseDoubleBackslashes(L"C:\\Vantrel\\Velandra\\"), L"C:\\Vantrel\\Velandra\\");
    EXPECT_EQ(CollapseDoubleBackslashes(L"C:\\\\Vantrel\\\\Velandra"), L"C:\\Vantrel\\Velandra");
    EXPECT_EQ(CollapseDoubleBackslashes(L"\\\\server\\share"), L"\\server\\share");
    EXPECT_EQ(CollapseDoubleBackslashes(L"a\\\\\\b"), L"a\\\\b");          // 3 -> 2
    EXPECT_EQ(CollapseDoubleBackslashes(L"a\\\\\\\\b"), L"a\\\\b");        // 4 -> 2
    EXPECT_EQ(CollapseDoubleBackslashes(L"a\\\\\\\\\\"), L"a\\\\\\");      // 5 -> 3
    EXPECT_EQ(CollapseDoubleBackslashes(L"a//b\\\\ł"), L"a//b\\ł");
}

TEST(CreateFolderTree, CreatesEveryMissingLevel) {
    TestTree tree;
    EXPECT_TRUE(CreateFolderTree(tree.Path(L"a\\b\\ć d\\")));
    EXPECT_TRUE(FolderExists(tree.Path(L"a\\b\\ć d")));
    EXPECT_TRUE(CreateFolderTree(tree.Path(L"a\\b")));  // already there
    EXPECT_TRUE(CreateFolderTree(tree.Path(L"")));
}

TEST(CreateFolderTree, FailsWhereAFileStandsInTheWay) {
    TestTree tree;
    tree.Write(L"a\\file", "x");
    SetLastError(0);
    EXPECT_FALSE(CreateFolderTree(tree.Path(L"a\\file\\sub")));
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_FALSE(tree.Exists(L"a\\file\\sub"));
    EXPECT_FALSE(CreateFolderTree(tree.Path(L"a\\file")));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateFolderTree(L""));
}

TEST(CollapseKeepingNetworkPrefix, KeepsOnlyTheLeadingPair) {
    EXPECT_EQ(L"\\\\serwer\\dział\\Velandra\\", CollapseKeepingNetworkPrefix(L"\\\\serwer\\\\dział\\Velandra\\\\"));
    EXPECT_EQ(L"C:\\a\\b\\", CollapseKeepingNetworkPrefix(L"C:\\\\a\\\\b\\\\"));
    EXPECT_EQ(L"\\a", CollapseKeepingNetworkPrefix(L"\\a"));
    EXPECT_EQ(L"\\\\", CollapseKeepingNetworkPrefix(L"\\\\"));
    EXPECT_EQ(L"", CollapseKeepingNetworkPrefix(L""));
}

// What a user types or pastes, and the one folder every step then uses.
TEST(ResolvedFolder, ResolvesAsWindowsDoes) {
    wchar_t current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    ASSERT_GT(length, 0u);
    std::wstring here(current, length);
    if (here.back() != L'\\') here += L'\\';
    const std::pair<const wchar_t*, std::wstring> cases[] = {
        {L"C:\\vtest\\Velandra ", L"C:\\vtest\\Velandra"},          // pasted with a space
        {L"C:\\vtest\\Velandra.", L"C:\\vtest\\Velandra"},
        {L"\t C:\\vtest. .\\Vel andra .. \\ ", L"C:\\vtest\\Vel andra"},
        {L" C:\\vtest", L"C:\\vtest"},                              // not relative
        {L"C:\\\\vtest\\\\Velandra\\", L"C:\\vtest\\Velandra"},
        {L"C:\\a\\..\\b\\.\\c", L"C:\\b\\c"},
        {L"C:/a/b", L"C:\\a\\b"},
        {L"C:\\", L"C:\\"},
        {L"\\\\serwer\\\\dział\\Velandra\\", L"\\\\serwer\\dział\\Velandra"},
        {L"Vel", here + L"Vel"},
        {L".\\a\\b ", here + L"a\\b"},
        {L"\\Vel", here.substr(0, 3) + L"Vel"},                     // the current drive's root
        {L"   ", L""},
    };
    for (const auto& [typed, resolved] : cases)
        EXPECT_EQ(resolved, ResolvedFolder(typed)) << testing::PrintToString(std::wstring(typed));
}

TEST(ReservedNameIn, FindsDeviceNamesInAnyPart) {
    EXPECT_EQ(L"CON", ReservedNameIn(L"C:\\CON"));
    EXPECT_EQ(L"nul.txt", ReservedNameIn(L"C:\\a\\nul.txt\\b"));
    EXPECT_EQ(L"Com1", ReservedNameIn(L"D:\\Vantrel\\Com1"));
    EXPECT_EQ(L"LPT9 ", ReservedNameIn(L"C:\\LPT9 "));
    for (const wchar_t* free : {L"C:\\CONSOLE", L"C:\\COM0", L"C:\\COM10", L"C:\\a\\PRNx", L"C:\\Program Files"})
        EXPECT_EQ(L"", ReservedNameIn(free)) << testing::PrintToString(std::wstring(free));
}

TEST(IsSameOrInside, ComparesWholeNamesWithoutCase) {
    EXPECT_TRUE(IsSameOrInside(L"D:\\RunImage", L"D:\\RunImage\\"));
    EXPECT_TRUE(IsSameOrInside(L"d:\\runimage\\Dane\\x", L"D:\\RunImage\\"));
    EXPECT_TRUE(IsSameOrInside(L"D:\\x", L"D:\\"));
    EXPECT_FALSE(IsSameOrInside(L"D:\\RunImage2", L"D:\\RunImage\\"));
    EXPECT_FALSE(IsSameOrInside(L"D:\\", L"D:\\RunImage\\"));
    EXPECT_FALSE(IsSameOrInside(L"C:\\RunImage", L"D:\\RunImage"));
}

TEST(CreateFolderTree, RefusesDeviceNamesAndTellsWhatItCreated) {
    TestTree tree;
    std::vector<std::wstring> created;
    EXPECT_FALSE(CreateFolderTree(tree.Path(L"a\\CON\\b"), &created));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_FALSE(tree.Exists(L"a"));
    tree.MakeFolder(L"a");
    EXPECT_TRUE(CreateFolderTree(tree.Path(L"a\\b\\c"), &created));
    EXPECT_EQ(created, (std::vector<std::wstring>{tree.Path(L"a\\b"), tree.Path(L"a\\b\\c")}));
}
