#include "dialogs/shared_fields.h"

#include "data/sampling_frequency.h"
#include "design/quant_options.h"
#include "design/quantization.h"
#include "dialogs/dialog_layout.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QVBoxLayout>

CFsFields::CFsFields(QFormLayout* form, const CFs& fs)
    : m_pValue(new CNumberField), m_pUnit(new QComboBox) {
    m_pValue->SetDouble(fs.m_dValue);
    AddCaptionedRow(form, "&Sampling Frequency", m_pValue);
    for (int u = 0; u < CFs::kUnitCount; ++u)
        m_pUnit->addItem(ToQ(CFs::GetUnitString(u)));
    m_pUnit->setCurrentIndex(fs.m_nUnit);
    AddCaptionedRow(form, "&Units of Frequency,Time", m_pUnit);
}

bool CFsFields::Read(CFs& fs, CHost& host) const {
    double value = fs.m_dValue;
    if (!m_pValue->ReadDouble(value, host))
        return false;
    fs = CFs(value, m_pUnit->currentIndex());
    return true;
}

CQuantFields::CQuantFields(QVBoxLayout* layout, const QString& saveCaption, int offered)
    : m_pSave(new QCheckBox(saveCaption)), m_pAlgorithm(new QComboBox),
      m_pTruncate(new QCheckBox("&Truncate end zeros")),
      m_pGrid(new QGroupBox("Search Grid Range")), m_pFrom(new CNumberField),
      m_pTo(new CNumberField) {
    layout->addWidget(m_pSave);
    auto* form = new QFormLayout;
    for (int i = 0; i < offered; ++i)
        m_pAlgorithm->addItem(kQuantAlgorithms[i].caption);
    AddCaptionedRow(form, "&Algorithm", m_pAlgorithm);
    layout->addLayout(form);
    layout->addWidget(m_pTruncate);
    auto* range = new QGridLayout(m_pGrid);
    AddCaptionedCell(range, 0, 0, "&from", m_pFrom);
    AddCaptionedCell(range, 0, 2, "t&o", m_pTo);
    layout->addWidget(m_pGrid);
}

void CQuantFields::SetEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_pSave, m_pAlgorithm, m_pTruncate})
        w->setEnabled(on);
    m_pGrid->setEnabled(on && SearchRangeApplies(m_pAlgorithm->currentIndex()));
}
