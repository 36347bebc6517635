#pragma once

#include <cstdint>

#include "radio/image/BankSize.h"

class cmcCellCapsule;
class cmcEeprom;
class datCh;
class datClipCh;
class indDocument;

// The pop-up menu's list edits (Copy, Paste, Carry Up, Carry Down, Clear, Delete, Insert) on
// the records of a list sheet: channels of a bank, or the records of another kind. They act
// on the selected lines, or on the cursor's line when none are selected, and only within
// first .. last; a line outside touches nothing.
class indChannelEdit {
public:
    // record: the view of the record under the cursor (its kind and index); the document
    // supplies the image and its empty records.
    indChannelEdit(indDocument& document, datClipCh& clipboard, cmcCellCapsule& capsule,
                   const datCh& record, int first, int last, const BankSpan& bank);

    void CopyRecords();
    void PasteRecords();
    // step -1 carries the lines up, +1 down, swapping them with the line beyond.
    void MoveRecords(int step);
    void ClearRecords();
    void DeleteRecords();
    void InsertRecords();

private:
    struct Range {
        int low;
        int high;
        bool IsEmpty() const { return low > high; }
    };

    Range Selected() const;
    Range Within(int lowest, int highest) const;
    bool Holds(int index) const { return index >= first_ && index <= last_; }
    // Some record of the range passes the test.
    bool AnyRecord(Range range, bool (*test)(const datCh&)) const;
    // No record of the range is in use.
    bool IsRangeBlank(Range range) const;
    bool HoldsPriorityChannel(Range range) const;
    void SwitchReferenceOff(Range range) const;
    void DeleteFrom(int start, int count) const;
    int InsertChannels(int start, int count) const;
    int InsertListRecords(int start, int count) const;
    void Mark(int low, int high) const;
    void RedirectTo(int index) const;

    cmcCellCapsule& capsule_;
    cmcEeprom& image_;
    cmcEeprom& template_;
    datClipCh& clipboard_;
    const uint32_t kind_;
    const int index_;
    const BankSpan bank_;
    int first_;
    int last_;
};

// Runs the pop-up menu command of the capsule (73..79) on the record under the cursor, then
// reloads the record. first and last bound the indices it may touch: the bank's channels, or
// the record kind's limits.
void ChannelEditCommand(indDocument& document, datClipCh& clipboard, cmcCellCapsule& capsule,
                        datCh& record, int first, int last, const BankSpan& bank);

// True while a Delete removes channels one after the other: the sheet extends no selection
// meanwhile.
bool IsBulkChannelDeleteRunning();
