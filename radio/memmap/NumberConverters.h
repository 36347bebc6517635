#pragma once

#include "radio/host/ItemContext.h"

// The converters of numbers, decimals and times. Each takes the value, its parameters (named
// per converter) and the capsule's request; it writes the cell's text and returns true when it
// changed the value. Typed text is filtered to digits and the converter's own characters first.

// What stepping past either end of a range does.
enum class Ends { Wrap, Stop };

// "%d". Typed text is rounded and held in range; Space and Backspace step by one.
struct NumberParams {
    int minimum = 0;
    int maximum = 255;
    Ends ends = Ends::Wrap;
};
bool CellInt(CellEdit& edit, int& value, const NumberParams& params);

// "%d" left-padded with "0" to the width; typed text outside the range is ignored.
struct PaddedNumberParams {
    int width = 4;
    int minimum = 0;
    int maximum = 4095;
};
bool CellPaddedInt(CellEdit& edit, int& value, const PaddedNumberParams& params);

// A real number held as an integer: value = real x 10^storedDecimals, shown with
// shownDecimals (1..3) after the point and the integer part in three places. The step is in
// stored units; without stepping, Space opens the editor.
struct DecimalParams {
    int storedDecimals = 0;
    int shownDecimals = 1;
    double minimum = 0;
    double maximum = 0;
    int step = 1;
    bool stepping = true;
};
bool CellDecimal(CellEdit& edit, int& value, const DecimalParams& params);

// A time in units of 1 / unitsPerSecond seconds, shown in seconds with milliseconds; up to
// cutZeros trailing zeros (and then the point) are cut. With offText, 0 shows the text of
// "GI_AppInd_TimerOff" while no key is handled; "of" typed stands for 0.
struct TimerParams {
    int unitsPerSecond = 1;
    int minimum = 0;
    int maximum = 255;
    bool offText = false;
    int cutZeros = 0;
};
bool CellTimer(CellEdit& edit, int& value, const TimerParams& params);

// Minutes and seconds "mm:ss" counted in steps of stepSeconds.
struct MinSecParams {
    int minimumSeconds = 0;
    int maximumSeconds = 3570;
    int stepSeconds = 30;
};
bool CellMinSec(CellEdit& edit, int& value, const MinSecParams& params);

// A byte counting units of 10.9375 ms, shown and typed in seconds with milliseconds.
struct ScaledByteParams {};
bool CellScaledByte(CellEdit& edit, int& value, const ScaledByteParams& params);

// A figure the program works out, "%d": shown only; no key or input changes it.
struct FigureParams {};
bool CellFigure(CellEdit& edit, int& value, const FigureParams& params);
