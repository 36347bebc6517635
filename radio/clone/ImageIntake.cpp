#include "radio/clone/ImageIntake.h"

#include "common/CurrentEvMan.h"
#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"

IntakeRefusal CheckIntake(CloneDocument& document, const cmcEeprom& image, bool full) {
    if (document.CheckImage(image, full) != 0) {
        return IntakeRefusal::Unsound;
    }
    return document.IsNewerData(image) ? IntakeRefusal::Newer : IntakeRefusal::None;
}

void TakeInImage(CloneDocument& document, CloneCommandHost& host, const cmcEeprom& image,
                 const std::string& name, bool modified) {
    document.SetFileName(name);
    cmcEeprom& current = document.CurrentImage();
    current.Assign(image);
    document.DetectModel(current);
    if (modified) {
        document.SetModified();
    } else {
        document.ClearModified();
    }
    host.CloseSheet();
    if (cmcEvMan* bus = CurrentEvMan()) {
        bus->Send(EV_ModelChanged);
    }
}
