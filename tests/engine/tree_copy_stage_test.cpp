// The files written into the copy's staging folder: what arrives, a file held
// by another program, a brief lock waited out, the leftovers of an interrupted
// copy, and two copies at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tree_copy_fixture.h"

namespace {

TEST_F(TreeCopyTest, CopiesEveryFileIntoANewNestedTarget) {
    WriteSource(kProgramFile, "exe");
    WriteSource(L"help\\" + kHelpFile, "hlp");
    WriteSource(L"help\\deep\\zażółć gęślą.txt", "pl");
    WriteSource(L"secret.sys", "sys");
    SetAttributes(L"RunImage\\secret.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.MakeFolder(L"RunImage\\empty\\inner");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(kProgramFile), "exe");
    EXPECT_EQ(ReadTarget(L"help\\" + kHelpFile), "hlp");
    EXPECT_EQ(ReadTarget(L"help\\deep\\zażółć gęślą.txt"), "pl");
    EXPECT_EQ(ReadTarget(L"secret.sys"), "sys");
    EXPECT_FALSE(InTarget(L"empty"));
}

TEST_F(TreeCopyTest, ReadOnlySourceArrivesWritable) {
    for (const wchar_t* name : {L"ro.txt", L"listed.txt"}) {
        WriteSource(name, "new");
        SetAttributes(L"RunImage\\" + std::wstring(name), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }
    WriteTarget(L"listed.txt", "old");
    const Names overwrite{L"listed.txt"};

    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    for (const wchar_t* name : {L"ro.txt", L"listed.txt"}) {
        EXPECT_EQ(ReadTarget(name), "new");
        const DWORD copied = tree.Attributes(L"Vantrel\\Velandra\\" + std::wstring(name));
        EXPECT_FALSE(HasAttribute(copied, FILE_ATTRIBUTE_READONLY)) << std::hex << copied;
        EXPECT_TRUE(HasAttribute(tree.Attributes(L"RunImage\\" + std::wstring(name)),
                                 FILE_ATTRIBUTE_READONLY));
    }
}

TEST_F(TreeCopyTest, FileHeldOpenElsewhereIsReportedWithItsErrorAndNothingIsPlaced) {
    for (const wchar_t* name : {L"a.txt", L"busy.txt", L"sub\\z.txt"}) WriteSource(name, "x");
    LockedFile lock(tree.Path(L"RunImage\\busy.txt"));
    ASSERT_TRUE(lock.locked());

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"busy.txt", ERROR_SHARING_VIOLATION, true}}));
    EXPECT_EQ(FilesBelow(Target()), Names{});
}

// On the target and on the medium alike: a virus scanner reads both.
TEST_F(TreeCopyTest, ABriefLockIsWaitedOut) {
    WriteSource(kProgramFile, "new program");
    WriteSource(kLibraryFile, "library");
    WriteTarget(kProgramFile, "old program");
    const Names overwrite{kProgramFile};
    auto lock = std::make_unique<LockedFile>(tree.Path(L"Vantrel\\Velandra\\" + kProgramFile));
    auto sourceLock = std::make_unique<LockedFile>(tree.Path(L"RunImage\\" + kLibraryFile));
    ASSERT_TRUE(lock->locked() && sourceLock->locked());
    // The source first: its file is read before the target's is replaced.
    std::thread scanner([&lock, &sourceLock] {
        Sleep(kLockRetryPauseMs + 100);
        sourceLock.reset();
        Sleep(kLockRetryPauseMs + 100);
        lock.reset();
    });
    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    scanner.join();
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(kProgramFile), "new program");
    EXPECT_EQ(ReadTarget(kLibraryFile), "library");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

// What an interrupted copy leaves: its marked folder with staged and kept files.
void WriteLeftover(const TestTree& tree, const std::wstring& area) {
    tree.Write(area + L"\\" + kStagingMarkName, kStagingMarkText);
    tree.Write(area + L"\\0\\3.part", "half");
    tree.Write(area + L"\\1\\130.old", "old program");
}

TEST_F(TreeCopyTest, LeftoversOfAnInterruptedCopyAreRemovedAndNothingOfTheCopyStays) {
    WriteSource(kProgramFile, "exe");
    WriteSource(L"Dane\\mapa.bin", "whole map");
    const std::wstring staging = L"Vantrel\\Velandra\\" + std::wstring(kStagingFolder);
    WriteLeftover(tree, staging);
    WriteLeftover(tree, L"Vantrel\\Velandra\\~vel_instaluj.7.tmp");
    WriteTarget(L"~vel_instaluj_notatki.txt", "the user's");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Dane\\mapa.bin"), "whole map");
    EXPECT_EQ(FilesBelow(Target()), (Names{L"Dane\\mapa.bin", kProgramFile, L"~vel_instaluj_notatki.txt"}));
    EXPECT_FALSE(InTarget(kStagingFolder));
    EXPECT_FALSE(InTarget(L"~vel_instaluj.7.tmp"));
}

// A folder of that name that is not a copy's, a file of that name, and the
// folder of a copy that still runs: none of them is touched, and the copy
// works beside them.
TEST_F(TreeCopyTest, WhatOnlyLooksLikeALeftoverIsLeftAlone) {
    WriteSource(kProgramFile, "exe");
    WriteSource(kSettingsFile, "ini");
    WriteTarget(std::wstring(kStagingFolder) + L"\\raport.doc", "the user's report");
    WriteTarget(std::wstring(kStagingFolder) + L"\\0\\1.part", "the user's too");
    WriteTarget(L"~vel_instaluj.2.tmp", "a file of the user's");
    const std::wstring running = L"Vantrel\\Velandra\\~vel_instaluj.3.tmp";
    WriteLeftover(tree, running);
    const base::ScopedFile held(CreateFileW((tree.Path(running) + L"\\" + kStagingMarkName).c_str(),
                                            GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(kSettingsFile), "ini");
    EXPECT_EQ(ReadTarget(std::wstring(kStagingFolder) + L"\\raport.doc"), "the user's report");
    EXPECT_EQ(ReadTarget(std::wstring(kStagingFolder) + L"\\0\\1.part"), "the user's too");
    EXPECT_EQ(ReadTarget(L"~vel_instaluj.2.tmp"), "a file of the user's");
    EXPECT_EQ(tree.Read(running + L"\\0\\3.part"), "half") << "another copy's file";
    EXPECT_FALSE(InTarget(L"~vel_instaluj.4.tmp")) << "the copy's own folder is gone";
}

// Two copies of one tree into one target at the same moment: neither fails
// for the other's sake or removes the other's files.
TEST_F(TreeCopyTest, TwoCopiesAtOnceIntoOneTargetBothSucceed) {
    for (int i = 0; i < 300; ++i) WriteSource(L"Dane\\plik" + std::to_wstring(i) + L".dat", std::string(2000, 'a' + i % 26));
    WriteSource(kProgramFile, "exe");
    const Names overwrite{kProgramFile};
    Failures other;
    CopyResult otherResult = CopyBadArguments;
    std::thread second([&] { otherResult = CopyFolderTreeKeepSource(Source(), Target(), &overwrite, &other); });
    const CopyResult result = Copy(&overwrite);
    second.join();

    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(other, Failures{});
    // Each file came from one of them or the other; the target keeps the one that came first.
    for (CopyResult r : {result, otherResult}) EXPECT_TRUE(r == CopyComplete || r == CopyIncomplete) << r;
    EXPECT_EQ(FilesBelow(Target()), FilesBelow(Source())) << "every file, and no leftover";
    EXPECT_EQ(ReadTarget(L"Dane\\plik299.dat"), std::string(2000, 'a' + 299 % 26));
}

}  // namespace
