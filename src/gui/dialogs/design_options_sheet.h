#pragma once

#include <QDialog>

class CFirData;
class CHost;
class QTabWidget;

// One page of the design options: it checks its values when it is left and writes them into the
// filter when the sheet is accepted.
class CDesignOptionsPage : public QWidget {
public:
    virtual bool Leave(CHost& host) = 0;
    virtual void Store(CFirData& filter) const = 0;
};

// "FIR Design Options": the sampling frequency, the tap-count constraints, the minimum-phase and
// the quantization settings of a filter, one page each ("NTaps Constraints" and "Min Phase" are
// left out for CIC filters). A page that refuses its values keeps the sheet on it.
class CFirDesignOptionsSheet : public QDialog {
public:
    // Opens on page startPage (of the pages shown; the first when out of range).
    CFirDesignOptionsSheet(CFirData& filter, int startPage, CHost& host, QWidget* parent);
    void accept() override;
    // The page shown now (index among the pages shown).
    int ActivePage() const;

private:
    void OnPageChanged(int index);

    CFirData& m_filter;
    CHost& m_host;
    QTabWidget* m_pTabs;
    int m_nCurrent = 0;
};

// Runs the sheet on filter. On OK the values are in the filter, lastPage is the page that was
// active, and the result is true; Cancel changes nothing.
bool ShowDesignOptions(QWidget* parent, CFirData& filter, int& lastPage, CHost& host);
