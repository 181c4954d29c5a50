#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/handles.h"
#include "copy_observer.h"
#include "seal.h"
#include "staging.h"
#include "test_tree.h"
#include "tests/support/install.h"
#include "vtutils.h"

namespace {

using Names = std::vector<std::wstring>;
using Failures = std::vector<CopyFailure>;

class TreeCopyTest : public ::testing::Test {
protected:
    // The source and target of a copy are folders of one temporary tree.
    std::wstring Source() const { return tree.Path(L"RunImage"); }
    std::wstring Target() const { return tree.Path(L"Vantrel\\Velandra"); }
    void WriteSource(const std::wstring& relative, const std::string& text) {
        tree.Write(L"RunImage\\" + relative, text);
    }
    void WriteTarget(const std::wstring& relative, const std::string& text) {
        tree.Write(L"Vantrel\\Velandra\\" + relative, text);
    }
    std::string ReadTarget(const std::wstring& relative) const {
        return tree.Read(L"Vantrel\\Velandra\\" + relative);
    }
    bool InSource(const std::wstring& relative) const { return tree.Exists(L"RunImage\\" + relative); }
    bool InTarget(const std::wstring& relative) const {
        return tree.Exists(L"Vantrel\\Velandra\\" + relative);
    }
    void SetAttributes(const std::wstring& relative, DWORD attrs) const {
        ASSERT_TRUE(SetFileAttributesW(tree.Path(relative).c_str(), attrs));
    }
    CopyResult Copy(const Names* overwrite = nullptr) {
        return CopyFolderTreeKeepSource(Source(), Target(), overwrite, &failures);
    }

    // Failures in the order of their paths, whatever order the listing gave.
    static void SortByPath(Failures& list) {
        std::sort(list.begin(), list.end(),
                  [](const CopyFailure& x, const CopyFailure& y) { return x.relativePath < y.relativePath; });
    }

    TestTree tree;
    Failures failures;
};

bool HasAttribute(DWORD attrs, DWORD bit) {
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & bit) != 0;
}

TEST_F(TreeCopyTest, BadArgumentsCopyNothing) {
    WriteSource(L"Vel.exe", "exe");
    EXPECT_EQ(CopyFolderTreeKeepSource(L"", Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), L""), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"missing"), Target()), CopyBadArguments);
    EXPECT_EQ(CopyFolderTreeKeepSource(tree.Path(L"RunImage\\Vel.exe"), Target()),
              CopyBadArguments);
    EXPECT_FALSE(tree.Exists(L"Vantrel"));
}

TEST_F(TreeCopyTest, CopiesEveryFileIntoANewNestedTarget) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"help\\VELHELP.HLP", "hlp");
    WriteSource(L"help\\deep\\zażółć gęślą.txt", "pl");
    WriteSource(L"secret.sys", "sys");
    SetAttributes(L"RunImage\\secret.sys", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    tree.MakeFolder(L"RunImage\\empty\\inner");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "exe");
    EXPECT_EQ(ReadTarget(L"help\\VELHELP.HLP"), "hlp");
    EXPECT_EQ(ReadTarget(L"help\\deep\\zażółć gęślą.txt"), "pl");
    EXPECT_EQ(ReadTarget(L"secret.sys"), "sys");
    EXPECT_FALSE(InTarget(L"empty"));
}

TEST_F(TreeCopyTest, TargetHoldingEveryFileKeepsAllButListedNamesRelativeToSource) {
    for (const wchar_t* name : {L"Vel.exe", L"sub\\vel.exe", L"sub\\Data.txt", L"data.txt"}) {
        WriteSource(name, "new");
        WriteTarget(name, "old");
    }
    const Names overwrite{L"vEL.exe", L"SUB\\DATA.TXT"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});  // kept files are no failures
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "new");
    EXPECT_EQ(ReadTarget(L"sub\\vel.exe"), "old");
    EXPECT_EQ(ReadTarget(L"sub\\Data.txt"), "new");
    EXPECT_EQ(ReadTarget(L"data.txt"), "old");
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

TEST_F(TreeCopyTest, ReadOnlyTargetFileNotListedIsKeptAsItWas) {
    WriteSource(L"ro.txt", "new");
    WriteTarget(L"ro.txt", "old");
    SetAttributes(L"Vantrel\\Velandra\\ro.txt", FILE_ATTRIBUTE_READONLY);

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"ro.txt"), "old");
    EXPECT_TRUE(HasAttribute(tree.Attributes(L"Vantrel\\Velandra\\ro.txt"), FILE_ATTRIBUTE_READONLY));
}

// Windows refuses a rename onto a read-only file and Wine does not: the copy
// checks the attribute itself, so this holds everywhere.
TEST_F(TreeCopyTest, ReadOnlyTargetFileOnTheListIsReportedAsFailure) {
    WriteSource(L"Vel.exe", "new");
    WriteSource(L"other.dll", "dll");
    WriteTarget(L"Vel.exe", "old");
    SetAttributes(L"Vantrel\\Velandra\\Vel.exe", FILE_ATTRIBUTE_READONLY);
    const Names overwrite{L"vel.exe", L"other.dll"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"Vel.exe", ERROR_FILE_READ_ONLY}}));
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "old");
    EXPECT_FALSE(InTarget(L"other.dll")) << "all or nothing";
}

// Names match whatever their case, as on Windows: a listed file whose
// read-only copy in the target is spelt otherwise is still not replaced.
TEST_F(TreeCopyTest, ATargetFileSpeltInAnotherCaseCountsAsTheSame) {
    WriteSource(L"sub\\Help.hlp", "new help");
    WriteSource(L"sub\\notes.txt", "new notes");
    WriteTarget(L"sub\\HELP.HLP", "old help");
    WriteTarget(L"sub\\NOTES.TXT", "old notes");
    SetAttributes(L"Vantrel\\Velandra\\sub\\HELP.HLP", FILE_ATTRIBUTE_READONLY);
    const Names overwrite{L"SUB\\help.HLP"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"sub\\Help.hlp", ERROR_FILE_READ_ONLY}}));
    EXPECT_EQ(ReadTarget(L"sub\\HELP.HLP"), "old help");
    EXPECT_EQ(ReadTarget(L"sub\\NOTES.TXT"), "old notes") << "not on the list: kept";
}

TEST_F(TreeCopyTest, TargetThatCannotBeCreatedStopsBeforeAnyFile) {
    WriteSource(L"Vel.exe", "exe");
    tree.Write(L"Vantrel", "a file where the folder must go");

    EXPECT_EQ(Copy(), CopyFolderFailed);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].relativePath, L"");
    EXPECT_NE(failures[0].error, 0u);
    EXPECT_EQ(tree.Read(L"Vantrel"), "a file where the folder must go");
}

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
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{folder}) << "nothing placed, no folder made";
    EXPECT_EQ(ReadTarget(folder), "blocker");
}

TEST_F(TreeCopyTest, FileHeldOpenElsewhereIsReportedWithItsErrorAndNothingIsPlaced) {
    for (const wchar_t* name : {L"a.txt", L"busy.txt", L"sub\\z.txt"}) WriteSource(name, "x");
    LockedFile lock(tree.Path(L"RunImage\\busy.txt"));
    ASSERT_TRUE(lock.locked());

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"busy.txt", ERROR_SHARING_VIOLATION, true}}));
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{});
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
        EXPECT_EQ(tree.Files(L"RunImage"), (Names{L"busy.txt", L"kept.txt", L"moved.txt", L"sub\\moved.txt"}));
        EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{L"kept.txt"});
    }
    failures.clear();
    EXPECT_EQ(CopyFolderTree(Source(), Target(), true, nullptr, &failures), CopyIncomplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(tree.Files(L"RunImage"), (Names{L"kept.txt", L"sub\\"})) << "a file the target keeps stays in the source";
    EXPECT_EQ(ReadTarget(L"sub\\moved.txt"), "new");
    EXPECT_EQ(ReadTarget(L"kept.txt"), "old");
}

TEST_F(TreeCopyTest, LinksToFoldersAreNotFollowed) {
    WriteSource(L"real\\f.txt", "f");
    tree.Write(L"elsewhere\\secret.txt", "s");
    if (!MakeHostLink(tree.Path(L"RunImage\\real\\up"), L"..") ||
        !MakeHostLink(tree.Path(L"RunImage\\outside"), HostPath(tree.Path(L"elsewhere")))) {
        GTEST_SKIP() << "cannot create folder links here";
    }
    std::vector<std::wstring> files;
    ListFilesRecursive(Source(), files);
    EXPECT_EQ(files, Names{Source() + L"\\real\\f.txt"});

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(ReadTarget(L"real\\f.txt"), "f");
    EXPECT_FALSE(InTarget(L"real\\up"));
    EXPECT_FALSE(InTarget(L"outside"));
}

TEST_F(TreeCopyTest, UnreadableSourceFolderIsReportedNotSkippedSilently) {
    WriteSource(L"a.txt", "a");
    WriteSource(L"closed\\b.txt", "b");
    const std::wstring closed = tree.Path(L"RunImage\\closed");
    if (!RunHostCommand(L"chmod 000 " + HostQuoted(closed))) GTEST_SKIP() << "no host here";
    std::vector<std::wstring> probe;
    ListFilesRecursive(closed, probe);
    if (!probe.empty()) GTEST_SKIP() << "the platform lets this user read every folder (root)";

    EXPECT_EQ(Copy(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"closed\\", ERROR_ACCESS_DENIED, true}}));
    EXPECT_FALSE(InTarget(L"a.txt")) << "all or nothing";
}

// What an interrupted copy leaves: its marked folder with staged and kept files.
void WriteLeftover(const TestTree& tree, const std::wstring& area) {
    tree.Write(area + L"\\" + kStagingMarkName, kStagingMarkText);
    tree.Write(area + L"\\0\\3.part", "half");
    tree.Write(area + L"\\1\\130.old", "old program");
}

TEST_F(TreeCopyTest, LeftoversOfAnInterruptedCopyAreRemovedAndNothingOfTheCopyStays) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"Dane\\mapa.bin", "whole map");
    const std::wstring staging = L"Vantrel\\Velandra\\" + std::wstring(kStagingFolder);
    WriteLeftover(tree, staging);
    WriteLeftover(tree, L"Vantrel\\Velandra\\~vel_instaluj.7.tmp");
    WriteTarget(L"~vel_instaluj_notatki.txt", "the user's");

    EXPECT_EQ(Copy(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Dane\\mapa.bin"), "whole map");
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), (Names{L"Dane\\mapa.bin", L"Vel.exe", L"~vel_instaluj_notatki.txt"}));
    EXPECT_FALSE(InTarget(kStagingFolder));
    EXPECT_FALSE(InTarget(L"~vel_instaluj.7.tmp"));
}

// A folder of that name that is not a copy's, a file of that name, and the
// folder of a copy that still runs: none of them is touched, and the copy
// works beside them.
TEST_F(TreeCopyTest, WhatOnlyLooksLikeALeftoverIsLeftAlone) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"Dane\\tablica.ini", "ini");
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
    EXPECT_EQ(ReadTarget(L"Dane\\tablica.ini"), "ini");
    EXPECT_EQ(ReadTarget(std::wstring(kStagingFolder) + L"\\raport.doc"), "the user's report");
    EXPECT_EQ(ReadTarget(std::wstring(kStagingFolder) + L"\\0\\1.part"), "the user's too");
    EXPECT_EQ(ReadTarget(L"~vel_instaluj.2.tmp"), "a file of the user's");
    EXPECT_EQ(tree.Read(running + L"\\0\\3.part"), "half") << "another copy's file";
    EXPECT_FALSE(InTarget(L"~vel_instaluj.4.tmp")) << "the copy's own folder is gone";
}

TEST_F(TreeCopyTest, ATargetWithoutWriteRightsFailsAsAFolderThatCannotBeMade) {
    WriteSource(L"a.txt", "a");
    WriteSource(L"b.txt", "b");
    tree.MakeFolder(L"Vantrel\\Velandra");
    const std::wstring host = HostQuoted(Target());
    if (!RunHostCommand(L"chmod a-w " + host)) GTEST_SKIP() << "no host here";
    const CopyResult result = Copy();
    RunHostCommand(L"chmod u+w " + host);
    if (result == CopyComplete) GTEST_SKIP() << "the platform lets this user write anywhere (root)";

    // Said once, for the target itself, not for every file.
    EXPECT_EQ(result, CopyFolderFailed);
    EXPECT_EQ(failures, (Failures{{L"", ERROR_ACCESS_DENIED}}));
}

TEST_F(TreeCopyTest, FailedReplacementKeepsTheOldFileWholeAndLeavesNoPartialFile) {
    WriteSource(L"Vel.exe", "new program");
    WriteTarget(L"Vel.exe", "old program");
    const Names overwrite{L"Vel.exe"};
    {
        LockedFile lock(tree.Path(L"Vantrel\\Velandra\\Vel.exe"));
        ASSERT_TRUE(lock.locked());
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
        const ULONGLONG waited = GetTickCount64() - start;
        // A lock counts only once the retry is over.
        EXPECT_GE(waited, (kLockRetryTries - 1) * kLockRetryPauseMs - 50);
        EXPECT_LT(waited, (kLockRetryTries + 4) * kLockRetryPauseMs);
    }
    EXPECT_EQ(failures, (Failures{{L"Vel.exe", ERROR_SHARING_VIOLATION}}));
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "old program");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

// The program's files replaced one after another, and the last one held by
// a running program: every one that was replaced gets its old content back.
TEST_F(TreeCopyTest, AnUpgradeThatFailsHalfwayLeavesTheOldVersionWhole) {
    const Names overwrite{L"Vel.exe", L"wysw8.dll", L"VELHELP.HLP", L"velhelp.cnt"};
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
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra").size(), overwrite.size()) << "no new file, no folder, no leftover";

    failures.clear();
    EXPECT_EQ(Copy(&overwrite), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    for (const std::wstring& name : overwrite)
        EXPECT_EQ(ReadTarget(name), "3.51 " + testing::PrintToString(name));
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra").size(), overwrite.size() + 1);
}

// Where a file must go the target has a folder: a failure that names the
// file, whether the target would keep it or replace it.
TEST_F(TreeCopyTest, AFolderWhereAFileMustGoIsAFailure) {
    WriteSource(L"Vel.exe", "exe");
    WriteSource(L"Dane\\czytaj.txt", "read me");
    WriteSource(L"Dane\\tablica.ini", "ini");
    tree.MakeFolder(L"Vantrel\\Velandra\\Vel.exe");
    WriteTarget(L"Dane\\czytaj.txt\\notatka.txt", "the user's");
    const Names overwrite{L"Vel.exe"};

    EXPECT_EQ(Copy(&overwrite), CopyIncomplete);
    SortByPath(failures);
    EXPECT_EQ(failures, (Failures{{L"Dane\\czytaj.txt", kErrorFolderInTheWay}, {L"Vel.exe", kErrorFolderInTheWay}}));
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), (Names{L"Dane\\czytaj.txt\\notatka.txt", L"Vel.exe\\"}));
}

// Two copies of one tree into one target at the same moment: neither fails
// for the other's sake or removes the other's files.
TEST_F(TreeCopyTest, TwoCopiesAtOnceIntoOneTargetBothSucceed) {
    for (int i = 0; i < 300; ++i) WriteSource(L"Dane\\plik" + std::to_wstring(i) + L".dat", std::string(2000, 'a' + i % 26));
    WriteSource(L"Vel.exe", "exe");
    const Names overwrite{L"Vel.exe"};
    Failures other;
    CopyResult otherResult = CopyBadArguments;
    std::thread second([&] { otherResult = CopyFolderTreeKeepSource(Source(), Target(), &overwrite, &other); });
    const CopyResult result = Copy(&overwrite);
    second.join();

    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(other, Failures{});
    // Each file came from one of them or the other; the target keeps the one that came first.
    for (CopyResult r : {result, otherResult}) EXPECT_TRUE(r == CopyComplete || r == CopyIncomplete) << r;
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), tree.Files(L"RunImage")) << "every file, and no leftover";
    EXPECT_EQ(ReadTarget(L"Dane\\plik299.dat"), std::string(2000, 'a' + 299 % 26));
}

// On the target and on the medium alike: a virus scanner reads both.
TEST_F(TreeCopyTest, ABriefLockIsWaitedOut) {
    WriteSource(L"Vel.exe", "new program");
    WriteSource(L"wysw8.dll", "library");
    WriteTarget(L"Vel.exe", "old program");
    const Names overwrite{L"Vel.exe"};
    auto lock = std::make_unique<LockedFile>(tree.Path(L"Vantrel\\Velandra\\Vel.exe"));
    auto sourceLock = std::make_unique<LockedFile>(tree.Path(L"RunImage\\wysw8.dll"));
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
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "new program");
    EXPECT_EQ(ReadTarget(L"wysw8.dll"), "library");
    EXPECT_FALSE(InTarget(kStagingFolder));
}

// Records what a copy tells its observer; refuses the plan when asked to.
class Watcher : public CopyObserver {
public:
    explicit Watcher(std::function<bool()> atPlan) : atPlan_(std::move(atPlan)) {}
    bool Planned(const Plan& plan) override {
        plans.push_back(plan);
        return atPlan_();
    }
    void Progress(unsigned long long done) override { progress.push_back(done); }

    std::vector<Plan> plans;
    std::vector<unsigned long long> progress;

private:
    std::function<bool()> atPlan_;
};

TEST_F(TreeCopyTest, TheObserverHearsThePlanBeforeAnyWriteAndTheProgressUpToItsEnd) {
    WriteSource(L"Vel.exe", std::string(300000, 'n'));  // several chunks
    WriteSource(L"Dane\\pusty.txt", "");
    WriteTarget(L"Vel.exe", std::string(5000, 'o'));
    const Names overwrite{L"Vel.exe"};
    Watcher watcher([&] {
        EXPECT_EQ(ReadTarget(L"Vel.exe"), std::string(5000, 'o'));
        EXPECT_FALSE(InTarget(kStagingFolder)) << "nothing written yet";
        return true;
    });
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), Target(), &overwrite, &failures, nullptr, &watcher), CopyComplete);
    ASSERT_EQ(watcher.plans.size(), 1u);
    const CopyObserver::Plan& plan = watcher.plans[0];
    // Every byte read and written counts, and each file a share beside.
    EXPECT_GT(plan.units, 2u * 300000);
    // A megabyte for the folders, the new file on whole clusters, and room
    // for the old one where it must be copied to be kept.
    EXPECT_GE(plan.bytesNeeded, (1u << 20) + 300000);
    EXPECT_LE(plan.bytesNeeded, (1u << 20) + 300000 + 5000 + 3 * 65536);
    ASSERT_GE(watcher.progress.size(), 4u);
    EXPECT_TRUE(std::is_sorted(watcher.progress.begin(), watcher.progress.end())) << "it only grows";
    EXPECT_EQ(watcher.progress.back(), plan.units) << "and ends at the plan's end";
}

TEST_F(TreeCopyTest, AnObserverThatRefusesThePlanStopsTheCopyBeforeAnyWrite) {
    WriteSource(L"Vel.exe", "new program");
    WriteSource(L"Dane\\nowe.ini", "new data");
    WriteTarget(L"Vel.exe", "old program");
    const Names overwrite{L"Vel.exe"};
    Watcher watcher([] { return false; });
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), Target(), &overwrite, &failures, nullptr, &watcher),
              CopyIncomplete);
    EXPECT_EQ(failures, Failures{}) << "the observer says why";
    EXPECT_EQ(watcher.progress, std::vector<unsigned long long>{});
    EXPECT_EQ(ReadTarget(L"Vel.exe"), "old program");
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{L"Vel.exe"}) << "no staging folder, no new file";
}

// Where the room cannot be told beforehand, a full disk fails the copy as it
// writes: an upgrade keeps the old program whole, and completes once there is
// room.
TEST_F(TreeCopyTest, AnUpgradeOnAFullDiskKeepsTheOldProgramAndCompletesOnceThereIsRoom) {
    testing_support::SmallDisk disk;
    if (!disk.available()) GTEST_SKIP() << "no small file system (VEL_SMALL_DISK)";
    using testing_support::ReadText;
    const std::wstring target = disk / L"Velandra";
    const Names overwrite{L"Vel.exe", L"wysw8.dll"};
    for (const std::wstring& name : overwrite) {
        WriteSource(name, "3.51");
        testing_support::WriteText(target + L"\\" + name, "3.50");
    }
    WriteSource(L"Dane\\tablica.ini", "ustawienia");
    disk.Fill();
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), target, &overwrite, &failures), CopyIncomplete);
    ASSERT_FALSE(failures.empty());
    for (const CopyFailure& failure : failures)
        EXPECT_TRUE(failure.error == ERROR_DISK_FULL || failure.error == ERROR_HANDLE_DISK_FULL) << failure.error;
    EXPECT_NE(std::find_if(failures.begin(), failures.end(),
                           [](const CopyFailure& f) { return f.relativePath == L"Vel.exe"; }),
              failures.end());
    for (const std::wstring& name : overwrite) EXPECT_EQ("3.50", ReadText(target + L"\\" + name));
    EXPECT_EQ(overwrite, testing_support::FilesBelow(target));

    disk.Free();
    failures.clear();
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), target, &overwrite, &failures), CopyComplete);
    for (const std::wstring& name : overwrite) EXPECT_EQ("3.51", ReadText(target + L"\\" + name));
    EXPECT_EQ(3u, testing_support::FilesBelow(target).size()) << "no leftovers";
}

}  // namespace

// A sealed payload of three-byte files: "abc" is what the seal lists for each.
class SealedCopyTest : public TreeCopyTest {
protected:
    static constexpr char kAbc[] = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    void SetUp() override {
        for (const wchar_t* name : {L"Vel.exe", L"wysw8.dll", L"Dane\\tablica.ini"}) WriteSource(name, "abc");
        seal = Seal::Parse(std::string(kAbc) + " 3 Vel.exe\n" + kAbc + " 3 wysw8.dll\r\n" + kAbc +
                           " 3 Dane\\tablica.ini\n");
        ASSERT_TRUE(seal.has_value());
    }
    CopyResult CopySealed() { return CopyFolderTreeKeepSource(Source(), Target(), nullptr, &failures, &*seal); }
    Seal::Damage Inspect() const { return seal->Inspect(Source() + L"\\"); }

    std::optional<Seal> seal;
};

TEST_F(SealedCopyTest, TheListIsReadStrictly) {
    EXPECT_NE(nullptr, seal->Find(L"dane\\TABLICA.INI")) << "letter case ignored";
    EXPECT_EQ(nullptr, seal->Find(L"tablica.ini"));
    EXPECT_EQ(3u, seal->Find(L"Vel.exe")->size);
    for (const std::string& bad : {std::string(kAbc) + " 3", std::string(kAbc) + "  3 x", std::string(kAbc, 63) + "g 3 x",
                                  std::string(kAbc) + " x y", std::string(kAbc) + " 3 a\n" + kAbc + " 3 A"})
        EXPECT_FALSE(Seal::Parse(bad).has_value()) << bad;
    EXPECT_TRUE(Seal::Parse("").has_value()) << "an empty payload";
}

TEST_F(SealedCopyTest, AnIntactPayloadIsCopied) {
    EXPECT_TRUE(Inspect().none());
    EXPECT_EQ(CopySealed(), CopyComplete);
    EXPECT_EQ(failures, Failures{});
    EXPECT_EQ(ReadTarget(L"Dane\\tablica.ini"), "abc");
}

TEST_F(SealedCopyTest, MissingTruncatedAndAddedFilesAreFoundBeforeTheCopy) {
    ASSERT_TRUE(DeleteFileW(tree.Path(L"RunImage\\wysw8.dll").c_str()));
    WriteSource(L"Vel.exe", "ab");
    WriteSource(L"Dane\\obcy.txt", "abc");
    const Seal::Damage damage = Inspect();
    EXPECT_EQ(damage.missing, Names{L"wysw8.dll"});
    EXPECT_EQ(damage.changed, Names{L"Vel.exe"});
    EXPECT_EQ(damage.extra, Names{L"Dane\\obcy.txt"});

    // And by the copy itself, should the payload change after the check.
    EXPECT_EQ(CopySealed(), CopyIncomplete);
    SortByPath(failures);
    EXPECT_EQ(failures, (Failures{{L"Dane\\obcy.txt", kErrorSealBroken, true},
                                  {L"Vel.exe", kErrorSealBroken, true},
                                  {L"wysw8.dll", ERROR_FILE_NOT_FOUND, true}}));
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{});
}

// Only the content tells: the size is right, the check before the copy
// passes, and the copy fails as a whole when it reads the file.
TEST_F(SealedCopyTest, AChangedByteFailsTheWholeCopy) {
    WriteSource(L"wysw8.dll", "abd");
    EXPECT_TRUE(Inspect().none());
    EXPECT_EQ(CopySealed(), CopyIncomplete);
    EXPECT_EQ(failures, (Failures{{L"wysw8.dll", kErrorSealBroken, true}}));
    EXPECT_EQ(tree.Files(L"Vantrel\\Velandra"), Names{});
}

// The message names the first few missing files: in the order of their
// names, letter case ignored, whatever order the list gave.
TEST_F(SealedCopyTest, MissingFilesComeInTheOrderOfTheirNames) {
    seal = Seal::Parse(std::string(kAbc) + " 3 zeta.txt\n" + kAbc + " 3 Beta.txt\n" + kAbc + " 3 alfa.txt\n" + kAbc +
                       " 3 Vel.exe\n" + kAbc + " 3 wysw8.dll\n" + kAbc + " 3 Dane\\tablica.ini\n");
    ASSERT_TRUE(seal.has_value());
    EXPECT_EQ(Inspect().missing, (Names{L"alfa.txt", L"Beta.txt", L"zeta.txt"}));
    EXPECT_EQ(3u, seal->Find(L"ZETA.TXT")->size);
}
