#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>

#include <functional>
#include <ostream>

// Test failures show a QString as its text, not as a dump of its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Runs action on the first modal window of type T that shows up (within timeoutMs), from the
// event loop, so that a test can answer a dialog that the code under test is running.
template <typename T> void OnModal(std::function<void(T*)> action, int timeoutMs = 5000) {
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs] {
        T* modal = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (modal)
            action(modal);
    });
    timer->start(10);
}

// Processes events until done() holds or timeoutMs has passed; returns done().
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        // Windows closed with deleteLater go now, as the main loop would have them go.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return done();
}
