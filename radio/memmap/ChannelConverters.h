#pragma once

#include <string>

#include "radio/host/ItemContext.h"

class cmcGTex;
class datCh;

// The converters of a channel record's frequencies and tones. The receive side also keeps
// the transmit side following it where the two were equal; the transmit side then shows "<-".

enum class Side { Receive, Transmit };

// rxFreq or txFreq in Hz, shown in MHz with six decimals. A typed frequency is snapped to the
// lowest valid channel frequency its digits allow; one that has none is not taken. Taking a
// receive frequency puts the channel in use.
struct FrequencyParams {
    Side side = Side::Receive;
};
bool CellFrequency(CellEdit& edit, datCh& record, const FrequencyParams& params);

// tone1 (receive) or tone2 (transmit): an entry of kToneList (52 off, 53 DTCS), or a DTCS code
// typed as three octal digits and N or I.
inline constexpr char kToneList[] = "GI_Sheet_Sel_Mch_CTone";
struct SubToneParams {
    Side side = Side::Receive;
};
bool CellSubTone(CellEdit& edit, datCh& record, const SubToneParams& params);

// The lowest frequency at or above f that is a multiple of 2,500 or 3,125 Hz (a multiple of
// 625 Hz from f's 100 kHz step), when it still begins with the digits typed (it stays below f
// plus the largest power of ten up to 100,000 that divides f); else -1.
int SnapFrequency(int f);

// The number of fields of the section's lines (split at commas, up to the "#" line) that begin
// with the text, upper-cased; first gets the running index of the first of them.
int FindTextPrefix(cmcGTex& texts, const std::string& section, const std::string& text, int& first);
