#pragma once

#include <string>

#include "radio/ModelType.h"
#include "radio/cmcEeprom.h"

class cmcCellCapsule;
class cmcCellObj;
class datCh;
class datClipCh;
struct BankSpan;

// What the item dispatcher asks of the program around it: the document, the model type, the
// warning check and modified flag, packing, the channel-list edit commands, opening sheets
// and help.
// The application implements it; tests install a fake.
class indShell {
public:
    virtual ~indShell() = default;

    virtual cmcEeprom& CurrentImage() = 0;
    // The model type's initial image: it supplies the empty records.
    virtual cmcEeprom& DefaultImage() = 0;
    // The channel clipboard, which outlives the sheets.
    virtual datClipCh& ChannelClipboard() = 0;
    virtual ModelType CurrentModelType() = 0;
    // A user action changed something: restart the 250 ms warning-check time-out.
    virtual void RestartWarningCheck() = 0;
    // Compare the document with its saved copy and show the modified state.
    virtual void UpdateModified() = 0;
    // Pack the working tables back into the radio part.
    virtual void PackImage() = 0;
    // Copy, paste, carry, clear, delete or insert channels (command 73..79).
    virtual void RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                                    const BankSpan& bank) = 0;
    // Opens the sheet of a spec ("[style]name,arguments") in the main window. A cell of the
    // open sheet asks with fromOpenSheet set: that sheet then closes after its event.
    virtual void OpenSheet(const std::string& spec, bool fromOpenSheet) = 0;
    // The help file at its contents.
    virtual void ShowHelpContents() = 0;
    // The help file at the topic of the cell.
    virtual void ShowContextHelp(const cmcCellObj& cell) = 0;
};

// The shell in force; fatal when none is installed.
indShell& Shell();
// Installs the shell (not owned); nullptr removes it.
void InstallShell(indShell* shell);
