#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/cmcFont.h"
#include "radio/cells/CellNameTables.h"

// The channel variables @ch0..@ch9 of a sheet build.
using ChannelVars = std::array<int32_t, 10>;

struct CellId {
    int32_t category;
    int32_t item;
    int32_t index;
    bool operator==(const CellId&) const = default;
};

// Layout bits: alignment and the sheet letters W, H, + and B.
inline constexpr uint8_t kLayoutHorzMask = 0x03;  // 0 left, 1 centre, 2 right
inline constexpr uint8_t kLayoutVertMask = 0x0C;  // 0 top, 1 middle, 2 bottom (<< 2)
inline constexpr uint8_t kLayoutFitColumn = 0x10;
inline constexpr uint8_t kLayoutFitRow = 0x20;
inline constexpr uint8_t kLayoutJoined = 0x40;
inline constexpr uint8_t kLayoutBottomLine = 0x80;
// State bits: S and T, then Flag0..Flag5 from bit 2; Flag6 and Flag7 are stateBits2 bits 0, 1.
inline constexpr uint8_t kStateSelectable = 0x01;
inline constexpr uint8_t kStateTail = 0x02;
// The state of a command that the dispatcher reports to menus and tool bars, in Flag0..Flag3;
// a menu clears these and Flag4 (kStateCommandBits) before it asks.
inline constexpr uint8_t kStateChecked = 0x04;
inline constexpr uint8_t kStateHidden = 0x08;
inline constexpr uint8_t kStateDisabled = 0x10;
inline constexpr uint8_t kStateCaptionReplaced = 0x20;
inline constexpr uint8_t kStateCommandBits = 0x7C;

inline constexpr uint32_t kColourClWindow = 0x80000005;

// The cell descriptor: what a sheet cell, menu item, tool-bar button, tree node or list entry
// shows and how, parsed from a cell definition of the text table.
class cmcCellObj {
public:
    // The defaults that Reset gives a cell without a parent.
    cmcCellObj() = default;

    // The template this cell was parsed against; not owned, must outlive the cell.
    const cmcCellObj* parent = nullptr;
    // Set only for the duration of one parse.
    ChannelVars* channelVars = nullptr;
    int32_t category = kCategoryNone;
    int32_t item = kItemNone;
    int32_t index = 0;
    std::optional<std::string> optionText;
    int32_t imageIndex = -1;
    uint8_t layoutBits = 0;
    uint8_t stateBits = 0;
    uint8_t stateBits2 = 0;
    uint32_t colour = kColourClWindow;
    // None: the template's font is used when drawn.
    std::optional<cmcFont> font;
    std::optional<std::string> popupMenuName;
    std::optional<std::string> caption;

    void FreeParts();
    // Back to the defaults, or to a copy of the parent (without its font and pop-up menu name).
    void Reset();
    // Every field of the source, the parent pointer included, with copies of its texts and font.
    void CopyFrom(const cmcCellObj& source);

    void SetCaption(std::string_view text) { caption = std::string(text); }
    std::string GetCaption() const { return caption.value_or(std::string()); }
    // The own non-empty pop-up menu name, else the parent chain's; none at its top.
    const std::string* GetPopupMenuName() const;
    CellId GetCellId() const { return {category, item, index}; }

    // Takes the next cell off a row ("|" ends a cell unless "\" escapes it), resets the cell
    // against the template and, unless countOnly, parses the cell's text into it. Returns the
    // rest of the row (a view into row).
    static std::string_view ParseDefinition(cmcCellObj& cell, std::string_view row,
                                            ChannelVars* vars, const cmcCellObj* tmpl,
                                            bool countOnly);

    // The steps of the parse. Errors of the language are fatal.
    void ParseCellText(std::string_view text);
    void ParseAttributes(std::string_view text);
    void ApplyOption(std::string_view text);
    void ParseBinding(std::string_view text);
    int32_t& ChannelVariable(std::string_view text);
    void ParseCaption(std::string_view text);

    // Models that use models are followed this deep; deeper is taken for a loop (fatal).
    static constexpr int kMaxModelDepth = 16;
    // And this many models in all for one cell: a table whose models each use the next several
    // times would otherwise take ever (fatal too).
    static constexpr int kMaxModelExpansions = 256;

private:
    void ParseAttributesAt(std::string_view text, int depth);
    void ApplyOptionAt(std::string_view text, int depth);
    void ApplyModel(std::string_view name, int depth);
    void ApplyColour(std::string_view text);
    void ApplyFont(std::string_view text);
    void ApplyChannelOption(std::string_view text);
    void ApplyFlag(std::string_view text);
    void SetLetter(char letter, bool negated);
    // Appends what the escape at text[at] (after its backslash) stands for; returns its length.
    std::size_t AppendEscape(std::string_view text, std::size_t at, std::string& out);
    void AppendCaptionValue(std::string_view inner, std::string& out);

    // Models taken since the attributes or option text of this parse began.
    int modelExpansions_ = 0;
};
