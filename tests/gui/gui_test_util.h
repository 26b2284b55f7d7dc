#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <functional>

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
