#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/items/ItemGroups.h"

// The groups of the memory map; each group's rows live in a file of their own in this folder.
const ItemRegistry& ItemRegistry::Program() {
    static const ItemRegistry registry{ListCommandRows(),
                                       ProgramMenuRows(),
                                       CheckRows(),
                                       CloneInfoRows(),
                                       PopupMenuRows(),
                                       CommonSettingRows(),
                                       BankRows(),
                                       ChannelRows(),
                                       KeyDisplaySetModeRows(),
                                       MskRows(),
                                       ExpansionDtmfScanRows(),
                                       ToneCodeRows(),
                                       MakerRows(),
                                       MdcRows()};
    return registry;
}
