#include "radio/sheet/SheetRowReader.h"

#include <algorithm>

#include "common/DecimalNumber.h"
#include "common/cmcGTex.h"
#include "platform/LeadByte.h"
#include "platform/MessageBox.h"
#include "radio/cells/cmcCellObj.h"
#include "radio/sheet/SheetCells.h"

namespace {

constexpr std::string_view kLoopFrom = "LoopFrom";

}  // namespace

void SheetRowReader::ForEachItem(std::string_view line, const ItemHandler& take) {
    size_t open = std::string_view::npos;
    for (size_t i = 0; i < line.size();) {
        const size_t length = platform::CharLength(line, i);
        if (length == 1 && line[i] == '(' && open == std::string_view::npos) {
            open = i;
        } else if (length == 1 && line[i] == ')' && open != std::string_view::npos) {
            take(line.substr(open + 1, i - open - 1));
            open = std::string_view::npos;
        }
        i += length;
    }
}

void SheetRowReader::LayoutError(std::string_view section, std::string_view line) {
    platform::Fatal("Illegal Cell assign\n" + std::string(section) + ": " + std::string(line));
}

void SheetRowReader::Read(cmcGTex& table, const std::string& section, const cmcCellObj& tmpl,
                          const ItemHandler& directive) {
    *this = SheetRowReader();
    section_ = section;
    for (;; ++line_) {
        text_ = table.GetLine(section, line_);
        if (text_.starts_with('#')) {
            break;
        }
        if (skip_ > 0) {
            --skip_;
            continue;
        }
        if (text_.starts_with(':')) {
            ForEachItem(text_, directive);
            EndOfDirectiveLine();
        } else {
            ReadRowLine(tmpl);
        }
    }
    if (cols_ == 0 || rows_.empty()) {
        platform::Fatal("Illegal Cell assign");
    }
}

void SheetRowReader::ReadRowLine(const cmcCellObj& tmpl) {
    int count = 0;
    cmcCellObj scratch;
    for (std::string_view rest = text_;;) {
        rest = cmcCellObj::ParseDefinition(scratch, rest, nullptr, &tmpl, true);
        ++count;
        if (rest.empty()) {
            break;
        }
    }
    cols_ = std::max(cols_, count);
    CheckSize(Rows() + 1LL, text_);
    AddRow(line_);
    if (loopStart_ >= 0 && loopEnd_ < 0) {
        loopRows_.push_back(line_);
    } else {
        loopRows_.clear();
    }
}

// A complete loop repeats the rows read since its start.
void SheetRowReader::EndOfDirectiveLine() {
    if (loopStart_ < 0 || loopEnd_ < 0 || loopCount_ <= 0) {
        return;
    }
    CheckSize(Rows() + static_cast<long long>(loopCount_ - 1) * std::ssize(loopRows_), loopText_);
    for (int k = 1; k < loopCount_; ++k) {
        for (int32_t line : loopRows_) {
            AddRow(line);
        }
    }
    loopStart_ = -1;
    loopEnd_ = -1;
    loopCount_ = 0;
    loopRows_.clear();
}

void SheetRowReader::AddRow(int32_t sourceLine) {
    rows_.push_back({sourceLine, select_});
}

void SheetRowReader::CheckSize(long long rows, std::string_view line) const {
    if (std::max(cols_, 1) * rows > SheetCells::kMaxCells) {
        LayoutError(section_, line);
    }
}

void SheetRowReader::DoDirective(std::string_view item) {
    if (item.starts_with(kLoopFrom)) {
        const int count = NumberAfter(item, kLoopFrom).value_or(1);
        StartLoop(count > 1 ? count : 1);
    } else if (item.starts_with("LoopTo")) {
        EndLoop();
    } else if (item.starts_with("SelectON")) {
        SetSelect(true);
    } else if (item.starts_with("SelectOFF")) {
        SetSelect(false);
    }
}

std::optional<int> SheetRowReader::NumberAfter(std::string_view item, std::string_view key) const {
    const std::string_view rest = item.substr(std::min(key.size(), item.size()));
    if (rest.size() < 2 || rest[0] != ' ') {
        return std::nullopt;
    }
    const DecimalNumber number = ReadDecimal(rest.substr(1));
    if (number.outOfRange) {
        LayoutError(section_, text_);
    }
    return number.value;
}

void SheetRowReader::StartLoop(int count) {
    loopStart_ = line_;
    loopCount_ = count;
    loopText_ = text_;
}
