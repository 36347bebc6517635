#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "radio/image/ModelType.h"
#include "tests/ui/support/MainRig.h"
#include "tests/ui/support/ProgramFolder.h"

class cuiSheet;

namespace testsupport {
class PaintedTexts;
}

namespace testsupport {

// The program's main window over the initial clone file of a model type (in maker mode when
// asked), with two channels in the first bank, for sweeps over every sheet the user can reach:
// the sheets of the tree's nodes, each cell worked through the open sheet's real edit path and
// read back as the dispatcher renders it for the sheet.
class SweepRig {
public:
    struct Cell {
        std::string spec;  // the sheet
        int col = 0;
        int row = 0;
        int item = 0;
        int index = 0;
    };
    struct Shown {
        std::string text;
        uint32_t colour = 0;  // of the painted text, 0xBBGGRR; 0 when nothing was painted
        bool operator==(const Shown&) const = default;
    };

    SweepRig(ModelType model, bool maker);
    ~SweepRig();
    SweepRig(const SweepRig&) = delete;
    SweepRig& operator=(const SweepRig&) = delete;

    // The sheets of the tree's nodes, the bank operation last (its sizes move the channels);
    // with makerOnly the sheets of the maker-mode branch alone.
    std::vector<std::string> Sheets(bool makerOnly = false) const;
    // The sheets that cells of the tree's sheets open (cover lines).
    const std::vector<std::string>& LinkedSheets() const { return linked_; }
    cuiSheet& Open(const std::string& spec);
    // The cells of the open sheet that hold a setting: selectable, with an item of the memory
    // map (neither a command nor a decoration); on a bank sheet the rows of its channels.
    std::vector<Cell> ValueCells();
    std::string Text(const Cell& cell);
    Shown Show(const Cell& cell);
    // A key on the cell through the sheet (Space steps up, Backspace down).
    void Key(const Cell& cell, int key);
    // A step of the cell's value (Space up, Backspace down), where its converter has one; a
    // pop-up that the key opens is cancelled.
    void Step(const Cell& cell, int key = ' ');
    static bool Steps(const Cell& cell);
    // Enter on the cell and, in what it opens, a value other than the one shown: typed into
    // the in-place editor the text given or else the text a step would give, the next entry
    // of a choice list, the first bit switched in the bit-set editor, a character added in the
    // display-text editor, a segment switched in the user-character editor. False when Enter
    // opened nothing.
    bool EnterOther(const Cell& cell, const std::string& typed = "");
    // Saves the document to a file and opens it again.
    void SaveAndReopen();
    static std::string Name(const Cell& cell);

    ProgramFolder folder;
    MainRig main;

private:
    void AddChannels();
    void FindSheets();
    void Type(int item, int index, const std::string& text);
    bool HoldsChannel(int row);
    bool AnswerPopups();
    bool AnswerPopup();
    void CancelPopups();
    cuiSheet& Sheet();
    void Paint(const Cell& cell, PaintedTexts& device);

    struct Node {
        std::string spec;
        bool makerOnly;
    };
    std::vector<Node> nodes_;
    std::vector<std::string> linked_;
    std::filesystem::path file_;
};

}  // namespace testsupport
