#include "ui/shell/indCloneHost.h"

#include "common/CurrentEvMan.h"
#include "common/cmcEvMan.h"
#include "ui/shell/indMain.h"

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

void indCloneHost::DetectModel(cmcEeprom& image) {
    main_.DetectModel(image);
}

void indCloneHost::SetModified() {
    main_.SetModified();
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
