#include "loader/ui/thrProg.h"

#include <QCoreApplication>
#include <QEvent>

thrProg::thrProg(QObject* context, Tick tick) : context_(context), tick_(std::move(tick)) {
    start(QThread::LowestPriority);
}

thrProg::~thrProg() {
    StopAndWait();
}

void thrProg::Wake() {
    QMutexLocker lock(&mutex_);
    woken_ = true;
    wake_.wakeAll();
}

void thrProg::StopAndWait() {
    requestInterruption();
    Wake();
    // The tick is a queued call to the context: deliver it while waiting, or both would wait.
    while (!wait(QDeadlineTimer(1))) {
        QCoreApplication::sendPostedEvents(context_, QEvent::MetaCall);
    }
}

void thrProg::run() {
    while (!isInterruptionRequested()) {
        int pauseMs = 1;
        QMetaObject::invokeMethod(
            context_, [&] { pauseMs = tick_(); }, Qt::BlockingQueuedConnection);
        QMutexLocker lock(&mutex_);
        if (!woken_ && !isInterruptionRequested()) {
            wake_.wait(&mutex_, QDeadlineTimer(pauseMs));
        }
        woken_ = false;
    }
}
