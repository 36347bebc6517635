#pragma once

#include <memory>
#include <string>

#include <QPointer>

#include "radio/app/MakerWord.h"
#include "ui/dialogs/cuiHelpWindow.h"
#include "ui/shell/cuiMain.h"

// The application object of the Merrow radio: its model constants, the model type derived
// from an image or chosen in the Model menu, the tree kept in step with the model type (filters
// and the channel-bank branch), maker mode, the image work of the model types (unpacking,
// reconciling, packing), the status panels and the help.
class cuiCloneProgress;
class indCloneCommands;
class indCloneMan;

class indMain : public cuiMain {
public:
    static constexpr int kImageSize = 48880;

    indMain(indEnviron& settings, cmcGTex& table, cmcHelpGTex& help,
            const ItemRegistry& rows = ItemRegistry::Program());
    ~indMain() override;

    void SetModelConstants() override;
    // The window and the clone commands over it, then maker mode for each command-line
    // argument that is the switch.
    void BuildWindow(TForm1* form, const cuiImageList& treeImages,
                     const cuiImageList& barImages) override;
    // The tree, with the model type's name after the first node's text.
    void BuildTree() override;
    bool IsNewerData(const cmcEeprom& image) override;
    // Takes the model type the image asks for (keeping the image), then reconciles the image;
    // refuses an image whose packed area is unsound.
    ImagePackResult DetectModel(cmcEeprom& image) override;
    ImagePackResult FinaliseImage(cmcEeprom& image, int mode) override;
    void RunWarningChecks(int* errors, int* warnings) override;
    bool CheckFileHeader(int id1, int id2, int& code) override;
    AddressRangeList GetAddressRanges(int kind) override;
    void OnKeyChar(char ch) override;
    void LayoutStatusBar() override;
    void DrawStatusPanel(QPainter& painter, int panel, const QRect& rect) override;

    // Another model type: asked (ask set) the document becomes its initial image; detected,
    // the document stays. The same type does nothing.
    void ChangeModel(ModelType model, bool ask);
    void ChooseModel(ModelType model) override;
    // The caution before maker mode comes on.
    platform::BoxAnswer ConfirmMakerMode();
    void EnterMakerMode();
    // The command-line arguments, the program's path first.
    void SetArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

    int GetHelpContext(const cmcCellObj& cell);
    void ShowHelpContents() override;
    void ShowContextHelp(const cmcCellObj& cell) override;
    cuiHelpWindow* HelpWindow() const { return helpWindow_; }

    int MakerPanel() const { return makerPanel_; }

    // ---- Clone commands (once the window is built) ----
    void CloneRead() override;
    void CloneWrite() override;
    void CloneInfo() override;
    indCloneMan* CloneManager() const { return cloneMan_.get(); }
    indCloneCommands* CloneCommands() const { return cloneCommands_.get(); }
    cuiCloneProgress* CloneProgress() const { return cloneProgress_.get(); }

private:
    static void OnModelChangedThunk(void* data, const cmcEvent& event);
    void OnModelChanged();
    void ApplyModelFilters();
    void AddBankBranch();
    void AddMakerPanel();
    cuiHelpWindow& OpenHelpWindow();
    std::string AppTitle();

    std::string makerPanelText_;
    int makerPanel_ = -1;
    MakerWord makerWord_;
    std::vector<std::string> arguments_;
    QPointer<cuiHelpWindow> helpWindow_;
    std::unique_ptr<cuiCloneProgress> cloneProgress_;
    std::unique_ptr<indCloneMan> cloneMan_;
    std::unique_ptr<indCloneCommands> cloneCommands_;
};
