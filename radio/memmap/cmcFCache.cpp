#include "radio/memmap/cmcFCache.h"

#include "common/MainGTex.h"
#include "radio/cells/cmcCellObj.h"

namespace {

const char kNotListed[] = "error";

// The caption a list shows for a cell: its option text when it has one.
std::string EntryCaption(const cmcCellObj& cell) {
    return cell.optionText ? *cell.optionText : cell.GetCaption();
}

}  // namespace

std::string cmcFCache::Key(const std::string& sheet, int32_t item) {
    return sheet + "#" + std::to_string(item);
}

const ChoiceList* cmcFCache::Find(const std::string& sheet, int32_t item) const {
    const auto* entry = hash_.Find(Key(sheet, item));
    return entry ? entry->value : nullptr;
}

std::string cmcFCache::GetCaption(const std::string& sheet, int32_t item, int32_t value) {
    std::string text;
    if (sheet.empty()) {
        return kNotListed;
    }
    if (!FindCaption(sheet, item, value, text)) {
        BuildList(sheet, item);
        FindCaption(sheet, item, value, text);
    }
    return text;
}

const ChoiceList& cmcFCache::GetList(const std::string& sheet, int32_t item) {
    if (!Find(sheet, item)) {
        BuildList(sheet, item);
    }
    return *Find(sheet, item);
}

int cmcFCache::FindCaption(const std::string& sheet, int32_t item, int32_t value,
                           std::string& text) const {
    const ChoiceList* list = sheet.empty() ? nullptr : Find(sheet, item);
    if (!list) {
        return 0;
    }
    const std::string* caption = list->FindCaption(value);
    text = caption ? *caption : kNotListed;
    return 1;
}

int cmcFCache::StepValue(const std::string& sheet, int32_t item, int32_t value, int32_t step,
                         int32_t& result) const {
    const ChoiceList* list = Find(sheet, item);
    const auto stepped = list ? list->Step(value, step) : std::nullopt;
    if (!stepped) {
        return 0;
    }
    result = *stepped;
    return 1;
}

// One pass over the lines up to the '#' line; every line is a row of cells, parsed with
// channel variables that start at zero and no template. Each cell starts fresh, as in a sheet.
void cmcFCache::BuildList(const std::string& sheet, int32_t item) {
    cmcGTex& table = MainGTex();
    const std::string section = sheet + "_Cells";
    ChannelVars vars{};
    ChoiceList list;
    std::vector<ChoiceList::Entry> entries;
    for (int32_t line = 0;; ++line) {
        const std::string text = table.GetLine(section, line);
        if (!text.empty() && text[0] == '#') {
            list.lineCount = line;
            break;
        }
        int32_t column = 0;
        for (std::string_view rest = text;; ++column) {
            cmcCellObj cell;
            rest = cmcCellObj::ParseDefinition(cell, rest, &vars, nullptr, false);
            if (cell.item == item) {
                entries.push_back({line, column, cell.index, EntryCaption(cell)});
            }
            if (rest.empty()) {
                break;
            }
        }
    }
    list.SetEntries(std::move(entries));
    lists_.push_front(std::move(list));
    hash_.Insert(Key(sheet, item), &lists_.front());
}
