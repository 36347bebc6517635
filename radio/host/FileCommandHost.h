#pragma once

#include "radio/image/AddressRange.h"

class cmcEeprom;

// What the file commands ask of the program beyond the document (CloneDocument) and the
// window's questions (CloneCommandHost): the model's rules for its clone files, the packing of
// a new document, and the window's title and cursor.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;

    // The model code and second id that the program's clone files carry.
    virtual int ModelCode() = 0;
    virtual int SecondId() = 0;
    // Judges a clone file's ids; a refusal sets code to TOV_Model or TOV_Extra.
    virtual bool CheckFileHeader(int id1, int id2, int& code) = 0;
    // The address ranges of a kind of DocumentRanges.h.
    virtual AddressRangeList GetAddressRanges(int kind) = 0;
    // Reconciles the image with the default image and packs it (mode of ImageFinalise.h).
    virtual void FinaliseImage(cmcEeprom& image, int mode) = 0;
    // Packs the working tables of the current image back into its radio part.
    virtual void PackImage() = 0;
    // The document's name or modified flag changed.
    virtual void UpdateTitle() = 0;
    // The hour-glass while a file is read or written (busy), and the cursor back.
    virtual void ShowBusy(bool busy) = 0;
};
