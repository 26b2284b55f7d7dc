#include "response/fir_freq_response.h"
#include "response/response_types.h"
#include "support/archive.h"

#include <gtest/gtest.h>

#include <vector>

// Loading never transforms the filter: the bins come when first asked for, at the stored
// resolution. A stored resolution far above any the program computes (a damaged or hostile
// project file) must not make that a transform of tens of millions of points: the bins then come
// at the default resolution. Until then the resolution is kept, so that the project is written
// back unchanged.
TEST(ResponseLoad, BinsComeWhenAskedAtTheStoredResolution) {
    CCorviData filter;
    for (double x : {0.25, 0.5, 0.25})
        filter.m_pI->Add(x);
    filter.EqualizeLengths(0.0);

    struct Case {
        int resolution;
        int computed; // resolution of the bins when asked for
    };
    const Case cases[] = {
        {3, 3},
        {CFirFreqResponse::kMaxLoadedResolution, CFirFreqResponse::kMaxLoadedResolution},
        {CFirFreqResponse::kMaxLoadedResolution + 1, kDefaultResponseResolution},
        {7633012, kDefaultResponseResolution}, // a transform of 30 million points
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resolution);
        CArchiveWriter stored;
        stored.WriteInt32(c.resolution);
        CFirFreqResponse loaded(&filter);
        CArchiveReader reader(stored.Bytes());
        loaded.Serialize(reader, 20);
        EXPECT_EQ(loaded.GetN(), 0);
        EXPECT_EQ(loaded.m_nResolution, c.resolution);
        CArchiveWriter written;
        loaded.Serialize(written, 20);
        EXPECT_EQ(written.Bytes(), stored.Bytes());

        double low = 0.0;
        double high = 0.0;
        loaded.GetPowerRange(low, high, 0.0, 0.5);
        EXPECT_EQ(loaded.GetN(), c.computed * 4); // 4 bins per unit of resolution for 3 taps
        EXPECT_EQ(loaded.m_nResolution, c.computed);
        EXPECT_DOUBLE_EQ(high, 1.0); // |H(0)|^2
    }
}
