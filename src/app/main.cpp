#include "doc/project_templates.h"
#include "render/image_file.h"
#include "shell/application.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"
#include "support/error_report.h"
#include "support/file_messages.h"
#include "support/format_number.h"
#include "support/version.h"

#include <QCommandLineParser>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <cstdio>
#include <exception>

namespace {

int RunDesktop(int argc, char** argv) {
    CApplication app(argc, argv);
    QApplication::setApplicationName(ShellText::kAppName);
    QApplication::setApplicationVersion(kProgramVersion);
    QApplication::setOrganizationName(ShellText::kCompany);

    QCommandLineParser parser;
    parser.setApplicationDescription("FIR filter design, analysis and export.");
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("project", "Project files to open (.cfp, .cfa, .cfs).",
                                 "[project...]");
    QCommandLineOption screenshot("screenshot",
                                  "Save a picture of the screen to <file> once the main window is "
                                  "shown, then quit.",
                                  "file");
    parser.addOption(screenshot);
    parser.process(app);
    const QStringList paths = parser.positionalArguments();

    // A later launch with project paths hands them to the program already running.
    const QString serverName = ShellOpenServerName();
    if (!paths.isEmpty() && !parser.isSet(screenshot) &&
        HandOverToRunningProgram(serverName, paths))
        return 0;

    QSettings settings;
    CFirApp firApp(settings);
    firApp.EnableShellOpen(serverName);
    firApp.MainFrame().show();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(1500, &app, [path] {
            std::string reason;
            if (WriteImageFile(QApplication::primaryScreen()->grabWindow(0).toImage(), path,
                               reason)) {
                QApplication::exit(0);
                return;
            }
            std::fprintf(stderr, "corvifir: %s\n",
                         FormatMessage(kMsgCannotWriteFile, {path.toStdString(), reason}).c_str());
            QApplication::exit(1);
        });
    }
    QTimer::singleShot(0, &firApp, [&firApp, paths] { firApp.ProcessCommandLine(paths); });
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
