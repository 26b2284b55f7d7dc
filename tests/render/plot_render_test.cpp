#include "doc/project_file.h"
#include "plot/fir_freq_plot_model.h"
#include "render/plot_painter.h"
#include "response/response_types.h"
#include "support/scripted_host.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

namespace {

// The designed lowpass of the test data (48 kHz, passband to 6 kHz, stopband from 9 kHz at
// 60 dB) drawn as its magnitude view.
struct RenderedLowpass : ::testing::Test {
    CScriptedHost host;
    CFirProject project{&host};
    CFirFreqPlotModel plot{&host};
    void SetUp() override {
        ASSERT_EQ(LoadProject(CORVIFIR_TEST_DATA_DIR "/doc/lowpass.cfp", project, host),
                  ELoadResult::Ok);
        plot.Bind(project.m_Filter, kResponseMagnitude, kChannelInphase);
    }
    // Rows of a column whose pixel is the curve's red.
    static std::vector<int> RedRows(const QImage& image, int x) {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                rows.push_back(y);
        }
        return rows;
    }
    static bool HasDarkPixel(const QImage& image, const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (image.valid(x, y) && qGray(image.pixel(x, y)) < 100)
                    return true;
        return false;
    }
};

} // namespace

TEST_F(RenderedLowpass, CurveNearTheTopInThePassbandAndAtTheFloorInTheStopband) {
    const QImage image = PlotOutput::RenderImage(plot, QSize(800, 600));
    const CPlotLayout& l = plot.Layout();
    ASSERT_TRUE(l.m_bDrawn);
    const CAxisMap& x = plot.Map(true);
    const CAxisMap& y = plot.Map(false);
    const int zeroDb = y.ToDeviceY(0), minus60 = y.ToDeviceY(-60);
    for (double f : {500.0, 2000.0, 4000.0, 5500.0}) {
        const std::vector<int> rows = RedRows(image, x.ToDeviceX(f));
        ASSERT_FALSE(rows.empty()) << f;
        EXPECT_LE(std::abs(rows.front() - zeroDb), 3) << f; // within 1 dB of the top line
    }
    for (double f : {10000.0, 15000.0, 20000.0}) {
        const std::vector<int> rows = RedRows(image, x.ToDeviceX(f));
        ASSERT_FALSE(rows.empty()) << f;
        EXPECT_GT(rows.front(), minus60) << f; // below -60 dB
    }
    // Nothing red right of Fs/2.
    EXPECT_TRUE(RedRows(image, x.ToDeviceX(24000) + 3).empty());
    // Every label is drawn where the layout put it: text pixels just above its baseline.
    const int t = static_cast<int>(l.m_dLineHeight);
    for (const SPlacedText& label : l.m_xLabels)
        EXPECT_TRUE(HasDarkPixel(image, QRect(static_cast<int>(label.x) - t / 2,
                                              static_cast<int>(label.y) - t / 2, t, t / 2)))
            << label.m_strText;
    for (const SPlacedText& label : l.m_yLabels)
        EXPECT_TRUE(HasDarkPixel(image, QRect(static_cast<int>(label.x) - t,
                                              static_cast<int>(label.y) - t / 4, t, t / 2)))
            << label.m_strText;
    EXPECT_EQ(l.m_yLabels.front().m_strText, "-100");
    EXPECT_EQ(l.m_yLabels.back().m_strText, "20");
}

TEST_F(RenderedLowpass, VectorOutputsStayVector) {
    const QByteArray svg = PlotOutput::SvgBytes(plot, QSize(800, 600));
    EXPECT_GT(svg.count("<polyline"), 10);
    EXPECT_EQ(svg.count("<image"), 0);
    EXPECT_GT(svg.count("<text"), 10);

    QBuffer pdfBytes;
    pdfBytes.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&pdfBytes);
        pdf.setPdfVersion(QPagedPaintDevice::PdfVersion_1_4);
        pdf.setResolution(96);
        QPainter painter(&pdf);
        CPlotPainter(plot).Draw(painter, QRect(0, 0, pdf.width(), pdf.height()), 3.0);
    }
    const QByteArray pdf = pdfBytes.data();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdf.count("/Subtype /Image"), 0);
    // The curve is hundreds of line segments in the page's content stream.
    const int start = pdf.indexOf("stream\n") + 7;
    QByteArray content = pdf.mid(start, pdf.indexOf("endstream", start) - start);
    const QByteArray inflated =
        qUncompress(QByteArray("\0\0\0\0", 4).append(content)); // zlib with no size prefix
    const QByteArray body = inflated.isEmpty() ? content : inflated;
    EXPECT_GT(body.count(" l\n"), 200);
}

TEST_F(RenderedLowpass, TooSmallAreaDrawsNothing) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CPlotPainter(plot).Draw(painter, image.rect());
    painter.end();
    EXPECT_FALSE(plot.Layout().m_bDrawn);
    EXPECT_FALSE(HasDarkPixel(image, image.rect()));
}

// Large pictures take their pixels from memory of their own: the same plot drawn on an ordinary
// image gives the same pixels, at a size below and above the point where that starts.
TEST_F(RenderedLowpass, PictureEqualsTheDrawingOnAnOrdinaryImage) {
    for (const QSize size : {QSize(640, 480), QSize(2048, 800), QSize(1001, 701)}) {
        QImage expected(size, QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter painter(&expected);
            CPlotPainter(plot).Draw(painter, expected.rect());
        }
        const QImage image = PlotOutput::RenderImage(plot, size);
        ASSERT_EQ(image.size(), size);
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_TRUE(image == expected) << size.width() << "x" << size.height();
    }
}
