#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/MessageBox.h"
#include "tests/support/ScopedInstall.h"

// What the fuzz targets share: quiet message boxes whose fatal end throws, so an input that
// reaches a fatal error of the language ends that input only, and a scratch file for the
// readers that take a path.
namespace fuzz {

class QuietBoxes : public platform::MessageBoxes {
public:
    platform::BoxAnswer Show(const std::string& text, const std::string& caption,
                             platform::BoxIcon icon, platform::BoxButtons buttons) override;
    [[noreturn]] void FatalEnd(const std::string& text, const std::string& caption) override;

private:
    testsupport::ScopedBoxes installed_{this};
};

// Writes the input to this process's scratch file (made once, in the temporary folder, removed
// at the end) and returns its path.
const std::string& WriteScratchFile(const uint8_t* data, size_t size, const char* suffix);

// Removes the file or folder when the process ends normally: what the targets leave behind
// lives as long as the process.
void RemoveAtExit(const std::string& path);

// The input's lines (LF or CR LF).
std::vector<std::string> Lines(std::string_view text);

// A property the target checks: when it does not hold, the finding is reported and the process
// aborts, so the fuzzer keeps the input and a replay fails.
void Check(bool holds, const char* property);

}  // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
