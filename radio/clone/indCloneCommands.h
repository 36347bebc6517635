#pragma once

#include "radio/clone/CloneIdentity.h"
#include "radio/clone/dst_CDrv_Result.h"

class CloneCommandHost;
class CloneDocument;
class cmcEeprom;
class indCloneMan;

// Clone Read, Clone Write and Clone Information: each starts with an identity exchange and goes
// on from its completion, with the checks, messages, address ranges and images that the roads
// hand to the clone manager. The application object owns one and delegates its clone commands
// to it. The identity of the last accepted answer is kept for the clone information window.
class indCloneCommands {
public:
    // Installs the identity and image checks in the manager.
    indCloneCommands(indCloneMan& manager, CloneDocument& document, CloneCommandHost& host);
    indCloneCommands(const indCloneCommands&) = delete;
    indCloneCommands& operator=(const indCloneCommands&) = delete;

    // Asks the save-changes question, then reads the radio into the document.
    void CloneRead();
    void CloneInfo();
    // Checks the document, asks for confirmation between two identity exchanges, then writes
    // a reconciled and packed copy of the document; the document itself stays as it is.
    void CloneWrite();

    // The checks the manager runs on a finished identity exchange and read.
    void CheckCloneIdentity(dst_CDrv_Result& result);
    void CheckReadImage(dst_CDrv_Result& result);

    // The last address of the radio's data, from the identity block, on a 16-byte line end and
    // never beyond the radio part.
    int ReadEndAddress() const;
    // The last address a write sends: 32 bytes short of the 128-byte boundary beyond the packed
    // area's end, never beyond the radio part.
    static int WriteEndAddress(const cmcEeprom& image);
    // The two-tone bounds of an LMR image, for the revision of the identified radio.
    void SetTwoToneLimits(cmcEeprom& image) const;

    const CloneIdentityBlock& IdentityBlock() const { return identity_; }
    int IdentityWord0() const { return identityWord0_; }
    int IdentityWord1() const { return identityWord1_; }

private:
    void StartIdentity(void (indCloneCommands::*completion)(dst_CDrv_Result&));
    void OnCloneReadInfo(dst_CDrv_Result& result);
    void OnCloneRead(dst_CDrv_Result& result);
    void OnCloneInfo(dst_CDrv_Result& result);
    void OnCloneWriteInfo(dst_CDrv_Result& result);
    void ConfirmWrite();
    void WriteCopy();
    void OnCloneWriteDone(dst_CDrv_Result& result);

    indCloneMan& manager_;
    CloneDocument& document_;
    CloneCommandHost& host_;
    CloneIdentityBlock identity_{};
    int identityWord0_ = 0;
    int identityWord1_ = 0;
    // Set between the user's confirmation of a write and the second identity answer.
    bool writePass_ = false;
};
