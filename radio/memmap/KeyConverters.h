#pragma once

#include <array>
#include <string>

#include "radio/host/ItemContext.h"

class cmcEeprom;

// The programmable keys: a key's function code is an entry of the model type's function
// list; some functions take an option (high or low, and for the scrambler an option port),
// kept in bits of the image that the key byte does not hold.

// The function code of the scrambler key.
inline constexpr int kScramblerFunction = 'I';
// The function lists by model type (MT_Lmr .. MT_MdcPmr), and the lists of the options.
inline constexpr std::array<const char*, 5> kKeyFunctionLists = {
    "GI_Sheet_Sel_Keys_Conv_Lmr", "GI_Sheet_Sel_Keys_Conv_Pmr", "GI_Sheet_Sel_Keys_Conv_VaskPmr",
    "GI_Sheet_Sel_Keys_Conv_MdcLmr", "GI_Sheet_Sel_Keys_Conv_MdcPmr"};
inline constexpr char kScramblerPortList[] = "GI_Sheet_Sel_KDisp_ScrmOpt_Port";
inline constexpr char kKeyOptionList[] = "GI_Sheet_Sel_KDisp_KeyOpt_HL";

// The option slot of a function code: 11, 12, 13 for the codes with an option bit in the
// image, 21, 22, 23 for those without, 0 for a function without an option.
int KeyOptionSlot(int function);
// The high (1) or low (0) option of slots 11..13; 0 for any other slot.
int GetKeyOptionHigh(const cmcEeprom& image, int slot);
// Writes it for slots 11..13; other slots keep nothing.
void SetKeyOptionHigh(cmcEeprom& image, int slot, int high);
int GetScramblerPort(const cmcEeprom& image);
// Port 0, 1, 2 to slot 11, 12, 13.
int GetScramblerPortSlot(int port);
void SetScramblerPort(cmcEeprom& image, int port);

// The function byte as an entry of the list; after a choice the option's list opens, and the
// option chosen there changes every cell (redraw gets RD_AllCells). Shown with the option as
// a suffix (" OPT1" .. " OPT3" for the scrambler's port, " /H" or " /L").
bool CellKeyFunction(CellEdit& edit, cmcEeprom& image, int& value, int& redraw,
                     const std::string& list);
// CellKeyFunction with the function list of the model type.
struct KeyAssignParams {};
bool CellKeyAssign(CellEdit& edit, cmcEeprom& image, ModelType model, int& value, int& redraw);
