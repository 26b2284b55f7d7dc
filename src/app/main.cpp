#include "shell/main_frame.h"
#include "support/version.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramName);
    QApplication::setOrganizationName("CorviFIR");
    CMainFrame frame;
    frame.show();
    return QApplication::exec();
}
