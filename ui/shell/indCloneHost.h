#pragma once

#include "radio/host/CloneCommandHost.h"
#include "radio/host/CloneDocument.h"
#include "radio/host/FileCommandHost.h"

class cuiMain;

// The application object as its clone and file commands see it: its document, the model's
// rules for clone files, and the questions, sheets, checks, title and cursor of its window.
class indCloneHost : public CloneDocument, public CloneCommandHost, public FileCommandHost {
public:
    explicit indCloneHost(cuiMain& main) : main_(main) {}

    cmcEeprom& CurrentImage() override;
    const cmcEeprom& DefaultImage() override;
    ModelType CurrentModelType() override;
    bool IsMakerMode() override;
    int CheckImage(const cmcEeprom& image, bool full) override;
    bool IsNewerData(const cmcEeprom& image) override;
    void DetectModel(cmcEeprom& image) override;
    void SetModified() override;
    void ClearModified() override;
    void SetFileName(const std::string& name) override;

    bool ConfirmDiscard() override;
    bool ConfirmMakerWrite() override;
    void ClosePopups() override;
    void CloseSheet() override;
    int CountDataErrors() override;
    void ShowCloneInformation(const CloneIdentityBlock& block) override;

    int ModelCode() override;
    int SecondId() override;
    bool CheckFileHeader(int id1, int id2, int& code) override;
    AddressRangeList GetAddressRanges(int kind) override;
    void FinaliseImage(cmcEeprom& image, int mode) override;
    void PackImage() override;
    void UpdateTitle() override;
    void ShowBusy(bool busy) override;

private:
    cuiMain& main_;
};
