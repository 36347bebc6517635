// The loader's own text table, field splitter and environment on any lines. Every key the
// input names is looked up forwards and backwards (the reader keeps its place in a section)
// and must give what a plain reading of the lines gives; every line is cut into fields at the
// loader's delimiters, with and without the double-byte rule, and its fields with their
// delimiters must give the line back; the sequence shows its warning, the tips of its first
// states and every error from the table; the port choice stays within 1..4.
#include <algorithm>
#include <climits>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "loader/SequenceMemo.h"
#include "loader/TableNumber.h"
#include "loader/clsEnviron.h"
#include "loader/clsGTex.h"
#include "loader/clsMainSeq.h"
#include "loader/clsSequenceDriver.h"
#include "loader/clsStrCom.h"
#include "platform/LeadByte.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/InputReader.h"
#include "tests/support/VirtualTime.h"

namespace {

constexpr const char* kEndKey = "End_Of_Ovl";

// The memo keeps nothing: only the texts' way there is under test.
class NullMemo : public SequenceMemo {
public:
    void AppendText(const std::string&) override {}
    void AddLine(const std::string&) override {}
    void AppendToLastLine(const std::string&) override {}
    void CaretToEnd() override {}
    void EndProgram() override {}
};

// A line as the reader sees it: up to its first NUL, at most the reader's line length.
std::string Cut(const std::string& line) {
    return line.substr(0, std::min(std::strlen(line.c_str()), clsGTex::kMaxLineChars));
}

// Line n of the first section of the key before the end marker, read plainly.
std::string ExpectedLine(const std::vector<std::string>& lines, const std::string& key, int n) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Cut(lines[i]);
        if (line.size() < 2 || line[0] != '#') {
            continue;
        }
        if (line.substr(1) == key) {
            const size_t at = i + 1 + static_cast<size_t>(n);
            return n >= 0 && at < lines.size() ? Cut(lines[at]) : clsGTex::kErrorText;
        }
        if (line.substr(1) == kEndKey) {
            break;
        }
    }
    return clsGTex::kErrorText;
}

void LookUp(clsGTex& table, const std::vector<std::string>& lines, const std::string& key, int n) {
    fuzz::Check(table.GetLine(key, n) == ExpectedLine(lines, key, n),
                "a table line is the line that many after its key");
}

void CheckTable(const std::vector<std::string>& lines, const std::vector<const char*>& pointers) {
    std::vector<std::string> keys = {kEndKey, "Absent", ""};
    for (const std::string& line : lines) {
        if (keys.size() < 32 && line.size() > 1 && line[0] == '#') {
            keys.push_back(Cut(line).substr(1));
        }
    }
    clsGTex table;
    table.SetLines(pointers);
    for (const std::string& key : keys) {
        for (int n = 0; n < 3; ++n) {
            LookUp(table, lines, key, n);
        }
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        for (int n : {2, 1, 0, 4, -1, 1 << 20}) {
            LookUp(table, lines, *key, n);
        }
    }
}

void CheckFields(const std::string& text, const std::string& delims) {
    clsStrCom line;
    line.Set(text);
    const int fields = line.CountFields(delims);
    std::string joined;
    int from = 1;
    for (int n = 0; n < fields; ++n) {
        const std::string field = line.GetField(delims, n);
        const int at = line.FindDelimiter(delims, from);
        fuzz::Check(at == from + static_cast<int>(field.size()), "a field ends at a delimiter");
        joined += field;
        if (n + 1 < fields) {
            joined += text[static_cast<size_t>(at - 1)];
        }
        from = at + 1;
    }
    fuzz::Check(joined == text, "the fields and their delimiters give the text back");
    fuzz::Check(line.GetField(delims, fields).empty() && line.GetField(delims, -1).empty(),
                "there is no field past the last");
}

void CheckSplitter(const std::vector<std::string>& lines) {
    for (platform::LeadByteRule rule :
         {platform::LeadByteRule::None, platform::LeadByteRule::ShiftJis}) {
        platform::SetLeadByteRule(rule);
        for (const std::string& line : lines) {
            for (const char* delims : {"@", "+", ",", "@+,"}) {
                CheckFields(Cut(line), delims);
            }
        }
    }
    platform::SetLeadByteRule(platform::LeadByteRule::None);
}

// A table number read plainly: blanks, a sign, digits and nothing else, within int.
std::optional<int64_t> ExpectedNumber(std::string_view text) {
    while (text.starts_with(' ')) {
        text.remove_prefix(1);
    }
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+')) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (char digit : text) {
        value = std::min<int64_t>(value * 10 + (digit - '0'), int64_t{1} << 40);
    }
    value = negative ? -value : value;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return value;
}

// The numbers of the table (window size, fonts): the number its text gives, or the refusal.
void CheckNumbers(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        std::optional<int64_t> read;
        try {
            read = TableNumber(line);
        } catch (const std::invalid_argument&) {
        }
        fuzz::Check(read == ExpectedNumber(line), "a table number is the number its text gives");
    }
}

void ShowSequenceTexts(const std::vector<const char*>& pointers, fuzz::InputReader& input) {
    static clsEnviron environ("Zelk Fennmoor Fuzz Mutex");
    testsupport::VirtualTime time(1000);
    clsGTex texts;
    texts.SetLines(pointers);
    clsMainSeq sequence(texts);
    NullMemo memo;
    clsSequenceDriver driver(sequence, texts, environ, memo);
    for (int tick = 0; tick < 8; ++tick) {
        const int before = environ.GetComPort();
        const int port = input.Number(-2, 6);
        const int now = environ.SetComPort(port);
        fuzz::Check(now == (port >= 1 && port <= 4 ? port : before), "the port is 1 to 4");
        driver.SequenceTick();
        time.Advance(1);
    }
    for (int error = -1; error <= clsMainSeq::Err_Unknown + 1; ++error) {
        driver.ShowSequenceError(error);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::QuietBoxes boxes;
    fuzz::InputReader input(data, size);
    const std::vector<std::string> lines =
        fuzz::Lines(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<const char*> pointers;
    for (const std::string& line : lines) {
        pointers.push_back(line.c_str());
    }
    CheckTable(lines, pointers);
    CheckSplitter(lines);
    CheckNumbers(lines);
    ShowSequenceTexts(pointers, input);
    return 0;
}
