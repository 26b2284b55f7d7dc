#include "response/time_response.h"

#include "data/corvi_data.h"
#include "response_test_util.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Response, StepResponseIsRunningSumWithFilterSettings) {
    struct SCase {
        std::vector<double> i;
        std::vector<double> q;
        std::vector<double> stepI;
        std::vector<double> stepQ;
        int real;
    };
    const SCase cases[] = {
        {{1.0, 2.0, -3.0, 0.5, 4.0, 1.0, 1.0},
         {},
         {1.0, 3.0, 0.0, 0.5, 4.5, 5.5, 6.5},
         std::vector<double>(7, 0.0),
         1},
        {{1.0, 2.0, -3.0, 0.5, 0.0, 0.0, 1.0},
         {0.0, 1.0, 1.0, -1.0, 2.0, 0.0, 0.0},
         {1.0, 3.0, 0.0, 0.5, 0.5, 0.5, 1.5},
         {0.0, 1.0, 2.0, 1.0, 3.0, 3.0, 3.0},
         0},
    };
    for (const auto& c : cases) {
        CCorviData filter;
        MakeFilter(filter, c.i, c.q, 2.5, 2);
        ASSERT_TRUE(filter.SetRange(1, 6, true));
        CCorviData step;
        MakeFilter(step, std::vector<double>(20, 9.0), {}, 7.0, 0); // old contents go
        step.m_bTime = 0;
        ComputeStepResponse(filter, step);
        EXPECT_EQ(std::vector<double>(step.m_pI->begin(), step.m_pI->end()), c.stepI);
        EXPECT_EQ(std::vector<double>(step.m_pQ->begin(), step.m_pQ->end()), c.stepQ);
        EXPECT_EQ(step.m_bTime, 1);
        EXPECT_EQ(step.m_bReal, c.real);
        EXPECT_EQ(step.GetFs(), 2.5);
        EXPECT_EQ(step.m_Fs.m_nUnit, 2);
        EXPECT_DOUBLE_EQ(step.m_dDelta, 1.0 / 2.5);
        EXPECT_EQ(step.m_nFirst, 1);
        EXPECT_EQ(step.m_nLast, 6);
    }
}

TEST(Response, StepResponseOfNoCoefficientsIsEmpty) {
    CCorviData filter;
    CCorviData step;
    MakeFilter(step, {1.0, 2.0});
    ComputeStepResponse(filter, step);
    EXPECT_TRUE(step.IsEmpty());
    EXPECT_EQ(step.m_pQ->GetSize(), 0);
}
