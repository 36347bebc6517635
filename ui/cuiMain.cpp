#include "ui/cuiMain.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFontMetrics>
#include <QFrame>
#include <QMenuBar>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/DecimalNumber.h"
#include "common/GetTextBlock.h"
#include "common/GlobalEvMan.h"
#include "common/cmcEvMan.h"
#include "common/cmcEvent.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "common/cmcTask.h"
#include "platform/FileChecks.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "radio/BankChannels.h"
#include "radio/CellCodes.h"
#include "radio/CloneFileResult.h"
#include "radio/CloneFileRules.h"
#include "radio/DisplayText.h"
#include "radio/ImageCheck.h"
#include "radio/ImageDebugCells.h"
#include "radio/ImageFinalise.h"
#include "radio/ImageLayout.h"
#include "radio/PortNumber.h"
#include "radio/SheetSelector.h"
#include "radio/WarningChecks.h"
#include "radio/cmcCellObj.h"
#include "radio/cmcTovFile.h"
#include "radio/indActiveCell.h"
#include "radio/indChannelEdit.h"
#include "radio/indEnviron.h"
#include "ui/CentreWindow.h"
#include "ui/ColourMapping.h"
#include "ui/DebugCompareForm.h"
#include "ui/SheetStyles.h"
#include "ui/TForm1.h"
#include "ui/cuiAboutBox.h"
#include "ui/cuiCanvas.h"
#include "ui/cuiComSelDialog.h"
#include "ui/cuiDebugWin.h"
#include "ui/cuiEeDebugWin.h"
#include "ui/cuiInformation.h"
#include "ui/cuiMenu.h"
#include "ui/cuiPrintingDialog.h"
#include "ui/cuiSheet.h"
#include "ui/cuiStatusBar.h"
#include "ui/cuiToolBar.h"
#include "ui/iuiTree.h"

namespace {

constexpr int kHeartbeatMs = 50;
constexpr int kWarningDelayMs = 250;
constexpr int kSplitterWidth = 3;
constexpr int kTreeMinimumWidth = 8;
constexpr int kSheetMinimumWidth = 100;
constexpr int kPanelBevel = 2;
constexpr int kMapRevision = 4;
constexpr int kStatusPanel = 0;
constexpr int kPortPanel = 1;  // the maker panel, when there is one, comes after it

std::string FilePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// A question's "%s" becomes the file name (the table's text is never used as a format).
std::string ReplaceName(std::string text, const std::string& name) {
    const size_t place = text.find("%s");
    if (place != std::string::npos) {
        text.replace(place, 2, name);
    }
    return text;
}

bool AgreesToReplace(cmcGTex& table, const std::string& path) {
    return platform::Boxes().Show(
               ReplaceName(table.GetLine("GI_Mess_Confirm_Overwrite", 0), FilePart(path)),
               table.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Warning,
               platform::BoxButtons::YesNo) == platform::BoxAnswer::Yes;
}

// The hour-glass while a file is read or written.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The largest points a table may give the printed fonts: beyond it a page holds no cell.
constexpr int kMaxPrintPoints = 72;

// A font size in points on the printer as the negative pixel height of its characters.
int PointsToHeight(int points, int dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

int TablePoints(cmcGTex& table, const std::string& key) {
    return std::clamp(ReadDecimal(table.GetLine(key, 0)).value, 1, kMaxPrintPoints);
}

// The sheet's sizes as the page split sees them; a column whose cell in a fixed row is joined
// to its left neighbour cannot begin a page.
PageGrid PageGridOf(cuiSheet& sheet) {
    const cuiGrid& grid = *sheet.Grid();
    const cuiSheetCells& cells = sheet.Cells();
    PageGrid page;
    page.fixedCols = grid.FixedCols();
    page.fixedRows = grid.FixedRows();
    for (int col = 0; col < grid.ColCount(); ++col) {
        page.colWidths.push_back(grid.ColWidth(col));
        bool joined = false;
        for (int row = 0; row < page.fixedRows && !joined; ++row) {
            joined = cells.InRange(col, row) && cells.At(col, row).Tail();
        }
        page.joinedCols.push_back(joined);
    }
    for (int row = 0; row < grid.RowCount(); ++row) {
        page.rowHeights.push_back(grid.RowHeight(row));
    }
    return page;
}

QFrame* MakePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    panel->setLineWidth(kPanelBevel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(kPanelBevel, kPanelBevel, kPanelBevel, kPanelBevel);
    layout->setSpacing(0);
    return panel;
}

}  // namespace

cuiMain::cuiMain(std::string modelString, int imageSize, indEnviron& settings, cmcGTex& table,
                 cmcHelpGTex& help, const ItemRegistry& rows)
    : imageSize_(imageSize),
      settings_(settings),
      table_(table),
      help_(help),
      rows_(rows),
      popups_(table, rows) {
    const std::string data = platform::ProgramDataDir();
    table_.SetFileName(data + modelString + ".OVL");
    help_.SetFileName(data + modelString + "H.OVL");
    documentFolder_ = ChooseDocumentFolder();
    image_.Resize(imageSize_);
    defaultImage_.Assign(image_);
    heartbeat_ = new cmcTask;
    heartbeat_->SetHandler([this](cmcTask*) { OnTick(); });
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(&cuiMain::OnEventThunk, this);
    }
    InstallShell(this);
    cuiMain::SetModelConstants();
}

cuiMain::~cuiMain() {
    QObject::disconnect(activation_);
    cuiSheet::SetInactiveFlag(nullptr);
    cmcTask::Dispose(heartbeat_);
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(&cuiMain::OnEventThunk, this);
    }
    for (const QPointer<QWidget>& form : eeDebugForms_) {
        delete form.data();
    }
    // The open sheet goes first, as the tree going would hand it the focus; the tool bar goes
    // before the menu. The shell stays until they are all gone, as the sheet's cells need it.
    sheet_.reset();
    tree_.reset();
    toolBar_.reset();
    menu_.reset();
    InstallShell(nullptr);
}

void cuiMain::OnEventThunk(void* data, const cmcEvent& event) {
    static_cast<cuiMain*>(data)->OnEvent(event);
}

// The folder of the last file while it is still there; else the user's documents folder when
// there is one, else the home folder (never a folder that does not exist, which the dialogs
// would refuse or swap for the working folder).
std::string cuiMain::ChooseDocumentFolder() const {
    const QString last = QString::fromStdString(settings_.currentFolder);
    if (!last.isEmpty() && QDir(last).exists()) {
        return settings_.currentFolder;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) {
        return documents.toStdString();
    }
    return QDir::homePath().toStdString();
}

void cuiMain::SetModelConstants() {
    SetConstants(0, 0);
}

void cuiMain::SetConstants(int modelCode, int secondId) {
    modelCode_ = modelCode;
    secondId_ = secondId;
}

ModelType cuiMain::CurrentModelType() {
    return ClampModelType(settings_.modelType);
}

void cuiMain::SetModelType(ModelType model) {
    settings_.modelType = model;
}

// ---- Building the window ----

void cuiMain::BuildWindow(TForm1* form, const cuiImageList& treeImages,
                          const cuiImageList& barImages) {
    SetModelType(CurrentModelType());
    StartDocument();
    form_ = form;
    treeImages_ = &treeImages;
    if (settings_.fontSizePercentage > 0) {
        cuiSheet::SetViewFontPercentage(settings_.fontSizePercentage);
    }
    // The status bar first: the tool bar's and the tree's views start the accessibility
    // bridge, which waits for the session bus, and the bar's work can be done meanwhile.
    BuildStatusBar();
    BuildParts(barImages);
    BuildPanels();
    BuildTree();
    // The saved (or fitted) tree width, but never so wide that the sheet beside it loses its room.
    const int widestTree =
        std::max(kTreeMinimumWidth, form_->width() - kSplitterWidth - kSheetMinimumWidth);
    const int treeWidth = std::clamp(TreePanelWidth(), kTreeMinimumWidth, widestTree);
    splitter_->setSizes({treeWidth, std::max(form_->width() - treeWidth, 1)});
    form_->onShow = [this] { OnFormShow(); };
    form_->onCloseQuery = [this](bool& canClose) { OnFormCloseQuery(canClose); };
    form_->onClose = [this] { OnFormClose(); };
    WatchActivation();
    SelfCheck();
    heartbeat_->SetInterval(kHeartbeatMs);
    form_->show();
}

// The application's activation events: the program's windows all inactive means the user went
// to another program.
void cuiMain::WatchActivation() {
    cuiSheet::SetInactiveFlag(&inactive_);
    activation_ = QObject::connect(qApp, &QGuiApplication::applicationStateChanged,
                                   [this](Qt::ApplicationState state) {
                                       if (state == Qt::ApplicationActive) {
                                           OnAppActivate();
                                       } else {
                                           OnAppDeactivate();
                                       }
                                   });
}

// The model type's initial image, with its working tables reset, is the default image and
// the start of the document.
void cuiMain::StartDocument() {
    LoadInitialFile(CurrentModelType());
    UnpackImage(defaultImage_, CurrentModelType(), UNPACK_Reset);
    image_.Assign(defaultImage_);
    PackImage();
    ClearModified();
    CloseSheet();
    compareSnapshot_.Assign(defaultImage_);
}

void cuiMain::BuildParts(const cuiImageList& barImages) {
    menu_ = std::make_unique<cuiMenu>(form_, form_->menuBar(), table_, "GI_Menu_Main",
                                      cuiMenu::ClickHandler(), rows_);
    menu_->Build();
    toolBar_ = std::make_unique<cuiToolBar>(form_, table_, "GI_ToolBar_Main", barImages, rows_);
    toolBar_->Build();
    toolBar_->SetVisible(settings_.toolBarVisible != 0);
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_RefreshCommands);
    }
}

void cuiMain::BuildPanels() {
    splitter_ = new QSplitter(Qt::Horizontal, form_);
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->setOpaqueResize(true);
    treePanel_ = MakePanel(splitter_);
    treePanel_->setMinimumWidth(kTreeMinimumWidth);
    sheetPanel_ = MakePanel(splitter_);
    splitter_->addWidget(treePanel_);
    splitter_->addWidget(sheetPanel_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    form_->setCentralWidget(splitter_);
}

// The width chosen last; at the first start the tree's longest name, within half the window.
int cuiMain::TreePanelWidth() const {
    if (settings_.splitter != indEnviron::kSplitterFitsTree || !tree_) {
        return settings_.splitter;
    }
    const QMargins layout = treePanel_->layout()->contentsMargins();
    const int fitting =
        tree_->FittingWidth() + 2 * treePanel_->frameWidth() + layout.left() + layout.right();
    return std::min(fitting, form_->width() / 2);
}

void cuiMain::BuildStatusBar() {
    statusBar_ = new cuiStatusBar(form_);
    statusBar_->AddPanel({0, true});
    InsertStatusPanel(kStatusPanel);
    statusBar_->PanelAt(1) = {statusBar_->minimumHeight(), false};
    InsertStatusPanel(kPortPanel);
    statusBar_->PanelAt(kPortPanel) = {0, true};
    statusBar_->SetOnResize([this] { LayoutStatusBar(); });
    statusBar_->SetOnDrawPanel([this](QPainter& painter, int panel, const QRect& rect) {
        DrawStatusPanel(painter, panel, rect);
    });
    form_->setStatusBar(statusBar_);
    UpdatePortPanel();
}

// The port panel is as wide as its text, which follows the port chosen and its device; the
// whole bar is repainted.
void cuiMain::UpdatePortPanel() {
    if (!statusBar_) {
        return;
    }
    portPanelText_ = PortText(table_.GetLine("GI_StatusPanel_Port", 0), settings_.portNumber);
    const QFontMetrics metrics(statusBar_->font());
    statusBar_->PanelAt(kPortPanel).width =
        metrics.horizontalAdvance(QString::fromStdString(portPanelText_)) +
        metrics.horizontalAdvance(QStringLiteral("XX"));
    LayoutStatusBar();
    statusBar_->update();
}

void cuiMain::SelfCheck() {
    if (imageSize_ < layout::kImageSize) {
        platform::Fatal("Self Check Error.\nEEPROM Map is too large.");
    }
}

void cuiMain::BuildTree() {
    tree_.reset();
    tree_ =
        std::make_unique<iuiTree>(treePanel_, table_, std::string("GI_Tree_Main"), *treeImages_);
    QTreeWidget* view = tree_->View();
    view->hide();
    tree_->Build();
    QObject::connect(view, &QTreeWidget::itemExpanded, view, [this] { OnTreeExpandCollapse(); });
    QObject::connect(view, &QTreeWidget::itemCollapsed, view, [this] { OnTreeExpandCollapse(); });
    tree_->SetChangeDelay(cuiTree::ReadChangeDelay(table_));
    tree_->SetOnChange([this](QTreeWidgetItem* node) { OnTreeChange(node); });
    RunWarningChecks(nullptr, nullptr);
    CloseSheet();
    view->show();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ModelChanged);
    }
    view->setCurrentItem(tree_->NodeAt(0));
}

void cuiMain::FilterTree(int k) {
    if (tree_) {
        tree_->FilterByFlag(k);
    }
}

void cuiMain::OnTreeChange(QTreeWidgetItem* node) {
    cmcCellObj* cell = cuiTree::CellOf(node);
    if (cell && (!sheet_ || sheetSpec_ != cell->optionText.value_or(std::string()))) {
        RunCellKey(cell, kKeyEnter, rows_);
    }
}

void cuiMain::OnTreeExpandCollapse() {
    RunWarningChecks(nullptr, nullptr);
}

// ---- Image checks and the initial file ----

int cuiMain::CheckImage(const cmcEeprom& image, bool full) {
    return ::CheckImage(image, image_, full);
}

void cuiMain::LoadInitialFile(ModelType model) {
    const std::string path =
        platform::ProgramDataDir() + table_.GetLine("GI_App_InitialFile", model);
    defaultImage_.Resize(imageSize_);
    cmcTovFile file;
    BindFile(file, defaultImage_);
    const AddressRangeList ranges = GetAddressRanges(3);
    // Outside data: the program says what is missing and ends in order, never as a crash.
    if (file.Read(path, &ranges) != TOV_Ok) {
        const std::string text = "Cannot open '" + path + "'.";
        platform::ShowBox(text, platform::BoxIcon::Error);
        throw platform::NormalEnd(text);
    }
}

bool cuiMain::CheckFileHeader(int id1, int id2, int& code) {
    code = id1 != modelCode_ ? TOV_Model : id2 != secondId_ ? TOV_Extra : TOV_Ok;
    return code == TOV_Ok;
}

AddressRangeList cuiMain::GetAddressRanges(int) {
    return {{0, layout::kRadioPartLast}, {1, 0}};
}

// ---- Warning checks ----

void cuiMain::RestartWarningCheck() {
    if (!warningTimeout_) {
        warningTimeout_.emplace();
    }
    warningTimeout_->Start(kWarningDelayMs);
    WakeHeartbeat();
}

void cuiMain::RunWarningChecks(int* errors, int* warnings) {
    if (errors) {
        *errors = 0;
    }
    if (warnings) {
        *warnings = 0;
    }
    if (!tree_) {
        return;
    }
    const WarningCheckLists lists = RunWarningCheckList(table_, CurrentModelType(), form_, rows_);
    if (errors) {
        *errors = static_cast<int>(lists.errors.size());
    }
    if (warnings) {
        *warnings = static_cast<int>(lists.warnings.size());
    }
    if (lists.lastNamesSheet) {
        MarkTree(lists);
    }
}

// An error mark wins over a warning mark on the same node.
void cuiMain::MarkTree(const WarningCheckLists& lists) {
    QTreeWidget* view = tree_->View();
    if (!view) {
        return;
    }
    tree_->ClearOverlays(tree_->NodeAt(0));
    for (int i = view->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* node = view->topLevelItem(i);
        tree_->MarkOverlays(node, lists.warnings, cuiTree::kWarningOverlay);
        tree_->MarkOverlays(node, lists.errors, cuiTree::kErrorOverlay);
    }
}

// ---- Sheets ----

std::unique_ptr<cuiSheet> cuiMain::CreateSheet(QWidget* parent, const std::string& spec) {
    const SheetSelector selector = SplitSheetSpec(spec);
    std::unique_ptr<cuiSheet> sheet =
        MakeSheetOfStyle(selector.style, parent, table_, selector.name, treeImages_);
    sheet->SetArgs(selector.args);
    sheet->SetCellHandler(CellDispatcher());
    return sheet;
}

cuiSheet::CellHandler cuiMain::CellDispatcher() const {
    return [dispatcher = indActiveCell(rows_)](cmcCellCapsule& capsule, int notify) mutable {
        return dispatcher.DispatchItem(capsule, notify);
    };
}

void cuiMain::OpenSheet(const std::string& spec) {
    CloseSheet();
    sheet_ = CreateSheet(sheetPanel_, spec);
    sheetSpec_ = spec;
    if (const SheetPosition* saved = history_.Find(sheet_->GetName())) {
        sheet_->SetSavedPosition(saved->col, saved->row, saved->leftCol, saved->topRow);
    }
    sheet_->Show();
    cuiGrid* grid = sheet_->Grid();
    if (sheetFocus_ && grid && grid->isEnabled()) {
        grid->setFocus();
    } else if (tree_ && tree_->View()) {
        tree_->View()->setFocus();
    }
}

void cuiMain::OpenSheet(const std::string& spec, bool fromOpenSheet) {
    if (fromOpenSheet) {
        pendingSpec_ = spec;
        WakeHeartbeat();
        return;
    }
    OpenSheet(spec);
}

void cuiMain::CloseSheet() {
    if (!sheet_) {
        return;
    }
    const cuiGrid* grid = sheet_->Grid();
    if (grid && grid->isVisible()) {
        const cuiGridCoord current = sheet_->CurrentCell();
        history_.Put(
            {sheet_->GetName(), current.col, current.row, grid->LeftCol(), grid->TopRow()});
        const QWidget* focused = form_ ? form_->focusWidget() : nullptr;
        sheetFocus_ = !tree_ || focused != tree_->View();
    }
    sheet_.reset();
    sheetSpec_.clear();
    WakeHeartbeat();
}

void cuiMain::OpenPendingSheet() {
    if (!form_ || !form_->isVisible()) {
        return;
    }
    if (tree_) {
        RunCellKey(tree_->GetSelectedCell(), kKeyEnter, rows_);
    } else if (const SheetPosition* head = history_.Head()) {
        OpenSheet(head->name);
    }
}

void cuiMain::ReloadSheet() {
    CloseSheet();
}

void cuiMain::SetFontSize(int percent) {
    settings_.fontSizePercentage = percent;
    cuiSheet::SetViewFontPercentage(percent);
    ReloadSheet();
}

void cuiMain::ToggleToolBar() {
    settings_.toolBarVisible = settings_.toolBarVisible ? 0 : 1;
    if (toolBar_) {
        toolBar_->SetVisible(settings_.toolBarVisible != 0);
    }
}

// ---- Dialogs ----

void cuiMain::SelectComPort() {
    cuiComSelDialog dialog(form_, table_, settings_.portNumber);
    if (dialog.exec() == QDialog::Accepted) {
        if (cmcEvMan* bus = CurrentEvMan()) {
            bus->Send(EV_RefreshCommands);
        }
    }
}

void cuiMain::ShowCloneInformation(const CloneIdentityBlock& block) {
    cloneInformation_ = block;
    new cuiInformation(form_, table_.GetLine("GI_Sys_AppTitle", 0), table_, "GI_Sheet_CloneInfo",
                       "", treeImages_, CellDispatcher());
}

// ---- Document ----

std::string cuiMain::GetFileName() const {
    return IsUntitled() ? documentFolder_ + "/Untitled" : fileName_;
}

void cuiMain::SetFileName(const std::string& name) {
    fileName_ = name;
    UpdateTitle();
}

void cuiMain::SetModified() {
    modified_ = true;
    UpdateTitle();
}

void cuiMain::ClearModified() {
    savedImage_.Assign(image_);
    modified_ = false;
    UpdateTitle();
}

void cuiMain::UpdateModified() {
    if (!modified_ && image_.IsDifferent(savedImage_)) {
        SetModified();
    }
}

void cuiMain::UpdateTitle() {
    if (!form_) {
        return;
    }
    // A star after the name marks unsaved changes.
    form_->setWindowTitle(QString::fromStdString(FilePart(GetFileName()) + (modified_ ? "*" : "") +
                                                 " - " + table_.GetLine("GI_Sys_AppTitle", 0)));
}

void cuiMain::PackImage() {
    ::PackImage(image_, CurrentModelType());
}

void cuiMain::RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                                 const BankSpan& bank) {
    ChannelEditCommand(*this, clipboard_, capsule, record, first, last, bank);
}

void cuiMain::ClosePopups() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ClosePopups);
    }
}

platform::BoxAnswer cuiMain::ConfirmDiscard(bool saveAs) {
    ClosePopups();
    if (!modified_) {
        return platform::BoxAnswer::Yes;
    }
    std::string question = table_.GetLine("GI_Mess_Confirm_WriteAnother", 0);
    if (!saveAs) {
        question =
            ReplaceName(table_.GetLine("GI_Mess_Confirm_WriteFile", 0), FilePart(GetFileName()));
    }
    const platform::BoxAnswer answer =
        platform::Boxes().Show(question, table_.GetLine("GI_Sys_AppTitle", 0),
                               platform::BoxIcon::Warning, platform::BoxButtons::YesNoCancel);
    if (answer != platform::BoxAnswer::Yes) {
        return answer;
    }
    const int saved = IsUntitled() || saveAs ? SaveUnderChosenName() : SaveFile(GetFileName());
    return saved == 0 ? platform::BoxAnswer::Yes : platform::BoxAnswer::Cancel;
}

// ---- File commands ----

platform::FileDialogRequest cuiMain::DialogRequest(const std::string& fileName) const {
    return {documentFolder_, fileName, table_.GetLine("GI_Sys_Dialog_FOpen", 0),
            table_.GetLine("GI_Sys_Dialog_FOpen", 1)};
}

void cuiMain::BindFile(cmcTovFile& file, cmcEeprom& image) {
    file.SetImage(&image);
    file.SetModelId(modelCode_);
    file.SetExtraId(secondId_);
    file.SetMapRevHandler([](int mapRev) { return mapRev == kMapRevision; });
    file.SetHeaderHandler(
        [this](int id1, int id2, int* code) { return CheckFileHeader(id1, id2, *code); });
}

void cuiMain::TakeFileName(const std::string& path) {
    documentFolder_ = FolderPart(path);
    settings_.currentFolder = documentFolder_;
    SetFileName(path);
    settings_.recentFiles.AddToTop(path);
}

void cuiMain::FileNew() {
    if (ConfirmDiscard(false) == platform::BoxAnswer::Cancel) {
        return;
    }
    image_.Assign(defaultImage_);
    PackImage();
    ClearModified();
    SetFileName("");
    CloseSheet();
    if (cmcEvMan* bus = CurrentEvMan()) {
        for (int bank = 0; bank < layout::kBankCount; ++bank) {
            bus->PostText(EV_RenameBank, 0, bank, FormatBankLabel(image_, bank));
        }
    }
}

void cuiMain::FileOpen() {
    ClosePopups();
    if (const std::optional<std::string> path = platform::Dialogs().ChooseOpen(DialogRequest(""))) {
        LoadFile(*path);
    }
}

int cuiMain::LoadFile(const std::string& path) {
    const bool sameFile = !IsUntitled() && platform::SameFile(path, GetFileName());
    if (ConfirmDiscard(sameFile) == platform::BoxAnswer::Cancel) {
        return 1;
    }
    const WaitCursor wait;
    cmcEeprom loaded;
    loaded.Resize(image_.GetSize());
    cmcTovFile file;
    BindFile(file, loaded);
    const AddressRangeList ranges = GetAddressRanges(3);
    if (file.Read(path, nullptr) != TOV_Ok) {
        return 1;
    }
    int refusal = CheckImage(loaded, false) != 0 ? TOV_Data
                  : IsNewerData(loaded)          ? TOV_Newer
                                                 : file.CheckCoverage(ranges);
    if (refusal != TOV_Ok) {
        ShowCloneFileResult(refusal);
        return 1;
    }
    TakeFileName(path);
    image_.Assign(loaded);
    DetectModel(image_);
    ClearModified();
    CloseSheet();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ModelChanged);
    }
    return 0;
}

void cuiMain::FileSave() {
    if (IsUntitled()) {
        SaveUnderChosenName();
    } else {
        SaveFile(GetFileName());
    }
}

void cuiMain::FileSaveAs() {
    SaveUnderChosenName();
}

int cuiMain::SaveUnderChosenName() {
    platform::FileDialogRequest request = DialogRequest(FilePart(GetFileName()));
    for (;;) {
        const std::optional<std::string> path = platform::Dialogs().ChooseSave(request);
        if (!path) {
            return 1;
        }
        if (!platform::NameExists(*path) || AgreesToReplace(table_, *path)) {
            return SaveFile(*path);
        }
        // Not that file: the dialog comes back where the user was.
        request.folder = FolderPart(*path);
        request.fileName = FilePart(*path);
    }
}

int cuiMain::SaveFile(const std::string& path) {
    ClosePopups();
    // A save that does not happen leaves the document as it was, its modified flag included.
    cmcEeprom before;
    before.Assign(image_);
    FinaliseImage(image_, FINALISE_GoingOut);
    cmcTovFile file;
    BindFile(file, image_);
    file.SetMapRev(kMapRevision);
    file.SetComment(clonefile::CommentOf(image_));
    const WaitCursor wait;
    if (file.Write(path, GetAddressRanges(2)) != TOV_Ok) {
        image_.Assign(before);
        return 1;
    }
    TakeFileName(path);
    ClearModified();
    return 0;
}

void cuiMain::OpenRecentFile(int n) {
    const std::string path = settings_.recentFiles.GetDisplayName(n, "");
    if (!path.empty()) {
        LoadFile(path);
    }
}

void cuiMain::CloseMainWindow() {
    if (form_) {
        form_->close();
    }
}

// ---- Form events ----

void cuiMain::OnFormShow() {
    UpdateTitle();
}

void cuiMain::OnFormCloseQuery(bool& canClose) {
    if (!form_->IsFormEnabled()) {
        canClose = false;
        return;
    }
    if (ConfirmDiscard(false) == platform::BoxAnswer::Cancel) {
        canClose = false;
        return;
    }
    if (const std::optional<WindowRect> place = form_->RestoredPlace()) {
        settings_.windowLeft = place->left;
        settings_.windowTop = place->top;
        settings_.windowWidth = place->width;
        settings_.windowHeight = place->height;
        settings_.splitter = treePanel_->width();
    }
}

void cuiMain::OnFormClose() {
    heartbeat_->SetInterval(-1);
    sheet_.reset();
    sheetSpec_.clear();
    tree_.reset();
    form_->onShow = nullptr;
    form_->onCloseQuery = nullptr;
    form_->onClose = nullptr;
    form_ = nullptr;
}

// ---- Heartbeat ----

void cuiMain::OnTick() {
    if (pendingSpec_) {
        const std::string spec = *pendingSpec_;
        pendingSpec_.reset();
        OpenSheet(spec);
    }
    if (!sheet_) {
        OpenPendingSheet();
    }
    RunWarningCheckIfDue();
    if (printJob_.active) {
        PrintTick();
    }
    // With nothing left to do the heartbeat sleeps until something wakes it, so an idle
    // program costs nothing.
    if (!pendingSpec_ && sheet_ && !warningTimeout_ && !printJob_.active) {
        heartbeat_->SetInterval(-1);
    }
}

void cuiMain::WakeHeartbeat() {
    if (form_ && heartbeat_->GetInterval() < 0) {
        heartbeat_->SetInterval(kHeartbeatMs);
    }
}

void cuiMain::RunWarningCheckIfDue() {
    if (!warningTimeout_ || warningTimeout_->Remaining() != 0) {
        return;
    }
    warningTimeout_.reset();
    RunWarningChecks(nullptr, nullptr);
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Post(EV_RedrawEeDebug);
    }
}

// ---- Event listener ----

void cuiMain::OnEvent(const cmcEvent& event) {
    cmcEvMan* bus = CurrentEvMan();
    switch (event.type) {
        case EV_RefreshCommands:
            bus->Send(EV_RefreshMenu);
            bus->Send(EV_RefreshToolBar);
            UpdatePortPanel();
            break;
        case EV_ShowAbout:
            if (form_) {
                new cuiAboutBox(form_, table_, [this](char ch) { OnKeyChar(ch); });
            }
            break;
        case EV_StatusText:
            ShowStatusText(event);
            break;
        case EV_OpenDebugWindow:
            if (form_) {
                new cuiDebugWin(form_);
            }
            break;
        case EV_OpenEeDebugWindow:
            OpenEeDebugWindow();
            break;
        case EV_DebugCompare:
            ShowDebugCompare();
            break;
        case EV_TakeCompareSnapshot:
            compareSnapshot_.Assign(image_);
            break;
        case EV_InsertChannel:
        case EV_DeleteChannel:
            RunChannelEvent(*this, event);
            break;
        default:
            break;
    }
}

// The window's own items show the image against the compare snapshot; its other cells run
// through the memory map.
void cuiMain::OpenEeDebugWindow() {
    if (!form_) {
        return;
    }
    auto handler = [this](cmcCellCapsule& capsule, int notify) {
        if (RenderImageDebugCell(capsule, image_, compareSnapshot_)) {
            return 0;
        }
        return indActiveCell(rows_).DispatchItem(capsule, notify);
    };
    auto* window = new cuiEeDebugWin(form_, table_.GetLine("GI_Sys_AppTitle", 0), table_,
                                     "GI_Sheet_EeDebugWin", "", treeImages_, handler);
    std::erase_if(eeDebugForms_, [](const QPointer<QWidget>& form) { return form.isNull(); });
    eeDebugForms_.emplace_back(window->Form());
}

void cuiMain::ShowDebugCompare() {
    if (!form_ || !treePanel_) {
        return;
    }
    const std::vector<std::string> lines = CompareImageLines(compareSnapshot_, image_);
    compareSnapshot_.Assign(image_);
    const QRect place(treePanel_->mapToGlobal(QPoint(0, 0)), treePanel_->size());
    MakeDebugCompareForm(form_, place, lines)->exec();
}

void cuiMain::ShowStatusText(const cmcEvent& event) {
    statusTextColour_ = static_cast<uint32_t>(event.A);
    statusBackgroundColour_ = static_cast<uint32_t>(event.B);
    statusText_ = event.Text();
    // A status text comes with every move in a sheet: the port's device (an adapter plugged in
    // meanwhile) is looked at again with it.
    UpdatePortPanel();
}

// ---- Status bar ----

int cuiMain::InsertStatusPanel(int k) {
    return statusBar_->InsertPanel(k);
}

void cuiMain::DrawStatusPanel(QPainter& painter, int panel, const QRect& rect) {
    if (panel == kPortPanel) {
        DrawPortPanel(painter, rect);
        return;
    }
    if (panel != kStatusPanel) {
        return;
    }
    painter.fillRect(rect, ToQColor(statusBackgroundColour_));
    painter.setPen(ToQColor(statusTextColour_));
    painter.setFont(statusBar_->font());
    const int spare = rect.height() - painter.fontMetrics().height();
    painter.drawText(QPoint(rect.left(), rect.top() + spare / 2 + painter.fontMetrics().ascent()),
                     QString::fromStdString(statusText_));
}

void cuiMain::DrawPortPanel(QPainter& painter, const QRect& rect) {
    painter.setPen(statusBar_->palette().color(QPalette::WindowText));
    painter.setFont(statusBar_->font());
    const QString text = QString::fromStdString(portPanelText_);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(x, y), text);
}

// ---- Printing ----

// Any step that fails leaves nothing started.
void cuiMain::Print(int mode) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ClosePopups);
    }
    if (!sheet_ || !form_ || printJob_.active) {
        return;
    }
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!SetUpPrinter(*printer)) {
        return;
    }
    form_->Lock();
    ShowPrintingDialog();
    printJob_.cancel = false;
    printJob_.painter = std::make_unique<QPainter>();
    printer->setCopyCount(1);
    printJob_.area = PrintArea(table_.GetLine("GI_Sys_Printer_Margins", 0), printer->width(),
                               printer->height(), printer->logicalDpiY());
    printJob_.node = 0;
    printJob_.printer = std::move(printer);
    printJob_.mode = mode;
    printJob_.currentSpec = sheetSpec_;
    printJob_.active = true;
    WakeHeartbeat();
}

bool cuiMain::CurrentSheetPrintable() {
    return sheet_ && sheet_->IsPrintable();
}

// Without a printer the job goes into a PDF file named after the document; the system's print
// dialog offers the file beside the printers in any case.
bool cuiMain::SetUpPrinter(QPrinter& printer) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        platform::Boxes().Show(GetTextBlock(table_, "GI_Sys_Printer_NoPrinter"),
                               table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Information,
                               platform::BoxButtons::Ok);
        std::string name = GetFileName();
        const size_t dot = name.find_last_of('.');
        if (dot != std::string::npos && dot > name.find_last_of('/') + 1) {
            name.erase(dot);
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(name + ".pdf"));
    }
    QPrintDialog dialog(&printer, form_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    // The table's margins are the margins of a PDF page.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        printer.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
    }
    return true;
}

void cuiMain::ShowPrintingDialog() {
    auto* dialog = new cuiPrintingDialog(form_, table_, [this] { OnPrintCancel(); });
    CentreWindow(*dialog, form_);
    dialog->show();
    QApplication::processEvents();
    printJob_.dialog = dialog;
}

void cuiMain::OnPrintCancel() {
    printJob_.cancel = true;
}

cuiPrintingDialog* cuiMain::PrintingDialog() const {
    return printJob_.dialog.data();
}

// One sheet a tick; a cancelled job ends at its next tick, since no sheet after the cancel
// would print anything.
void cuiMain::PrintTick() {
    const int nodes = printJob_.mode == 0 || !tree_ ? 1 : tree_->NodeCount();
    if (!printJob_.cancel && printJob_.node < nodes) {
        PrintNode();
        ++printJob_.node;
    }
    if (printJob_.cancel || printJob_.node >= nodes) {
        EndPrintJob();
    }
}

// The document begins with its first page, so a job that prints no page leaves no empty
// document behind (neither a blank sheet of paper nor an empty PDF file).
bool cuiMain::BeginPage(QPrinter& printer, QPainter& painter) {
    if (painter.isActive()) {
        return printer.newPage();
    }
    if (painter.begin(&printer)) {
        return true;
    }
    printJob_.cancel = true;
    platform::Boxes().Show(table_.GetLine("GI_Sys_Printer_Failed", 0),
                           table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Error,
                           platform::BoxButtons::Ok);
    return false;
}

// A node without a sheet prints nothing.
void cuiMain::PrintNode() {
    std::string spec = printJob_.currentSpec;
    if (printJob_.mode != 0) {
        const cmcCellObj* cell = cuiTree::CellOf(tree_->NodeAt(printJob_.node));
        spec = cell && cell->optionText ? *cell->optionText : std::string();
    }
    if (!spec.empty()) {
        PrintSheet(*printJob_.printer, *printJob_.painter, spec, printJob_.area);
    }
}

void cuiMain::EndPrintJob() {
    if (printJob_.painter && printJob_.painter->isActive()) {
        printJob_.painter->end();
    }
    printJob_.painter.reset();
    printJob_.printer.reset();
    delete printJob_.dialog.data();
    printJob_.active = false;
    if (form_) {
        form_->Unlock();
    }
}

std::unique_ptr<cuiSheet> cuiMain::MakePrintSheet(QWidget* parent, QPrinter& printer,
                                                  const std::string& spec, int fontHeight) {
    std::unique_ptr<cuiSheet> sheet = CreateSheet(parent, spec);
    sheet->SetPrinter(&printer);
    sheet->SetFontHeight(fontHeight);
    sheet->Show();
    return sheet;
}

// A chunk that does not fit is tried again at most three times in a font shrunk to fit; a
// font shrunk for one chunk stays for the chunks after it.
int cuiMain::PrintSheet(QPrinter& printer, QPainter& painter, const std::string& spec,
                        const WindowRect& area) {
    constexpr int kFittingAttempts = 3;
    const std::unique_ptr<QWidget> form = std::make_unique<QWidget>(form_);
    form->hide();
    int height =
        PointsToHeight(TablePoints(table_, "GI_Sys_Printer_FontPoints"), printer.logicalDpiY());
    std::unique_ptr<cuiSheet> sheet = MakePrintSheet(form.get(), printer, spec, height);
    const WindowRect cellArea = DrawPageFrame(printer, painter, *sheet, area, true);
    std::vector<int> colChunks;
    std::vector<int> rowChunks;
    SplitPages(*sheet, cellArea, colChunks, rowChunks);
    const int firstCol = sheet->Grid()->FixedCols();
    int pages = 0;
    PageChunk chunk{firstCol, sheet->Grid()->FixedRows(), 0, 0};
    for (const int rows : rowChunks) {
        chunk.rows = rows;
        chunk.firstCol = firstCol;
        for (const int cols : colChunks) {
            chunk.cols = cols;
            for (int attempt = 0; attempt < kFittingAttempts; ++attempt) {
                if (!sheet) {
                    sheet = MakePrintSheet(form.get(), printer, spec, height);
                }
                if (!sheet->IsPrintable() || printJob_.cancel) {
                    break;
                }
                const WindowRect covered = RenderPageCells(painter, *sheet, cellArea, chunk, true);
                if (ChunkFits(covered, cellArea)) {
                    break;
                }
                height = ShrunkFontHeight(height, covered, cellArea);
                sheet.reset();
            }
            if (!sheet) {
                sheet = MakePrintSheet(form.get(), printer, spec, height);
            }
            if (!sheet->IsPrintable() || printJob_.cancel) {
                return pages;
            }
            if (!BeginPage(printer, painter)) {
                return pages;
            }
            RenderPageCells(painter, *sheet, DrawPageFrame(printer, painter, *sheet, area, false),
                            chunk, false);
            ++pages;
            chunk.firstCol += cols;
        }
        chunk.firstRow += rows;
    }
    return pages;
}

WindowRect cuiMain::DrawPageFrame(QPrinter& printer, QPainter& painter, cuiSheet& sheet,
                                  const WindowRect& area, bool measureOnly) {
    cmcFont font;
    font.name = sheet.TitleFont() ? sheet.TitleFont()->name : std::string();
    font.height =
        PointsToHeight(TablePoints(table_, "GI_Sys_Printer_FrameFont"), printer.logicalDpiY());
    font.colour = 0x000000;
    const PageFrame frame = FramePage(area, font.height);
    if (measureOnly) {
        return frame.cells;
    }
    cuiCanvas canvas(painter, QPalette());
    canvas.SetFont(font);
    canvas.TextOut(area.left, frame.headerTop, sheet.GetTitle());
    const std::string program = table_.GetLine("GI_Sys_AppTitleRev", 0);
    canvas.TextOut(area.Right() - canvas.TextWidth(program) - 1, frame.headerTop, program);
    canvas.FillRect({area.left, frame.headerBar, area.width, frame.bar}, 0x000000);
    const std::string maker = table_.GetLine("GI_Sys_Maker", 0);
    canvas.TextOut(area.Right() - canvas.TextWidth(maker) - 1, frame.footerTop, maker);
    canvas.FillRect({area.left, frame.footerBar, area.width, frame.bar}, 0x000000);
    return frame.cells;
}

WindowRect cuiMain::RenderPageCells(QPainter& painter, cuiSheet& sheet, const WindowRect& area,
                                    const PageChunk& chunk, bool measureOnly) {
    const PlacedChunk placed = PlaceChunk(PageGridOf(sheet), chunk, area.left, area.top);
    if (!measureOnly) {
        for (const PlacedCell& cell : placed.cells) {
            const WindowRect& r = cell.rect;
            sheet.DrawCell(painter, cell.col, cell.row, QRect(r.left, r.top, r.width, r.height));
        }
    }
    return placed.covered;
}

void cuiMain::SplitPages(cuiSheet& sheet, const WindowRect& area, std::vector<int>& colChunks,
                         std::vector<int>& rowChunks) {
    const PageGrid grid = PageGridOf(sheet);
    colChunks = SplitColumns(grid, area.width);
    rowChunks = SplitRows(grid, area.height);
}
