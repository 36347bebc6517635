#pragma once

#include "common/cmcEvMan.h"

// The cloning program's one event bus, created at start-up. Null until one is installed, so
// code that only queries (and tests that need no bus) runs without one.
cmcEvMan* CurrentEvMan();
// Installs the bus (not owned); nullptr removes it.
void InstallEvMan(cmcEvMan* bus);
