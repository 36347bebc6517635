#pragma once

#include "radio/host/ItemContext.h"
#include "radio/host/indMenuCommands.h"

// The cells of the program's commands in menus, on the tool bar and in the tree: they show
// their caption and act on Enter only; with key 0 they report their state to menus and tool
// bars.

using MenuCommand = void (indMenuCommands::*)();

// Enter runs the command.
struct CommandParams {
    MenuCommand run = nullptr;
};
void CellCommand(CellEdit& edit, const CommandParams& params);
