#pragma once

#include "data/code_export_options.h"
#include "data/format_options.h"

#include <QDialog>

#include <vector>

class CHost;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

// Opens the options dialog of the record's format ("Options..." of the data file dialog); a
// format without options is refused through host. taps: the coefficients being exported, for
// the implementation summary of HDL:Verilog. True when the options were accepted.
bool ShowFormatOptions(QWidget* parent, CFileFormatOpts& opts, CHost& host,
                       const std::vector<double>& taps = {});

// "Fixed-Point Implementation": word lengths, rounding, overflow, structure and module name of a
// hardware export, with the summary of the implementation of taps beside them, updated as the
// options change.
class CFixedPointImplDialog : public QDialog {
public:
    CFixedPointImplDialog(CFixedPointOpts& opts, const std::vector<double>& taps, CHost& host,
                          QWidget* parent);
    void accept() override;

private:
    SHdlOptions Read() const;
    void UpdateSummary();

    CFixedPointOpts& m_opts;
    std::vector<double> m_taps;
    CHost& m_host;
    QSpinBox* m_pCoefBits;
    QSpinBox* m_pInputBits;
    QCheckBox* m_pFullPrecision;
    QSpinBox* m_pOutputBits;
    QCheckBox* m_pTopBits;
    QSpinBox* m_pShift;
    QComboBox* m_pRounding;
    QComboBox* m_pOverflow;
    QComboBox* m_pStructure;
    QLineEdit* m_pName;
    QPlainTextEdit* m_pSummary;
};

// "Fixed-Point Options": the word length of the fixed-point text formats.
class CFixedPointOptsDialog : public QDialog {
public:
    CFixedPointOptsDialog(CFixedPointOpts& opts, QWidget* parent);
    void accept() override;

private:
    CFixedPointOpts& m_opts;
    QSpinBox* m_pBits;
};

// "Wave File Format": sample size and rate of WAVE files.
class CWavFmtDialog : public QDialog {
public:
    CWavFmtDialog(CWavFmt& opts, QWidget* parent);
    void accept() override;

private:
    CWavFmt& m_opts;
    QButtonGroup* m_pSize;
    QButtonGroup* m_pRate;
};

// "C Output Options": name, type and value suffix of the C array.
class COptionsCDialog : public QDialog {
public:
    COptionsCDialog(COptionsC& opts, QWidget* parent);
    void accept() override;

private:
    COptionsC& m_opts;
    QLineEdit* m_pName;
    QLineEdit* m_pType;
    QLineEdit* m_pSuffix;
};

// "TI Fixed-Point Assembly Code Options". OK runs the options' own check; a refusal keeps the
// dialog open with the corrected base name shown.
class CAsmOptsDialog : public QDialog {
public:
    CAsmOptsDialog(CAsmOpts& opts, CHost& host, QWidget* parent);
    void accept() override;

private:
    CAsmOpts Read() const;
    void UpdateControls();

    CAsmOpts& m_opts;
    CHost& m_host;
    QLineEdit* m_pBaseName;
    QCheckBox* m_pShowLength;
    QCheckBox* m_pShowRatio;
    QLineEdit* m_pRatio;
    QButtonGroup* m_pFormat;
    QCheckBox* m_pShowOther;
    QCheckBox* m_pShowFloat;
    QCheckBox* m_pShowGraph;
    QPlainTextEdit* m_pInitial;
    QPlainTextEdit* m_pFinal;
};

// "Titles": the main, X and Y titles of a plot or of a Text:Plot file header.
class CTitlesDialog : public QDialog {
public:
    CTitlesDialog(std::string& mainTitle, std::string& xTitle, std::string& yTitle,
                  QWidget* parent);
    void accept() override;

private:
    std::string& m_main;
    std::string& m_x;
    std::string& m_y;
    QLineEdit* m_pMain;
    QLineEdit* m_pX;
    QLineEdit* m_pY;
};
