#pragma once

#include <string>

#include "radio/image/ModelType.h"

class cmcCellCapsule;
class datCh;
class datClipCh;
struct BankSpan;

// The program commands that items run on the document beyond editing a field: packing the
// working tables back into the radio part, the pop-up menu's channel-list edits with the
// clipboard they share, opening a sheet, choosing a model and printing. The main window implements
// it (the list edits in one line with ChannelEditCommand); tests use testsupport::FakeShell.
class indCommands {
public:
    virtual ~indCommands() = default;

    // Pack the working tables back into the radio part.
    virtual void PackImage() = 0;
    // Copy, paste, carry, clear, delete or insert records (command 73..79) within first..last.
    virtual void RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                                    const BankSpan& bank) = 0;
    // The channel clipboard, which outlives the sheets.
    virtual datClipCh& ChannelClipboard() = 0;
    // Opens the sheet of a spec ("[style]name,arguments") in the main window. A cell of the
    // open sheet asks with fromOpenSheet set: that sheet then closes after its event.
    virtual void OpenSheet(const std::string& spec, bool fromOpenSheet) = 0;
    // The user chose a model type in the Model menu: another type asks first, then the
    // document becomes that type's initial image.
    virtual void ChooseModel(ModelType model) = 0;
    // The File menu's print commands: mode 0 prints the open sheet, 1 every sheet of the tree.
    virtual void Print(int mode) = 0;
    // A sheet is open and may be printed (the Print Current command is offered).
    virtual bool CurrentSheetPrintable() = 0;

    // The sheets' font percentage becomes percent; the open sheet is built again with it.
    virtual void SetFontSize(int percent) = 0;
    // Shows or hides the tool bar and keeps the setting.
    virtual void ToggleToolBar() = 0;
};
