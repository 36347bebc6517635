#pragma once

#include "radio/ItemRegistry.h"

// The rows of the memory map's groups, one file of this folder a group.

// List cells, commands, checks, clone information and pop-up menu items (codes 0..80).
ItemRegistry::Group ListCommandRows();
