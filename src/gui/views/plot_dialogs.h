#pragma once

#include "plot/axis_settings.h"
#include "plot/plot_dialog_rules.h"

#include <QDialog>

class CGraph;
class CHost;
class CPlot;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The axis dialog: scaling, label power and decimals, grid and log mode of one axis.
class CAxisDlg : public QDialog {
    Q_OBJECT
public:
    CAxisDlg(const CAxisSettings& record, bool xAxis, QWidget* parent = nullptr);
    // The record as edited, checked and corrected (messages through pHost); false, with the
    // message shown, when a number does not parse.
    bool GetRecord(CAxisSettings& record, CHost* pHost) const;
    void AutoscaleOnce();

    QLineEdit *m_pMax, *m_pMin, *m_pLabel, *m_pTic, *m_pPower, *m_pDecimals;
    QCheckBox *m_pAutoScale, *m_pAutoLabels, *m_pLog;
    QPushButton* m_pAutoscaleOnce;
    QButtonGroup* m_pGrid;

private:
    void UpdateEnabling();
    CAxisSettings m_record;
    bool m_bX;
};

// The titles dialog: main, X and Y titles.
class CTitles : public QDialog {
    Q_OBJECT
public:
    CTitles(const CPlot& plot, QWidget* parent = nullptr);
    QLineEdit *m_pMain, *m_pX, *m_pY;
};

// The plot properties dialog.
class CGraphOptions : public QDialog {
    Q_OBJECT
public:
    CGraphOptions(const SGraphOptions& options, CHost& host, QWidget* parent = nullptr);
    SGraphOptions Options() const;
    void accept() override;

    QCheckBox *m_pOrigin, *m_pAutoTitles, *m_pLegend, *m_pDb, *m_pInteger, *m_pSum, *m_pDecade;
    QCheckBox *m_pAutoBins, *m_pAutoRange;
    QLineEdit *m_pBins, *m_pMax, *m_pMin;

private:
    void UpdateEnabling();
    CHost& m_host;
};

// Each runs its dialog on a plot and stores the values on OK; true when something changed.
bool RunAxisDialog(CPlot& plot, bool xAxis, CHost& host, QWidget* parent);
bool RunTitlesDialog(CPlot& plot, QWidget* parent);
bool RunPropertiesDialog(CGraph& graph, CHost& host, QWidget* parent);
