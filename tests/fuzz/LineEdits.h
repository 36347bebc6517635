#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tests/fuzz/InputReader.h"
#include "tools/sim_line/LineOutput.h"

namespace fuzz {

// Faults of the line from the radio to the program, at byte positions of what comes back (the
// echo and the radio's answers): a byte changed, dropped, bytes put in, a pause.
class LineEdits {
public:
    enum class Op { Change, Drop, Insert, Pause };
    struct Edit {
        size_t position;
        Op op;
        std::vector<uint8_t> bytes;  // Change: the xor; Insert: the bytes; Pause: its length
    };

    // Up to `most` edits from the input, at positions below `reach`.
    void Take(InputReader& input, int most, int reach);
    bool Empty() const { return edits_.empty(); }
    // What reaches the program of what the peer sent.
    sim::LineOutput Apply(const sim::LineOutput& sent);

private:
    void ApplyAt(uint8_t byte, sim::LineOutput& out);

    std::vector<Edit> edits_;  // in position order
    size_t next_ = 0;
    size_t position_ = 0;
};

}  // namespace fuzz
