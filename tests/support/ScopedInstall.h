#pragma once

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/SerialDevice.h"
#include "platform/SettingsStore.h"
#include "platform/Timer.h"
#include "radio/glyphs/Segchar.h"
#include "radio/host/indShell.h"

namespace testsupport {

// Installs a test's object as one of the program's globals for as long as the guard lives, then
// puts back what a guard installed before it (nothing: the program's default). A test that ends
// early on a failed assertion so never leaves a global pointing at an object that has gone, and
// guards nest (a test's own table over its fixture's, say).
template <typename T, void (*Install)(T*)>
class ScopedInstall {
public:
    explicit ScopedInstall(T* object) : previous_(installed_) { Set(object); }
    ~ScopedInstall() { Set(previous_); }
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    static void Set(T* object) {
        installed_ = object;
        Install(object);
    }

    static inline T* installed_ = nullptr;
    T* previous_;
};

using ScopedMainGTex = ScopedInstall<cmcGTex, InstallMainGTex>;
using ScopedEvMan = ScopedInstall<cmcEvMan, InstallEvMan>;
using ScopedShell = ScopedInstall<indShell, InstallShell>;
using ScopedClock = ScopedInstall<platform::Clock, platform::InstallClock>;
using ScopedTimers = ScopedInstall<platform::TimerBackend, platform::InstallTimers>;
using ScopedBoxes = ScopedInstall<platform::MessageBoxes, platform::InstallBoxes>;
using ScopedSettingsStores =
    ScopedInstall<platform::SettingsStoreFactory, platform::InstallSettingsStores>;
using ScopedSerialDevices =
    ScopedInstall<platform::SerialDeviceFactory, platform::InstallSerialDevices>;
using ScopedSharedSegchar = ScopedInstall<const Segchar, InstallSharedSegchar>;

}  // namespace testsupport
