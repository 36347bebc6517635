#pragma once

#include <string>

// The log memo of the loader window as the per-tick driver sees it; the window implements
// it, tests record it. Lines are separated by "\r\n" in the texts handed to AppendText.
class SequenceMemo {
public:
    virtual ~SequenceMemo() = default;
    // The memo's text becomes its text followed by this.
    virtual void AppendText(const std::string& text) = 0;
    // A new line at the end.
    virtual void AddLine(const std::string& line) = 0;
    // Appends to the last line (a first line when the memo is empty).
    virtual void AppendToLastLine(const std::string& text) = 0;
    virtual void CaretToEnd() = 0;
    // A fatal sequence error was shown: the program ends (exit code 0).
    virtual void EndProgram() = 0;
};
