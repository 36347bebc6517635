#include "radio/memmap/MarkSums.h"

#include <algorithm>

#include "radio/cells/cmcCellCapsule.h"
#include "radio/memmap/indActiveCell.h"

namespace {

// The indices a source covers: from first to before end.
struct IndexRun {
    int first;
    int end;
};

IndexRun IndicesOf(const MarkSource& source, const BankSpan& bank) {
    if (source.count == kChannelsOfBank) {
        return {bank.first, bank.first + bank.count};
    }
    return {0, source.count};
}

uint8_t MarksOf(const ItemContext& context, const MarkSource& source, int index) {
    const CellMarks marks = QueryCellMarks(source.category, source.item, index, *context.rows);
    const int shown = (marks.error ? kMarkError : 0) | (marks.warning ? kMarkWarning : 0);
    return static_cast<uint8_t>(shown & source.mark);
}

// Every index some source covers.
IndexRun AllIndices(std::span<const MarkSource> sources, const BankSpan& bank) {
    IndexRun all = sources.empty() ? IndexRun{0, 0} : IndicesOf(sources.front(), bank);
    for (const MarkSource& source : sources) {
        const IndexRun run = IndicesOf(source, bank);
        all = {std::min(all.first, run.first), std::max(all.end, run.end)};
    }
    return all;
}

uint8_t PossibleMarks(std::span<const MarkSource> sources) {
    uint8_t marks = 0;
    for (const MarkSource& source : sources) {
        marks |= source.mark;
    }
    return marks;
}

}  // namespace

uint8_t SumOfMarks(const ItemContext& context, std::span<const MarkSource> sources) {
    const BankSpan bank = GetBankSpan(context.image, context.capsule.bankContext);
    const IndexRun all = AllIndices(sources, bank);
    const uint8_t possible = PossibleMarks(sources);
    uint8_t marks = 0;
    for (int index = all.first; index < all.end && marks != possible; ++index) {
        for (const MarkSource& source : sources) {
            const IndexRun run = IndicesOf(source, bank);
            if ((marks & source.mark) == 0 && index >= run.first && index < run.end) {
                marks |= MarksOf(context, source, index);
            }
        }
    }
    return marks;
}
