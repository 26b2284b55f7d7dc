#pragma once

#include <QApplication>

// The desktop program's application object. An exception that escapes an event handler is
// caught here and shown in a message box instead of ending the program.
class CApplication : public QApplication {
public:
    CApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message for the exception being handled (inside a catch block).
    static void ReportCurrentException();
};
