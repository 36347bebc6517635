#include "radio/memmap/indChannelEdit.h"

#include <algorithm>

#include "common/CurrentEvMan.h"
#include "radio/cells/CellCodes.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/host/EditMessages.h"
#include "radio/host/indDocument.h"
#include "radio/image/BankTable.h"
#include "radio/image/ImageLayout.h"
#include "radio/records/ChannelAttr.h"
#include "radio/records/RecordShift.h"
#include "radio/records/datCh.h"
#include "radio/records/datClipCh.h"

namespace {

bool bulkDeleteRunning = false;

// Raised for the life of a bulk delete, also when a box in it ends the program.
class BulkDelete {
public:
    BulkDelete() { bulkDeleteRunning = true; }
    ~BulkDelete() { bulkDeleteRunning = false; }
    BulkDelete(const BulkDelete&) = delete;
    BulkDelete& operator=(const BulkDelete&) = delete;
};

void Send(int type, intptr_t A, intptr_t B) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(type, A, B);
    }
}

void Post(int type, intptr_t B = 0) {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Post(type, 0, B);
    }
}

int CountOf(int low, int high) {
    return high - low + 1;
}

}  // namespace

indChannelEdit::indChannelEdit(indDocument& document, datClipCh& clipboard, cmcCellCapsule& capsule,
                               const datCh& record, int first, int last, const BankSpan& bank)
    : capsule_(capsule),
      image_(document.CurrentImage()),
      template_(document.DefaultImage()),
      clipboard_(clipboard),
      kind_(record.kind),
      index_(record.index),
      bank_(bank),
      first_(std::max(first, datCh::GetKindMin(record.kind))),
      last_(std::min(last, datCh::GetKindMax(record.kind))) {
    // A bank's span ends at its last channel, also when the bank is empty.
    if (IsChannelKind(kind_)) {
        first_ = std::max(first_, bank_.first);
        last_ = std::min(last_, bank_.first + bank_.count - 1);
    }
    if (kind_ == RK_None) {
        last_ = first_ - 1;
    }
}

indChannelEdit::Range indChannelEdit::Selected() const {
    if (capsule_.selFlags & kSelRange) {
        return Range{std::min(capsule_.selLow, capsule_.selHigh),
                     std::max(capsule_.selLow, capsule_.selHigh)};
    }
    return Range{index_, index_};
}

indChannelEdit::Range indChannelEdit::Within(int lowest, int highest) const {
    const Range range = Selected();
    return Range{std::max(range.low, lowest), std::min(range.high, highest)};
}

bool indChannelEdit::AnyRecord(Range range, bool (*test)(const datCh&)) const {
    datCh view(&image_);
    for (int i = range.low; i <= range.high; ++i) {
        view.Load(kind_, i);
        if (test(view)) {
            return true;
        }
    }
    return false;
}

bool indChannelEdit::IsRangeBlank(Range range) const {
    return !AnyRecord(range, [](const datCh& record) { return record.used != 0; });
}

bool indChannelEdit::HoldsPriorityChannel(Range range) const {
    return AnyRecord(range, [](const datCh& record) {
        return (record.attr & (kAttrPriorityA | kAttrPriorityB)) != 0;
    });
}

void indChannelEdit::SwitchReferenceOff(Range range) const {
    datCh channel(&image_);
    for (int i = range.low; i <= range.high; ++i) {
        channel.Load(kind_, i);
        if (channel.attr & kAttrReference) {
            channel.attr = (channel.attr & ~kAttrReference) | kAttrReferenceOff;
            channel.Store();
        }
    }
}

void indChannelEdit::Mark(int low, int high) const {
    capsule_.selFlags |= kSelMarkLines;
    capsule_.selLow = low;
    capsule_.selHigh = high;
}

void indChannelEdit::RedirectTo(int index) const {
    capsule_.redirect = 1;
    capsule_.redirectIndex = index;
}

void indChannelEdit::CopyRecords() {
    const Range range = Within(first_, last_);
    if (!Holds(index_) || range.IsEmpty()) {
        return;
    }
    clipboard_.Copy(image_, kind_, range.low, CountOf(range.low, range.high));
    Mark(range.low, range.high);
    SendEditStatus("GI_AppMess_S_Copy");
}

void indChannelEdit::PasteRecords() {
    const int at = index_;
    if (!Holds(at) || !clipboard_.HasKind(kind_)) {
        return;
    }
    const int count = std::min(CountOf(at, last_), clipboard_.Count());
    const Range target{at, at + count - 1};
    if (!IsRangeBlank(target) && !ConfirmEdit("GI_AppMess_Conv_Overwrite")) {
        return;
    }
    clipboard_.PasteRaw(image_, kind_, at, count);
    if (count == 1) {
        Post(EV_RedrawIndexCells, at);
    } else {
        Post(EV_RedrawAllCells);
    }
    Mark(target.low, target.high);
    SendEditStatus("GI_AppMess_S_Paste");
}

void indChannelEdit::MoveRecords(int step) {
    const Range range = Within(first_, last_);
    const bool blocked = step < 0 ? range.low <= first_ : range.high >= last_;
    if (range.IsEmpty() || blocked) {
        return;
    }
    const int count = CountOf(range.low, range.high);
    datClipCh block;
    datClipCh neighbour;
    block.Copy(image_, kind_, range.low, count);
    neighbour.Copy(image_, kind_, step > 0 ? range.high + 1 : range.low - 1, 1);
    block.Paste(image_, kind_, range.low + step, count);
    neighbour.Paste(image_, kind_, step > 0 ? range.low : range.high, 1);
    // Both lines changed, also those that stay marked.
    Post(EV_RedrawAllCells);
    Mark(range.low + step, range.high + step);
    RedirectTo(step > 0 ? range.high + step : range.low + step);
}

void indChannelEdit::ClearRecords() {
    const Range range = Within(first_, last_);
    if (!datCh::KindEditable(kind_) || range.IsEmpty() || !ConfirmEdit("GI_AppMess_Conv_Clear")) {
        return;
    }
    const int count = CountOf(range.low, range.high);
    datClipCh empty;
    empty.Copy(template_, kind_, range.low, count);
    empty.PasteRaw(image_, kind_, range.low, count);
    for (int i = range.low; i <= range.high; ++i) {
        Post(EV_RedrawIndexCells, i);
    }
    SendEditStatus("GI_AppMess_S_Clear");
}

void indChannelEdit::DeleteRecords() {
    const Range range = Within(first_, last_);
    if (!datCh::KindEditable(kind_) || range.IsEmpty()) {
        return;
    }
    const int start = std::max(first_, std::min(index_, range.low));
    if (!IsRangeBlank(range) && !ConfirmEdit("GI_AppMess_Conv_Delete")) {
        return;
    }
    const Range touched{start, range.high};
    const bool refused = HoldsPriorityChannel(touched);
    if (refused) {
        ShowEditError("GI_AppMess_ChErr_DelPrio");
    } else {
        SwitchReferenceOff(touched);
        DeleteFrom(start, CountOf(range.low, range.high));
    }
    capsule_.selFlags &= static_cast<uint8_t>(~kSelMarkLines);
    RedirectTo(range.low);
    Post(EV_RedrawAllCells);
    if (!refused) {
        PostEditStatus("GI_AppMess_S_Delete");
    }
}

void indChannelEdit::DeleteFrom(int start, int count) const {
    if (IsChannelKind(kind_)) {
        // The main window removes each channel and shrinks the bank.
        BulkDelete running;
        for (int i = 0; i < count; ++i) {
            Send(EV_DeleteChannel, bank_.bank, start);
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        ShiftRecordsUp(image_, template_, last_ + 1, kind_, start);
    }
}

void indChannelEdit::InsertRecords() {
    if (!datCh::KindEditable(kind_)) {
        return;
    }
    // A channel may also go in after the bank's last one, on the empty line below it.
    const bool channels = IsChannelKind(kind_);
    const int highest = channels ? bank_.first + bank_.count : last_;
    const Range range = Within(first_, highest);
    if (range.IsEmpty()) {
        return;
    }
    const int start = std::max(first_, std::min(index_, range.low));
    const int count = CountOf(range.low, range.high);
    const int inserted = channels ? InsertChannels(start, count) : InsertListRecords(start, count);
    if (inserted == 0) {
        return;
    }
    Post(EV_RedrawAllCells);
    Mark(start, start + inserted - 1);
    SendEditStatus("GI_AppMess_S_Insert");
}

int indChannelEdit::InsertChannels(int start, int count) const {
    const int before = GetBankSizeOf(image_, bank_.bank);
    for (int i = 0; i < count; ++i) {
        if (TotalBankChannels(image_) >= layout::kChannelCount) {
            ShowEditError("GI_AppMess_ChErr_Overflow");
            break;
        }
        // The main window opens the channel and grows the bank.
        Send(EV_InsertChannel, bank_.bank, start);
    }
    return GetBankSizeOf(image_, bank_.bank) - before;
}

int indChannelEdit::InsertListRecords(int start, int count) const {
    for (int i = 0; i < count; ++i) {
        // A list has a fixed length: its last record would drop out.
        if (!IsTemplateRecord(image_, template_, kind_, last_)) {
            ShowEditError("GI_AppMess_ChErr_ListFull");
            return i;
        }
        ShiftRecordsDown(image_, template_, last_ + 1, kind_, start);
    }
    return count;
}

void ChannelEditCommand(indDocument& document, datClipCh& clipboard, cmcCellCapsule& capsule,
                        datCh& record, int first, int last, const BankSpan& bank) {
    indChannelEdit edit(document, clipboard, capsule, record, first, last, bank);
    switch (capsule.command) {
        case CL_PMenu_Copy:
            edit.CopyRecords();
            break;
        case CL_PMenu_Paste:
            edit.PasteRecords();
            break;
        case CL_PMenu_CarryUp:
            edit.MoveRecords(-1);
            break;
        case CL_PMenu_CarryDown:
            edit.MoveRecords(+1);
            break;
        case CL_PMenu_Clear:
            edit.ClearRecords();
            break;
        case CL_PMenu_Delete:
            edit.DeleteRecords();
            break;
        case CL_PMenu_Insert:
            edit.InsertRecords();
            break;
        default:
            break;
    }
    record.Reload();
}

bool IsBulkChannelDeleteRunning() {
    return bulkDeleteRunning;
}
