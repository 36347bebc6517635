#pragma once

#include <string>

#include "radio/cells/CellCodes.h"
#include "radio/host/ItemContext.h"

class cmcFCache;

// The converters whose value is an entry of a choice list (a selection sheet of the main
// text table, read through the choice-list cache): the value is the entry's index, Space and
// Backspace step through the list in the sheet's order, Enter opens it as a pop-up, and the
// pop-up's answer (its chosen cell, of the answer item code) becomes the value.

bool CellChoice(CellEdit& edit, int& value, const std::string& list, int answer);

// An entry of a choice list shows its own caption; its index is the value the list hands back.
struct ListEntryParams {};
void CellListEntry(CellEdit& edit, const ListEntryParams& params);

// A row's choice list; on the LMR model types lmrList instead, when given.
struct ChoiceParams {
    const char* list = nullptr;
    int answer = Flex0;
    const char* lmrList = nullptr;
};

// A list whose captions are numbers: a typed number takes the entry with the nearest caption.
struct TypedChoiceParams {
    const char* list = nullptr;
    int answer = Flex0;
};
bool CellChoiceTyped(CellEdit& edit, int& value, const TypedChoiceParams& params);

// Two steps: the first list's entry that stands for a number (the first entry of its last
// line) opens the second list of numbers; a number is shown as itself and may be typed.
struct ListNumberParams {
    const char* firstList = nullptr;
    int firstAnswer = Flex0;
    const char* secondList = nullptr;
    int secondAnswer = Flex1;
    bool offAllowed = true;
};
bool CellListNumber(CellEdit& edit, int& value, const ListNumberParams& params);

// ABC codes 0..32: the list of kAbcSelectionList whose entry 1 opens the code list
// kAbcCodeList; a code 1..32 is shown as its number.
inline constexpr char kAbcSelectionList[] = "GI_Sheet_Sel_RxC_AbcSel";
inline constexpr char kAbcCodeList[] = "GI_Sheet_Sel_RxC_AbcCode";
struct AbcCodeParams {};
bool CellAbcCode(CellEdit& edit, int& value, const AbcCodeParams& params);

// Scrambler codes 0..255, 0 being inversion ("Inv"); Enter offers inversion or a code
// (kScramblerCodeList).
inline constexpr char kScramblerCodeList[] = "GI_Sheet_Sel_Mch_ScramCode";
struct ScramCodeParams {};
bool CellScramCode(CellEdit& edit, int& value, const ScramCodeParams& params);

// The attribute letters of a channel's flag bits ("A", "B", "E"), set through the list's
// entries; a change tells the bank sheet to refresh its marks and title.
struct OptionLettersParams {
    const char* list = nullptr;
};
bool CellOptionLetters(CellEdit& edit, int& value, const OptionLettersParams& params);

// The index of the first entry on the list's last line that has one (0 when none).
int ListLastLineIndex(cmcFCache& choices, const std::string& list, int item);
// The highest index that rises line by line through the list (0 when none).
int ListHighestIndex(cmcFCache& choices, const std::string& list, int item);
