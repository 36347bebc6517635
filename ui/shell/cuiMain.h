#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QRect>

#include "common/cmcTick.h"
#include "platform/MessageBox.h"
#include "radio/clone/file/indFileCommands.h"
#include "radio/host/indEnviron.h"
#include "radio/host/indMenuCommands.h"
#include "radio/host/indShell.h"
#include "radio/image/AddressRange.h"
#include "radio/image/cmcEeprom.h"
#include "radio/memmap/ItemRegistry.h"
#include "radio/memmap/cmcFCache.h"
#include "radio/packing/ImagePacking.h"
#include "radio/records/datClipCh.h"
#include "radio/sheet/PrintPages.h"
#include "radio/sheet/SheetHistory.h"
#include "ui/dialogs/cuiDebugWindows.h"
#include "ui/popups/cuiPopups.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/shell/cuiPrintJob.h"
#include "ui/shell/cuiStatusPanels.h"
#include "ui/shell/indCloneHost.h"
#include "ui/widgets/cuiStatusBar.h"

class QFrame;
class QPainter;
class QPrinter;
class QSplitter;
class QTreeWidgetItem;
class QWidget;
class TForm1;
class cmcGTex;
class cmcHelpGTex;
class cmcTask;
class cuiImageList;
class cuiMenu;
class cuiPrintingDialog;
class cuiSheet;
class cuiToolBar;
class iuiTree;
struct cmcEvent;

// The cloning program's application and main-window controller, for any radio model: it owns
// the document (the current image, its file name and modified flag), the parts of the window
// (menu, tool bar, sheet tree, the open sheet, status bar), the choice-list cache, the channel
// clipboard and the 50 ms heartbeat, and opens and closes sheets. Everything model-specific
// goes through its virtual operations, which the model's application object overrides.
class cuiMain : public indShell,
                public indDocument,
                public indCommands,
                public indMenuCommands,
                public indHelp {
public:
    // Binds the two text tables to "<model>.OVL" and "<model>H.OVL" among the program's data
    // files (nothing is read yet) and installs itself as the dispatcher's shell. The settings
    // and tables are not owned and must outlive the controller; the rows are the memory map
    // that the window's cells run through.
    cuiMain(std::string modelString, int imageSize, indEnviron& settings, cmcGTex& table,
            cmcHelpGTex& help, const ItemRegistry& rows = ItemRegistry::Program());
    ~cuiMain() override;
    cuiMain(const cuiMain&) = delete;
    cuiMain& operator=(const cuiMain&) = delete;

    // ---- Virtual operations ----
    virtual void SetModelConstants();
    // Builds the whole window on the form and shows it.
    virtual void BuildWindow(TForm1* form, const cuiImageList& treeImages,
                             const cuiImageList& barImages);
    virtual void BuildTree();
    // 0 when an image from a file or a radio may be taken in, 1 when not.
    virtual int CheckImage(const cmcEeprom& image, bool full);
    virtual bool IsNewerData(const cmcEeprom&) { return false; }
    virtual ImagePackResult DetectModel(cmcEeprom&) { return PACK_Ok; }
    virtual ImagePackResult FinaliseImage(cmcEeprom&, int) { return PACK_Ok; }
    // Runs the warning check list and marks the tree; either count may be null.
    virtual void RunWarningChecks(int* errors, int* warnings);
    // The sheet of a spec, by its style word, on the parent control (not shown yet).
    virtual std::unique_ptr<cuiSheet> CreateSheet(QWidget* parent, const std::string& spec);
    // The model type's initial clone file becomes the default image; the program ends when it
    // cannot be read.
    virtual void LoadInitialFile(ModelType model);
    // Judges a clone file's ids; a refusal sets code to TOV_Model or TOV_Extra.
    virtual bool CheckFileHeader(int id1, int id2, int& code);
    virtual AddressRangeList GetAddressRanges(int kind);
    virtual void OnKeyChar(char) {}
    virtual void LayoutStatusBar() {}
    virtual void DrawStatusPanel(QPainter& painter, int panel, const QRect& rect);

    // ---- Sheets ----
    void OpenSheet(const std::string& spec);
    void CloseSheet();
    void OpenPendingSheet();
    // The sheet closes; the next heartbeat opens it again (with the new font size).
    void ReloadSheet() { CloseSheet(); }
    void ToggleToolBar() override;
    void SetFontSize(int percent) override;

    // ---- Dialogs ----
    // The port dialog of the Port menu; OK keeps the new port number in the settings.
    void SelectComPort() override;
    // The clone information window over the radio's identity block, which its cells show.
    void ShowCloneInformation(const CloneIdentityBlock& block);
    void UpdateTitle();
    // Deletes the tree's nodes whose cells carry Flag<k>.
    void FilterTree(int k);

    // ---- Document ----
    // The file name, or "Untitled" in the document folder for an untitled document.
    std::string GetFileName() const { return files_.GetFileName(); }
    void SetFileName(const std::string& name) { files_.SetFileName(name); }
    bool IsUntitled() const { return files_.IsUntitled(); }
    bool IsModified() const { return files_.IsModified(); }
    void SetModified() { files_.SetModified(); }
    void ClearModified() { files_.ClearModified(); }
    // Asks whether to save the changes before they are lost: Yes (saved), No or Cancel. With
    // saveAs set the changes go to a new name (the file itself is about to be read again).
    platform::BoxAnswer ConfirmDiscard(bool saveAs) { return files_.ConfirmDiscard(saveAs); }
    // The caution before each write in maker mode: it writes the factory adjustments too.
    platform::BoxAnswer ConfirmMakerWrite();
    // Each is 0 when the document was loaded or saved, 1 when not (cancelled or refused; the
    // file's own box has said why). A failed load leaves the document as it was; a failed
    // save leaves the file, the name and the modified flag as they were.
    int LoadFile(const std::string& path) { return files_.LoadFile(path); }
    int SaveFile(const std::string& path) { return files_.SaveFile(path); }
    // The save dialog, then SaveFile; a name that exists already is replaced only when the
    // user agrees, and No brings the dialog back.
    int SaveUnderChosenName() { return files_.SaveUnderChosenName(); }

    // ---- indMenuCommands: the File menu, the settings the menus show ----
    indEnviron& Settings() override { return settings_; }
    void FileNew() override { files_.FileNew(); }
    void FileOpen() override { files_.FileOpen(); }
    void FileSave() override { files_.FileSave(); }
    void FileSaveAs() override { files_.FileSaveAs(); }
    void OpenRecentFile(int n) override { files_.OpenRecentFile(n); }
    void CloseMainWindow() override;

    // ---- Form events ----
    void OnFormShow();
    void OnFormCloseQuery(bool& canClose);
    void OnFormClose();
    // The user came back to the program, or left it for another one.
    void OnAppActivate() { inactive_ = false; }
    void OnAppDeactivate() { inactive_ = true; }
    bool IsInactive() const { return inactive_; }

    // ---- Heartbeat, listener, status bar ----
    void OnTick();
    // The heartbeat runs while a sheet is to open, a warning check is due or a print job runs.
    void WakeHeartbeat();
    void OnEvent(const cmcEvent& event);
    int InsertStatusPanel(int k) { return statusBar_->InsertPanel(k); }

    // ---- Printing ----
    // The print command (mode 0 the open sheet, 1 every sheet of the tree) and the steps of
    // its job, which cuiPrintJob carries out.
    void Print(int mode) override { print_.Start(mode); }
    bool CurrentSheetPrintable() override { return sheet_ && sheet_->IsPrintable(); }
    int PrintSheet(QPrinter& printer, QPainter& painter, const std::string& spec,
                   const WindowRect& area) {
        return print_.PrintSheet(printer, painter, spec, area);
    }
    WindowRect DrawPageFrame(QPrinter& printer, QPainter& painter, cuiSheet& sheet,
                             const WindowRect& area, bool measureOnly) {
        return print_.DrawPageFrame(printer, painter, sheet, area, measureOnly);
    }
    WindowRect RenderPageCells(QPainter& painter, cuiSheet& sheet, const WindowRect& area,
                               const PageChunk& chunk, bool measureOnly) {
        return print_.RenderPageCells(painter, sheet, area, chunk, measureOnly);
    }
    void SplitPages(cuiSheet& sheet, const WindowRect& area, std::vector<int>& colChunks,
                    std::vector<int>& rowChunks) {
        print_.SplitPages(sheet, area, colChunks, rowChunks);
    }
    void OnPrintCancel() { print_.Cancel(); }
    bool Printing() const { return print_.Active(); }
    cuiPrintingDialog* PrintingDialog() const { return print_.Dialog(); }
    // ---- Debug windows ----
    // Lists every byte of the image that differs from the compare snapshot in a modal window,
    // after the snapshot has taken the image (so the next compare shows what changed since).
    void ShowDebugCompare();
    const cmcEeprom& CompareSnapshot() const { return compareSnapshot_; }

    // ---- indShell: the document, the commands and the help the rows ask for ----
    indDocument& Document() override { return *this; }
    indCommands& Commands() override { return *this; }
    indMenuCommands& MenuCommands() override { return *this; }
    indHelp& Help() override { return *this; }
    cmcFCache& ChoiceLists() override { return lists_; }
    PopupHost& Popups() override { return popups_; }
    cmcEeprom& CurrentImage() override { return image_; }
    cmcEeprom& DefaultImage() override { return defaultImage_; }
    datClipCh& ChannelClipboard() override { return clipboard_; }
    ModelType CurrentModelType() override { return ClampModelType(settings_.modelType); }
    // The warning check runs 250 ms after the last of a burst of changes.
    void RestartWarningCheck() override;
    void UpdateModified() override { files_.UpdateModified(); }
    void PackImage() override;
    void RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                            const BankSpan& bank) override;
    void OpenSheet(const std::string& spec, bool fromOpenSheet) override;
    const CloneIdentityBlock& CloneInformation() override { return cloneInformation_; }

    // ---- Parts, for the model object and tests ----
    TForm1* Form() const { return form_; }
    iuiTree* Tree() const { return tree_.get(); }
    cuiSheet* OpenedSheet() const { return sheet_.get(); }
    const std::string& OpenedSheetSpec() const { return sheetSpec_; }
    cuiMenu* Menu() const { return menu_.get(); }
    cuiToolBar* ToolBar() const { return toolBar_.get(); }
    cuiStatusBar* StatusBar() const { return statusBar_; }
    QFrame* TreePanel() const { return treePanel_; }
    QFrame* SheetPanel() const { return sheetPanel_; }
    const SheetHistory& History() const { return history_; }
    const std::string& StatusText() const { return statusPanels_.StatusText(); }
    bool InMakerMode() const override { return makerMode_; }
    // The model constants of the model object: the model code and second id of its files.
    int ModelCode() const { return modelCode_; }
    int SecondId() const { return secondId_; }

protected:
    void SetConstants(int modelCode, int secondId) {
        modelCode_ = modelCode;
        secondId_ = secondId;
    }
    void SetMakerMode() { makerMode_ = true; }
    void SetModelType(ModelType model) { settings_.modelType = model; }
    cmcGTex& Table() { return table_; }
    cmcHelpGTex& HelpTable() { return help_; }
    // What the file and clone commands are given of the window and its document.
    indCloneHost& CommandHost() { return host_; }

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void StartDocument();
    void BuildParts(const cuiImageList& barImages);
    void BuildPanels();
    int TreePanelWidth() const;
    void BuildStatusBar();
    void WatchActivation();
    void UpdatePortPanel();
    void SelfCheck();
    void OnTreeChange(QTreeWidgetItem* node);
    void OnTreeExpandCollapse();
    void RunWarningCheckIfDue();
    void ShowStatusText(const cmcEvent& event);
    // The sheets' cells run through the memory map of the window.
    cuiSheet::CellHandler CellDispatcher() const;

    int imageSize_;
    int modelCode_ = 0;
    int secondId_ = 0;
    indEnviron& settings_;
    cmcGTex& table_;
    cmcHelpGTex& help_;
    const ItemRegistry& rows_;
    // The file commands keep the document's name.
    indCloneHost host_{*this};
    indFileCommands files_;

    TForm1* form_ = nullptr;
    const cuiImageList* treeImages_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QFrame* treePanel_ = nullptr;
    QFrame* sheetPanel_ = nullptr;
    bool sheetFocus_ = false;
    cuiStatusBar* statusBar_ = nullptr;
    cuiStatusPanels statusPanels_;

    std::unique_ptr<cuiMenu> menu_;
    std::unique_ptr<iuiTree> tree_;
    std::unique_ptr<cuiToolBar> toolBar_;
    std::unique_ptr<cuiSheet> sheet_;
    std::string sheetSpec_;
    // A sheet asked for by a cell of the open sheet: opened by the next heartbeat, since the
    // open sheet cannot be deleted inside its own event.
    std::optional<std::string> pendingSpec_;

    bool makerMode_ = false;
    std::optional<cmcTick> warningTimeout_;
    SheetHistory history_;

    cmcFCache lists_;
    cuiPopups popups_;
    datClipCh clipboard_;
    cmcEeprom image_;
    cmcEeprom defaultImage_;
    cmcEeprom compareSnapshot_;
    // Its image windows show the images above: closed before they go.
    cuiDebugWindows debug_{table_, rows_, image_, compareSnapshot_};
    CloneIdentityBlock cloneInformation_{};
    cmcTask* heartbeat_ = nullptr;
    // Set while the user has been in another program: the first right click on a grid after
    // coming back opens no pop-up menu. The sheets read and clear it.
    bool inactive_ = false;
    QMetaObject::Connection activation_;

    cuiPrintJob print_{*this, table_};
};
