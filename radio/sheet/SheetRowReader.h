#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "radio/cells/clsSheeRowAtr.h"

class cmcCellObj;
class cmcGTex;

// Reads the cells section of a sheet (X_Cells) into rows: every line up to the first that
// begins with "#" is a row of cells, or, when it begins with ":", a line of "(directive)" items.
// Loops repeat the rows between their LoopFrom and LoopTo lines; a repeated row refers to the
// source line of the row it repeats. The result is one attribute per row and the column count.
//
// The directives of a line go to the sheet, whose slot hands the base's on to DoDirective; the
// state they change (skip counter, loop, select flag) is open to the derived sheets' directives.
class SheetRowReader {
public:
    using ItemHandler = std::function<void(std::string_view item)>;

    // The "(item)" items of a line; only single-byte parentheses count.
    static void ForEachItem(std::string_view line, const ItemHandler& take);
    // The fatal error of a layout that cannot be built, naming its section and offending line.
    [[noreturn]] static void LayoutError(std::string_view section, std::string_view line);

    // Reads the section from its line 0. Fatal "Illegal Cell assign" when it holds no row or no
    // cell, and (with the offending line) when its rows would need more cells than a cell array
    // holds or a directive's number overflows.
    void Read(cmcGTex& table, const std::string& section, const cmcCellObj& tmpl,
              const ItemHandler& directive);

    // The base directives: LoopFrom N, LoopTo, SelectON and SelectOFF, matched as prefixes.
    void DoDirective(std::string_view item);

    // The number after a directive's key when a blank and a value follow it; none otherwise.
    // An overflowing number is a layout error.
    std::optional<int> NumberAfter(std::string_view item, std::string_view key) const;
    // The source line being read.
    int Line() const { return line_; }
    // The next lines of the section are skipped (the closing "#" line never is).
    void SkipLines(int count) { skip_ = count; }
    // A loop starts at the current line and runs count times in all.
    void StartLoop(int count);
    void EndLoop() { loopEnd_ = line_; }
    // The select flag of the rows read from now on.
    void SetSelect(bool on) { select_ = on; }

    int Cols() const { return cols_; }
    int Rows() const { return static_cast<int>(rows_.size()); }
    const std::vector<clsSheeRowAtr>& RowAttrs() const { return rows_; }
    std::vector<clsSheeRowAtr>& RowAttrs() { return rows_; }

private:
    void ReadRowLine(const cmcCellObj& tmpl);
    void EndOfDirectiveLine();
    void AddRow(int32_t sourceLine);
    // Rows that would need more cells than a cell array holds are refused, naming the line
    // that asks for them (a row, or the start of a loop), before anything is made for them.
    void CheckSize(long long rows, std::string_view line) const;

    std::string section_;
    std::string text_;
    int line_ = 0;
    int skip_ = 0;
    int cols_ = 0;
    int loopStart_ = -1;
    int loopEnd_ = -1;
    int loopCount_ = 0;
    bool select_ = true;
    std::string loopText_;
    // Source lines of the rows read since the loop start.
    std::vector<int32_t> loopRows_;
    std::vector<clsSheeRowAtr> rows_;
};
