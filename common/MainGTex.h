#pragma once

#include "common/cmcGTex.h"

// The cloning program's main text table: one instance for the program's life, bound to its
// file at start-up. Tests install a table of their own.
cmcGTex& MainGTex();
// Installs the table that MainGTex answers (not owned); nullptr restores the program's own.
void InstallMainGTex(cmcGTex* table);
