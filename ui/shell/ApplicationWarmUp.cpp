#include "ui/shell/ApplicationWarmUp.h"

#include <QBuffer>
#include <QDBusConnection>
#include <QImageReader>

namespace {

// Asking which plug-in reads an unknown picture loads every image plug-in.
void LoadImagePlugins() {
    QBuffer nothing;
    nothing.open(QIODevice::ReadOnly);
    QImageReader(&nothing).canRead();
}

}  // namespace

// The session bus first and on its own: without a bus its attempt to launch one is the
// longest of the waits.
ApplicationWarmUp::ApplicationWarmUp()
    : bus_([] { QDBusConnection::sessionBus(); }), plugins_([] { LoadImagePlugins(); }) {}

ApplicationWarmUp::~ApplicationWarmUp() {
    plugins_.join();
    bus_.join();
}
