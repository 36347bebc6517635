#include "tools/layer_check/IncludeLine.h"

#include "common/TextHelpers.h"

std::optional<IncludeLine> ParseIncludeLine(std::string_view line) {
    line = SkipBlanks(line);
    if (!line.starts_with('#')) {
        return std::nullopt;
    }
    line = SkipBlanks(line.substr(1));
    if (!line.starts_with("include")) {
        return std::nullopt;
    }
    line = SkipBlanks(line.substr(7));
    if (line.empty() || (line.front() != '"' && line.front() != '<')) {
        return std::nullopt;
    }
    const bool angle = line.front() == '<';
    const std::size_t close = line.find(angle ? '>' : '"', 1);
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return IncludeLine{line.substr(1, close - 1), angle};
}
