#include "common/cmcGTex.h"

#include <cstring>

#include "platform/MessageBox.h"

namespace {
const char kEndKey[] = "End_Of_Ovl";

bool IsKeyLine(const char* line) {
    return line[0] == '#' && line[1] != '\n' && line[1] != '\0';
}
}  // namespace

cmcGTex::cmcGTex() : buffer_(std::make_unique<char[]>(kLineBufferSize)) {}

cmcGTex::~cmcGTex() = default;

int cmcGTex::SetFileName(const std::string& name) {
    if (mode_ != Mode::None) {
        return 0;
    }
    mode_ = Mode::File;
    fileName_ = name;
    return 1;
}

int cmcGTex::SetLines(const char* const* lines, int count) {
    if (mode_ != Mode::None) {
        return 0;
    }
    mode_ = Mode::Lines;
    lines_ = lines;
    lineCount_ = lines ? count : 0;
    return 1;
}

bool cmcGTex::Open() {
    if (opened_) {
        return true;
    }
    if (mode_ == Mode::Lines) {
        opened_ = lines_ != nullptr;
    } else if (mode_ == Mode::File) {
        opened_ = !fileName_.empty() && stream_.Open(fileName_);
    }
    if (opened_) {
        position_ = 0;
        streamPosition_ = 0;
    }
    return opened_;
}

// Only the logical position moves; the file is positioned when a line is read from it, so
// lines read one after the other (and lines served by the cache) cost no seek.
bool cmcGTex::Seek(long position) {
    if (mode_ == Mode::File && position < 0) {
        return false;
    }
    position_ = position;
    return true;
}

bool cmcGTex::ReadLineUncached() {
    if (mode_ == Mode::Lines) {
        if (position_ < 0 || position_ >= lineCount_) {
            return false;
        }
        const char* line = lines_[position_++];
        size_t n = strnlen(line, kReadSize - 1);
        std::memcpy(buffer_.get(), line, n);
        if (line[n] == '\0' && n < static_cast<size_t>(kReadSize - 1)) {
            buffer_[n++] = '\n';
        }
        buffer_[n] = '\0';
        return true;
    }
    if (position_ != streamPosition_ && !stream_.Seek(position_)) {
        return false;
    }
    if (!stream_.ReadLine(buffer_.get(), kReadSize)) {
        streamPosition_ = -1;
        return false;
    }
    position_ = stream_.Tell();
    streamPosition_ = position_;
    return true;
}

bool cmcGTex::ReadLine(bool useCache) {
    if (!useCache || mode_ != Mode::File) {
        return ReadLineUncached();
    }
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->position == position_) {
            std::memcpy(buffer_.get(), it->text.c_str(), it->text.size() + 1);
            if (!Seek(position_ + it->bytes)) {
                return false;
            }
            cache_.splice(cache_.begin(), cache_, it);
            return true;
        }
    }
    long before = position_;
    if (!ReadLineUncached()) {
        return false;
    }
    if (cache_.size() >= kCacheEntries) {
        cache_.pop_back();
    }
    cache_.push_front(CacheEntry{before, position_ - before, buffer_.get()});
    return true;
}

bool cmcGTex::IndexNextLine(const std::string** addedKey) {
    *addedKey = nullptr;
    if (!indexIncomplete_) {
        return false;
    }
    if (!opened_) {
        if (!Open()) {
            indexIncomplete_ = false;
        }
        return indexIncomplete_;
    }
    if (!Seek(resume_) || !ReadLineUncached()) {
        indexIncomplete_ = false;
        return false;
    }
    const char* line = buffer_.get();
    if (IsKeyLine(line)) {
        std::string key = StripNewline(line + 1);
        // The first occurrence of a key is the one found.
        auto [it, added] = index_.try_emplace(key, KeyNode{position_, 0, position_});
        if (added) {
            *addedKey = &it->first;
        }
        if (key == kEndKey) {
            indexIncomplete_ = false;
        }
    }
    resume_ = position_;
    return indexIncomplete_;
}

cmcGTex::KeyNode* cmcGTex::FindKey(const std::string& key) {
    auto it = index_.find(key);
    if (it != index_.end()) {
        return &it->second;
    }
    const std::string* added = nullptr;
    while (indexIncomplete_) {
        IndexNextLine(&added);
        if (added && *added == key) {
            return &index_.find(key)->second;
        }
    }
    return nullptr;
}

std::string cmcGTex::GetLine(const std::string& key, int n) {
    KeyNode* node = FindKey(key);
    if (!node || !opened_ || n < 0) {
        Fail(key);
    }
    int count = 0;
    long start = node->afterKey;
    if (n >= node->cachedLine) {
        count = node->cachedLine;
        start = node->cachedPos;
    }
    if (!Seek(start)) {
        Fail(key);
    }
    for (; count <= n; ++count) {
        if (!ReadLine(true)) {
            Fail(key);
        }
    }
    node->cachedLine = n + 1;
    node->cachedPos = position_;
    return StripNewline(buffer_.get());
}

std::string cmcGTex::StripNewline(const char* line) {
    size_t n = std::strlen(line);
    if (n > 0 && line[n - 1] == '\n') {
        --n;
    }
    return std::string(line, n);
}

void cmcGTex::Fail(const std::string& key) {
    platform::Fatal("GTEX Error !\nThe index '" + key + "' was not found.");
}
