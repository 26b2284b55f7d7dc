#include "shell/main_frame.h"
#include "support/version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramName);
    QApplication::setApplicationVersion(kProgramVersion);
    QApplication::setOrganizationName("CorviFIR");

    QCommandLineParser parser;
    parser.setApplicationDescription("FIR filter design, analysis and export.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshot("screenshot",
                                  "Save a picture of the screen to <file> once the main window is "
                                  "shown, then quit.",
                                  "file");
    parser.addOption(screenshot);
    parser.process(app);

    CMainFrame frame;
    frame.show();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(500, &app, [path] {
            QApplication::primaryScreen()->grabWindow(0).save(path);
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
