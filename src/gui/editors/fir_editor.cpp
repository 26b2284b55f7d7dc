#include "editors/fir_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
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

CFirEditor::CFirEditor(int designType, CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_nDesignType(designType), m_doc(doc), m_dialogs(dialogs) {
    m_pFsButton = NewButton("FS", "fsButton");
    m_pFsButton->setAccessibleName("FS");
    connect(m_pFsButton, &QPushButton::clicked, this, &CFirEditor::OnFsButton);
    m_doc.AddView(*this);
}

CFirEditor::~CFirEditor() {
    m_doc.RemoveView(*this);
}

CFirData& CFirEditor::Filter() const {
    return m_doc.Filter();
}

CHost& CFirEditor::Host() const {
    return m_doc.Host();
}

std::string CFirEditor::Caption() const {
    return m_doc.m_strTitle.empty() ? DesignTypeName(m_nDesignType) : m_doc.m_strTitle;
}

void CFirEditor::MarkModified() {
    m_doc.SetModifiedFlag();
}

QLabel* CFirEditor::NewUnitLabel() {
    auto* label = new QLabel(QString::fromStdString(Filter().m_Fs.GetFreqUnitName()));
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
    std::string text = Filter().m_Fs.GetFsText();
    if (text.size() < kFsCaptionLimit)
        text = kFsCaptionPrefix + text;
    m_pFsButton->setText(QString::fromStdString(text));
    const QString unit = QString::fromStdString(Filter().m_Fs.GetFreqUnitName());
    for (QLabel* label : m_unitLabels)
        label->setText(unit);
}

void CFirEditor::OnUpdate(CFirDoc& doc, const SChangeNotice& notice) {
    if (&doc != &m_doc)
        return;
    switch (notice.change) {
    case EChange::BindTime:
        if (!m_bBound) {
            OnFirstBind(notice);
            WatchFieldEdits();
        }
        break;
    case EChange::Coefficients:
        LoadSpecs();
        break;
    case EChange::AboutToSave:
        StoreSpecs();
        break;
    case EChange::SampleRate:
        OnSampleRateChange();
        break;
    default:
        break;
    }
    m_bBound = true;
    ShowSampleRate();
}

void CFirEditor::WatchFieldEdits() {
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::textEdited, this, &CFirEditor::MarkModified);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        if (button->isCheckable())
            connect(button, &QAbstractButton::clicked, this, &CFirEditor::MarkModified);
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::activated, this, &CFirEditor::MarkModified);
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
    FirCommand::BeforeDesign(m_doc);
    ::RunDesignFlow(Filter(), Host(), Caption(), EditorSteps(taps));
}

void CFirEditor::RunOptimizeFlow(QLineEdit* taps) {
    if (!StoreSpecs())
        return;
    FirCommand::BeforeDesign(m_doc);
    ::RunOptimizeFlow(Filter(), Host(), Caption(), EditorSteps(taps));
}

SDesignFlowSteps CFirEditor::EditorSteps(QLineEdit* taps) {
    SDesignFlowSteps steps;
    if (taps)
        steps.storeTaps = [this, taps](int n) {
            WriteInt(taps, n);
            return StoreSpecs();
        };
    steps.refused = [this] { OnRefused(); };
    steps.afterDesign = [this] {
        AfterDesign();
        LoadSpecs();
    };
    return steps;
}

void CFirEditor::AfterDesign() {
    FirCommand::AfterDesign(m_doc, m_dialogs);
}

void CFirEditor::OnFsButton() {
    const std::string before = Filter().m_Fs.GetFsText();
    const double oldFs = Filter().m_Fs.GetHz();
    if (!FirCommand::DesignOptions(m_doc, m_dialogs))
        return;
    ShowSampleRate();
    if (Filter().m_Fs.GetFsText() != before) {
        const double newFs = Filter().m_Fs.GetHz();
        if (oldFs > 0.0)
            OnFsScaled(newFs / oldFs);
    }
    OnSampleRateChange();
    MarkModified();
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
