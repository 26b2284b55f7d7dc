#pragma once

#include <QDialog>

class CHost;
class QTabWidget;
struct CDesignOptions;

// One page of the design options: it shows its part of the values and reads it back on OK.
class CDesignOptionsPage : public QWidget {
public:
    // False when a field does not hold a number (the message has been shown).
    virtual bool Read(CDesignOptions& options, CHost& host) = 0;
    // Shows values that a check has corrected (a limit reset to the method's own).
    virtual void ShowCorrected(const CDesignOptions& /*options*/) {}
};

// "FIR Design Options": the sampling frequency, the tap-count constraints, the minimum-phase and
// the quantization settings, one page each ("NTaps Constraints" and "Min Phase" only when the
// values have them, not for CIC filters). It opens on the page options.m_nPage and hands back the
// values with the page shown at OK. OK checks the values as the design options command does: a
// refusal keeps the sheet open on the refusing page, with the message over it.
class CFirDesignOptionsSheet : public QDialog {
public:
    CFirDesignOptionsSheet(CDesignOptions& options, CHost& host, QWidget* parent);
    void accept() override;

private:
    CDesignOptions& m_options;
    CHost& m_host;
    QTabWidget* m_pTabs;
};
