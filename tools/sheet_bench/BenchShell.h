#pragma once

#include <cstdlib>
#include <string>

#include "radio/host/indShell.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/cmcFCache.h"
#include "radio/records/datClipCh.h"

// The program around the dispatcher, for the sheet benchmarks: a document image of the model
// type and the choice lists; every command does nothing.
class BenchShell : public indShell,
                   public indDocument,
                   public indCommands,
                   public indMenuCommands,
                   public indHelp {
public:
    explicit BenchShell(ModelType model = MT_Pmr) : model_(model) {
        image.Resize(layout::kImageSize);
    }
    indDocument& Document() override { return *this; }
    indCommands& Commands() override { return *this; }
    indMenuCommands& MenuCommands() override { return *this; }
    indHelp& Help() override { return *this; }
    cmcFCache& ChoiceLists() override { return choices; }
    cmcEeprom& CurrentImage() override { return image; }
    cmcEeprom& DefaultImage() override { return image; }
    datClipCh& ChannelClipboard() override { return clipboard; }
    ModelType CurrentModelType() override { return model_; }
    void RestartWarningCheck() override {}
    void UpdateModified() override {}
    void PackImage() override {}
    void RunChannelListEdit(cmcCellCapsule&, datCh&, int, int, const BankSpan&) override {}
    void OpenSheet(const std::string&, bool) override {}
    void ChooseModel(ModelType) override {}
    indEnviron& Settings() override { std::abort(); }  // no menu in the benchmarks
    void FileNew() override {}
    void FileOpen() override {}
    void FileSave() override {}
    void FileSaveAs() override {}
    void OpenRecentFile(int) override {}
    void CloseMainWindow() override {}
    void CloneRead() override {}
    void CloneWrite() override {}
    void CloneInfo() override {}
    void SelectComPort() override {}
    void Print(int) override {}
    bool CurrentSheetPrintable() override { return false; }
    void SetFontSize(int) override {}
    void ToggleToolBar() override {}
    const CloneIdentityBlock& CloneInformation() override { return cloneInformation; }
    void ShowHelpContents() override {}
    void ShowContextHelp(const cmcCellObj&) override {}

    cmcEeprom image;
    datClipCh clipboard;
    cmcFCache choices;
    CloneIdentityBlock cloneInformation{};

private:
    ModelType model_;
};
