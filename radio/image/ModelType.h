#pragma once

#include "radio/image/RecordKind.h"
#include "radio/image/cmcEeprom.h"

// Model types of the radio.
enum ModelType : int {
    MT_Lmr = 0,
    MT_Pmr = 1,
    MT_VaskPmr = 2,
    MT_MdcLmr = 3,
    MT_MdcPmr = 4,
};

// The model type an image asks for, from its option bytes. An image too small to hold them
// counts as MT_Lmr.
ModelType ModelTypeFromImage(const cmcEeprom& image);

// The groups the rules of the image name: LMR types MT_Lmr and MT_MdcLmr, PMR types MT_Pmr,
// MT_VaskPmr and MT_MdcPmr, MDC types MT_MdcLmr and MT_MdcPmr.
bool IsLmrType(ModelType model);
bool IsPmrType(ModelType model);
bool IsMdcType(ModelType model);
// Groups of model types that the image's rules and tables name.
enum class ModelGroup { All, Lmr, Pmr, Mdc, Vask, NotVask, NotMdc };
bool InGroup(ModelType model, ModelGroup group);
// The record kind through which the model type sees its channels.
RecordKind ChannelKindOf(ModelType model);
// The token in the names of the model type's channel-bank sheets ("LMR", "PMR", "PMRV",
// "MDCL", "PMRM"): the bank branch of the tree and the bank checks name the same sheets.
const char* ChannelSheetToken(ModelType model);
// A stored model type outside MT_Lmr..MT_MdcPmr counts as MT_Lmr.
ModelType ClampModelType(int stored);
