#include "shell/application.h"

#include "support/error_report.h"

#include <QMessageBox>

#include <exception>

CApplication::CApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool CApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

void CApplication::ReportCurrentException() {
    const QString text = QString::fromStdString(ExceptionMessage(std::current_exception()));
    try {
        QMessageBox::critical(activeWindow(), applicationName(), text);
    } catch (...) {
        // Nothing more can be shown; the program goes on.
    }
}
