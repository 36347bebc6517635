#pragma once

#include "radio/ModelType.h"

class cmcEeprom;
class cmcFCache;
class cmcHelpGTex;

// The help-file context of a cell's item: its topic by item name (a key-assignment cell by the
// name of the function assigned to the key) from the help table's topic sections, then the
// topic's context number. 0 when nothing matched.
int FindHelpContext(int item, const cmcEeprom& image, ModelType model, cmcFCache& lists,
                    cmcHelpGTex& help);
