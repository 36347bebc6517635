#include "radio/memmap/RowLists.h"

namespace {

// One overload per converter: a converter added to the vocabulary without its lists here does
// not compile.
struct ListsOfEditor {
    std::vector<RowList> operator()(std::monostate) const { return {}; }
    std::vector<RowList> operator()(const ListEntryParams&) const { return {}; }
    std::vector<RowList> operator()(const ChoiceParams& p) const {
        std::vector<RowList> lists{{p.list, p.answer}};
        if (p.lmrList) {
            lists.push_back({p.lmrList, p.answer});
        }
        return lists;
    }
    std::vector<RowList> operator()(const TypedChoiceParams& p) const {
        return {{p.list, p.answer}};
    }
    std::vector<RowList> operator()(const ListNumberParams& p) const {
        return {{p.firstList, p.firstAnswer}, {p.secondList, p.secondAnswer}};
    }
    std::vector<RowList> operator()(const AbcCodeParams&) const {
        return {{kAbcSelectionList, Flex0}, {kAbcCodeList, Flex1}};
    }
    std::vector<RowList> operator()(const ScramCodeParams&) const {
        return {{kScramblerCodeList, Flex0}};
    }
    std::vector<RowList> operator()(const OptionLettersParams& p) const {
        return {{p.list, Flex0}};
    }
    std::vector<RowList> operator()(const KeyAssignParams&) const {
        std::vector<RowList> lists;
        for (const char* list : kKeyFunctionLists) {
            lists.push_back({list, Flex0});
        }
        lists.push_back({kScramblerPortList, FlexScrmPort});
        lists.push_back({kKeyOptionList, FlexKeyOpt});
        return lists;
    }
    std::vector<RowList> operator()(const SubToneParams&) const { return {{kToneList, Flex0}}; }
    std::vector<RowList> operator()(const NumberParams&) const { return {}; }
    std::vector<RowList> operator()(const PaddedNumberParams&) const { return {}; }
    std::vector<RowList> operator()(const DecimalParams&) const { return {}; }
    std::vector<RowList> operator()(const TimerParams&) const { return {}; }
    std::vector<RowList> operator()(const MinSecParams&) const { return {}; }
    std::vector<RowList> operator()(const ScaledByteParams&) const { return {}; }
    std::vector<RowList> operator()(const FigureParams&) const { return {}; }
    std::vector<RowList> operator()(const NibbleCodeParams&) const { return {}; }
    std::vector<RowList> operator()(const HexDigitParams&) const { return {}; }
    std::vector<RowList> operator()(const BitFieldParams&) const { return {}; }
    std::vector<RowList> operator()(const FrequencyParams&) const { return {}; }
    std::vector<RowList> operator()(const PackedCodeParams&) const { return {}; }
    std::vector<RowList> operator()(const FiveToneParams&) const { return {}; }
    std::vector<RowList> operator()(const DigitsParams&) const { return {}; }
    std::vector<RowList> operator()(const TextParams&) const { return {}; }
    std::vector<RowList> operator()(const DisplayTextParams&) const { return {}; }
    std::vector<RowList> operator()(const UserCharacterParams&) const { return {}; }
    std::vector<RowList> operator()(const CommandParams&) const { return {}; }
    std::vector<RowList> operator()(const memmap::LabelParams&) const { return {}; }
    std::vector<RowList> operator()(const memmap::MenuEntryParams&) const { return {}; }
    std::vector<RowList> operator()(const memmap::IdentityTextParams&) const { return {}; }
    std::vector<RowList> operator()(const memmap::MarkSumParams&) const { return {}; }
};

}  // namespace

std::vector<RowList> ListsOfRow(const ItemRow& row) {
    return std::visit(ListsOfEditor{}, row.editor);
}
