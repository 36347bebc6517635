#pragma once

#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/TextFile.h"

// Reader of a keyed text table: a line "#" + key heads a section, the lines after it are the
// key's values by index, "#End_Of_Ovl" ends the index. The source is a file or an array of
// lines in memory; the index grows lazily, each key remembers where its next line starts, and
// in file mode a 64-line cache serves repeated reads. A missing key or line is fatal.
class cmcGTex {
public:
    cmcGTex();
    virtual ~cmcGTex();
    cmcGTex(const cmcGTex&) = delete;
    cmcGTex& operator=(const cmcGTex&) = delete;

    // Binds the reader to a table file (opened at the first lookup); 0 when already bound.
    int SetFileName(const std::string& name);
    // Binds the reader to count lines in memory (not copied); 0 when already bound.
    int SetLines(const char* const* lines, int count);
    template <size_t N>
    int SetLines(const char* const (&lines)[N]) {
        return SetLines(lines, static_cast<int>(N));
    }
    // Line n (from 0) of the key, without its newline.
    std::string GetLine(const std::string& key, int n);
    std::string GetValue(const std::string& key) { return GetLine(key, 0); }

protected:
    static constexpr int kLineBufferSize = 8193;
    static constexpr int kReadSize = 8192;
    static constexpr size_t kCacheEntries = 64;

    struct KeyNode {
        long afterKey;
        int cachedLine;
        long cachedPos;
    };
    struct CacheEntry {
        long position;
        long bytes;
        std::string text;
    };
    enum class Mode { None, Lines, File };

    KeyNode* FindKey(const std::string& key);
    // Extends the index by one line; returns whether the index is still incomplete.
    bool IndexNextLine(const std::string** addedKey);
    bool ReadLine(bool useCache);
    bool ReadLineUncached();
    bool Open();
    bool Seek(long position);
    long GetPos() const { return position_; }
    static std::string StripNewline(const char* line);
    [[noreturn]] void Fail(const std::string& key);

    Mode mode_ = Mode::None;
    bool opened_ = false;
    platform::TextFile stream_;
    const char* const* lines_ = nullptr;
    int lineCount_ = 0;
    long position_ = 0;
    long streamPosition_ = 0;  // where the file stands; -1 when unknown
    std::string fileName_;
    std::unique_ptr<char[]> buffer_;
    long resume_ = 0;
    std::list<CacheEntry> cache_;
    std::unordered_map<std::string, KeyNode> index_;
    bool indexIncomplete_ = true;
};
