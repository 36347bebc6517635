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

ApplicationWarmUp::ApplicationWarmUp()
    : thread_([] {
          LoadImagePlugins();
          QDBusConnection::sessionBus();
      }) {}

ApplicationWarmUp::~ApplicationWarmUp() {
    thread_.join();
}
