#include "print_job.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/error.h"
#include "test_files.h"
#include "tests/support/recording_printer.h"
#include "wizard/lic.h"

using namespace report;

namespace {

// Every job in these tests prints into memory; the record outlives the job.
class PrintJobTest : public ::testing::Test {
protected:
    void SetUp() override { job_.Title = L"Wydruk licencji"; }

    testing_support::RecordedPrints prints_;
    std::shared_ptr<std::vector<MemoryPrinter::Sent>> sent_ = prints_.sent;
    PrintJob job_;
};

// The licence twice over: longer than a page.
std::string LongLicence() {
    std::string rtf = LicenceRtf();
    size_t body = rtf.find("\\pard");
    return rtf.substr(0, rtf.rfind('}')) + rtf.substr(body);
}

}  // namespace

TEST_F(PrintJobTest, SettingsOfTheJob) {
    EXPECT_EQ(L"Report Status", job_.StatusCaption);
    EXPECT_EQ(L"Generating page %p", job_.StatusText);
    EXPECT_EQ(1.0, job_.Margin.left);
    EXPECT_EQ(1.0, job_.Margin.top);
    EXPECT_EQ(1.0, job_.Margin.right);
    EXPECT_EQ(1.0, job_.Margin.bottom);
}

TEST_F(PrintJobTest, RecordsEveryPageThenSendsOneDocumentWithTheTitle) {
    std::string rtf = LongLicence();
    int handlerCalls = 0;
    job_.OnPrint = [&](Report& r) {
        ++handlerCalls;
        EXPECT_TRUE(sent_->empty());  // nothing reaches the printer while pages are produced
        EXPECT_DOUBLE_EQ(1.0, r.YPos());
        PrintAgreement(r, rtf);
    };
    EXPECT_TRUE(job_.Execute());
    EXPECT_EQ(1, handlerCalls);
    ASSERT_EQ(1u, sent_->size());
    const auto& doc = sent_->front();
    EXPECT_EQ(L"Wydruk licencji", doc.title);
    ASSERT_GE(doc.pages.size(), 2u);

    const int dpi = 96;
    for (size_t i = 0; i < doc.pages.size(); ++i) {
        auto texts = TextsOf(doc.pages[i].get());
        ASSERT_FALSE(texts.empty()) << "page " << i + 1;
        int minX = texts[0].x, minY = texts[0].y, maxY = texts[0].y;
        for (const auto& t : texts) {
            minX = std::min(minX, t.x);
            minY = std::min(minY, t.y);
            maxY = std::max(maxY, t.y);
            EXPECT_EQ(L"Tahoma", t.face);
        }
        EXPECT_NEAR(1.5 * dpi, minX, 1) << "page " << i + 1;  // the same limits on every page
        EXPECT_LE(maxY, 10 * dpi) << "page " << i + 1;        // above the bottom margin
        // The first baseline: half an inch below the top margin, then at the top margin.
        double top = i == 0 ? 1.5 : 1.0;
        EXPECT_GT(minY, top * dpi) << "page " << i + 1;
        EXPECT_LT(minY, (top + 0.25) * dpi) << "page " << i + 1;
    }
    auto first = TextsOf(doc.pages[0].get());
    EXPECT_EQ(L"UMOWA", first[0].text);
    EXPECT_TRUE(first[0].bold && first[0].underline);
    EXPECT_GT(first[0].x, 2 * dpi);  // centred
}

TEST_F(PrintJobTest, ProgressHearsOfEachPageAndCancelStopsBeforeAnythingIsSent) {
    std::vector<int> told;
    bool doneAsked = false;
    job_.OnPrint = [&](Report& r) {
        r.NewPage();
        EXPECT_EQ((std::vector<int>{1, 2}), told);
        r.NewPage();  // the job stops here
        ADD_FAILURE() << "the job went on after Cancel";
    };
    PrintJob::Progress progress{[&](int page) {
                                    told.push_back(page);
                                    return page == 3;
                                },
                                [&] { return doneAsked = true; }};
    EXPECT_FALSE(job_.Execute(progress));
    EXPECT_EQ((std::vector<int>{1, 2, 3}), told);
    EXPECT_FALSE(doneAsked) << "a cancelled job is not done";
    EXPECT_TRUE(sent_->empty());
}

TEST_F(PrintJobTest, ACancelAfterTheLastPageStillSendsNothing) {
    bool sentBeforeDone = false;
    job_.OnPrint = [](Report& r) { r.NewPage(); };
    PrintJob::Progress progress{nullptr, [&] {
                                    sentBeforeDone = !sent_->empty();
                                    return true;
                                }};
    EXPECT_FALSE(job_.Execute(progress));
    EXPECT_FALSE(sentBeforeDone);
    EXPECT_TRUE(sent_->empty());
    EXPECT_TRUE(job_.Execute({nullptr, [] { return false; }}));
    EXPECT_EQ(1u, sent_->size());
}

TEST_F(PrintJobTest, HandlerAndPrinterErrorsReachTheCallerAndNothingIsSent) {
    job_.OnPrint = [](Report&) { throw base::Error(L"błąd"); };
    bool doneAsked = false;
    EXPECT_THROW(job_.Execute({nullptr, [&] { return doneAsked = true; }}), base::Error);
    EXPECT_FALSE(doneAsked);
    EXPECT_TRUE(sent_->empty());

    SetPrinterOpener([]() -> std::unique_ptr<Printer> { throw base::Error(L"Nie można drukować: brak domyślnej drukarki."); });
    bool called = false;
    job_.OnPrint = [&](Report&) { called = true; };
    try {
        job_.Execute();
        ADD_FAILURE() << "no error";
    } catch (const base::Error& e) {
        EXPECT_EQ(L"Nie można drukować: brak domyślnej drukarki.", e.text());
    }
    EXPECT_FALSE(called);
}

TEST_F(PrintJobTest, EveryPageIsSentOnceInOneDocument) {
    job_.OnPrint = [](Report& r) { r.NewPage(); r.NewPage(); };  // three pages
    EXPECT_TRUE(job_.Execute());
    ASSERT_EQ(1u, sent_->size());
    EXPECT_EQ(3u, sent_->front().pages.size());
}
