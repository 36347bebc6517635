#pragma once

#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"

class indMain;

// The application object as its clone commands see it: its document and the questions,
// sheets and checks of its window.
class indCloneHost : public CloneDocument, public CloneCommandHost {
public:
    explicit indCloneHost(indMain& main) : main_(main) {}

    cmcEeprom& CurrentImage() override;
    const cmcEeprom& DefaultImage() override;
    ModelType CurrentModelType() override;
    bool IsMakerMode() override;
    void DetectModel(cmcEeprom& image) override;
    void SetModified() override;
    void SetFileName(const std::string& name) override;

    bool ConfirmDiscard() override;
    bool ConfirmMakerWrite() override;
    void ClosePopups() override;
    void CloseSheet() override;
    int CountDataErrors() override;
    // The information window comes with the program's dialogs; until then nothing opens.
    void ShowCloneInformation(const CloneIdentityBlock& block) override;

private:
    indMain& main_;
};
