#include "editors/advanced_pm_editor.h"

#include "design/fir_data.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "editors/form_fields.h"
#include "forms/form_messages.h"
#include "support/host.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cstdio>

namespace {
enum EColumn { kColBand, kColLower, kColUpper, kColDesired, kColAttn, kColActual, kColumns };

QLineEdit* AddEntryField(QGridLayout* grid, int col, const QString& caption, const char* name) {
    auto* label = new QLabel(caption);
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAccessibleName(QString(caption).replace('\n', ' '));
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance("0000.000000") + 12);
    label->setBuddy(edit);
    grid->addWidget(label, 0, col, Qt::AlignBottom);
    grid->addWidget(edit, 1, col);
    return edit;
}
} // namespace

CAdvancedPmEditor::CAdvancedPmEditor(CFirDoc& doc, CCommandDialogs& dialogs, QWidget* parent)
    : CFirEditor(kDesignAdvancedPm, doc, dialogs, parent) {
    auto* typeBox = new QGroupBox("Response Type");
    auto* typeLayout = new QVBoxLayout(typeBox);
    m_pResponseType = AddRadios(typeLayout, {"Filter", "Diff.", "Hilbert"}, "responseType");

    auto* settings = new QGridLayout;
    m_pTaps = AddNumberField(settings, 0, 0, "Number of Taps", nullptr, "taps");
    auto* estimate = NewButton("Est.", "estimate");
    settings->addWidget(estimate, 0, 2);
    m_pGrid = AddNumberField(settings, 1, 0, "Grid", nullptr, "grid");

    auto* editorBox = new QGroupBox("Band Editor");
    auto* entry = new QGridLayout(editorBox);
    m_pLower = AddEntryField(entry, 0, "Lower\nFrequency", "lower");
    m_pUpper = AddEntryField(entry, 1, "Upper\nFrequency", "upper");
    m_pDesired = AddEntryField(entry, 2, "Desired", "desired");
    m_pAttn = AddEntryField(entry, 3, "Attn/Ripple", "attn");
    m_pDesiredDb = NewCheck("in dB", "desiredInDb", "Desired in dB");
    m_pAttnDb = NewCheck("in dB", "attnInDb", "Attn/Ripple in dB");
    entry->addWidget(m_pDesiredDb, 2, 2);
    entry->addWidget(m_pAttnDb, 2, 3);
    auto* add = NewButton("Add", "add");
    auto* clearEntry = NewButton("Clear Entry", "clearEntry");
    auto* del = NewButton("Delete", "delete");
    auto* clearAll = NewButton("Clear All", "clearAll");
    auto* editButtons = new QHBoxLayout;
    for (QPushButton* b : {add, clearEntry, del, clearAll})
        editButtons->addWidget(b);
    entry->addLayout(editButtons, 3, 0, 1, 4);

    m_pTable = new QTableWidget(0, kColumns);
    m_pTable->setObjectName("bandTable");
    m_pTable->setAccessibleName("Bands");
    m_pTable->setHorizontalHeaderLabels({"Band", "Lower\nFrequency", "Upper\nFrequency", "Desired",
                                         "Attn/Ripple", "Actual\nin dB"});
    m_pTable->verticalHeader()->hide();
    m_pTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_pTable->setFont(mono);
    const int cell = QFontMetrics(mono).horizontalAdvance("00000000000") + 10;
    m_pTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_pTable->setColumnWidth(kColBand, QFontMetrics(mono).horizontalAdvance("0000") + 10);
    for (int c = kColLower; c < kColumns; ++c)
        m_pTable->setColumnWidth(c, cell);
    m_pTable->setMinimumWidth(cell * 5 + QFontMetrics(mono).horizontalAdvance("0000") + 30);

    m_pResult = new QLabel;
    m_pResult->setObjectName("result");
    m_pResult->setAccessibleName("Result");
    m_pResult->setMinimumWidth(m_pResult->fontMetrics().horizontalAdvance("PASS") + 8);
    auto* design = NewButton("Design", "design");
    auto* optimize = NewButton("Optimize", "optimize");

    auto* left = new QVBoxLayout;
    left->addWidget(FsButton());
    left->addWidget(typeBox);
    left->addLayout(settings);
    left->addWidget(m_pResult);
    left->addWidget(design);
    left->addWidget(optimize);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(editorBox);
    right->addWidget(m_pTable, 1);
    auto* top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addLayout(right, 1);

    WriteInt(m_pTaps, 0);
    WriteInt(m_pGrid, 16);
    m_pAttnDb->setChecked(true);

    connect(add, &QPushButton::clicked, this, &CAdvancedPmEditor::AddEntry);
    connect(clearEntry, &QPushButton::clicked, this, [this] {
        ClearEntry();
        SelectRow(-1);
    });
    connect(del, &QPushButton::clicked, this, &CAdvancedPmEditor::OnDelete);
    connect(clearAll, &QPushButton::clicked, this, &CAdvancedPmEditor::OnClearAll);
    connect(estimate, &QPushButton::clicked, this, &CAdvancedPmEditor::OnEstimate);
    connect(design, &QPushButton::clicked, this, &CAdvancedPmEditor::Design);
    connect(optimize, &QPushButton::clicked, this, &CAdvancedPmEditor::Optimize);
    connect(m_pDesiredDb, &QCheckBox::clicked, this, [this] { OnUnitToggled(m_pDesiredDb); });
    connect(m_pAttnDb, &QCheckBox::clicked, this, [this] { OnUnitToggled(m_pAttnDb); });
    connect(m_pTable, &QTableWidget::itemSelectionChanged, this, &CAdvancedPmEditor::OnRowSelected);
}

SBandEditorPrefs CAdvancedPmEditor::Prefs() const {
    const CPreferences& p = Doc().Preferences();
    SBandEditorPrefs prefs;
    prefs.m_bSelectPassStop = p.m_bEditorSelectPassStop;
    prefs.m_dMaxPassDb = p.m_dEditorMaxPassDb;
    prefs.m_bShowPassStop = p.m_bEditorShowPassStop;
    return prefs;
}

void CAdvancedPmEditor::ShowTable() {
    const QSignalBlocker block(m_pTable);
    m_pTable->setRowCount(m_table.RowCount());
    for (int i = 0; i < m_table.RowCount(); ++i) {
        const CBandTable::Row& r = m_table.GetRow(i);
        const std::string cells[kColumns] = {
            CBandTable::FormatNumber(i + 1), r.lower, r.upper, r.desired, r.attn, r.actual};
        for (int c = 0; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_pTable->setItem(i, c, item);
        }
    }
}

void CAdvancedPmEditor::SelectRow(int row) {
    const QSignalBlocker block(m_pTable);
    m_pTable->clearSelection();
    if (row >= 0 && row < m_pTable->rowCount())
        m_pTable->selectRow(row);
}

void CAdvancedPmEditor::OnRowSelected() {
    const QList<QTableWidgetItem*> items = m_pTable->selectedItems();
    if (items.isEmpty())
        return;
    const CBandTable::Row& r = m_table.GetRow(items.first()->row());
    m_pLower->setText(QString::fromStdString(r.lower).trimmed());
    m_pUpper->setText(QString::fromStdString(r.upper).trimmed());
    m_pDesired->setText(QString::fromStdString(r.desired).trimmed());
    m_pAttn->setText(QString::fromStdString(r.attn).trimmed());
}

void CAdvancedPmEditor::ClearEntry() {
    for (QLineEdit* e : {m_pLower, m_pUpper, m_pDesired, m_pAttn})
        e->clear();
}

void CAdvancedPmEditor::WriteForm() {
    m_pResult->setText(QString::fromStdString(CBandTable::ResultText(Filter())));
}

bool CAdvancedPmEditor::AddEntry() {
    if (CBandTable::ClassifyEntry(m_pLower->text().toStdString(), m_pUpper->text().toStdString(),
                                  m_pAttn->text().toStdString()) != CBandTable::EEntry::Complete)
        return false;
    const double f1 = ReadDouble(m_pLower), f2 = ReadDouble(m_pUpper);
    double attn = ReadDouble(m_pAttn), desired = 0.0;
    const bool desiredDb = m_pDesiredDb->isChecked();
    if (!CBandTable::ResolveEntry(m_pDesired->text().toStdString(), attn, desired, desiredDb,
                                  m_pAttnDb->isChecked(), Prefs(), Host()))
        return false;
    while (f2 > Filter().GetFs() * 0.5 * 1.000001) {
        if (Host().Ask(kMsgAskSetSampleRate, false, EAnswer::No) != EAnswer::Yes)
            return false;
        FirCommand::SamplingFrequency(Doc(), Dialogs());
    }
    const int row = m_table.InsertBand(f1, f2, desired, attn, desiredDb, Prefs(), Host());
    ShowTable();
    if (row >= 0)
        ClearEntry();
    StoreSpecs();
    Doc().CheckPoint();
    return row >= 0;
}

void CAdvancedPmEditor::OnDelete() {
    const QList<QTableWidgetItem*> items = m_pTable->selectedItems();
    if (items.isEmpty())
        return;
    const int row = items.first()->row();
    m_table.DeleteBand(row);
    ShowTable();
    ClearEntry();
    SelectRow(row < m_table.RowCount() ? row : m_table.RowCount() - 1);
    StoreSpecs();
    Doc().CheckPoint();
}

void CAdvancedPmEditor::OnClearAll() {
    if (Host().Ask(kMsgAskClearAllBands, false, EAnswer::Yes) != EAnswer::Yes)
        return;
    m_table.Clear();
    ShowTable();
    ClearEntry();
    WriteInt(m_pTaps, 0);
    StoreSpecs();
    Doc().CheckPoint();
}

void CAdvancedPmEditor::OnEstimate() {
    if (!StoreSpecs() || !Filter().CanEstimateNumTaps(true))
        return;
    if (const int n = Filter().EstimateNumTaps(); n != 0)
        WriteInt(m_pTaps, n);
}

void CAdvancedPmEditor::OnUnitToggled(QCheckBox* check) {
    const bool now = check->isChecked();
    check->setChecked(!now);
    StoreSpecs();
    check->setChecked(now);
    if (check == m_pDesiredDb)
        Filter().m_bGainInDb = now ? 1 : 0;
    else
        Filter().m_bAttnInDb = now ? 1 : 0;
    LoadSpecs();
    MarkModified();
}

bool CAdvancedPmEditor::StoreSpecs() {
    CFirData& f = Filter();
    f.SetDesignType(kDesignAdvancedPm);
    const int failed =
        m_table.StoreToFilter(f, m_pResponseType->checkedId() + 1, ReadInt(m_pGrid),
                              ReadInt(m_pTaps), m_pDesiredDb->isChecked(), m_pAttnDb->isChecked());
    // The unit flags belong to the form even when the table is empty.
    f.m_bGainInDb = m_pDesiredDb->isChecked() ? 1 : 0;
    f.m_bAttnInDb = m_pAttnDb->isChecked() ? 1 : 0;
    if (failed < 0)
        return true;
    SelectRow(failed);
    OnRowSelected();
    return false;
}

void CAdvancedPmEditor::LoadSpecs() {
    CFirData& f = Filter();
    ClearEntry();
    m_pDesiredDb->setChecked(f.m_bGainInDb != 0);
    m_pAttnDb->setChecked(f.m_bAttnInDb != 0);
    m_table.LoadFromFilter(f, f.m_bGainInDb != 0, f.m_bAttnInDb != 0, Prefs());
    ShowTable();
    if (QAbstractButton* b = m_pResponseType->button(f.m_nResponseType - 1))
        b->setChecked(true);
    WriteInt(m_pTaps, f.GetNumTaps());
    WriteInt(m_pGrid, f.m_nGridDensity);
    WriteForm();
}

bool CAdvancedPmEditor::CheckEntryBeforeDesign() {
    const CBandTable::EEntry state =
        CBandTable::ClassifyEntry(m_pLower->text().toStdString(), m_pUpper->text().toStdString(),
                                  m_pAttn->text().toStdString());
    if (state == CBandTable::EEntry::Empty)
        return true;
    if (state == CBandTable::EEntry::Partial) {
        if (Host().Ask(kMsgPartialBand, false, EAnswer::Yes, EMsgIcon::Exclamation) != EAnswer::Yes)
            return false;
        ClearEntry();
        return true;
    }
    switch (Host().Ask(kMsgBandNotAdded, true, EAnswer::Yes, EMsgIcon::Exclamation)) {
    case EAnswer::Yes:
        return AddEntry();
    case EAnswer::No:
        ClearEntry();
        return true;
    default:
        return false;
    }
}

void CAdvancedPmEditor::Design() {
    if (CheckEntryBeforeDesign())
        RunDesignFlow(m_pTaps);
}

void CAdvancedPmEditor::Optimize() {
    if (CheckEntryBeforeDesign())
        RunOptimizeFlow();
}
