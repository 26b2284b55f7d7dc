#include "shell/preferences_dialog.h"

#include "design/remez/remez_messages.h"
#include "support/format_number.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLineEdit* NumberEdit(double value, QWidget* parent) {
    auto* edit = new QLineEdit(QString::number(value), parent);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance("-0000.000") + 16);
    return edit;
}

double NumberOf(const QLineEdit* edit, double fallback) {
    return ParseDouble(edit->text().toStdString()).value_or(fallback);
}

} // namespace

CPreferencesDialog::CPreferencesDialog(const CPreferences& prefs, QWidget* parent)
    : QDialog(parent), m_prefs(prefs), m_pGridDensity(new QSpinBox(this)),
      m_pMaxPassDb(NumberEdit(prefs.m_dEditorMaxPassDb, this)),
      m_pMinDb(NumberEdit(prefs.m_dMinDb, this)), m_pEngine(new QComboBox(this)) {
    setWindowTitle("Preferences");
    auto addFlag = [this](QLayout* layout, const char* caption, bool CPreferences::*member) {
        auto* box = new QCheckBox(caption, this);
        box->setChecked(m_prefs.*member);
        layout->addWidget(box);
        m_flags.push_back({member, box});
    };
    auto group = [this](const char* caption) {
        auto* box = new QGroupBox(caption, this);
        new QVBoxLayout(box);
        return box;
    };

    auto* editor = group("Advanced Editor Defaults");
    m_pGridDensity->setRange(-9999, 9999);
    m_pGridDensity->setValue(prefs.m_nEditorGridDensity);
    auto* form = new QFormLayout;
    form->addRow("&Grid Density", m_pGridDensity);
    form->addRow("Max &Passband dB", m_pMaxPassDb);
    for (const SRemezEngineName& name : kRemezEngineNames) {
        m_pEngine->addItem(name.caption, static_cast<int>(name.engine));
        if (name.engine == prefs.m_eRemezEngine)
            m_pEngine->setCurrentIndex(m_pEngine->count() - 1);
    }
    form->addRow("Parks-McClellan &Engine", m_pEngine);
    static_cast<QVBoxLayout*>(editor->layout())->addLayout(form);
    addFlag(editor->layout(), "Auto &Select Pass/Stopband", &CPreferences::m_bEditorSelectPassStop);
    addFlag(editor->layout(), "&Attn/Ripple in dB", &CPreferences::m_bEditorAttnInDb);
    addFlag(editor->layout(), "Gai&n in dB", &CPreferences::m_bEditorGainInDb);
    addFlag(editor->layout(), "Show \"Passband/Stopband\"", &CPreferences::m_bEditorShowPassStop);

    auto* design = group("Auto View After Design");
    addFlag(design->layout(), "Coefficient Data", &CPreferences::m_bDesignViewCoeffs);
    addFlag(design->layout(), "Frequency Response", &CPreferences::m_bDesignViewFreq);
    addFlag(design->layout(), "Impulse Response", &CPreferences::m_bDesignViewImp);
    auto* read = group("Auto View After Import/Fill");
    addFlag(read->layout(), "Coefficient Data", &CPreferences::m_bReadViewCoeffs);
    addFlag(read->layout(), "Frequency Response", &CPreferences::m_bReadViewFreq);
    addFlag(read->layout(), "Impulse Response", &CPreferences::m_bReadViewImp);
    auto* scale = group("Scale Filter:");
    addFlag(scale->layout(), "After Design", &CPreferences::m_bScaleAfterDesign);
    addFlag(scale->layout(), "After Mix", &CPreferences::m_bScaleAfterMix);
    addFlag(scale->layout(), "After Import/Fill", &CPreferences::m_bScaleAfterRead);

    auto* minDbRow = new QFormLayout;
    minDbRow->addRow("Default &Min dB", m_pMinDb);

    auto* left = new QVBoxLayout;
    left->addWidget(editor);
    left->addLayout(minDbRow);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(design);
    right->addWidget(read);
    right->addWidget(scale);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(buttons);
    // QFormLayout makes each label the buddy of its field, which names the field for readers.
    for (QLineEdit* edit : {m_pMaxPassDb, m_pMinDb})
        edit->setAccessibleName(edit == m_pMinDb ? "Default Min dB" : "Max Passband dB");
    m_pGridDensity->setAccessibleName("Grid Density");
    m_pEngine->setAccessibleName("Parks-McClellan Engine");
}

CPreferences CPreferencesDialog::Entered() const {
    CPreferences p = m_prefs;
    p.m_nEditorGridDensity = m_pGridDensity->value();
    p.m_dEditorMaxPassDb = NumberOf(m_pMaxPassDb, p.m_dEditorMaxPassDb);
    p.m_dMinDb = NumberOf(m_pMinDb, p.m_dMinDb);
    p.m_eRemezEngine = static_cast<ERemezEngine>(m_pEngine->currentData().toInt());
    for (const FlagBox& f : m_flags)
        p.*(f.member) = f.box->isChecked();
    return p;
}
