#pragma once

#include <memory>
#include <string>
#include <vector>

#include "radio/host/indEnviron.h"
#include "radio/host/indShell.h"
#include "radio/image/BankSize.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/cmcFCache.h"
#include "radio/records/datClipCh.h"
#include "tests/support/RecordingPopups.h"
#include "tests/support/ScopedInstall.h"

namespace testsupport {

// The program around the dispatcher, as the dispatcher sees it: a document image with its
// default image, the channel clipboard, a model type, the choice-list cache, pop-ups that
// record what they were asked to open, settings (made when first asked for), and counters and
// records of what it was asked to do. With runListEdits it also runs the channel-list edits it
// is handed, as the program does. Installed while it exists.
class FakeShell : public indShell,
                  public indDocument,
                  public indCommands,
                  public indMenuCommands,
                  public indHelp {
public:
    struct ListEdit {
        int command;
        int first;
        int last;
        int bank;
    };

    FakeShell() {
        image.Resize(layout::kImageSize);
        defaultImage.Resize(layout::kImageSize);
    }

    indDocument& Document() override { return *this; }
    indCommands& Commands() override { return *this; }
    indMenuCommands& MenuCommands() override { return *this; }
    indHelp& Help() override { return *this; }
    cmcFCache& ChoiceLists() override { return choices; }
    PopupHost& Popups() override { return popupHost ? *popupHost : popups; }

    cmcEeprom& CurrentImage() override { return image; }
    cmcEeprom& DefaultImage() override { return defaultImage; }
    ModelType CurrentModelType() override { return model; }
    void RestartWarningCheck() override { ++warningRestarts; }
    void UpdateModified() override { ++modifiedUpdates; }
    const CloneIdentityBlock& CloneInformation() override { return cloneInformation; }

    void PackImage() override { ++packs; }
    void RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                            const BankSpan& bank) override;
    datClipCh& ChannelClipboard() override { return clipboard; }
    void OpenSheet(const std::string& spec, bool fromOpenSheet) override {
        openedSheets.push_back({spec, fromOpenSheet});
    }
    void ChooseModel(ModelType chosen) override { chosenModels.push_back(chosen); }
    void Print(int mode) override { prints.push_back(mode); }
    bool CurrentSheetPrintable() override { return sheetPrintable; }

    indEnviron& Settings() override;
    void FileNew() override { menuCommands.push_back("FileNew"); }
    void FileOpen() override { menuCommands.push_back("FileOpen"); }
    void FileSave() override { menuCommands.push_back("FileSave"); }
    void FileSaveAs() override { menuCommands.push_back("FileSaveAs"); }
    void OpenRecentFile(int n) override {
        menuCommands.push_back("OpenRecentFile " + std::to_string(n));
    }
    void CloseMainWindow() override { menuCommands.push_back("CloseMainWindow"); }
    void CloneRead() override { menuCommands.push_back("CloneRead"); }
    void CloneWrite() override { menuCommands.push_back("CloneWrite"); }
    void CloneInfo() override { menuCommands.push_back("CloneInfo"); }
    void SelectComPort() override { menuCommands.push_back("SelectComPort"); }
    void SetFontSize(int percent) override { fontSizes.push_back(percent); }
    void ToggleToolBar() override { ++toolBarToggles; }

    void ShowHelpContents() override { ++helpContents; }
    void ShowContextHelp(const cmcCellObj& cell) override;

    cmcEeprom image;
    cmcEeprom defaultImage;
    datClipCh clipboard;
    cmcFCache choices;
    RecordingPopups popups;
    PopupHost* popupHost = nullptr;  // the pop-ups to open instead of recording them
    ModelType model = MT_Pmr;
    int warningRestarts = 0;
    int modifiedUpdates = 0;
    int packs = 0;
    bool runListEdits = false;
    std::vector<ListEdit> listEdits;
    std::vector<int> helpItems;
    struct SheetCall {
        std::string spec;
        bool fromOpenSheet;
    };
    std::vector<SheetCall> openedSheets;
    std::vector<ModelType> chosenModels;
    int helpContents = 0;
    // The menu commands run, by name (with the index of an indexed one).
    std::vector<std::string> menuCommands;
    std::vector<int> fontSizes;
    int toolBarToggles = 0;
    std::vector<int> prints;  // the modes
    bool sheetPrintable = true;
    CloneIdentityBlock cloneInformation{};

private:
    std::unique_ptr<indEnviron> settings_;
    ScopedShell installed_{this};
};

}  // namespace testsupport
