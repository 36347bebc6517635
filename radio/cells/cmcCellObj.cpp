#include "radio/cells/cmcCellObj.h"

#include <utility>

#include "common/ColourNames.h"
#include "common/DecimalNumber.h"
#include "common/FontSetting.h"
#include "common/MainGTex.h"
#include "common/TextHelpers.h"
#include "platform/LeadByte.h"
#include "platform/MessageBox.h"
#include "radio/cells/CellNames.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

using platform::CharLength;

// The first single-byte c at or after from, with "\" making the next character ordinary.
std::size_t FindUnescaped(std::string_view text, char c, std::size_t from = 0) {
    std::size_t i = from;
    while (i < text.size()) {
        const std::size_t len = CharLength(text, i);
        if (len == 1 && text[i] == c) {
            return i;
        }
        if (len == 1 && text[i] == '\\' && i + 1 < text.size()) {
            i += 1 + CharLength(text, i + 1);
        } else {
            i += len;
        }
    }
    return npos;
}

// The first single-byte character of the set at or after from; no escapes.
std::size_t FindPlain(std::string_view text, std::string_view set, std::size_t from = 0) {
    for (std::size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (CharLength(text, i) == 1 && set.find(text[i]) != npos) {
            return i;
        }
    }
    return npos;
}

// Whether the single-byte character at pos follows a single-byte "\".
bool FollowsBackslash(std::string_view text, std::size_t pos) {
    bool backslash = false;
    for (std::size_t i = 0; i < pos; i += CharLength(text, i)) {
        backslash = CharLength(text, i) == 1 && text[i] == '\\';
    }
    return backslash;
}

// The text after the first "=", or none without one.
std::optional<std::string_view> AfterEquals(std::string_view text) {
    const std::size_t eq = text.find('=');
    if (eq == npos) {
        return std::nullopt;
    }
    return text.substr(eq + 1);
}

// The text with every "\" removed that escapes the character after it.
std::string Unescaped(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        if (len == 1 && text[i] == '\\') {
            ++i;
            if (i < text.size()) {
                const std::size_t next = CharLength(text, i);
                out.append(text.substr(i, next));
                i += next;
            }
            continue;
        }
        out.append(text.substr(i, len));
        i += len;
    }
    return out;
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

std::string_view TrimCaption(std::string_view text) {
    while (!text.empty() && IsBlankOrControl(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlankOrControl(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

void cmcCellObj::FreeParts() {
    optionText.reset();
    caption.reset();
    font.reset();
    popupMenuName.reset();
}

void cmcCellObj::Reset() {
    FreeParts();
    item = kItemNone;
    imageIndex = -1;
    layoutBits = 0;
    stateBits = 0;
    stateBits2 &= static_cast<uint8_t>(~0x03);
    colour = kColourClWindow;
    if (parent) {
        const cmcCellObj* keep = parent;
        CopyFrom(*keep);
        parent = keep;
        font.reset();
        popupMenuName.reset();
    }
}

void cmcCellObj::CopyFrom(const cmcCellObj& source) {
    if (&source != this) {
        *this = source;
    }
}

const std::string* cmcCellObj::GetPopupMenuName() const {
    for (const cmcCellObj* cell = this; cell; cell = cell->parent) {
        if (cell->popupMenuName && !cell->popupMenuName->empty()) {
            return &*cell->popupMenuName;
        }
    }
    return nullptr;
}

std::string_view cmcCellObj::ParseDefinition(cmcCellObj& cell, std::string_view row,
                                             ChannelVars* vars, const cmcCellObj* tmpl,
                                             bool countOnly) {
    const std::size_t bar = FindUnescaped(row, '|');
    const std::string_view text = row.substr(0, bar);
    const std::string_view rest = bar == npos ? std::string_view() : row.substr(bar + 1);
    cell.parent = tmpl;
    cell.Reset();
    if (!countOnly) {
        cell.channelVars = vars;
        cell.ParseCellText(text);
        cell.channelVars = nullptr;
    }
    return rest;
}

void cmcCellObj::ParseCellText(std::string_view text) {
    std::string attributes;
    std::string captionText;
    bool inAttributes = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        if (len == 1 && (text[i] == '{' || text[i] == '}')) {
            inAttributes = text[i] == '{';
        } else {
            (inAttributes ? attributes : captionText).append(text.substr(i, len));
        }
        i += len;
    }
    ParseAttributes(attributes);
    ParseCaption(captionText);
}

void cmcCellObj::ParseAttributes(std::string_view text) {
    modelExpansions_ = 0;
    ParseAttributesAt(text, 0);
}

void cmcCellObj::ParseAttributesAt(std::string_view text, int depth) {
    // "!" negates exactly the next interpreted character, whatever it is; an escape pair is
    // not interpreted and lets the negation pass on.
    bool negateNext = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = CharLength(text, i);
        const char c = len == 1 ? text[i] : '\0';
        if (c == '\\') {
            i += i + 1 < text.size() ? 1 + CharLength(text, i + 1) : 1;
            continue;
        }
        const bool negated = negateNext;
        negateNext = c == '!';
        if (c == '(') {
            const std::size_t close = FindUnescaped(text, ')', i + 1);
            if (close == npos) {
                return;  // an option never closed is dropped
            }
            ApplyOptionAt(text.substr(i + 1, close - i - 1), depth);
            i = close + 1;
            continue;
        }
        SetLetter(c, negated);
        i += len;
    }
}

void cmcCellObj::SetLetter(char letter, bool negated) {
    auto align = [this](uint8_t mask, int shift, int value) {
        layoutBits = static_cast<uint8_t>((layoutBits & ~mask) | (value << shift));
    };
    auto flag = [negated](uint8_t& bits, uint8_t bit) {
        bits = static_cast<uint8_t>(negated ? bits & ~bit : bits | bit);
    };
    switch (letter) {
        case '<':
            align(kLayoutHorzMask, 0, 0);
            break;
        case '^':
            align(kLayoutHorzMask, 0, 1);
            break;
        case '>':
            align(kLayoutHorzMask, 0, 2);
            break;
        case '~':
            align(kLayoutVertMask, 2, 0);
            break;
        case '-':
            align(kLayoutVertMask, 2, 1);
            break;
        case '_':
            align(kLayoutVertMask, 2, 2);
            break;
        case 'W':
            flag(layoutBits, kLayoutFitColumn);
            break;
        case 'H':
            flag(layoutBits, kLayoutFitRow);
            break;
        case '+':
            flag(layoutBits, kLayoutJoined);
            break;
        case 'B':
            flag(layoutBits, kLayoutBottomLine);
            break;
        case 'S':
            flag(stateBits, kStateSelectable);
            break;
        case 'T':
            flag(stateBits, kStateTail);
            break;
        default:
            break;  // anything else is ignored
    }
}

void cmcCellObj::ApplyOption(std::string_view text) {
    modelExpansions_ = 0;
    ApplyOptionAt(text, 0);
}

void cmcCellObj::ApplyOptionAt(std::string_view text, int depth) {
    if (text.starts_with("$")) {
        ApplyModel(text.substr(1), depth);
    } else if (text.starts_with("Color")) {
        ApplyColour(text);
    } else if (text.starts_with("Font")) {
        ApplyFont(text);
    } else if (text.starts_with("%")) {
        ParseBinding(text.substr(1));
    } else if (text.starts_with("@")) {
        ApplyChannelOption(text);
    } else if (text.starts_with("ImageIndex")) {
        if (auto value = AfterEquals(text)) {
            imageIndex = ReadDecimal(*value).value;
        }
    } else if (text.starts_with("PopupMenu")) {
        if (auto value = AfterEquals(text)) {
            popupMenuName = std::string(*value);
        }
    } else if (text.starts_with("Flag")) {
        ApplyFlag(text);
    }
}

void cmcCellObj::ApplyModel(std::string_view name, int depth) {
    if (depth >= kMaxModelDepth || ++modelExpansions_ > kMaxModelExpansions) {
        platform::Fatal("Cell models nested too deeply.\n'" + std::string(name) + "'");
    }
    const std::string model = MainGTex().GetLine("CellModel_" + std::string(name), 0);
    ParseAttributesAt(model, depth + 1);
}

void cmcCellObj::ApplyColour(std::string_view text) {
    if (auto name = AfterEquals(text)) {
        ColourFromName(std::string(*name), colour);
    }
}

void cmcCellObj::ApplyFont(std::string_view text) {
    auto spec = AfterEquals(text);
    if (!spec) {
        return;
    }
    if (!font) {
        font = parent && parent->font ? *parent->font : cmcFont();
    }
    ApplyFontSpec(*spec, *font);
}

void cmcCellObj::ApplyChannelOption(std::string_view text) {
    int32_t& variable = ChannelVariable(text);
    const std::string_view rest = SkipBlanks(text.substr(4));
    if (rest.starts_with("++")) {
        variable = static_cast<int32_t>(static_cast<uint32_t>(variable) + 1u);
    } else if (rest.starts_with("=")) {
        variable = ReadDecimal(rest.substr(1)).value;
    }
}

void cmcCellObj::ApplyFlag(std::string_view text) {
    if (text.size() < 7 || text[5] != '=' || (text[6] != '0' && text[6] != '1') || text[4] < '0' ||
        text[4] > '7') {
        return;
    }
    const int n = text[4] - '0';
    uint8_t& bits = n < 6 ? stateBits : stateBits2;
    const auto bit = static_cast<uint8_t>(n < 6 ? 1 << (n + 2) : 1 << (n - 6));
    bits = static_cast<uint8_t>(text[6] == '1' ? bits | bit : bits & ~bit);
}

void cmcCellObj::ParseBinding(std::string_view text) {
    std::size_t nameStart = 0;
    std::size_t nameEnd = FindPlain(text, "[:");
    // The category's "." stands before the index and the option text, which may hold dots.
    const std::size_t dot = FindPlain(text.substr(0, nameEnd), ".");
    if (dot != npos && !FollowsBackslash(text, dot)) {
        category = CategoryNameToCode(text.substr(0, dot));
        nameStart = dot + 1;
    }
    const std::size_t nameLength = nameEnd == npos ? npos : nameEnd - nameStart;
    item = ItemNameToCode(text.substr(nameStart, nameLength));
    if (nameEnd == npos) {
        return;
    }
    std::size_t optionFrom = nameEnd;
    if (text[nameEnd] == '[') {
        const std::size_t close = FindPlain(text, "]", nameEnd + 1);
        const std::string_view indexText = text.substr(nameEnd + 1, close - nameEnd - 1);
        index =
            indexText.starts_with("@") ? ChannelVariable(indexText) : ReadDecimal(indexText).value;
        optionFrom = close;
    }
    const std::size_t colon = FindPlain(text, ":", optionFrom);
    if (colon != npos) {
        optionText = Unescaped(text.substr(colon + 1));
    }
}

int32_t& cmcCellObj::ChannelVariable(std::string_view text) {
    const bool wellFormed = text.size() >= 4 && text.starts_with("@ch") && text[3] >= '0' &&
                            text[3] <= '9' && (text.size() == 4 || text[4] < '0' || text[4] > '9');
    if (!wellFormed || !channelVars) {
        platform::Fatal("Ch No. Error");
    }
    return (*channelVars)[static_cast<std::size_t>(text[3] - '0')];
}

void cmcCellObj::ParseCaption(std::string_view text) {
    caption.reset();
    const std::string_view trimmed = TrimCaption(text);
    std::string out;
    for (std::size_t i = 0; i < trimmed.size();) {
        const std::size_t len = CharLength(trimmed, i);
        if (len == 2 || trimmed[i] != '\\') {
            out.append(trimmed.substr(i, len));
            i += len;
        } else if (i + 1 == trimmed.size()) {
            break;  // a "\" at the very end gives nothing
        } else {
            i += 1 + AppendEscape(trimmed, i + 1, out);
        }
    }
    if (!out.empty()) {
        caption = std::move(out);
    }
}

std::size_t cmcCellObj::AppendEscape(std::string_view text, std::size_t at, std::string& out) {
    const char escaped = text[at];
    if (escaped == 'N' || escaped == 'n') {
        out += '\n';
        return 1;
    }
    if (escaped == '_') {
        out += ' ';
        return 1;
    }
    if (escaped == '(') {
        const std::size_t close = FindPlain(text, ")", at + 1);
        if (close == npos) {
            platform::Fatal("Illegal Ch No.");
        }
        AppendCaptionValue(text.substr(at + 1, close - at - 1), out);
        return close + 1 - at;
    }
    const std::size_t len = CharLength(text, at);
    out.append(text.substr(at, len));
    return len;
}

void cmcCellObj::AppendCaptionValue(std::string_view inner, std::string& out) {
    int64_t value = ChannelVariable(inner);
    std::string rest(inner.substr(4));
    RemoveBlanks(rest);
    if (rest.starts_with("+")) {
        value += ReadDecimal(std::string_view(rest).substr(1)).value;
    }
    out += std::to_string(value).substr(0, 6);
}
