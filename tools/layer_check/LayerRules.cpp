#include "tools/layer_check/LayerRules.h"

namespace {

constexpr std::string_view kTests = "tests";
constexpr std::string_view kFuzz = "fuzz";

// Lowest first. A folder's uses never name a layer above it, so no upper header can reach a
// lower layer. A use "x/*" is x and every folder below it. Tools may use what they build on; a
// tool that draws with Qt has a row of its own.
constexpr Layer kLayers[] = {
    {"platform", false, {"platform"}},
    {"platform/qt", true, {"platform", "platform/qt"}},
    {"common", false, {"platform", "common"}},
    // The radio layer's folders, lowest first; a file at its top may use them all.
    {"radio", false, {"platform", "common", "radio/*"}},
    {"radio/image", false, {"platform", "common", "radio/image"}},
    {"radio/records", false, {"platform", "common", "radio/image", "radio/records"}},
    {"radio/packing",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing"}},
    {"radio/cells",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells"}},
    {"radio/sheet",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet"}},
    {"radio/glyphs",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs"}},
    {"radio/host",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host"}},
    {"radio/memmap",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host", "radio/memmap"}},
    {"radio/memmap/items",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host", "radio/memmap", "radio/memmap/items"}},
    {"radio/clone",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host", "radio/memmap", "radio/memmap/items",
      "radio/clone"}},
    {"radio/clone/file",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host", "radio/memmap", "radio/memmap/items",
      "radio/clone", "radio/clone/file"}},
    {"radio/app",
     false,
     {"platform", "common", "radio/image", "radio/records", "radio/packing", "radio/cells",
      "radio/sheet", "radio/glyphs", "radio/host", "radio/memmap", "radio/memmap/items",
      "radio/clone", "radio/clone/file", "radio/app"}},
    {"loader", false, {"platform", "common", "loader"}},
    // The cloning program's window in the same way.
    {"ui", true, {"platform", "platform/qt", "common", "radio/*", "ui/*"}},
    {"ui/paint", true, {"platform", "platform/qt", "common", "radio/*", "ui/paint"}},
    {"ui/widgets",
     true,
     {"platform", "platform/qt", "common", "radio/*", "ui/paint", "ui/widgets"}},
    {"ui/sheet",
     true,
     {"platform", "platform/qt", "common", "radio/*", "ui/paint", "ui/widgets", "ui/sheet"}},
    {"ui/popups",
     true,
     {"platform", "platform/qt", "common", "radio/*", "ui/paint", "ui/widgets", "ui/sheet",
      "ui/popups"}},
    {"ui/dialogs",
     true,
     {"platform", "platform/qt", "common", "radio/*", "ui/paint", "ui/widgets", "ui/sheet",
      "ui/popups", "ui/dialogs"}},
    {"ui/shell",
     true,
     {"platform", "platform/qt", "common", "radio/*", "ui/paint", "ui/widgets", "ui/sheet",
      "ui/popups", "ui/dialogs", "ui/shell"}},
    {"loader/ui", true, {"platform", "platform/qt", "common", "loader", "loader/ui"}},
    {"apps",
     true,
     {"platform", "platform/qt", "common", "radio/*", "loader", "ui/*", "loader/ui", "apps"}},
    {"tools",
     false,
     {"platform", "platform/qt", "common", "radio/*", "loader", "ui/*", "loader/ui", "tools"}},
    {"tools/sheet_bench",
     true,
     {"platform", "platform/qt", "common", "radio/*", "loader", "ui/*", "loader/ui", "tools",
      "tools/sheet_bench"}},
    {"tools/idle_bench",
     true,
     {"platform", "platform/qt", "common", "radio/*", "loader", "ui/*", "loader/ui", "tools"}},
    {"tools/startup_bench",
     true,
     {"platform", "platform/qt", "common", "radio/*", "loader", "ui/*", "loader/ui", "tools"}},
};

bool InFolder(std::string_view path, std::string_view folder) {
    return path.starts_with(folder) && path.size() > folder.size() && path[folder.size()] == '/';
}

bool IsProjectHeader(std::string_view header) {
    return LayerOf(header) != nullptr || InFolder(header, kTests);
}

bool IsQtHeader(const IncludeLine& include) {
    return include.angle && include.header.starts_with('Q');
}

bool Covers(std::string_view use, std::string_view folder) {
    if (use.ends_with("/*")) {
        use.remove_suffix(2);
        return folder == use || InFolder(folder, use);
    }
    return folder == use;
}

bool Uses(const Layer& layer, const Layer& used) {
    for (std::string_view use : layer.uses) {
        if (Covers(use, used.folder)) {
            return true;
        }
    }
    return false;
}

std::string UsesText(const Layer& layer) {
    std::string text;
    for (std::string_view folder : layer.uses) {
        if (!folder.empty()) {
            text += (text.empty() ? "" : ", ") + std::string(folder);
        }
    }
    return text;
}

// A test folder mirrors the layer it tests: tests/loader/ui is the tests of loader/ui, and
// tests/fuzz/ui the fuzz targets that drive ui.
std::optional<std::string> TestViolation(std::string_view file, const IncludeLine& include) {
    std::string_view mirrored = file.substr(kTests.size() + 1);
    if (InFolder(mirrored, kFuzz)) {
        mirrored.remove_prefix(kFuzz.size() + 1);
    }
    const Layer* tested = LayerOf(mirrored);
    if (IsQtHeader(include) && !(tested && tested->qt)) {
        return "Qt header <" + std::string(include.header) + "> in a test of a layer without Qt";
    }
    return std::nullopt;
}

}  // namespace

const Layer* LayerOf(std::string_view path) {
    const Layer* deepest = nullptr;
    for (const Layer& layer : kLayers) {
        if (InFolder(path, layer.folder) &&
            (!deepest || layer.folder.size() > deepest->folder.size())) {
            deepest = &layer;
        }
    }
    return deepest;
}

std::optional<std::string> IncludeViolation(std::string_view file, const IncludeLine& include) {
    const std::string header(include.header);
    if (!include.angle && !IsProjectHeader(include.header)) {
        return "\"" + header + "\" is not named by its path from the source root";
    }
    if (InFolder(file, kTests)) {
        return TestViolation(file, include);
    }
    const Layer* layer = LayerOf(file);
    if (!layer) {
        return "the file lies in no layer";
    }
    const std::string name(layer->folder);
    if (IsQtHeader(include)) {
        if (layer->qt) {
            return std::nullopt;
        }
        return name + " may not include the Qt header <" + header + ">";
    }
    if (!IsProjectHeader(include.header)) {
        return std::nullopt;  // a system or library header
    }
    const Layer* used = LayerOf(include.header);
    if (used && Uses(*layer, *used)) {
        return std::nullopt;
    }
    return name + " may not include " + header + " (it uses " + UsesText(*layer) + ")";
}
