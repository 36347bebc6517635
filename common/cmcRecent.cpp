#include "common/cmcRecent.h"

#include "platform/TextCompare.h"

namespace {

bool IsSeparator(char c) {
    return c == '/' || c == '\\';
}

std::string WithoutTrailingSeparator(std::string path) {
    if (!path.empty() && IsSeparator(path.back())) {
        path.pop_back();
    }
    return path;
}

}  // namespace

cmcRecent::cmcRecent(int capacity) : capacity_(capacity) {}

void cmcRecent::Clear() {
    list_.clear();
}

int cmcRecent::GetCount() {
    TrimToCapacity();
    return static_cast<int>(list_.size());
}

void cmcRecent::AddToTop(const std::string& name) {
    RemoveName(name);
    list_.insert(list_.begin(), name);
    TrimToCapacity();
}

void cmcRecent::AddToEnd(const std::string& name) {
    RemoveName(name);
    list_.push_back(name);
    TrimToCapacity();
}

void cmcRecent::RemoveName(const std::string& name) {
    for (size_t i = list_.size(); i-- > 0;) {
        if (platform::EqualsIgnoreCase(list_[i], name)) {
            list_.erase(list_.begin() + static_cast<long>(i));
        }
    }
}

std::string cmcRecent::GetDisplayName(int i, const std::string& folder) {
    if (i < 0 || i >= GetCount()) {
        return "";
    }
    const std::string& entry = list_[static_cast<size_t>(i)];
    if (folder.empty()) {
        return entry;  // the settings writer stores full paths
    }
    size_t cut = entry.find_last_of("/\\");
    std::string entryFolder = cut == std::string::npos ? "" : entry.substr(0, cut + 1);
    if (platform::EqualsIgnoreCase(WithoutTrailingSeparator(entryFolder),
                                   WithoutTrailingSeparator(folder))) {
        return cut == std::string::npos ? entry : entry.substr(cut + 1);
    }
    return entry;
}

void cmcRecent::TrimToCapacity() {
    while (static_cast<int>(list_.size()) > capacity_ && !list_.empty()) {
        list_.pop_back();
    }
}
