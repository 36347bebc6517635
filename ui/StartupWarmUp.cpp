#include "ui/StartupWarmUp.h"

#include <fontconfig/fontconfig.h>

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

StartupWarmUp::StartupWarmUp() : fonts_([] { FcInit(); }) {}

StartupWarmUp::~StartupWarmUp() {
    Join(fonts_);
    Join(application_);
}

void StartupWarmUp::ApplicationMade() {
    Join(fonts_);
    application_ = std::thread([] {
        LoadImagePlugins();
        QDBusConnection::sessionBus();
    });
}

void StartupWarmUp::Join(std::thread& thread) {
    if (thread.joinable()) {
        thread.join();
    }
}
