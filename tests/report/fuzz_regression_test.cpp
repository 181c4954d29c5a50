// Inputs the fuzzer once broke the reader or the layout with.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <windows.h>

#include "fake_measure.h"
#include "rtf_reader.h"

TEST(FuzzRegressions, EveryStoredInputReadsAndLaysOut) {
    std::string dir = VEL_FUZZ_REGRESSIONS;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "/*.rtf").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << dir;
    int count = 0;
    do {
        std::ifstream in(dir + "/" + fd.cFileName, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        std::string bytes = ss.str();
        auto r = report::ReadRtf(bytes);
        FakeMeasure m;
        report::FlowFrame f{1.5, 8.0, 1.5, 1.0, 10.0, 0.5};
        auto flow = report::LayoutText(r.doc, f, m);
        for (const auto& page : flow.pages)
            for (const auto& piece : page.pieces) EXPECT_FALSE(piece.text.empty()) << fd.cFileName;
        ++count;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    EXPECT_GT(count, 0);
}
