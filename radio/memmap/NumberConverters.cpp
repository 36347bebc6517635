#include "radio/memmap/NumberConverters.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "common/cmcGTex.h"
#include "radio/cells/cmcCellCapsule.h"
#include "radio/memmap/CellEditing.h"
#include "radio/memmap/TypedInput.h"

namespace {

// Numbers are read from at most this many characters.
constexpr std::size_t kNumberLength = 9;
// Typed decimals are kept within these before rounding.
constexpr double kDecimalLowest = -(1 << 30) - 2.0;
constexpr double kDecimalHighest = (1 << 30) - 2.0;
// A scaled byte counts units of this many milliseconds.
constexpr double kScaledUnitMs = 10.9375;
constexpr double kScaledUnitsPerMs = 0.0914285714285714286;
constexpr int kScaledLowestMs = 10;
constexpr int kScaledHighestMs = 2789;
constexpr int kScaledStepMs = 11;
constexpr std::size_t kScaledLength = 5;
// "mm:ss" at most.
constexpr std::size_t kMinSecLength = 5;

bool IsTyped(const CellEdit& edit) {
    return edit.capsule.inputMode == kInputText;
}

long long PowerOfTen(int n) {
    long long power = 1;
    for (int i = 0; i < n; ++i) {
        power *= 10;
    }
    return power;
}

std::string SecondsText(long long whole, long long thousandths) {
    char text[48];
    std::snprintf(text, sizeof text, "%3lld.%03lld", whole, thousandths);
    return text;
}

// The integer part right-aligned in three places, a point and the fraction digits.
std::string DecimalText(int value, int storedDecimals, int shownDecimals) {
    const long long scale = PowerOfTen(storedDecimals);
    const long long whole = value / scale;
    long long fraction = std::llabs(value % scale);
    if (shownDecimals >= storedDecimals) {
        fraction *= PowerOfTen(shownDecimals - storedDecimals);
    } else {
        fraction /= PowerOfTen(storedDecimals - shownDecimals);
    }
    // A value between -1 and 0 keeps its sign, which the whole part alone would lose.
    const std::string wholeText = value < 0 && whole == 0 ? "-0" : std::to_string(whole);
    char text[48];
    std::snprintf(text, sizeof text, "%3s.%0*lld", wholeText.c_str(), shownDecimals, fraction);
    return text;
}

// Cuts up to count trailing zeros; a point reached ends the cutting after it goes.
void CutTrailingZeros(std::string& text, int count) {
    for (int i = 0; i < count && !text.empty(); ++i) {
        const char last = text.back();
        if (last != '0' && last != '.') {
            return;
        }
        text.pop_back();
        if (last == '.') {
            return;
        }
    }
}

int ScaledByteMs(int byte) {
    return static_cast<int>(std::floor(byte * kScaledUnitMs + 0.5));
}

int MsToScaledByte(int ms) {
    return static_cast<int>(std::floor(ms * kScaledUnitsPerMs + 0.5));
}

}  // namespace

bool CellInt(CellEdit& edit, int& value, const NumberParams& params) {
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FilteredText(edit.capsule.inText, ".-");
        if (!FilteredText(text, ".").empty()) {
            value = std::clamp(ParseRoundedInt(text), params.minimum, params.maximum);
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    if (const int step = StepOfKey(key)) {
        value = StepWithin(value, step, params.minimum, params.maximum, params.ends == Ends::Stop);
        changed = true;
    }
    ShowText(edit, std::to_string(value));
    if (IsDigitKey(key) || (key == '-' && params.minimum < 0)) {
        AskEditorWithKey(edit, key);
    } else if (key == kKeyEnter) {
        AskEditorOnText(edit);
    }
    return changed;
}

bool CellPaddedInt(CellEdit& edit, int& value, const PaddedNumberParams& params) {
    bool changed = false;
    if (IsTyped(edit) && !FilteredText(edit.capsule.inText, "").empty()) {
        const int typed = ParseRoundedInt(edit.capsule.inText);
        if (typed >= params.minimum && typed <= params.maximum) {
            value = typed;
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    if (const int step = StepOfKey(key)) {
        value = StepWithin(value, step, params.minimum, params.maximum, false);
        changed = true;
    }
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < params.width) {
        text.insert(0, static_cast<std::size_t>(params.width) - text.size(), '0');
    }
    ShowText(edit, text);
    if (IsDigitKey(key)) {
        AskEditorWithKey(edit, key);
    } else if (key == kKeyEnter) {
        AskEditorOnText(edit);
    }
    return changed;
}

bool CellDecimal(CellEdit& edit, int& value, const DecimalParams& params) {
    const double scale = static_cast<double>(PowerOfTen(params.storedDecimals));
    const int minimum = static_cast<int>(RoundHalfAway(params.minimum * scale));
    const int maximum = static_cast<int>(RoundHalfAway(params.maximum * scale));
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FirstChars(FilteredText(edit.capsule.inText, ".-"), kNumberLength);
        if (!text.empty()) {
            const double typed =
                std::clamp(ReadReal(text) * scale, kDecimalLowest, kDecimalHighest);
            long long stored = RoundHalfAway(typed);
            if (params.step > 0) {
                stored -= stored % params.step;
            }
            value = static_cast<int>(std::clamp<long long>(stored, minimum, maximum));
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    const int step = StepOfKey(key);
    if (step && params.stepping) {
        value = StepWithin(value, step * params.step, minimum, maximum, false);
        changed = true;
    }
    ShowText(edit, DecimalText(value, params.storedDecimals, params.shownDecimals));
    if (key == '.') {
        AskEditorAfterPoint(edit);
    } else if (key == kKeyEnter || (step && !params.stepping)) {
        AskEditorOnText(edit);
    } else if (IsDigitKey(key) || key == '-') {
        AskEditorWithKey(edit, key);
    }
    return changed;
}

bool CellTimer(CellEdit& edit, int& value, const TimerParams& params) {
    const int units = std::max(params.unitsPerSecond, 1);
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FirstChars(FilteredText(edit.capsule.inText, "."), kNumberLength);
        const std::string offForm = FilteredText(edit.capsule.inText, "ofOF");
        if (offForm.size() > 1 && BeginsWithOff(offForm)) {
            value = 0;
            changed = true;
        } else if (!text.empty()) {
            const double typed = (ReadReal(text) + 0.0005) * units;
            value = static_cast<int>(std::clamp<double>(typed, params.minimum, params.maximum));
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    if (const int step = StepOfKey(key)) {
        value = StepWithin(value, step, params.minimum, params.maximum, false);
        changed = true;
    }
    if (key != 0 || !params.offText || value != 0) {
        std::string text = SecondsText(value / units, (value * 1000LL / units) % 1000);
        CutTrailingZeros(text, params.cutZeros);
        ShowText(edit, text);
    } else {
        ShowText(edit, edit.services.texts.GetLine("GI_AppInd_TimerOff", 0));
    }
    if (IsDigitKey(key) || key == '.' || key == 'O' || key == 'o') {
        AskEditorWithKey(edit, key);
    } else if (key == kKeyEnter) {
        AskEditorOnText(edit);
    }
    return changed;
}

bool CellMinSec(CellEdit& edit, int& value, const MinSecParams& params) {
    const int step = std::max(params.stepSeconds, 1);
    const int perMinute = std::max(60 / step, 1);
    const int minimum = params.minimumSeconds / step;
    const int maximum = params.maximumSeconds / step;
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FilteredText(edit.capsule.inText, ":");
        if (!text.empty() && text.size() <= kMinSecLength) {
            const std::size_t colon = text.find(':');
            const int minutes = ReadDigits(std::string_view(text).substr(0, colon));
            const int seconds = colon == std::string::npos
                                    ? 0
                                    : ReadDigits(std::string_view(text).substr(colon + 1));
            const int steps = seconds / step + perMinute * minutes + (seconds % step >= step / 2);
            value = std::clamp(steps, minimum, maximum);
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    if (const int direction = StepOfKey(key)) {
        value = StepWithin(value, direction, minimum, maximum, false);
        changed = true;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%2d:%02d", value / perMinute, step * (value % perMinute));
    ShowText(edit, text);
    if (IsDigitKey(key) || key == ':') {
        AskEditorWithKey(edit, key);
    } else if (key == kKeyEnter) {
        AskEditorOnText(edit);
    }
    return changed;
}

bool CellScaledByte(CellEdit& edit, int& value, const ScaledByteParams&) {
    int ms = ScaledByteMs(value);
    bool changed = false;
    if (IsTyped(edit)) {
        const std::string text = FirstChars(FilteredText(edit.capsule.inText, ".-"), kScaledLength);
        if (!text.empty()) {
            ms = static_cast<int>(std::clamp<long long>(RoundHalfAway(ReadReal(text) * 1000),
                                                        kScaledLowestMs, kScaledHighestMs));
            changed = true;
        }
    }
    const int key = ActiveKey(edit);
    if (const int step = StepOfKey(key)) {
        ms += step * kScaledStepMs;
        if (ms < kScaledLowestMs) {
            ms = kScaledHighestMs;
        } else if (ms > kScaledHighestMs) {
            ms = kScaledLowestMs;
        }
        changed = true;
    }
    ShowText(edit, SecondsText(ms / 1000, ms % 1000));
    if (key == '.') {
        AskEditorAfterPoint(edit);
    } else if (key == kKeyEnter) {
        AskEditorOnText(edit);
    } else if (IsDigitKey(key) || key == '-') {
        AskEditorWithKey(edit, key);
    }
    if (changed) {
        value = MsToScaledByte(ms);
    }
    return changed;
}

bool CellFigure(CellEdit& edit, int& value, const FigureParams&) {
    ShowText(edit, std::to_string(value));
    return false;
}
