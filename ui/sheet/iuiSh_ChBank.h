#pragma once

#include <string>
#include <string_view>

#include "ui/sheet/cuiSheet.h"

struct cmcEvent;
class cmcEeprom;

// The sheet of one bank's memory channels. Its layout's "(LoopFrom)" row repeats once per
// channel of the bank, and once more on screen: the empty row after the last channel, where
// typing opens a new channel. The arguments name the bank ("Bank 3"); the title tells the bank,
// its name and the channels left. The cell array keeps rows ready for a bank that grows, so a
// channel inserted or deleted adds or removes a grid row without reading the layout again.
class iuiSh_ChBank : public cuiSheet {
public:
    // Rows of the cell array: the layout's head and the channels of a full memory with room.
    static constexpr int kCellRows = 266;

    iuiSh_ChBank(QWidget* parent, const cmcCellCapsule* parentCapsule, int wantedItem,
                 int wantedIndex, cmcGTex& table, std::string name,
                 const cuiImageList* images = nullptr);
    ~iuiSh_ChBank() override;

    void SetArgs(std::string text) override;
    void Show() override;
    std::string GetTitle() override;
    bool IsPrintable() override;

    int Bank() const { return bank_; }
    int FirstChannel() const { return first_; }
    int ChannelCount() const { return count_; }

protected:
    void DoDirective(std::string_view item) override;
    void BuildCells() override;
    void ReadRows(const std::string& section) override;
    void OnRowStart(int row) override;
    void OnCellStart(int, int) override {}

private:
    static void OnEventThunk(void* data, const cmcEvent& event);
    void OnEvent(const cmcEvent& event);
    static cmcEeprom& Image();
    std::string BankTitle(const std::string& head);
    void ShowBankTitle();
    void FillSpareRows(int from);
    void SetLineSelectable(int row, bool on);
    void AddRow();
    void RemoveRow();

    int loopFirstRow_ = -1;
    int bank_ = 0;
    int count_ = 0;
    int first_ = 0;
};
