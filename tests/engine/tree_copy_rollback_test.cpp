// A copy that fails on the way is taken back: nothing placed stays, and
// every file that was replaced gets its old content again.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tree_copy_fixture.h"

namespace {

TEST_F(TreeCopyTest, AFolderThatCannotBeMadeUndoesTheWholeCopy) {
    for (const wchar_t* name : {L"a.txt", L"one\\b.txt", L"two\\c.txt", L"three\\d.txt", L"e.txt"})
        WriteSource(name, "x");
    std::vector<std::wstring> order;
    ListFilesRecursive(Source(), order);
    ASSERT_EQ(order.size(), 5u);
    // Some file in a subfolder is neither first nor last: block its folder.
    size_t blocked = 1;
    while (order[blocked].find(L'\\', Source().size() + 1) == std::wstring::npos) ++blocked;
    ASSERT_LT(blocked, 4u);
    const std::wstring relative = order[blocked].substr(Source().size() + 1);
    const std::wstring folder = relative.substr(0, relative.find(L'\\'));
    WriteTarget(folder, "blocker");

    EXPECT_EQ(Copy(), CopyFolderFailed);
    EXPECT_EQ(failures, (Failures{{relative, ERROR_ALREADY_EXISTS}}));
    EXPECT_EQ(FilesBelow(Target()), Names{folder}) << "nothing placed, no folder made";
    EXPECT_EQ(ReadTarget(folder), "blocker");
}

TEST_F(TreeCopyTest, FailedReplacementKeepsTheOldFileWholeAndLeavesNoPartialFile) {
    WriteSource(kProgramFile, "new program");
    WriteTarget(kProgramFile, "old program");
    const Names overwrite{kProgramFile};
    {
        LockedFile lock(tree.Path(L"Vantrel\\Velandra\\" + kProgramFile));
        ASSERT_TRUE(lock.locked());
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
        const ULONGLONG waited = GetTickCount64() - start;
        // A lock counts only once the retry is over.
        EXPECT_GE(waited, (kLockRetryTries - 1) * kLockRetryPauseMs - 50);
        EXPECT_LT(waited, (kLockRetryTries + 4) * kLockRetryPauseMs);
    }
    EXPECT_EQ(failures, (Failures{{kProgramFile, ERROR_SHARING_VIOLATION}}));
    EXPECT_EQ(ReadTarget(kProgramFile), "old program");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

// The program's files replaced one after another, and the last one held by
// a running program: every one that was replaced gets its old content back.
TEST_F(TreeCopyTest, AnUpgradeThatFailsHalfwayLeavesTheOldVersionWhole) {
    const Names overwrite{kProgramFile, kLibraryFile, kHelpFile, kHelpContentsFile};
    for (const std::wstring& name : overwrite) {
        WriteSource(name, "3.51 " + testing::PrintToString(name));
        WriteTarget(name, "3.50 " + testing::PrintToString(name));
    }
    WriteSource(L"Dane\\nowe.ini", "new data");
    std::vector<std::wstring> order;
    ListFilesRecursive(Source(), order);
    const std::wstring last = order.back().substr(Source().size() + 1);
    ASSERT_NE(last, L"Dane\\nowe.ini");
    {
        LockedFile lock(tree.Path(L"Vantrel\\Velandra\\" + last));
        ASSERT_TRUE(lock.locked());
        EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    }
    EXPECT_EQ(failures, (Failures{{last, ERROR_SHARING_VIOLATION}}));
    for (const std::wstring& name : overwrite)
        EXPECT_EQ(ReadTarget(name), "3.50 " + testing::PrintToString(name));
    EXPECT_EQ(FilesBelow(Target()).size(), overwrite.size()) << "no new file, no folder, no leftover";

    failures.clear();
    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    for (const std::wstring& name : overwrite)
        EXPECT_EQ(ReadTarget(name), "3.51 " + testing::PrintToString(name));
    EXPECT_EQ(FilesBelow(Target()).size(), overwrite.size() + 1);
}

// Where the room cannot be told beforehand, a full disk fails the copy as it
// writes: an upgrade keeps the old program whole, and completes once there is
// room.
TEST_F(TreeCopyTest, AnUpgradeOnAFullDiskKeepsTheOldProgramAndCompletesOnceThereIsRoom) {
    testing_support::SmallDisk disk;
    if (!disk.available()) GTEST_SKIP() << "no small file system (VEL_SMALL_DISK)";
    using testing_support::ReadText;
    const std::wstring target = disk / L"Velandra";
    const Names overwrite{kProgramFile, kLibraryFile};
    for (const std::wstring& name : overwrite) {
        WriteSource(name, "3.51");
        testing_support::WriteText(target + L"\\" + name, "3.50");
    }
    WriteSource(kSettingsFile, "ustawienia");
    disk.Fill();
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), target, &overwrite, &failures), CopyIncomplete);
    ASSERT_FALSE(failures.empty());
    for (const CopyFailure& failure : failures)
        EXPECT_TRUE(failure.error == ERROR_DISK_FULL || failure.error == ERROR_HANDLE_DISK_FULL) << failure.error;
    EXPECT_NE(std::find_if(failures.begin(), failures.end(),
                           [](const CopyFailure& f) { return f.relativePath == kProgramFile; }),
              failures.end());
    for (const std::wstring& name : overwrite) EXPECT_EQ("3.50", ReadText(target + L"\\" + name));
    EXPECT_EQ(overwrite, FilesBelow(target));

    disk.Free();
    failures.clear();
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), target, &overwrite, &failures), CopyComplete);
    for (const std::wstring& name : overwrite) EXPECT_EQ("3.51", ReadText(target + L"\\" + name));
    EXPECT_EQ(3u, FilesBelow(target).size()) << "no leftovers";
}

}  // namespace
