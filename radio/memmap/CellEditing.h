#pragma once

#include <string>

#include "radio/host/ItemContext.h"

// The behaviour every value converter shares: the keys it acts on, the text it shows and the
// in-place editor it asks for.

// The key the converter acts on: the capsule's key when the cell sits in a control (keys act
// only there), else 0.
int ActiveKey(const CellEdit& edit);
bool IsDigitKey(int key);
bool IsHexDigitKey(int key);
// Space or Backspace: +1 or -1; 0 for any other key.
int StepOfKey(int key);

// The value's text, all of it selected.
void ShowText(CellEdit& edit, std::string text);
// Editor request 2 on the shown text with its blanks trimmed, all selected (Enter).
void AskEditorOnText(CellEdit& edit);
// Editor request 2 holding the typed character, the caret after it.
void AskEditorWithKey(CellEdit& edit, int key);
// Editor request 2 on the shown text, trimmed, the caret after its first "." (or at its end).
void AskEditorAfterPoint(CellEdit& edit);
// Opens the in-place editor at once through the capsule's edit closure (a pop-up's answer
// cannot ask for it), on the text all selected; nothing when the closure is not set.
void OpenEditorNow(CellEdit& edit, std::string text);

// The pop-up answer of the item: mode 2 and a parent capsule whose cell has the item.
bool IsAnswerOf(const CellEdit& edit, int item);
// The chosen value of that answer (the parent cell's index).
int AnswerValue(const CellEdit& edit);

// value + step within minimum..maximum: past an end to the other end, or held at the end.
int StepWithin(int value, int step, int minimum, int maximum, bool stopAtEnds);
