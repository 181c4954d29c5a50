// What the copy tells its observer: the plan before any write, and the
// progress up to the plan's end; an observer that refuses the plan.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tree_copy_fixture.h"

namespace {

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
    WriteSource(kProgramFile, std::string(300000, 'n'));  // several chunks
    WriteSource(L"Dane\\pusty.txt", "");
    WriteTarget(kProgramFile, std::string(5000, 'o'));
    const Names overwrite{kProgramFile};
    Watcher watcher([&] {
        EXPECT_EQ(ReadTarget(kProgramFile), std::string(5000, 'o'));
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
    WriteSource(kProgramFile, "new program");
    WriteSource(L"Dane\\nowe.ini", "new data");
    WriteTarget(kProgramFile, "old program");
    const Names overwrite{kProgramFile};
    Watcher watcher([] { return false; });
    EXPECT_EQ(CopyFolderTreeKeepSource(Source(), Target(), &overwrite, &failures, nullptr, &watcher),
              CopyIncomplete);
    EXPECT_EQ(failures, Failures{}) << "the observer says why";
    EXPECT_EQ(watcher.progress, std::vector<unsigned long long>{});
    EXPECT_EQ(ReadTarget(kProgramFile), "old program");
    EXPECT_EQ(FilesBelow(Target()), Names{kProgramFile}) << "no staging folder, no new file";
}

}  // namespace
