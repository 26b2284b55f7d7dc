#include "editors/fir_editor.h"

#include "design/fir_data.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>

namespace {
constexpr int kMaxUnitLabels = 10;
constexpr int kFsCaptionLimit = 10;
const QColor kFrameGray(128, 128, 128);
} // namespace

CFirEditor::CFirEditor(CFirData& filter, CHost& host, QWidget* parent)
    : QWidget(parent), m_filter(filter), m_host(host),
      m_strTitle(DesignTypeName(filter.m_nDesignType)) {
    m_pFsButton = NewButton("FS", "fsButton");
    m_pFsButton->setAccessibleName("FS");
    connect(m_pFsButton, &QPushButton::clicked, this, &CFirEditor::OnFsButton);
}

QLabel* CFirEditor::NewUnitLabel() {
    auto* label = new QLabel(QString::fromStdString(m_filter.m_Fs.GetFreqUnitName()));
    if (m_unitLabels.size() < kMaxUnitLabels)
        m_unitLabels.append(label);
    return label;
}

QPushButton* CFirEditor::NewButton(const QString& caption, const char* objectName) {
    auto* button = new QPushButton(caption);
    button->setObjectName(objectName);
    NameButton(button);
    return button;
}

void CFirEditor::ShowSampleRate() {
    std::string text = m_filter.m_Fs.GetFsText();
    if (text.size() < kFsCaptionLimit)
        text = kFsCaptionPrefix + text;
    m_pFsButton->setText(QString::fromStdString(text));
    const QString unit = QString::fromStdString(m_filter.m_Fs.GetFreqUnitName());
    for (QLabel* label : m_unitLabels)
        label->setText(unit);
}

void CFirEditor::OnUpdate(int hint) {
    switch (hint & 0xF) {
    case 5:
        LoadSpecs();
        break;
    case 6:
        StoreSpecs();
        break;
    case 7:
        OnSampleRateChange();
        break;
    default:
        break;
    }
    ShowSampleRate();
}

void CFirEditor::Design() {
    RunDesignFlow(nullptr);
}

void CFirEditor::Optimize() {
    RunOptimizeFlow();
}

void CFirEditor::RunDesignFlow(QLineEdit* taps) {
    if (!StoreSpecs())
        return;
    int count = taps ? ReadInt(taps) : m_filter.GetNumTaps();
    if (!m_filter.AskEstimateTaps(count))
        return;
    if (taps && count != ReadInt(taps)) {
        WriteInt(taps, count);
        if (!StoreSpecs())
            return;
    }
    if (!m_filter.ValidateSpecs())
        return;
    m_filter.DesignFilter(Caption());
    AfterDesign();
    LoadSpecs();
    m_filter.ReportDesignMargin();
}

void CFirEditor::RunOptimizeFlow() {
    if (!StoreSpecs())
        return;
    m_filter.OptimizeFilter(Caption());
    AfterDesign();
    LoadSpecs();
}

void CFirEditor::AfterDesign() {
    emit filterDesigned();
}

void CFirEditor::OnFsButton() {
    const std::string before = m_filter.m_Fs.GetFsText();
    const double oldFs = m_filter.m_Fs.GetHz();
    emit designOptionsRequested();
    ShowSampleRate();
    if (m_filter.m_Fs.GetFsText() != before) {
        const double newFs = m_filter.m_Fs.GetHz();
        if (oldFs > 0.0)
            OnFsScaled(newFs / oldFs);
    }
    OnSampleRateChange();
    emit specChanged();
}

void CFirEditor::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction("Copy Image", this, &CFirEditor::CopyImage);
    menu.addAction("Design Options...", this, &CFirEditor::OnFsButton);
    menu.exec(event->globalPos());
}

QImage CFirEditor::CaptureImage() {
    const QPixmap client = grab();
    QImage image(client.width() + 15, client.height() + 15, QImage::Format_RGB32);
    image.fill(kFrameGray);
    QPainter painter(&image);
    painter.drawPixmap(7, 7, client);
    return image;
}

void CFirEditor::CopyImage() {
    const QImage image = CaptureImage();
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&svg);
    generator.setSize(image.size());
    generator.setViewBox(QRect(QPoint(0, 0), image.size()));
    {
        QPainter painter(&generator);
        painter.fillRect(QRect(QPoint(0, 0), image.size()), kFrameGray);
        render(&painter, QPoint(7, 7), QRegion(), QWidget::DrawChildren);
    }
    auto* mime = new QMimeData;
    mime->setImageData(image);
    mime->setData("image/svg+xml", svg.data());
    QApplication::clipboard()->setMimeData(mime);
}
