#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "test_tree.h"
#include "vtutils.h"

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> list) {
    std::sort(list.begin(), list.end());
    return list;
}

// True when the entries starting with prefix form one unbroken run.
bool IsOneRun(const std::vector<std::wstring>& list, const std::wstring& prefix) {
    auto starts = [&](const std::wstring& s) { return s.compare(0, prefix.size(), prefix) == 0; };
    auto first = std::find_if(list.begin(), list.end(), starts);
    auto afterRun = std::find_if_not(first, list.end(), starts);
    return std::find_if(afterRun, list.end(), starts) == list.end();
}

}  // namespace

TEST(ListFilesRecursive, ListsEveryFileDepthFirstButNoFolder) {
    TestTree tree;
    const std::wstring root = tree.Path(L"src");
    for (const wchar_t* name : {L"src\\a.txt", L"src\\sub\\b.txt", L"src\\sub\\deep\\c.txt",
                                L"src\\sub\\d", L"src\\other\\e.txt", L"src\\ż.ini"}) {
        tree.Write(name, "x");
    }
    tree.MakeFolder(L"src\\empty\\inner");
    tree.Write(L"src\\hidden.sys", "x");
    SetFileAttributesW(tree.Path(L"src\\hidden.sys").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);

    std::vector<std::wstring> files{L"kept first"};
    ListFilesRecursive(root, files);

    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front(), L"kept first");
    files.erase(files.begin());
    const std::wstring r = root + L"\\";
    EXPECT_EQ(Sorted(files), Sorted({r + L"a.txt", r + L"sub\\b.txt", r + L"sub\\deep\\c.txt",
                                     r + L"sub\\d", r + L"other\\e.txt", r + L"ż.ini",
                                     r + L"hidden.sys"}));
    EXPECT_TRUE(IsOneRun(files, r + L"sub\\"));
    EXPECT_TRUE(IsOneRun(files, r + L"sub\\deep\\"));
}

TEST(ListFilesRecursive, NameThatIsNoFolderAddsNothing) {
    TestTree tree;
    tree.Write(L"file.txt", "x");
    std::vector<std::wstring> files;
    ListFilesRecursive(tree.Path(L"file.txt"), files);
    ListFilesRecursive(tree.Path(L"missing"), files);
    ListFilesRecursive(L"", files);
    EXPECT_EQ(files.size(), 0u);
}
