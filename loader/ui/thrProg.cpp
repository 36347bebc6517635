#include "loader/ui/thrProg.h"

#include <QCoreApplication>
#include <QEvent>

thrProg::thrProg(QObject* context, std::function<void()> tick)
    : context_(context), tick_(std::move(tick)) {
    start(QThread::LowestPriority);
}

thrProg::~thrProg() {
    StopAndWait();
}

void thrProg::StopAndWait() {
    requestInterruption();
    // The tick is a queued call to the context: deliver it while waiting, or both would wait.
    while (!wait(QDeadlineTimer(1))) {
        QCoreApplication::sendPostedEvents(context_, QEvent::MetaCall);
    }
}

void thrProg::run() {
    while (!isInterruptionRequested()) {
        QMetaObject::invokeMethod(context_, tick_, Qt::BlockingQueuedConnection);
        msleep(1);
    }
}
