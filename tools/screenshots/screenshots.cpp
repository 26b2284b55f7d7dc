// Opens the desktop program's windows and dialogs one after another and saves a picture of
// each into the folder given on the command line, for a person to look at. Run it in a real X
// server (tools/screenshots.sh).

#include "dialogs/data_files_dialog.h"
#include "dialogs/format_options_dialogs.h"
#include "dialogs/qt_command_dialogs.h"
#include "doc/fir_commands.h"
#include "doc/fir_doc.h"
#include "doc/view_commands.h"
#include "help/help_window.h"
#include "io/file_formats.h"
#include "shell/application.h"
#include "shell/child_frame.h"
#include "shell/data_view.h"
#include "shell/doc_panes.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"
#include "shell/plot_splitter.h"
#include "shell/qt_host.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

QString g_folder;

void Settle(int ms = 150) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

void Save(QWidget* w, const QString& name) {
    Settle();
    const QString path = g_folder + "/" + name + ".png";
    if (!w->grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
}

QAbstractButton* ButtonOf(QWidget* parent, const QString& caption) {
    for (QAbstractButton* b : parent->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == caption && b->isVisible())
            return b;
    return nullptr;
}

QLineEdit* FieldOf(QWidget* parent, const QString& name) {
    for (QLineEdit* e : parent->findChildren<QLineEdit*>())
        if (e->accessibleName() == name)
            return e;
    return nullptr;
}

// Runs open, which shows a modal dialog (after any message box, which the watchdog answers);
// pictures it (after prepare, each tab of a tabbed one) and closes it with Cancel.
void ShootModal(const QString& name, const std::function<void()>& open,
                const std::function<void(QDialog*)>& prepare = {}) {
    auto shot = std::make_shared<bool>(false);
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [name, prepare, shot, poll] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (*shot || !dialog || qobject_cast<QMessageBox*>(dialog) || !dialog->isVisible())
            return;
        *shot = true;
        poll->stop();
        // The caption is on the window frame, which a picture of the dialog leaves out.
        std::printf("%s: \"%s\"\n", qPrintable(name), qPrintable(dialog->windowTitle()));
        if (prepare)
            prepare(dialog);
        if (auto* tabs = dialog->findChild<QTabWidget*>()) {
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                Save(dialog, QString("%1-%2").arg(name).arg(i + 1));
            }
        } else {
            Save(dialog, name);
        }
        dialog->reject();
    });
    poll->start(100);
    open();
    poll->stop();
    poll->deleteLater();
    if (!*shot)
        std::fprintf(stderr, "no dialog for %s\n", qPrintable(name));
}

CFirDoc* NewDesignedProject(CFirApp& app, int type) {
    CFirDoc* doc = app.NewProject(type);
    auto* frame = app.MainFrame().MdiArea()->activeSubWindow();
    if (QLineEdit* taps = FieldOf(frame, "Number of Taps"))
        taps->setText("41");
    if (QLineEdit* corner = FieldOf(frame, "First Corner"))
        corner->setText("0.1");
    if (QAbstractButton* design = ButtonOf(frame, "Design"))
        design->click();
    Settle();
    return doc;
}

void OpenMenuView(CFirDoc& doc, const char* name) {
    for (const SViewMenuItem& item : ViewMenuItems())
        if (std::string(item.name) == name)
            OpenMenuView(doc, item);
    Settle();
}

void ShootWindows(CFirApp& app, CFirDoc& doc) {
    QMdiArea* area = app.MainFrame().MdiArea();
    Save(&app.MainFrame(), "project-window");

    OpenMenuView(doc, "coefficients-inphase");
    QMdiSubWindow* data = area->activeSubWindow();
    data->resize(500, 600);
    Save(data, "coefficient-window");
    auto* view = data->findChild<CDataView*>();
    view->ReplaceText();
    Settle();
    if (auto* dialog = view->findChild<QDialog*>()) {
        if (QLineEdit* what = FieldOf(dialog, "Find what:"))
            what->setText("e-0");
        if (QLineEdit* with = FieldOf(dialog, "Replace with:"))
            with->setText("E-0");
        Save(dialog, "replace-dialog");
        dialog->close();
    }
    ShootModal("data-view-format", [view] { view->SelectFormat(); });
    data->close();

    OpenMenuView(doc, "magnitude-inphase");
    QMdiSubWindow* plots = area->activeSubWindow();
    plots->resize(1000, 700);
    Save(plots, "plot-window");
    if (auto* splitter = plots->findChild<CPlotSplitter*>()) {
        splitter->SplitRow();
        splitter->SplitColumn();
    }
    Save(plots, "plot-window-2x2");
    plots->close();
    Settle();

    OpenMenuView(doc, "pole-zero");
    QMdiSubWindow* zeros = area->activeSubWindow();
    zeros->resize(760, 640);
    Settle();
    Save(zeros, "pole-zero-window");
    zeros->close();
    Settle();
}

void ShootOperationDialogs(CFirApp& app, CFirDoc& doc) {
    CQtCommandDialogs dialogs(&app.MainFrame(), app.Host());
    using namespace FirCommand;
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"scale", [&] { Scale(doc, dialogs, EParts::Inphase); }},
        {"quantize", [&] { Quantize(doc, dialogs, EParts::Inphase); }},
        {"window", [&] { Window(doc, dialogs, EParts::Inphase); }},
        {"mix", [&] { Mix(doc, dialogs); }},
        {"zero-stuff", [&] { ZeroStuff(doc, dialogs); }},
        {"truncate", [&] { Truncate(doc, dialogs); }},
        {"polyphase", [&] { Polyphase(doc, dialogs); }},
        {"convolve", [&] { Convolve(doc, dialogs); }},
        {"fill-constant", [&] { FillConstant(doc, dialogs, EParts::Inphase); }},
        {"fill-sine", [&] { FillSine(doc, dialogs, EParts::Inphase); }},
        {"minimum-db", [&] { MinimumDb(doc, dialogs); }},
        {"sampling-frequency", [&] { SamplingFrequency(doc, dialogs); }},
        {"design-options", [&] { DesignOptions(doc, dialogs); }},
        {"export", [&] { Export(doc, dialogs); }},
        {"import", [&] { Import(doc, dialogs); }},
    };
    for (const auto& [name, run] : commands)
        ShootModal(name, run);
    for (const char* format : {"Text:Hex", "Text:C", "Asm:TI Asm", "Binary:Wave", "Text:Plot"}) {
        CFileFormatOpts opts;
        opts.m_nFormat = FindFileFormat(format)->code;
        QString name = QString("format-options-") + format;
        name.replace(':', '-').replace(' ', '-');
        ShootModal(name, [&] { ShowFormatOptions(&app.MainFrame(), opts, app.Host()); });
    }
}

void ShootCancelledDesign(CFirApp& app) {
    app.NewProject(0);
    QMdiSubWindow* frame = app.MainFrame().MdiArea()->activeSubWindow();
    if (QLineEdit* taps = FieldOf(frame, "Number of Taps"))
        taps->setText("8001");
    // A transition band of 0.0005 Fs and 60 dB: a long design.
    if (QLineEdit* stop = FieldOf(frame, "Stopband Lower Frequency"))
        stop->setText("0.1005");
    if (QLineEdit* attenuation = FieldOf(frame, "Stopband Attenuation"))
        attenuation->setText("60");
    QTimer::singleShot(300, [] {
        QWidget* status = QApplication::activeModalWidget();
        if (!status || qobject_cast<QMessageBox*>(status)) {
            std::fprintf(stderr, "the design ended at once\n");
            return;
        }
        Save(status, "long-design-running");
        if (QAbstractButton* cancel = ButtonOf(status, "Cancel"))
            cancel->click();
        Save(status, "long-design-cancelling");
    });
    if (QAbstractButton* design = ButtonOf(frame, "Design"))
        design->click();
    Settle(500);
    Save(&app.MainFrame(), "long-design-cancelled");
}

void ShootHelp() {
    CHelpWindow help;
    help.resize(1000, 700);
    help.show();
    Save(&help, "help-contents");
    help.ShowTab(CHelpWindow::IndexTab);
    Save(&help, "help-index");
    help.ShowTab(CHelpWindow::SearchTab);
    Save(&help, "help-search");
}

// The main window's title as a window manager shows it.
QString ShownTitle(CFirApp& app) {
    QString title = app.MainFrame().windowTitle();
    return title.replace("[*]", app.MainFrame().isWindowModified() ? "*" : "");
}

// A project window maximized and restored, with the main window's title of each.
void ShootMaximized(CFirApp& app) {
    NewDesignedProject(app, 0);
    QMdiSubWindow* window = app.MainFrame().MdiArea()->activeSubWindow();
    window->showMaximized();
    Save(&app.MainFrame(), "project-window-maximized");
    std::printf("  maximized title \"%s\"\n", qPrintable(ShownTitle(app)));
    window->showNormal();
    Settle();
    std::printf("  restored title \"%s\"\n", qPrintable(ShownTitle(app)));
    for (CFirDoc* d : CFirDoc::Documents())
        d->SetModifiedFlag(false);
    app.CloseAllDocuments();
    Settle();
}

// The project window of every method, designed where the form's defaults allow, with the
// main window at each screen size a user may have.
void ShootMethodWindows(CFirApp& app) {
    for (const QSize size : {QSize(1024, 768), QSize(1600, 1000)}) {
        app.MainFrame().resize(size);
        Settle();
        for (int type = 0; type < 8; ++type) {
            NewDesignedProject(app, type);
            Save(&app.MainFrame(),
                 QString("method-%1-%2x%3").arg(type).arg(size.width()).arg(size.height()));
            // The title and the status bar after the design, as text.
            std::printf("  title \"%s\", status \"%s\"\n", qPrintable(ShownTitle(app)),
                        qPrintable(app.MainFrame().statusBar()->currentMessage()));
            for (CFirDoc* d : CFirDoc::Documents())
                d->SetModifiedFlag(false);
            app.CloseAllDocuments();
            Settle();
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    CApplication qapp(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: corvifir-screenshots FOLDER [--methods]\n");
        return 2;
    }
    g_folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(g_folder);
    QTemporaryDir settingsDir;
    QSettings settings(settingsDir.filePath("settings.ini"), QSettings::IniFormat);
    CFirApp app(settings);
    // A message box that no scene expects is logged and answered, so the run goes on.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "message: %s\n", qPrintable(box->text()));
            QAbstractButton* go = box->button(QMessageBox::Ok);
            if (!go)
                go = box->button(QMessageBox::Yes);
            if (go)
                go->click();
            else
                box->accept();
        }
    });
    watchdog.start(1000);
    app.MainFrame().resize(1500, 950);
    app.MainFrame().show();
    Settle();
    if (argc > 2 && QString(argv[2]) == "--methods") {
        ShootMethodWindows(app);
        ShootMaximized(app);
        return 0;
    }

    CFirDoc* doc = NewDesignedProject(app, 2);
    NewDesignedProject(app, 2); // a second project to convolve with
    app.MainFrame().MdiArea()->setActiveSubWindow(app.FramesOf(*doc).front());
    ShootWindows(app, *doc);
    ShootOperationDialogs(app, *doc);
    ShootCancelledDesign(app);
    ShootHelp();

    // An HTML report of the first project, for a browser.
    CQtCommandDialogs dialogs(&app.MainFrame(), app.Host());
    app.MainFrame().MdiArea()->setActiveSubWindow(app.FramesOf(*doc).front());
    Settle();
    doc->m_DataFiles.ApplyDialog((g_folder + "/report.htm").toStdString(), "HTML:Report", "", "");
    QTimer::singleShot(300, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->accept();
    });
    FirCommand::Export(*doc, dialogs);
    for (CFirDoc* d : CFirDoc::Documents())
        d->SetModifiedFlag(false);
    return 0;
}
