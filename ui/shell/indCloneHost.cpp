#include "ui/shell/indCloneHost.h"

#include <QApplication>

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "ui/shell/cuiMain.h"

cmcEeprom& indCloneHost::CurrentImage() {
    return main_.CurrentImage();
}

const cmcEeprom& indCloneHost::DefaultImage() {
    return main_.DefaultImage();
}

ModelType indCloneHost::CurrentModelType() {
    return main_.CurrentModelType();
}

bool indCloneHost::IsMakerMode() {
    return main_.InMakerMode();
}

int indCloneHost::CheckImage(const cmcEeprom& image, bool full) {
    return main_.CheckImage(image, full);
}

bool indCloneHost::IsNewerData(const cmcEeprom& image) {
    return main_.IsNewerData(image);
}

void indCloneHost::DetectModel(cmcEeprom& image) {
    main_.DetectModel(image);
}

void indCloneHost::SetModified() {
    main_.SetModified();
}

void indCloneHost::ClearModified() {
    main_.ClearModified();
}

void indCloneHost::SetFileName(const std::string& name) {
    main_.SetFileName(name);
}

bool indCloneHost::ConfirmDiscard() {
    return main_.ConfirmDiscard(false) != platform::BoxAnswer::Cancel;
}

bool indCloneHost::ConfirmMakerWrite() {
    return main_.ConfirmMakerWrite() == platform::BoxAnswer::Ok;
}

void indCloneHost::ClosePopups() {
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ClosePopups);
    }
}

void indCloneHost::CloseSheet() {
    main_.CloseSheet();
}

int indCloneHost::CountDataErrors() {
    int errors = 0;
    main_.RunWarningChecks(&errors, nullptr);
    return errors;
}

void indCloneHost::ShowCloneInformation(const CloneIdentityBlock& block) {
    main_.ShowCloneInformation(block);
}

int indCloneHost::ModelCode() {
    return main_.ModelCode();
}

int indCloneHost::SecondId() {
    return main_.SecondId();
}

bool indCloneHost::CheckFileHeader(int id1, int id2, int& code) {
    return main_.CheckFileHeader(id1, id2, code);
}

AddressRangeList indCloneHost::GetAddressRanges(int kind) {
    return main_.GetAddressRanges(kind);
}

void indCloneHost::FinaliseImage(cmcEeprom& image, int mode) {
    main_.FinaliseImage(image, mode);
}

void indCloneHost::PackImage() {
    main_.PackImage();
}

void indCloneHost::UpdateTitle() {
    main_.UpdateTitle();
}

void indCloneHost::ShowBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}
