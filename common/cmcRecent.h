#pragma once

#include <string>
#include <vector>

// The most-recently-used file list: full paths, most recent first, names compared without
// regard to letter case.
class cmcRecent {
public:
    explicit cmcRecent(int capacity);

    void Clear();
    int GetCount();
    void AddToTop(const std::string& name);
    void AddToEnd(const std::string& name);
    void RemoveName(const std::string& name);
    // Entry i, reduced to its file name when it lies in the given folder; "" past the end.
    std::string GetDisplayName(int i, const std::string& folder);
    void TrimToCapacity();

private:
    int capacity_;
    std::vector<std::string> list_;
};
