// The staged files moved into place: a read-only file or a folder where a file
// must go, and a move that deletes its sources only at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tree_copy_fixture.h"

namespace {

// Windows refuses a rename onto a read-only file and Wine does not: the copy
// checks the attribute itself, so this holds everywhere.
TEST_F(TreeCopyTest, ReadOnlyTargetFileOnTheListIsReportedAsFailure) {
    WriteSource(kProgramFile, "new");
    WriteSource(L"other.dll", "dll");
    WriteTarget(kProgramFile, "old");
    SetAttributes(L"Vantrel\\Velandra\\" + kProgramFile, FILE_ATTRIBUTE_READONLY);
    const Names overwrite{L"vel.exe", L"other.dll"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{kProgramFile, ERROR_FILE_READ_ONLY}}));
    EXPECT_EQ(ReadTarget(kProgramFile), "old");
    EXPECT_FALSE(InTarget(L"other.dll")) << "all or nothing";
}

// Where a file must go the target has a folder: a failure that names the
// file, whether the target would keep it or replace it.
TEST_F(TreeCopyTest, AFolderWhereAFileMustGoIsAFailure) {
    WriteSource(kProgramFile, "exe");
    WriteSource(kReadmeFile, "read me");
    WriteSource(kSettingsFile, "ini");
    tree.MakeFolder(L"Vantrel\\Velandra\\" + kProgramFile);
    WriteTarget(kReadmeFile + L"\\notatka.txt", "the user's");
    const Names overwrite{kProgramFile};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    SortByPath(failures);
    EXPECT_EQ(failures, (Failures{{kReadmeFile, kErrorFolderInTheWay}, {kProgramFile, kErrorFolderInTheWay}}));
    EXPECT_EQ(FilesBelow(Target()), (Names{kReadmeFile + L"\\notatka.txt", kProgramFile + L"\\"}));
}

TEST_F(TreeCopyTest, MoveDeletesTheSourcesOnlyOnceTheWholeCopyIsInPlace) {
    for (const wchar_t* name : {L"moved.txt", L"sub\\moved.txt", L"kept.txt", L"busy.txt"})
        WriteSource(name, "new");
    WriteTarget(L"kept.txt", "old");
    {
        LockedFile lock(tree.Path(L"RunImage\\busy.txt"));
        ASSERT_TRUE(lock.locked());
        EXPECT_EQ(CopyFolderTree(Source(), Target(), true, nullptr, &failures), CopyIncomplete);
        EXPECT_EQ(failures, (Failures{{L"busy.txt", ERROR_SHARING_VIOLATION, true}}));
        EXPECT_EQ(FilesBelow(Source()), (Names{L"busy.txt", L"kept.txt", L"moved.txt", L"sub\\moved.txt"}));
        EXPECT_EQ(FilesBelow(Target()), Names{L"kept.txt"});
    }
    failures.clear();
    EXPECT_EQ(CopyFolderTree(Source(), Target(), true, nullptr, &failures), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(FilesBelow(Source()), (Names{L"kept.txt", L"sub\\"})) << "a file the target keeps stays in the source";
    EXPECT_EQ(ReadTarget(L"sub\\moved.txt"), "new");
    EXPECT_EQ(ReadTarget(L"kept.txt"), "old");
}

}  // namespace
