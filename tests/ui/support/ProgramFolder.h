#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// Stands in for the folder of the running program while it exists: the built data beside the
// programs, or a folder of the test's own that links to them and holds a main text table with
// sections of the test's put in front (so they win over the program's own) and sections left
// out, and a help table of the test's when one is given.
class ProgramFolder {
public:
    struct Tables {
        std::vector<std::string> extraSections;  // lines put in front of the main table
        std::vector<std::string> leftOut;        // keys whose sections are left out
        std::vector<std::string> helpTable;      // whole help table; none: the program's
    };

    ProgramFolder();
    explicit ProgramFolder(const Tables& tables);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    void WriteMainTable(const Tables& tables);
    void WriteLines(const std::string& name, const std::vector<std::string>& lines);

    std::filesystem::path path_;
    bool own_ = false;
};

}  // namespace testsupport
