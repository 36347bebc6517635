#include "ui/shell/cuiMain.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QMenuBar>
#include <QPainter>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "common/CurrentEvMan.h"
#include "common/GetTextBlock.h"
#include "common/cmcEvMan.h"
#include "common/cmcEvent.h"
#include "common/cmcGTex.h"
#include "common/cmcHelpGTex.h"
#include "common/cmcTask.h"
#include "platform/MessageBox.h"
#include "platform/ProgramInfo.h"
#include "platform/qt/DocumentFolder.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/file/CloneFileResult.h"
#include "radio/host/PortNumber.h"
#include "radio/host/indEnviron.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/BankChannelEdits.h"
#include "radio/memmap/WarningChecks.h"
#include "radio/memmap/indActiveCell.h"
#include "radio/memmap/indChannelEdit.h"
#include "radio/packing/ImageCheck.h"
#include "radio/sheet/SheetSelector.h"
#include "ui/dialogs/cuiAboutBox.h"
#include "ui/dialogs/cuiComSelDialog.h"
#include "ui/dialogs/cuiInformation.h"
#include "ui/sheet/SheetFactory.h"
#include "ui/sheet/cuiSheet.h"
#include "ui/sheet/iuiTree.h"
#include "ui/shell/TForm1.h"
#include "ui/widgets/cuiMenu.h"
#include "ui/widgets/cuiStatusBar.h"
#include "ui/widgets/cuiToolBar.h"

namespace {

constexpr int kHeartbeatMs = 50;
constexpr int kWarningDelayMs = 250;
constexpr int kSplitterWidth = 3;
constexpr int kTreeMinimumWidth = 8;
constexpr int kSheetMinimumWidth = 100;
constexpr int kPanelBevel = 2;
constexpr int kStatusPanel = 0;
constexpr int kPortPanel = 1;  // the maker panel, when there is one, comes after it

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
      files_(host_, host_, host_, table, settings,
             platform::qt::DocumentFolder(settings.currentFolder)),
      popups_(table, rows) {
    const std::string data = platform::ProgramDataDir();
    table_.SetFileName(data + modelString + ".OVL");
    help_.SetFileName(data + modelString + "H.OVL");
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
    debug_.CloseAll();
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

void cuiMain::SetModelConstants() {
    SetConstants(0, 0);
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
    statusBar_->PanelAt(kPortPanel).width = statusPanels_.SetPortText(
        PortText(table_.GetLine("GI_StatusPanel_Port", 0), settings_.portNumber), *statusBar_);
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
    defaultImage_.Resize(imageSize_);
    files_.LoadInitialFile(model, defaultImage_);
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
    WarningCheckLists lists;
    if (tree_) {
        lists = RunWarningCheckList(table_, CurrentModelType(), form_, rows_);
        if (lists.lastNamesSheet) {
            tree_->MarkWarningChecks(lists.warnings, lists.errors);
        }
    }
    if (errors) {
        *errors = static_cast<int>(lists.errors.size());
    }
    if (warnings) {
        *warnings = static_cast<int>(lists.warnings.size());
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

// ---- Document and file commands ----

void cuiMain::UpdateTitle() {
    if (!form_) {
        return;
    }
    form_->setWindowTitle(
        QString::fromStdString(files_.TitleName() + " - " + table_.GetLine("GI_Sys_AppTitle", 0)));
}

void cuiMain::PackImage() {
    ::PackImage(image_, CurrentModelType());
}

void cuiMain::RunChannelListEdit(cmcCellCapsule& capsule, datCh& record, int first, int last,
                                 const BankSpan& bank) {
    ChannelEditCommand(*this, clipboard_, capsule, record, first, last, bank);
}

platform::BoxAnswer cuiMain::ConfirmMakerWrite() {
    return platform::Boxes().Show(GetTextBlock(table_, "GI_Mess_Maker_WriteCaution"),
                                  table_.GetLine("GI_Sys_AppTitle", 0), platform::BoxIcon::Warning,
                                  platform::BoxButtons::OkCancel);
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
    if (print_.Active()) {
        print_.Tick();
    }
    // With nothing left to do the heartbeat sleeps until something wakes it, so an idle
    // program costs nothing.
    if (!pendingSpec_ && sheet_ && !warningTimeout_ && !print_.Active()) {
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
                debug_.OpenEventWindow(form_);
            }
            break;
        case EV_OpenEeDebugWindow:
            if (form_) {
                debug_.OpenImageWindow(form_, treeImages_);
            }
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

void cuiMain::ShowDebugCompare() {
    if (!form_ || !treePanel_) {
        return;
    }
    debug_.ShowCompare(form_, QRect(treePanel_->mapToGlobal(QPoint(0, 0)), treePanel_->size()));
}

void cuiMain::ShowStatusText(const cmcEvent& event) {
    statusPanels_.TakeStatusText(event);
    // A status text comes with every move in a sheet: the port's device (an adapter plugged in
    // meanwhile) is looked at again with it.
    UpdatePortPanel();
}

// ---- Status bar ----

void cuiMain::DrawStatusPanel(QPainter& painter, int panel, const QRect& rect) {
    if (panel == kPortPanel) {
        statusPanels_.DrawPort(painter, rect, *statusBar_);
    } else if (panel == kStatusPanel) {
        statusPanels_.DrawStatus(painter, rect, *statusBar_);
    }
}

// ---- Printing ----
