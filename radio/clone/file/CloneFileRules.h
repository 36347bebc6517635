#pragma once

#include <string>

class cmcEeprom;

// What the program takes from the head of a clone file of the Merrow radio: memory map
// revision 4 only, the radio's model code, and as the second id 0 or that of the variant
// whose files the program also reads. The application object judges its files with these;
// they have the form of cmcTovFile's handlers. And the comment it writes into a file.
namespace clonefile {

inline constexpr int kMapRevision = 4;
inline constexpr int kSecondId = 0;
inline constexpr int kVariantId = 0x0100;

bool AcceptMapRevision(int mapRev);
// A refusal sets *code to TOV_Model or TOV_Extra.
bool AcceptIds(int id1, int id2, int* code);

// The image's two clone comments, each with its characters outside 0x20..0x7E as spaces and
// its trailing spaces removed, joined, and the trailing spaces of the whole removed again.
std::string CommentOf(const cmcEeprom& image);

}  // namespace clonefile
