#pragma once

#include <string>

class CloneCommandHost;
class CloneDocument;
class cmcEeprom;

// An image from outside, a clone file's or the radio's, becoming the document: both pass the
// same checks first and are taken in in the same order.
enum class IntakeRefusal {
    None,
    Unsound,  // the document's format check refuses it
    Newer,    // it holds data of a newer program
};

// The document's checks on an image from outside; full for the radio's whole memory.
IntakeRefusal CheckIntake(CloneDocument& document, const cmcEeprom& image, bool full);

// The document takes in an image that passed CheckIntake: it takes the name ("" for none), the
// image becomes the current image and the model type follows it, the modified flag is set or
// cleared, the sheet closes and every part hears of the model at once (it may have changed).
void TakeInImage(CloneDocument& document, CloneCommandHost& host, const cmcEeprom& image,
                 const std::string& name, bool modified);
