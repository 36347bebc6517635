#include "radio/memmap/indActiveCell.h"

#include <array>

#include "common/CurrentEvMan.h"
#include "common/MainGTex.h"
#include "platform/MessageBox.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/host/indShell.h"
#include "radio/image/BankTable.h"
#include "radio/memmap/RunItemRow.h"
#include "radio/records/datCh.h"
#include "radio/records/datVaskAdr.h"

namespace {

constexpr uint32_t kFromModel = 0xFFFFFFFF;

// Record kinds by category 0..22.
constexpr std::array<uint32_t, kCellCategoryCount + 1> kCategoryKinds = {
    RK_None,           RK_None,   kFromModel, kFromModel,    RK_CEdit,       RK_Dtmf,
    RK_Scan,           RK_CTone,  RK_RxCode,  RK_TxCode,     RK_2ToneCode,   RK_2ToneTxCommon,
    RK_UserTone,       RK_BankOp, RK_None,    RK_MskIdGroup, RK_MskCallList, RK_MskMsgStatus,
    RK_MskMsgShortTxt, RK_None,   RK_None,    RK_MdcAlias,   RK_None,
};

// Channel record kinds by model type 0..4.
constexpr std::array<uint32_t, 5> kModelChannelKinds = {RK_ChLmr, RK_ChPmr, RK_ChVaskPmr,
                                                        RK_ChMdcLmr, RK_ChMdcPmr};

constexpr int kKeyLastCharacter = 127;

ModelFlags FlagsOf(ModelType model) {
    return ModelFlags{model == MT_Lmr || model == MT_MdcLmr, model == MT_VaskPmr,
                      model == MT_MdcLmr, model == MT_MdcPmr};
}

// Typing into a field of a channel row that holds no channel lands in its receive frequency.
void RedirectToReceiveFrequency(ItemContext& context) {
    cmcCellCapsule& capsule = context.capsule;
    capsule.redirect = 1;
    capsule.redirectItem = CL_Mch_FreqR;
    capsule.repeatKey = capsule.key;
}

// The rules of channel rows that hold no channel; true when they answered the cell.
bool EmptyChannelHook(ItemContext& context) {
    cmcCellCapsule& capsule = context.capsule;
    const bool isFrequency = context.item == CL_Mch_FreqR;
    const bool typed = capsule.key <= kKeyLastCharacter;
    if (context.record.used == 0 && context.item != CL_Mch_Atr && typed) {
        capsule.outText.clear();
        if (!isFrequency) {
            RedirectToReceiveFrequency(context);
            return true;
        }
    }
    // Past the bank the frequency cell still runs: typing there inserts the channel first.
    if (context.beyondBank) {
        capsule.outText.clear();
        if (!isFrequency) {
            if (typed) {
                RedirectToReceiveFrequency(context);
            }
            return true;
        }
    }
    return false;
}

// Pop-up menu commands 72..80; true when the command was carried out here.
bool RunCommand(ItemContext& context) {
    cmcCellCapsule& capsule = context.capsule;
    if (capsule.command == CL_PMenu_Edit) {
        capsule.key = kKeyEnter;
        capsule.command = 0;
        return false;
    }
    if (capsule.command >= CL_PMenu_Copy && capsule.command <= CL_PMenu_Insert) {
        int first = datCh::GetKindMin(context.kind);
        int last = datCh::GetKindMax(context.kind);
        if (context.category == CT_Mch || context.category == CT_Mch_Check) {
            first = context.bank.first;
            last = context.bank.last;
        }
        indCommands& commands = context.services.commands;
        commands.RunChannelListEdit(capsule, context.record, first, last, context.bank);
        commands.PackImage();
        return true;
    }
    if (capsule.command == CL_PMenu_Help) {
        context.services.help.ShowContextHelp(*capsule.cell);
        return true;
    }
    return false;
}

// A pop-up menu entry acts on the record of the cell that opened the menu.
void UseParentRecord(ItemContext& context) {
    const cmcCellCapsule* parent = context.capsule.parent;
    if (!parent || !parent->cell) {
        return;
    }
    context.kind = CategoryToRecordKind(parent->cell->category, context.model);
    context.index = parent->cell->index;
    context.record.Load(context.kind, context.index);
}

}  // namespace

ChannelFlags ChannelFlagsOf(uint32_t kind, const datCh& record, const ModelFlags& model) {
    switch (kind) {
        case RK_ChVaskPmr:
            return ChannelFlags{record.mskSig != 0, record.mskSig == 0,
                                record.mskBit2 != 0 && !model.lmr};
        case RK_ChMdcPmr:
            return ChannelFlags{false, true, true};
        case RK_ChMdcLmr:
            return ChannelFlags{false, true, false};
        default:
            return ChannelFlags{};
    }
}

uint32_t CategoryToRecordKind(int category, ModelType model) {
    if (category < 0 || category > kCellCategoryCount) {
        platform::Fatal("Unknown Cell Category. (" + std::to_string(category) + ")");
    }
    uint32_t kind = kCategoryKinds[static_cast<size_t>(category)];
    if (kind != kFromModel) {
        return kind;
    }
    return model >= 0 && model < static_cast<int>(kModelChannelKinds.size())
               ? kModelChannelKinds[static_cast<size_t>(model)]
               : RK_None;
}

int indActiveCell::DispatchItem(cmcCellCapsule& capsule, int notify) {
    indShell& shell = Shell();
    indDocument& document = shell.Document();
    const ItemServices services{
        document,   shell.Commands(),    shell.MenuCommands(), shell.Help(),     shell.Popups(),
        MainGTex(), shell.ChoiceLists(), CurrentEvMan(),       platform::Boxes()};
    cmcEeprom& image = document.CurrentImage();
    const ModelType model = document.CurrentModelType();
    datCh record(&image);
    datVaskAdr vask(&image);
    const cmcCellObj& cell = *capsule.cell;

    ItemContext context{{capsule, services},
                        image,
                        record,
                        vask,
                        cell.category,
                        cell.item,
                        cell.index,
                        CategoryToRecordKind(cell.category, model),
                        model,
                        FlagsOf(model),
                        ChannelFlags{},
                        HasSecondBank(image),
                        GetCurrentBankSpan(image, services.events),
                        false,
                        notify,
                        RD_SameCell};
    context.beyondBank = !(context.bank.last >= context.index && context.bank.count != 0);
    context.rows = &rows_;

    capsule.outText.clear();
    capsule.marks &= static_cast<uint8_t>(~(kMarkWarning | kMarkError));
    if (context.kind != RK_None) {
        record.Load(context.kind, context.index);
        context.channel = ChannelFlagsOf(context.kind, record, context.modelFlags);
    }
    capsule.redirectCategory = context.category;
    capsule.redirectItem = context.item;
    capsule.redirectIndex = context.index;
    if (capsule.key == kKeyDoubleClick) {
        capsule.key = kKeyEnter;
    }

    bool handled = capsule.command != 0 && RunCommand(context);
    if (context.category == CT_PopupMenu) {
        UseParentRecord(context);
    }
    if (!handled && context.category == CT_Mch) {
        handled = EmptyChannelHook(context);
    }

    int result = 0;
    if (!handled) {
        if (const ItemRow* row = rows_.Find(context.item)) {
            result = RunItemRow(context, *row);
        } else {
            capsule.outText = std::to_string(context.item) + " *Yet*";
        }
    }

    if (context.kind != RK_None) {
        context.redraw |= RD_SameIndex;
    }
    if (notify && capsule.onChanged) {
        capsule.onChanged(&capsule, context.redraw);
    }
    if (capsule.key != 0 || capsule.inputMode != kInputKey || capsule.command != 0) {
        document.RestartWarningCheck();
        document.UpdateModified();
    }
    return result;
}

int RunCellKey(cmcCellObj* cell, int key, const ItemRegistry& rows) {
    if (!cell) {
        return 0;
    }
    cmcCellCapsule capsule;
    capsule.cell = cell;
    capsule.key = key;
    return indActiveCell(rows).DispatchItem(capsule, 0);
}

CellMarks QueryCellMarks(int category, int item, int index, const ItemRegistry& rows) {
    cmcCellObj cell;
    cell.category = category;
    cell.item = item;
    cell.index = index;
    cmcCellCapsule capsule;
    capsule.cell = &cell;
    capsule.bankContext = BankAtCount(Shell().Document().CurrentImage(), index + 1);
    indActiveCell(rows).DispatchItem(capsule, 0);
    return CellMarks{(capsule.marks & kMarkError) != 0, (capsule.marks & kMarkWarning) != 0};
}

bool CellHasError(int category, int item, int index, const ItemRegistry& rows) {
    return QueryCellMarks(category, item, index, rows).error;
}

bool CellHasWarning(int category, int item, int index, const ItemRegistry& rows) {
    return QueryCellMarks(category, item, index, rows).warning;
}
