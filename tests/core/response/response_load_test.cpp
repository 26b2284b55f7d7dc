#include "response/fir_freq_response.h"
#include "support/archive.h"

#include <gtest/gtest.h>

#include <vector>

// A stored resolution far above any the program computes (a damaged or hostile project file)
// must not make loading compute a transform of tens of millions of points; it is kept so that
// the project is written back unchanged.
TEST(ResponseLoad, OversizedResolutionIsKeptButNotComputed) {
    CCorviData filter;
    for (double x : {0.25, 0.5, 0.25})
        filter.m_pI->Add(x);
    filter.EqualizeLengths(0.0);

    struct Case {
        int resolution;
        int points; // bins after loading; 0: left empty
    };
    const Case cases[] = {
        {CFirFreqResponse::kMaxLoadedResolution, CFirFreqResponse::kMaxLoadedResolution * 4},
        {CFirFreqResponse::kMaxLoadedResolution + 1, 0},
        {7633012, 0}, // a transform of 30 million points
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resolution);
        CArchiveWriter stored;
        stored.WriteInt32(c.resolution);
        CFirFreqResponse loaded(&filter);
        CArchiveReader reader(stored.Bytes());
        loaded.Serialize(reader, 20);
        EXPECT_EQ(loaded.GetN(), c.points);
        EXPECT_EQ(loaded.m_nResolution, c.resolution);
        CArchiveWriter written;
        loaded.Serialize(written, 20);
        EXPECT_EQ(written.Bytes(), stored.Bytes());
    }
}
