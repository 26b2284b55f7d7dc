#include "shell/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr int kSize = 24; // logical pixels; drawn at twice that for high-density screens
const QColor kInk(40, 40, 40);
const QColor kCurve(200, 30, 30);
const QColor kPaper(250, 250, 250);

// A curve through y = f(x) for x in [0, 1], mapped into the rectangle r.
QPainterPath Curve(const QRectF& r, const std::function<double(double)>& f) {
    QPainterPath path;
    for (int i = 0; i <= 48; ++i) {
        const double x = i / 48.0;
        const QPointF p(r.left() + x * r.width(), r.bottom() - f(x) * r.height());
        if (i == 0)
            path.moveTo(p);
        else
            path.lineTo(p);
    }
    return path;
}

void Axes(QPainter& p) {
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(3, 3), QPointF(3, 21));
    p.drawLine(QPointF(3, 21), QPointF(21, 21));
}

void Page(QPainter& p, const QRectF& r) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    p.drawRect(r);
    p.setBrush(Qt::NoBrush);
}

void Glyph(QPainter& p, const QString& text, const QColor& colour) {
    QFont font = p.font();
    font.setPixelSize(text.size() > 1 ? 13 : 18);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void Draw(QPainter& p, EToolIcon which) {
    const QRectF plot(4, 4, 17, 16);
    const double pi = std::numbers::pi;
    switch (which) {
    case EToolIcon::SamplingFrequency:
        Glyph(p, "Fs", kInk);
        break;
    case EToolIcon::ContextHelp:
        Glyph(p, "?", QColor(30, 80, 180));
        break;
    case EToolIcon::Window:
        Axes(p);
        p.setPen(QPen(kCurve, 1.8));
        p.drawPath(Curve(plot, [pi](double x) { return 0.5 - 0.5 * std::cos(2 * pi * x); }));
        break;
    case EToolIcon::Scale:
        Axes(p);
        p.setPen(QPen(kCurve, 1.8));
        p.drawPath(Curve(QRectF(4, 12, 12, 8),
                         [pi](double x) { return 0.5 - 0.5 * std::cos(2 * pi * x); }));
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(19, 6), QPointF(19, 17));
        p.drawLine(QPointF(19, 4), QPointF(16, 8));
        p.drawLine(QPointF(19, 4), QPointF(22, 8));
        break;
    case EToolIcon::Quantize: {
        Axes(p);
        QPainterPath steps;
        steps.moveTo(4, 20);
        for (int i = 0; i < 4; ++i) {
            steps.lineTo(4 + 4 * i + 4, 20 - 4 * i);
            steps.lineTo(4 + 4 * i + 4, 16 - 4 * i);
        }
        p.setPen(QPen(kCurve, 1.8));
        p.drawPath(steps);
        break;
    }
    case EToolIcon::Mix:
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(2, 12), QPointF(22, 12));
        p.setPen(QPen(kCurve, 1.8));
        p.drawPath(Curve(QRectF(2, 4, 20, 16),
                         [pi](double x) { return 0.5 + 0.5 * std::sin(4 * pi * x); }));
        break;
    case EToolIcon::Specifications:
        Page(p, QRectF(4, 2, 16, 20));
        for (int i = 0; i < 4; ++i) {
            p.drawLine(QPointF(7, 6.5 + 4 * i), QPointF(11, 6.5 + 4 * i));
            p.drawRect(QRectF(12.5, 5 + 4 * i, 5, 3));
        }
        break;
    case EToolIcon::FrequencyResponse:
        Axes(p);
        p.setPen(QPen(kCurve, 1.8));
        p.drawPath(Curve(plot, [](double x) {
            return x < 0.4 ? 0.9 : 0.9 / (1 + 40 * (x - 0.4) * (x - 0.4) * 10);
        }));
        break;
    case EToolIcon::ImpulseResponse:
        p.setPen(QPen(kInk, 1.2));
        p.drawLine(QPointF(2, 16), QPointF(22, 16));
        p.setPen(QPen(kCurve, 1.6));
        for (int i = -4; i <= 4; ++i) {
            const double x = 12 + 2.3 * i;
            const double v = i == 0 ? 1.0 : std::sin(pi * i / 2.0) / (pi * i / 2.0);
            p.drawLine(QPointF(x, 16), QPointF(x, 16 - 12 * v));
        }
        break;
    case EToolIcon::Coefficients: {
        Page(p, QRectF(3, 2, 18, 20));
        QFont font = p.font();
        font.setPixelSize(6);
        p.setFont(font);
        p.drawText(QRectF(4, 3, 16, 18), Qt::AlignLeft | Qt::AlignTop, "0.12\n-0.3\n0.71\n-0.3");
        break;
    }
    case EToolIcon::Cut:
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(8, 3), QPointF(15, 15));
        p.drawLine(QPointF(16, 3), QPointF(9, 15));
        p.drawEllipse(QPointF(7, 18), 3, 3);
        p.drawEllipse(QPointF(17, 18), 3, 3);
        break;
    case EToolIcon::Copy:
        Page(p, QRectF(3, 2, 12, 15));
        Page(p, QRectF(9, 7, 12, 15));
        break;
    case EToolIcon::Paste:
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(190, 150, 90));
        p.drawRoundedRect(QRectF(3, 4, 15, 18), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 2, 5, 4));
        Page(p, QRectF(10, 10, 11, 12));
        break;
    case EToolIcon::Print:
        Page(p, QRectF(7, 2, 10, 8));
        p.setBrush(QColor(180, 180, 180));
        p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
        Page(p, QRectF(7, 15, 10, 7));
        break;
    }
}

} // namespace

QIcon ToolIcon(EToolIcon which) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        Draw(p, which);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
