#include "views/page_setup.h"

#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrinter>

namespace {

struct SPageSetup {
    QString printerName;
    QPageLayout layout;
    bool chosen = false;
};

SPageSetup& Setup() {
    static SPageSetup setup;
    return setup;
}

} // namespace

void ApplyPageSetup(QPrinter& printer) {
    const SPageSetup& s = Setup();
    if (!s.chosen) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return;
    }
    if (!s.printerName.isEmpty() && printer.outputFormat() == QPrinter::NativeFormat)
        printer.setPrinterName(s.printerName);
    printer.setPageLayout(s.layout);
}

bool EditPageSetup(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SPageSetup& s = Setup();
    s.printerName = printer.printerName();
    s.layout = printer.pageLayout();
    s.chosen = true;
    return true;
}
