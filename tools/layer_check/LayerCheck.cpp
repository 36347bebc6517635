#include "tools/layer_check/LayerCheck.h"

#include <algorithm>
#include <fstream>

#include "tools/layer_check/IncludeLine.h"
#include "tools/layer_check/LayerRules.h"

namespace fs = std::filesystem;

namespace {

bool IsSource(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".h" || extension == ".cpp" || extension == ".hpp" || extension == ".cc";
}

bool IsSkippedFolder(const fs::path& folder) {
    return folder.filename().string().starts_with('.') || fs::exists(folder / "CMakeCache.txt");
}

void CheckFile(const fs::path& file, const std::string& name, std::vector<std::string>& found) {
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const auto include = ParseIncludeLine(line);
        if (!include) {
            continue;
        }
        if (const auto why = IncludeViolation(name, *include)) {
            found.push_back(name + ":" + std::to_string(number) + ": " + *why);
        }
    }
}

}  // namespace

std::vector<std::string> CheckLayers(const fs::path& root) {
    std::vector<std::string> found;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::end(it); ++it) {
        if (it->is_directory() && IsSkippedFolder(it->path())) {
            it.disable_recursion_pending();
        } else if (it->is_regular_file() && IsSource(it->path())) {
            CheckFile(it->path(), it->path().lexically_relative(root).generic_string(), found);
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}
