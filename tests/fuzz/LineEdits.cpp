#include "tests/fuzz/LineEdits.h"

#include <algorithm>

namespace fuzz {

void LineEdits::Take(InputReader& input, int most, int reach) {
    const int count = input.Number(0, most);
    for (int n = 0; n < count; ++n) {
        Edit edit{
            static_cast<size_t>(input.Number(0, reach)), static_cast<Op>(input.Number(0, 3)), {}};
        const int length = edit.op == Op::Drop     ? 0
                           : edit.op == Op::Change ? 1
                                                   : input.Number(1, 24);
        edit.bytes = input.Bytes(static_cast<size_t>(length));
        if (edit.op == Op::Change && (edit.bytes.empty() || edit.bytes[0] == 0)) {
            edit.bytes = {0x01};
        }
        edits_.push_back(edit);
    }
    std::stable_sort(edits_.begin(), edits_.end(),
                     [](const Edit& a, const Edit& b) { return a.position < b.position; });
}

sim::LineOutput LineEdits::Apply(const sim::LineOutput& sent) {
    sim::LineOutput out;
    for (int16_t slot : sent.Slots()) {
        if (slot == sim::LineOutput::kPause) {
            out.AddPause(1);
        } else {
            ApplyAt(static_cast<uint8_t>(slot), out);
        }
    }
    return out;
}

void LineEdits::ApplyAt(uint8_t byte, sim::LineOutput& out) {
    bool dropped = false;
    for (; next_ < edits_.size() && edits_[next_].position == position_; ++next_) {
        const Edit& edit = edits_[next_];
        switch (edit.op) {
            case Op::Change:
                byte ^= edit.bytes[0];
                break;
            case Op::Drop:
                dropped = true;
                break;
            case Op::Insert:
                out.Add(edit.bytes);
                break;
            case Op::Pause:
                out.AddPause(static_cast<int>(edit.bytes.size()) * 64);
                break;
        }
    }
    ++position_;
    if (!dropped) {
        out.Add(byte);
    }
}

}  // namespace fuzz
