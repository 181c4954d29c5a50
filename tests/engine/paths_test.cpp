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
