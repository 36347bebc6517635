#include "radio/clone/indCloneCommands.h"

#include <algorithm>
#include <cctype>

#include "common/TextHelpers.h"
#include "radio/clone/CDrvCodes.h"
#include "radio/clone/ImageIntake.h"
#include "radio/clone/indCloneMan.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/host/TitledBoxes.h"
#include "radio/image/BankTable.h"
#include "radio/image/DocumentRanges.h"
#include "radio/image/ImageLayout.h"
#include "radio/image/ImageWords.h"
#include "radio/packing/ImageFinalise.h"
#include "radio/records/TwoToneLimits.h"
#include "radio/records/UsedChannels.h"

namespace {

constexpr int kSecondId = 0;
// A radio whose second word is below this takes no MDC data.
constexpr int kMdcRadioWord = 0x0200;
constexpr int kLineSize = 16;
constexpr int kWriteBlock = 128;
constexpr int kWriteEndInBlock = 0x5F;
constexpr int kWriteEndLead = 32;

}  // namespace

indCloneCommands::indCloneCommands(indCloneMan& manager, CloneDocument& document,
                                   CloneCommandHost& host)
    : manager_(manager), document_(document), host_(host) {
    manager_.SetOnInfo([this](dst_CDrv_Result& result) { CheckCloneIdentity(result); });
    manager_.SetOnRead([this](dst_CDrv_Result& result) { CheckReadImage(result); });
}

void indCloneCommands::StartIdentity(void (indCloneCommands::*completion)(dst_CDrv_Result&)) {
    if (manager_.IsBusy()) {
        return;
    }
    manager_.SetModelWords(layout::kModelCodeValue, kSecondId);
    manager_.StartInfo(
        [this, completion](dst_CDrv_Result& result) { (this->*completion)(result); });
}

void indCloneCommands::CheckCloneIdentity(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok || result.mode != cmcCloneDrv::M_Info) {
        return;
    }
    if (result.infoWord0 != layout::kModelCodeValue) {
        result.code = CDRV_InfoRejected;
        return;
    }
    identityWord0_ = result.infoWord0;
    identityWord1_ = result.infoWord1;
    const cmcBuff& block = result.payload;
    if (block.GetLength() != identity::kSize ||
        block.GetData()[identity::kLength] != identity::kSize) {
        result.code = CDRV_InfoRejected;
        return;
    }
    std::copy_n(block.GetData(), identity::kSize, identity_.begin());
    if (identity_[identity::kMapRevision] > identity::kNewestMapRevision) {
        result.code = CDRV_RadioNewer;
    }
}

void indCloneCommands::CheckReadImage(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok || result.mode != cmcCloneDrv::M_Read) {
        return;
    }
    switch (CheckIntake(document_, result.image, true)) {
        case IntakeRefusal::Unsound:
            result.code = CDRV_ImageRejected;
            break;
        case IntakeRefusal::Newer:
            result.code = CDRV_NewerLocked;
            break;
        case IntakeRefusal::None:
            break;
    }
}

// --- Clone Read ------------------------------------------------------------------------------

void indCloneCommands::CloneRead() {
    if (!host_.ConfirmDiscard()) {
        return;
    }
    StartIdentity(&indCloneCommands::OnCloneReadInfo);
}

void indCloneCommands::OnCloneReadInfo(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok || manager_.IsBusy()) {
        return;
    }
    AddressRangeList ranges = GetAddressRanges(RANGE_CloneRead);
    ranges.front().last = ReadEndAddress();
    manager_.SetMemorySize(document_.CurrentImage().GetSize());
    manager_.StartRead(&ranges, [this](dst_CDrv_Result& read) { OnCloneRead(read); });
}

// The radio names its last address in hexadecimal characters; anything else counts 0. An
// address beyond the radio part would reach into the working tables, so it stops there.
int indCloneCommands::ReadEndAddress() const {
    int address = 0;
    for (int i = 0; i < identity::kLastAddressLength; ++i) {
        const char c = static_cast<char>(std::toupper(identity_[identity::kLastAddress + i]));
        address = address * 16 + std::max(HexDigit(c), 0);
    }
    return std::min(address / kLineSize * kLineSize + kLineSize - 1, layout::kRadioPartLast);
}

// The document changes only here, after every check passed.
void indCloneCommands::OnCloneRead(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok) {
        return;
    }
    // Not saved anywhere yet: untitled and modified.
    TakeInImage(document_, host_, result.image, "", true);
}

// --- Clone Information ---------------------------------------------------------------------

void indCloneCommands::CloneInfo() {
    StartIdentity(&indCloneCommands::OnCloneInfo);
}

void indCloneCommands::OnCloneInfo(dst_CDrv_Result& result) {
    if (result.code == CDRV_Ok) {
        host_.ShowCloneInformation(identity_);
    }
}

// --- Clone Write -----------------------------------------------------------------------------

void indCloneCommands::CloneWrite() {
    if (CountUsedChannels(document_.CurrentImage(), document_.CurrentModelType()) == 0) {
        ShowTextBlockBox("GI_AppMess_CloneErr_NoActualCh", platform::BoxIcon::Error);
        return;
    }
    if (host_.CountDataErrors() > 0) {
        ShowTextBlockBox("GI_Mess_DataError", platform::BoxIcon::Error);
        return;
    }
    writePass_ = false;
    host_.ClosePopups();
    StartIdentity(&indCloneCommands::OnCloneWriteInfo);
}

// Runs twice: after the first identity answer it asks the user, after the second it writes.
void indCloneCommands::OnCloneWriteInfo(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok || manager_.IsBusy()) {
        return;
    }
    if (identityWord1_ < kMdcRadioWord && IsMdcType(document_.CurrentModelType())) {
        ShowTextBlockBox("GI_Mess_CloneErr_MDC_Head", platform::BoxIcon::Error);
        return;
    }
    if (!writePass_) {
        ConfirmWrite();
        return;
    }
    writePass_ = false;
    WriteCopy();
}

void indCloneCommands::ConfirmWrite() {
    if (document_.IsMakerMode() && !host_.ConfirmMakerWrite()) {
        return;
    }
    if (ShowTextBlockBox("GI_Mess_Confirm_CloneWrite", platform::BoxIcon::Warning,
                         platform::BoxButtons::OkCancel) != platform::BoxAnswer::Ok) {
        return;
    }
    writePass_ = true;
    StartIdentity(&indCloneCommands::OnCloneWriteInfo);
}

// A copy goes out, made ready for the identified radio; a copy that cannot be packed is not
// sent at all.
void indCloneCommands::WriteCopy() {
    cmcEeprom copy;
    copy.Assign(document_.CurrentImage());
    manager_.SetMemorySize(copy.GetSize());
    // In maker mode the maker's first 256 bytes are written too.
    AddressRangeList ranges =
        GetAddressRanges(document_.IsMakerMode() ? RANGE_CloneRead : RANGE_CloneWrite);
    if (FinaliseImage(copy, document_.DefaultImage(), document_.CurrentModelType(),
                      FINALISE_GoingOut) != PACK_Ok) {
        ShowTextBlockBox("GI_AppMess_CloneErr_NoRoom", platform::BoxIcon::Error);
        return;
    }
    ranges.front().last = WriteEndAddress(copy);
    copy.SetByte(layout::kMapRevision, identity_[identity::kMapRevision]);
    SetTwoToneLimits(copy);
    manager_.StartWrite(copy, &ranges, [this](dst_CDrv_Result& done) { OnCloneWriteDone(done); });
}

int indCloneCommands::WriteEndAddress(const cmcEeprom& image) {
    const int end = GetBE16(image.GetData() + layout::kPackedEnd);
    const int last = ((end + kWriteEndLead) / kWriteBlock * kWriteBlock) | kWriteEndInBlock;
    return std::min(last, layout::kRadioPartLast);
}

void indCloneCommands::SetTwoToneLimits(cmcEeprom& image) const {
    ::SetTwoToneLimits(image, document_.CurrentModelType(), identity_[identity::kRevision]);
}

void indCloneCommands::OnCloneWriteDone(dst_CDrv_Result& result) {
    if (result.code != CDRV_Ok) {
        return;
    }
    host_.CloseSheet();
    ShowTextBlockBox("GI_Mess_CloneWrite_Succeeded", platform::BoxIcon::Information);
}
