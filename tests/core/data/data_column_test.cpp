#include "data/data_column.h"
#include "data/data_set.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

void Fill(CDataColumn& c, std::initializer_list<double> values) {
    c.SetSize(0);
    for (double v : values)
        c.Add(v);
}

std::vector<double> Values(const CDataColumn& c) {
    return std::vector<double>(c.begin(), c.end());
}

} // namespace

TEST(DataColumn, CapacityGrowsInSteps) {
    CDataColumn c;
    c.SetSize(1);
    EXPECT_EQ(c.GetMaxSize(), 1);
    c.SetSize(2);
    EXPECT_EQ(c.GetMaxSize(), 1025);
    c.SetSize(5000); // larger than capacity + 1024: exactly the request
    EXPECT_EQ(c.GetMaxSize(), 5000);
    c.SetSize(3); // never shrinks except at 0
    EXPECT_EQ(c.GetMaxSize(), 5000);
    EXPECT_EQ(c.GetSize(), 3);
    c.SetSize(0);
    EXPECT_EQ(c.GetMaxSize(), 0);
    EXPECT_EQ(c.GetSize(), 0);
}

TEST(DataColumn, GrowthKeepsContents) {
    CDataColumn c;
    for (int i = 0; i < 3000; ++i)
        c.Add(i * 0.5);
    EXPECT_EQ(c.GetMaxSize(), 3073); // 1, 1025, 2049, 3073
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(c[i], i * 0.5);
}

TEST(DataColumn, EmptyColumnStatistics) {
    CDataColumn c;
    EXPECT_EQ(c.Min(), 0.0);
    EXPECT_EQ(c.Max(), 0.0);
    EXPECT_EQ(c.Sum(), 0.0);
    EXPECT_EQ(c.SumSquares(), 0.0);
    EXPECT_EQ(c.NearestIndex(3.0), -1);
    Fill(c, {7.0});
    EXPECT_EQ(c.NearestIndex(-100.0), 0);
}

TEST(DataColumn, Statistics) {
    CDataColumn c;
    Fill(c, {1.0, -3.0, 2.0, 4.0, 2.0});
    EXPECT_EQ(c.Min(), -3.0);
    EXPECT_EQ(c.Max(), 4.0);
    EXPECT_EQ(c.Sum(), 6.0);
    EXPECT_EQ(c.SumAbs(), 12.0);
    EXPECT_EQ(c.SumSquares(), 34.0);
    EXPECT_EQ(c.NearestIndex(3.1), 3);
    EXPECT_EQ(c.NearestIndex(3.0), 2); // ties 2.0 (index 2) and 4.0: the first wins
    EXPECT_EQ(c.NearestIndex(1.9), 2);
}

TEST(DataColumn, ExtendedPrecisionSums) {
    CDataColumn c;
    Fill(c, {1e16, 1.0, 1.0, -1e16});
    EXPECT_EQ(c.Sum(), 2.0); // plain double accumulation would give 0
}

TEST(DataColumn, InPlaceOperations) {
    CDataColumn c;
    Fill(c, {1.0, 2.0, 3.0, 4.0});
    c.Reverse();
    EXPECT_EQ(Values(c), (std::vector<double>{4.0, 3.0, 2.0, 1.0}));
    c.RotateRight();
    EXPECT_EQ(Values(c), (std::vector<double>{1.0, 4.0, 3.0, 2.0}));
    c.Symmetrize();
    EXPECT_EQ(Values(c), (std::vector<double>{1.5, 3.5, 3.5, 1.5}));
    Fill(c, {0.5, -0.1, 0.2, -0.5, 3.0});
    c.SortAscending();
    EXPECT_EQ(Values(c), (std::vector<double>{-0.5, -0.1, 0.2, 0.5, 3.0}));
    c.ZeroBelow(0.2); // strictly below
    EXPECT_EQ(Values(c), (std::vector<double>{-0.5, 0.0, 0.2, 0.5, 3.0}));
    Fill(c, {1.0, 2.0, 3.0});
    c.Symmetrize(); // the middle of an odd column stays
    EXPECT_EQ(Values(c), (std::vector<double>{2.0, 2.0, 2.0}));
    c.Zero();
    EXPECT_EQ(Values(c), (std::vector<double>{0.0, 0.0, 0.0}));
}

TEST(DataColumn, CopySwapAndPartialCopy) {
    CDataColumn a, b;
    Fill(a, {1.0, 2.0, 3.0});
    Fill(b, {9.0, 8.0});
    a.CopyValues(b); // only min(3, 2) values, b keeps its size
    EXPECT_EQ(Values(b), (std::vector<double>{1.0, 2.0}));
    Fill(b, {9.0, 8.0});
    a.SwapValues(b);
    EXPECT_EQ(Values(a), (std::vector<double>{9.0, 8.0, 3.0}));
    EXPECT_EQ(Values(b), (std::vector<double>{1.0, 2.0}));
    b.Copy(a);
    EXPECT_EQ(Values(b), Values(a));
}

TEST(DataColumn, RunningSumAndConvolution) {
    CDataColumn a, b, y;
    Fill(a, {1.0, 2.0, 3.0});
    y.RunningSum(a);
    EXPECT_EQ(Values(y), (std::vector<double>{1.0, 3.0, 6.0}));
    CDataColumn empty;
    y.RunningSum(empty);
    EXPECT_TRUE(y.IsEmpty());

    Fill(b, {1.0, -1.0});
    y.Convolve(a, b);
    EXPECT_EQ(Values(y), (std::vector<double>{1.0, 1.0, 1.0, -3.0}));
    a.Convolve(a, b); // the result may replace an operand
    EXPECT_EQ(Values(a), (std::vector<double>{1.0, 1.0, 1.0, -3.0}));
    y.Convolve(a, empty);
    EXPECT_TRUE(y.IsEmpty());
}

TEST(DataSet, ColumnsKeepTheirAddresses) {
    CDataSet set;
    CDataColumn* first = set.AddColumn();
    first->Add(1.0);
    for (int i = 0; i < 2000; ++i)
        set.AddColumn();
    EXPECT_EQ(set.GetColumn(0), first);
    EXPECT_EQ(set.GetColumnCount(), 2001);
}

TEST(DataSet, LengthAndExtremesOverColumns) {
    CDataSet set;
    EXPECT_EQ(set.GetLength(), 0);
    EXPECT_TRUE(set.IsEmpty());
    set.AddColumn();
    set.AddColumn();
    for (double v : {1.0, 5.0, -2.0})
        set.Append(0, v);
    for (double v : {3.0, -4.0})
        set.Append(1, v);
    EXPECT_EQ(set.GetLength(), 2);
    EXPECT_EQ(set.GetMin(), -4.0);
    EXPECT_EQ(set.GetMax(), 5.0);
    EXPECT_EQ(set.GetValue(1, 1), -4.0);
    set.ReverseAll();
    EXPECT_EQ(set.GetValue(0, 0), -2.0);
    EXPECT_EQ(set.GetValue(1, 0), -4.0);
    set.RemoveAll();
    EXPECT_EQ(set.GetColumnCount(), 0);
}
