#include "support/scripted_host.h"
#include "support/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {
// Counts until cancelled; the status text shows the count.
class CCountingJob : public CLongJob {
public:
    void Run() override {
        while (!m_cancel && m_count < 100000000) {
            ++m_count;
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
    }
    std::string StatusText() const override { return "count"; }
    void RequestCancel() override {
        m_cancel = true;
        ++m_requests;
    }
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_requests{0};
    std::atomic<int> m_count{0};
};

// Throws from the worker thread.
class CThrowingJob : public CLongJob {
public:
    void Run() override { throw std::runtime_error("grid storage exhausted"); }
    std::string StatusText() const override { return ""; }
    void RequestCancel() override {}
};
} // namespace

TEST(Host, ScriptedAnswersThenDefaults) {
    CScriptedHost host;
    host.QueueAnswer(EAnswer::No);
    host.QueueAnswer(EAnswer::Cancel);
    EXPECT_EQ(host.Ask("q1", false, EAnswer::Yes), EAnswer::No);
    EXPECT_EQ(host.Ask("q2", false, EAnswer::Yes), EAnswer::No); // Cancel needs a Cancel button
    EXPECT_EQ(host.Ask("q3", true, EAnswer::Cancel), EAnswer::Cancel);
    EXPECT_EQ(host.questions.size(), 3u);
}

TEST(Host, BusyScopeRestoresReady) {
    CScriptedHost host;
    {
        CBusyScope busy(host, "Designing...");
        EXPECT_EQ(host.WaitDepth(), 1);
    }
    EXPECT_EQ(host.WaitDepth(), 0);
    EXPECT_EQ(host.statusTexts, (std::vector<std::string>{"Designing...", "Ready"}));
}

TEST(Host, MathErrorIsReportedOnce) {
    ResetMathErrorReport();
    CScriptedHost host;
    EXPECT_TRUE(ReportMathError(host, "log10"));
    EXPECT_FALSE(ReportMathError(host, "sqrt"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Math error in function log10.");
    ResetMathErrorReport();
}

TEST(Host, LongJobRunsOnWorkerAndCancels) {
    CScriptedHost host;
    host.CancelAfterPolls(5);
    CCountingJob job;
    host.RunLongJob(job);
    EXPECT_TRUE(host.jobCancelled);
    EXPECT_TRUE(job.m_cancel);
    EXPECT_LT(job.m_count, 100000000);
    EXPECT_EQ(host.polledTexts, std::vector<std::string>{"count"});
}

TEST(Host, WorkerForwardsCancelOnceAndReturnsWhenTheJobEnds) {
    CCountingJob job;
    int polls = 0;
    bool sawCancelling = false;
    const auto failure = RunOnWorker(job, [&] {
        ++polls;
        sawCancelling = sawCancelling || job.m_cancel;
        return polls >= 3; // the user keeps asking; the job is told once
    });
    EXPECT_FALSE(failure);
    EXPECT_EQ(job.m_requests, 1);
    EXPECT_TRUE(sawCancelling); // polled again once the job was told
    EXPECT_LT(job.m_count, 100000000);
}

TEST(Host, ExceptionOnTheWorkerBecomesAMessage) {
    CThrowingJob job;
    EXPECT_EQ(RunOnWorker(job, [] { return false; }),
              "The computation stopped with an error: grid storage exhausted");

    CScriptedHost host;
    EXPECT_FALSE(host.RunLongJob(job));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, FormatJobFailure("grid storage exhausted"));
    EXPECT_EQ(host.messages[0].icon, EMsgIcon::Stop);
}
