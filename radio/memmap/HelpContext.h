#pragma once

#include <string>
#include <vector>

#include "radio/image/ModelType.h"

class cmcEeprom;
class cmcFCache;
class cmcHelpGTex;

// The help-file context of a cell's item: its topic by item name (a key-assignment cell by the
// name of the function assigned to the key) from the help table's topic sections, then the
// topic's context number. 0 when nothing matched.
int FindHelpContext(int item, const cmcEeprom& image, ModelType model, cmcFCache& lists,
                    cmcHelpGTex& help);

// The lines of a section of the help table, up to its closing "#", then those of the parts'
// sections of the name ("<name>_<part>") that "GI_AppItem_Help_Parts" lists, in its order: the
// table comes in parts (one per subject), and no section key may be given twice.
std::vector<std::string> HelpLines(cmcHelpGTex& help, const std::string& name);
