#pragma once

#include <cstdint>
#include <forward_list>
#include <string>

#include "common/cmcHash2.h"
#include "radio/memmap/ChoiceList.h"

// The choice lists of the selection sheets in the main text table, each read once per
// (sheet, item code) and kept for the program's life: the caption of a value and the value a
// few steps away in the sheet's order, for every paint and key of a choice cell.
class cmcFCache {
public:
    cmcFCache() = default;
    cmcFCache(const cmcFCache&) = delete;
    cmcFCache& operator=(const cmcFCache&) = delete;

    // The caption of the value, building the list on first use; "error" for a value that is
    // not listed or a sheet without a name.
    std::string GetCaption(const std::string& sheet, int32_t item, int32_t value);
    // 0 when the sheet has no name or the list is not built yet; else 1 with the caption of the
    // value, or "error" when the list does not hold it.
    int FindCaption(const std::string& sheet, int32_t item, int32_t value, std::string& text) const;
    // 0 when the list is not built yet (it is not built here) or holds nothing to step to;
    // else 1 with the value step entries away, wrapping past either end.
    int StepValue(const std::string& sheet, int32_t item, int32_t value, int32_t step,
                  int32_t& result) const;
    // The list of the item, building it on first use.
    const ChoiceList& GetList(const std::string& sheet, int32_t item);
    // Reads the list of the item from the sheet's "_Cells" section. A missing section is the
    // text table's fatal error, as is a list built twice.
    void BuildList(const std::string& sheet, int32_t item);

    static std::string Key(const std::string& sheet, int32_t item);

private:
    const ChoiceList* Find(const std::string& sheet, int32_t item) const;

    // Newest first; the hash points into it.
    std::forward_list<ChoiceList> lists_;
    cmcHash2<ChoiceList> hash_;
};
