#pragma once

#include <string>
#include <vector>

#include "common/cmcEvMan.h"
#include "common/cmcGTex.h"
#include "radio/image/RecordKind.h"
#include "tests/support/FakeShell.h"
#include "tests/support/RecordingBoxes.h"
#include "tests/support/ScopedInstall.h"
#include "tests/support/VirtualTime.h"

namespace radiotest {

// A PMR document with three banks and the program around it, as the channel edits meet it.
// Banks 0, 1, 2 hold 3, 5 and 2 channels; positions 0..5 hold the channels tagged 1..6,
// positions 6 and 7 (the end of bank 1) are unused, 8 and 9 hold tags 9 and 10. A channel's
// tag is in its receive frequency and, unseen by the record view, in byte 12 of its first
// entry. The default image's empty channels carry marks of their own in the same places.
// The bus answers the current-bank query with openBank and runs the main window's part of
// the channel insert and delete events.
class ChannelRig {
public:
    struct Event {
        int type;
        intptr_t A;
        intptr_t B;
        std::string text;
        bool bulkDelete;
    };

    ChannelRig();
    ChannelRig(const ChannelRig&) = delete;
    ChannelRig& operator=(const ChannelRig&) = delete;

    void SetBanks(const std::vector<int>& sizes);
    std::vector<int> Banks(int count);
    void PutChannel(int position, int tag);
    // The tag of the channel at position, 0 when unused; for other kinds the record's own tag
    // (an alias's id, a DTMF entry's digit count).
    int Tag(uint32_t kind, int position);
    std::vector<int> Tags(uint32_t kind, int count);
    // Byte 12 of the channel's first entry, which no record field names.
    int HiddenTag(int position);
    // Line 0, or the whole text, of a key of the program's table, and of each of keys.
    std::string Line(const std::string& key);
    std::string Text(const std::string& key);
    std::vector<std::string> Lines(const std::vector<std::string>& keys);
    std::vector<std::string> Texts(const std::vector<std::string>& keys);
    // The texts of the boxes shown (each captioned with the program's title) and of the
    // status texts sent.
    std::vector<std::string> BoxTexts();
    std::vector<std::string> StatusTexts();
    // Delivers what was queued on the bus.
    void Pump() { bus.Pump(); }

    testsupport::VirtualTime time;
    testsupport::RecordingBoxes boxes;
    testsupport::FakeShell shell;
    cmcGTex table;
    cmcEvMan bus;
    testsupport::ScopedMainGTex tableInstalled{&table};
    testsupport::ScopedEvMan busInstalled{&bus};
    int openBank = 1;
    std::vector<Event> events;

private:
    static void OnEvent(void* data, const cmcEvent& event);
    void MakeTemplate();
};

}  // namespace radiotest
