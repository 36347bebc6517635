#include "ui/shell/indMain.h"

#include <array>
#include <cstdio>

#include <QFontMetrics>
#include <QPainter>
#include <QTreeWidget>

#include "common/CurrentEvMan.h"
#include "common/GetTextBlock.h"
#include "common/cmcEvMan.h"
#include "common/cmcEvent.h"
#include "common/cmcGTex.h"
#include "platform/ProgramInfo.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/clone/file/CloneFileRules.h"
#include "radio/clone/indCloneCommands.h"
#include "radio/clone/indCloneMan.h"
#include "radio/image/DocumentRanges.h"
#include "radio/image/DottedText.h"
#include "radio/image/ImageLayout.h"
#include "radio/memmap/HelpContext.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/packing/NewerDataLockout.h"
#include "ui/dialogs/cuiCloneProgress.h"
#include "ui/dialogs/cuiHelpWindow.h"
#include "ui/paint/ColourMapping.h"
#include "ui/sheet/iuiTree.h"
#include "ui/shell/TForm1.h"
#include "ui/widgets/cuiStatusBar.h"

namespace {

constexpr int kStatusPanelMinimum = 100;
constexpr uint32_t kMakerPanelColour = 0x000080;  // dark red
constexpr uint32_t kMakerTextColour = 0xFFFFFF;

// Tree flags of the nodes that only some model types (or maker mode) show.
constexpr int kFlagMakerOnly = 0;
constexpr int kFlagLmrOnly = 1;
constexpr int kFlagPmrOnly = 2;
constexpr int kFlagVaskOnly = 3;
constexpr int kFlagMdcOnly = 4;

}  // namespace

indMain::indMain(indEnviron& settings, cmcGTex& table, cmcHelpGTex& help, const ItemRegistry& rows)
    : cuiMain("Tarnwick", kImageSize, settings, table, help, rows) {
    indMain::SetModelConstants();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->AddListener(&indMain::OnModelChangedThunk, this);
    }
}

indMain::~indMain() {
    cloneCommands_.reset();
    cloneMan_.reset();
    cloneProgress_.reset();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->RemoveListener(&indMain::OnModelChangedThunk, this);
    }
}

void indMain::SetModelConstants() {
    SetConstants(layout::kModelCodeValue, clonefile::kSecondId);
}

std::string indMain::AppTitle() {
    return Table().GetLine("GI_Sys_AppTitle", 0);
}

void indMain::BuildWindow(TForm1* form, const cuiImageList& treeImages,
                          const cuiImageList& barImages) {
    cuiMain::BuildWindow(form, treeImages, barImages);
    cloneProgress_ = std::make_unique<cuiCloneProgress>(form, Table());
    cloneMan_ = std::make_unique<indCloneMan>(Settings(), *form, *cloneProgress_);
    cloneCommands_ = std::make_unique<indCloneCommands>(*cloneMan_, CommandHost(), CommandHost());
    for (const std::string& argument : arguments_) {
        if (MakerWord::IsSwitch(argument)) {
            EnterMakerMode();
        }
    }
}

void indMain::BuildTree() {
    cuiMain::BuildTree();
    if (QTreeWidgetItem* first = Tree()->NodeAt(0)) {
        first->setText(0, first->text(0) + QString::fromStdString(Table().GetLine(
                                               "GI_AppInd_Model", CurrentModelType())));
    }
}

bool indMain::IsNewerData(const cmcEeprom& image) {
    return ::IsNewerData(image);
}

// ---- Model types ----

ImagePackResult indMain::DetectModel(cmcEeprom& image) {
    ChangeModel(ModelTypeFromImage(image), false);
    const ImagePackResult result = FinaliseImage(image, FINALISE_TakenIn);
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ModelChanged);
    }
    return result;
}

void indMain::ChangeModel(ModelType model, bool ask) {
    if (model == CurrentModelType()) {
        return;
    }
    if (ask && platform::Boxes().Show(GetTextBlock(Table(), "GI_AppMess_ChangeModel"), AppTitle(),
                                      platform::BoxIcon::Warning,
                                      platform::BoxButtons::OkCancel) != platform::BoxAnswer::Ok) {
        return;
    }
    SetModelType(model);
    LoadInitialFile(model);
    UnpackImage(DefaultImage(), model, UNPACK_Reset);
    if (ask) {
        CurrentImage().Assign(DefaultImage());
        PackImage();
        ClearModified();
        SetFileName("");
    }
    BuildTree();
}

void indMain::ChooseModel(ModelType model) {
    ChangeModel(model, true);
}

ImagePackResult indMain::FinaliseImage(cmcEeprom& image, int mode) {
    return ::FinaliseImage(image, DefaultImage(), CurrentModelType(),
                           static_cast<FinaliseMode>(mode));
}

void indMain::RunWarningChecks(int* errors, int* warnings) {
    cuiMain::RunWarningChecks(errors, warnings);
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Post(EV_RefreshBankMarks);
        bus->Post(EV_BankTitle);
    }
}

bool indMain::CheckFileHeader(int id1, int id2, int& code) {
    return clonefile::AcceptIds(id1, id2, &code);
}

AddressRangeList indMain::GetAddressRanges(int kind) {
    return ::GetAddressRanges(kind);
}

// ---- The tree in step with the model type ----

void indMain::OnModelChangedThunk(void* data, const cmcEvent& event) {
    if (event.type == EV_ModelChanged) {
        static_cast<indMain*>(data)->OnModelChanged();
    }
}

void indMain::OnModelChanged() {
    iuiTree* tree = Tree();
    if (!tree || !tree->View()) {
        return;
    }
    const cmcCellObj* selected = tree->GetSelectedCell();
    const std::string before = selected ? selected->optionText.value_or("") : std::string();
    ApplyModelFilters();
    AddBankBranch();
    selected = tree->GetSelectedCell();
    QTreeWidgetItem* current = tree->View()->currentItem();
    if (selected && current && selected->optionText.value_or("") != before) {
        if (QTreeWidgetItem* next = tree->NodeAt(tree->AbsoluteIndex(current) + 1)) {
            tree->View()->setCurrentItem(next);
        }
    }
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_BankTitle);
    }
}

void indMain::ApplyModelFilters() {
    const ModelType model = CurrentModelType();
    if (!InMakerMode()) {
        FilterTree(kFlagMakerOnly);
    }
    FilterTree(IsPmrType(model) ? kFlagLmrOnly : kFlagPmrOnly);
    if (model != MT_VaskPmr) {
        FilterTree(kFlagVaskOnly);
    }
    if (!IsMdcType(model)) {
        FilterTree(kFlagMdcOnly);
    }
}

// The channel node gets the bank operation and one node per bank, each named by its label.
void indMain::AddBankBranch() {
    iuiTree* tree = Tree();
    QTreeWidgetItem* channels = tree->FindNode("GI_Sheet_Memory_CH_Top");
    if (!channels) {
        return;
    }
    tree->ClearChildren(channels);
    tree->AddNode(channels, Table().GetLine("GI_Tree_Branch_Mch_BankOperation", 0));
    const std::string format = Table().GetLine("GI_Tree_Branch_Mch_Bank", 0);
    cmcEvMan* bus = CurrentEvMan();
    for (int bank = 0; bank < layout::kBankCount; ++bank) {
        std::array<char, 512> line{};
        std::snprintf(line.data(), line.size(), format.c_str(),
                      ChannelSheetToken(CurrentModelType()), bank);
        tree->AddNode(channels, line.data());
        if (bus) {
            bus->PostText(EV_RenameBank, 0, bank, FormatBankLabel(CurrentImage(), bank));
        }
    }
}

// ---- Maker mode ----

platform::BoxAnswer indMain::ConfirmMakerMode() {
    return platform::Boxes().Show(GetTextBlock(Table(), "GI_Mess_Maker_Caution"), AppTitle(),
                                  platform::BoxIcon::Warning, platform::BoxButtons::OkCancel);
}

void indMain::EnterMakerMode() {
    if (InMakerMode() || ConfirmMakerMode() != platform::BoxAnswer::Ok) {
        return;
    }
    SetMakerMode();
    BuildTree();
    makerPanelText_ = Table().GetLine("GI_StatusPanel_Maker", 0);
    AddMakerPanel();
}

// The maker panel takes the place of the last panel, which moves one place right.
void indMain::AddMakerPanel() {
    cuiStatusBar* bar = StatusBar();
    if (!bar) {
        return;
    }
    makerPanel_ = bar->PanelCount() - 1;
    InsertStatusPanel(makerPanel_);
    const QFontMetrics metrics(bar->font());
    bar->PanelAt(makerPanel_) = {
        metrics.horizontalAdvance(QString::fromStdString(makerPanelText_)) +
            metrics.horizontalAdvance(QStringLiteral("XX")),
        true};
    LayoutStatusBar();
}

void indMain::OnKeyChar(char ch) {
    cuiMain::OnKeyChar(ch);
    if (makerWord_.Take(ch)) {
        EnterMakerMode();
    }
}

// ---- Status bar ----

void indMain::LayoutStatusBar() {
    cuiStatusBar* bar = StatusBar();
    if (!bar) {
        return;
    }
    int others = 0;
    for (int i = 1; i < bar->PanelCount(); ++i) {
        others += bar->PanelAt(i).width;
    }
    bar->PanelAt(0).width = std::max(bar->width() - others, kStatusPanelMinimum);
    bar->update();
}

void indMain::DrawStatusPanel(QPainter& painter, int panel, const QRect& rect) {
    if (panel != makerPanel_) {
        cuiMain::DrawStatusPanel(painter, panel, rect);
        return;
    }
    painter.fillRect(rect, ToQColor(kMakerPanelColour));
    painter.setPen(ToQColor(kMakerTextColour));
    painter.setFont(StatusBar()->font());
    const QString text = QString::fromStdString(makerPanelText_);
    const QFontMetrics metrics = painter.fontMetrics();
    const int x = rect.left() + (rect.width() - metrics.horizontalAdvance(text)) / 2;
    const int y = rect.top() + (rect.height() - metrics.height()) / 2 + metrics.ascent();
    painter.drawText(QPoint(x, y), text);
}

// ---- Clone commands ----

void indMain::CloneRead() {
    if (cloneCommands_) {
        cloneCommands_->CloneRead();
    }
}

void indMain::CloneWrite() {
    if (cloneCommands_) {
        cloneCommands_->CloneWrite();
    }
}

void indMain::CloneInfo() {
    if (cloneCommands_) {
        cloneCommands_->CloneInfo();
    }
}

// ---- Help ----

int indMain::GetHelpContext(const cmcCellObj& cell) {
    return FindHelpContext(cell.item, CurrentImage(), CurrentModelType(), ChoiceLists(),
                           HelpTable());
}

cuiHelpWindow& indMain::OpenHelpWindow() {
    if (!helpWindow_) {
        const std::string file =
            platform::ProgramDataDir() + Table().GetLine("GI_Sys_MyHelpFile", 0);
        helpWindow_ = new cuiHelpWindow(file, QString::fromStdString(AppTitle() + " Help"), Form());
    }
    return *helpWindow_;
}

void indMain::ShowHelpContents() {
    OpenHelpWindow().ShowContents();
}

void indMain::ShowContextHelp(const cmcCellObj& cell) {
    OpenHelpWindow().ShowContext(GetHelpContext(cell));
}
