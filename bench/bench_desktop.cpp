// The desktop program with long filters, driven through its real main window (offscreen unless
// QT_QPA_PLATFORM says otherwise):
// - OpenLongProject: File Open of a 16384-tap Import project until every pane of its window (the
//   editor, the coefficients, both plots) has painted;
// - CancelLongDesign: the Design button of a 16001-tap Simple PM lowpass; after a while Cancel is
//   clicked in the status window. Counters: the time from the click to the end of the run and to
//   the status window's going away, the longest gap between repaints of the status window, the
//   longest wait for a repaint asked of it (every 5 ms until the click, as an uncovered window
//   asks) and the longest gap between turns of the event loop while the design ran.
#include "doc/fir_doc.h"
#include "doc/project_file.h"
#include "dsp/signal_ops.h"
#include "shell/application.h"
#include "shell/child_frame.h"
#include "shell/design_status_dialog.h"
#include "shell/fir_app.h"
#include "shell/main_frame.h"
#include "support/scripted_host.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

constexpr int kTaps = 16384;

// A 16384-tap Import project (a windowed-sinc lowpass) in dir.
QString MakeLongProject(const QTemporaryDir& dir) {
    CScriptedHost host;
    CFirProject project(&host);
    project.m_nDesignType = kDesignImport;
    CFirData& f = project.m_Filter;
    f.SetDesignType(kDesignImport);
    Fill(f, kTaps, true, false, 0.0);
    const double mid = 0.5 * (kTaps - 1);
    for (int i = 0; i < kTaps; ++i) {
        const double t = i - mid;
        const double sinc = t == 0.0 ? 0.2 : std::sin(M_PI * 0.2 * t) / (M_PI * t);
        (*f.m_pI)[i] = sinc * (0.54 - 0.46 * std::cos(2.0 * M_PI * i / (kTaps - 1)));
    }
    f.SetNumTaps(kTaps);
    const QString path = dir.filePath("long.cfp");
    if (!SaveProject(path.toStdString(), project, host))
        std::abort();
    return path;
}

// Records the paint events of chosen widgets and the time of the last one.
class CPaintWatch : public QObject {
public:
    // The pane counts as painted once it or any widget inside it has painted.
    void Watch(QWidget* pane) {
        m_painted[pane] = false;
        m_paneOf[pane] = pane;
        pane->installEventFilter(this);
        for (QWidget* child : pane->findChildren<QWidget*>()) {
            m_paneOf[child] = pane;
            child->installEventFilter(this);
        }
    }
    // Every watched pane that is on the screen has painted (and there is one).
    bool AllPainted() const { return Unpainted().empty() && m_paintedAny; }
    std::vector<QWidget*> Unpainted() const {
        std::vector<QWidget*> left;
        for (const auto& [w, painted] : m_painted)
            if (!painted && w->isVisible())
                left.push_back(w);
        return left;
    }
    qint64 LongestGapMs() const { return m_longestGap; }
    // Asks for a repaint of the watched widgets, as an uncovered window does; the time until it
    // comes counts in LongestWaitMs.
    void RequestRepaint(QWidget* w) {
        if (m_requested.isValid())
            return; // the previous request is still waiting
        m_requested.start();
        w->update();
    }
    qint64 LongestWaitMs() const { return m_longestWait; }
    void StartGaps() {
        m_clock.start();
        m_last = 0;
        m_longestGap = 0;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto it = m_paneOf.find(watched);
            if (it != m_paneOf.end())
                m_painted[it->second] = m_paintedAny = true;
            if (m_requested.isValid()) {
                m_longestWait = std::max(m_longestWait, m_requested.elapsed());
                m_requested.invalidate();
            }
            if (m_clock.isValid()) {
                const qint64 now = m_clock.elapsed();
                m_longestGap = std::max(m_longestGap, now - m_last);
                m_last = now;
            }
        }
        return false;
    }

private:
    std::map<QWidget*, bool> m_painted;
    std::map<QObject*, QWidget*> m_paneOf;
    bool m_paintedAny = false;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longestGap = 0;
    QElapsedTimer m_requested;
    qint64 m_longestWait = 0;
};

// The program with its own settings file, as a person starts it.
struct SDesktop {
    QTemporaryDir dir;
    QSettings settings{dir.filePath("settings.ini"), QSettings::IniFormat};
    CFirApp app{settings};
    SDesktop() {
        app.MainFrame().resize(1400, 900);
        app.MainFrame().show();
        QApplication::processEvents();
    }
    ~SDesktop() { CloseAll(); }
    void CloseAll() {
        for (CFirDoc* doc : CFirDoc::Documents())
            doc->SetModifiedFlag(false);
        app.CloseAllDocuments();
        // Windows and projects go on the event loop's next turns.
        for (int turn = 0; turn < 100 && !CFirDoc::Documents().empty(); ++turn) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QApplication::processEvents();
        }
    }
};

// Every pane of the project's windows: the leaves of a project window's splitters (the editor,
// the coefficients, the plots), or the content of a coefficient or plot window.
std::vector<QWidget*> Panes(CFirApp& app, CFirDoc& doc) {
    std::vector<QWidget*> panes;
    for (CChildFrame* frame : app.FramesOf(doc)) {
        auto* split = frame->findChild<CSplitFrame*>();
        if (!split) {
            panes.push_back(frame->widget());
            continue;
        }
        for (auto* splitter : split->findChildren<QSplitter*>())
            for (int i = 0; i < splitter->count(); ++i)
                if (!qobject_cast<QSplitter*>(splitter->widget(i)))
                    panes.push_back(splitter->widget(i));
    }
    return panes;
}

void BM_OpenLongProject(benchmark::State& state) {
    SDesktop desk;
    const QString path = MakeLongProject(desk.dir);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        CFirDoc* doc = desk.app.OpenDocumentFile(path);
        if (!doc) {
            state.SkipWithError("the project did not open");
            return;
        }
        CPaintWatch watch;
        bool watching = false;
        while (!watch.AllPainted() && clock.elapsed() < 20000) {
            // The project's windows come from its first turn of the event loop.
            if (!watching && !desk.app.FramesOf(*doc).empty()) {
                for (QWidget* pane : Panes(desk.app, *doc))
                    watch.Watch(pane);
                watching = true;
            }
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        if (!watch.AllPainted()) {
            QStringList left;
            for (QWidget* pane : watch.Unpainted())
                left << pane->metaObject()->className();
            state.SkipWithError(qPrintable("panes never painted: " + left.join(", ")));
            return;
        }
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) * 1e-9);
        state.PauseTiming();
        desk.CloseAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLongProject)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(7);

// Types text into the field called name of the editor.
void Type(QWidget* editor, const char* name, const QString& text) {
    auto* e = editor->findChild<QLineEdit*>(name);
    if (!e)
        std::abort();
    e->setFocus();
    e->selectAll();
    QTest::keyClick(e, Qt::Key_Delete);
    QTest::keyClicks(e, text);
}

void BM_CancelLongDesign(benchmark::State& state) {
    SDesktop desk;
    const int cancelAfterMs = static_cast<int>(state.range(0));
    double clickToEnd = 0, clickToClose = 0, paintGap = 0, paintWait = 0, loopGap = 0;
    for (auto _ : state) {
        CFirDoc* doc = desk.app.NewProject(kDesignSimplePm);
        if (!doc) {
            state.SkipWithError("no Simple PM project");
            return;
        }
        QWidget* editor = desk.app.FramesOf(*doc).front();
        QApplication::processEvents();
        Type(editor, "firstFrequency", "0.1");
        Type(editor, "secondFrequency", "0.1005");
        Type(editor, "ripple", "0.1");
        Type(editor, "attenuation", "80");
        Type(editor, "taps", "16001");
        auto* design = editor->findChild<QAbstractButton*>("design");
        CPaintWatch watch;
        QElapsedTimer loopClock;
        qint64 lastTurn = 0, longestTurn = 0;
        QElapsedTimer clickClock;
        double closedAfter = 0; // ms from the click until the status window went away
        // The event loop's turns: a timer due every 5 ms.
        QTimer ticker;
        ticker.setInterval(5);
        QPointer<CDesignStatusDialog> status;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = loopClock.elapsed();
            longestTurn = std::max(longestTurn, now - lastTurn);
            lastTurn = now;
            if (status && !clickClock.isValid())
                watch.RequestRepaint(status);
        });
        // Once the status window is up: watch its repaints, then click Cancel.
        QTimer finder;
        finder.setInterval(1);
        QObject::connect(&finder, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<CDesignStatusDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            finder.stop();
            status = dialog;
            watch.Watch(dialog);
            watch.StartGaps();
            loopClock.start();
            ticker.start();
            QObject::connect(dialog, &QObject::destroyed, [&] {
                if (clickClock.isValid())
                    closedAfter = clickClock.nsecsElapsed() * 1e-6;
            });
            QTimer::singleShot(cancelAfterMs, dialog, [&, dialog] {
                clickClock.start();
                QTest::mouseClick(dialog->findChild<QAbstractButton*>(), Qt::LeftButton);
            });
        });
        finder.start();
        QTest::mouseClick(design, Qt::LeftButton);
        const double end = clickClock.isValid() ? clickClock.nsecsElapsed() * 1e-9 : -1.0;
        finder.stop();
        ticker.stop();
        state.SetIterationTime(end);
        clickToEnd = std::max(clickToEnd, end * 1e3);
        clickToClose = std::max(clickToClose, closedAfter);
        paintGap = std::max(paintGap, static_cast<double>(watch.LongestGapMs()));
        paintWait = std::max(paintWait, static_cast<double>(watch.LongestWaitMs()));
        loopGap = std::max(loopGap, static_cast<double>(longestTurn));
        state.PauseTiming();
        desk.CloseAll();
        state.ResumeTiming();
    }
    state.counters["click_to_end_ms_max"] = clickToEnd;
    state.counters["click_to_status_closed_ms_max"] = clickToClose;
    state.counters["status_repaint_gap_ms_max"] = paintGap;
    state.counters["status_repaint_wait_ms_max"] = paintWait;
    state.counters["event_loop_gap_ms_max"] = loopGap;
}
BENCHMARK(BM_CancelLongDesign)
    ->Arg(300)
    ->Arg(1000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CApplication qapp(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
