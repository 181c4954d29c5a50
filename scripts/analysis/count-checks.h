// Forced into every C++ unit of a measuring test build (count-checks.sh, with
// -include): every EXPECT_*/ASSERT_* evaluated adds one to a counter, and at
// the end of the test program's run one line is appended to the file that
// VEL_CHECK_COUNT_FILE names (a path the Windows program can open, Z:\...):
//   program  checks  tests-run  tests-skipped  filter  prefix  installer  locale
// A --gtest_list_tests run ends before the run starts and writes nothing, and
// so does a program that dies or leaves by exit() in the middle (count-checks.sh
// compares the runs written with those ctest saw).
// ADD_FAILURE, FAIL, SUCCEED and GTEST_SKIP are not checks and are not counted.
// Made for GoogleTest 1.12: the hooks are its internal macros.
#pragma once
#if defined(__cplusplus) && __has_include(<gtest/gtest.h>)
#include <gtest/gtest.h>

#include <direct.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace vel_count {

inline std::atomic<long long> checks{0};
inline void Hit() { checks.fetch_add(1, std::memory_order_relaxed); }

inline std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v && *v ? v : "-";
}

// Test programs of several prefixes (several wineservers) may end at once: a
// folder made and removed around the write is the lock, mkdir being atomic on
// the host's file system as well.
inline void Append() {
    static std::atomic<bool> written{false};
    const char* file = std::getenv("VEL_CHECK_COUNT_FILE");
    if (!file || !*file || written.exchange(true)) return;
    const testing::UnitTest& u = *testing::UnitTest::GetInstance();
    std::string program = testing::internal::GetArgvs().empty() ? "?" : testing::internal::GetArgvs()[0];
    program = program.substr(program.find_last_of("/\\") + 1);
    if (program.size() > 4 && program.compare(program.size() - 4, 4, ".exe") == 0) program.resize(program.size() - 4);
    std::string prefix = Env("VEL_WINE_PREFIX");
    if (prefix == "-") prefix = Env("VEL_PREFIX_NAME");
    std::string lock = std::string(file) + ".lock";
    bool locked = false;
    for (int i = 0; i < 2000 && !(locked = _mkdir(lock.c_str()) == 0); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (FILE* f = std::fopen(file, "ab")) {
        std::fprintf(f, "%s\t%lld\t%d\t%d\t%s\t%s\t%s\t%s\n", program.c_str(), checks.load(),
                     u.test_to_run_count(), u.skipped_test_count(), GTEST_FLAG_GET(filter).c_str(),
                     prefix.c_str(), Env("VEL_E2E_INSTALLER").c_str(), Env("VEL_LOCALE").c_str());
        std::fclose(f);
    }
    if (locked) _rmdir(lock.c_str());
}

class Listener : public testing::EmptyTestEventListener {
    void OnTestProgramEnd(const testing::UnitTest&) override { Append(); }
};

// Every unit registers; the first one does it. The listener goes in before
// main(), so a program with a main of its own reports as gtest_main's do.
inline bool Register() {
    static const bool once = [] {
        testing::UnitTest::GetInstance()->listeners().Append(new Listener);
        return true;
    }();
    return once;
}

}  // namespace vel_count

static const bool vel_count_registered = vel_count::Register();

// EXPECT/ASSERT _EQ, _NE, _LT, _LE, _GT, _GE, _STREQ ..., _NEAR, _FLOAT_EQ,
// _DOUBLE_EQ, _PRED*, _PRED_FORMAT*, _HRESULT_* (and gmock's _THAT) end here.
#undef GTEST_ASSERT_
#define GTEST_ASSERT_(expression, on_failure)                                           \
    GTEST_AMBIGUOUS_ELSE_BLOCKER_                                                       \
    if (const ::testing::AssertionResult gtest_ar = (::vel_count::Hit(), (expression))) \
        ;                                                                               \
    else                                                                                \
        on_failure(gtest_ar.failure_message())

// EXPECT/ASSERT _TRUE and _FALSE.
#undef GTEST_TEST_BOOLEAN_
#define GTEST_TEST_BOOLEAN_(expression, text, actual, expected, fail)                          \
    GTEST_AMBIGUOUS_ELSE_BLOCKER_                                                              \
    if (const ::testing::AssertionResult gtest_ar_ =                                           \
            (::vel_count::Hit(), ::testing::AssertionResult(expression)))                      \
        ;                                                                                      \
    else                                                                                       \
        fail(::testing::internal::GetBoolAssertionFailureMessage(gtest_ar_, text, #actual,    \
                                                                 #expected)                    \
                 .c_str())

// EXPECT/ASSERT _THROW, _NO_THROW, _ANY_THROW and _NO_FATAL_FAILURE (and the
// death tests) run their statement through this one, once each.
#undef GTEST_SUPPRESS_UNREACHABLE_CODE_WARNING_BELOW_
#define GTEST_SUPPRESS_UNREACHABLE_CODE_WARNING_BELOW_(statement) \
    if (::testing::internal::AlwaysTrue()) {                      \
        ::vel_count::Hit();                                       \
        statement;                                                \
    } else                                                        \
        static_assert(true, "")

#endif
