#include "plot/image_file.h"
#include "shell/application.h"
#include "shell/main_frame.h"
#include "support/error_report.h"
#include "support/file_messages.h"
#include "support/format_number.h"
#include "support/version.h"

#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

int RunDesktop(int argc, char** argv) {
    CApplication app(argc, argv);
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
            std::string reason;
            if (WriteImageFile(QApplication::primaryScreen()->grabWindow(0).toImage(), path,
                               reason)) {
                QApplication::quit();
                return;
            }
            std::fprintf(stderr, "corvifir: %s\n",
                         FormatMessage(kMsgCannotWriteFile, {path.toStdString(), reason}).c_str());
            QApplication::exit(1);
        });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    try {
        return RunDesktop(argc, argv);
    } catch (...) {
        // The application object is gone: the message can only go to standard error.
        std::fprintf(stderr, "corvifir: %s\n", ExceptionMessage(std::current_exception()).c_str());
        return 1;
    }
}
