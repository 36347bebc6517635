#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// The chained table behind cmcHash and cmcHash2: text key to a value, new entries at the head
// of their chain, a duplicate key fatal with the table's own message.
template <class Value>
class cmcHashChains {
public:
    struct Entry {
        std::string key;
        Value value;
        std::unique_ptr<Entry> next;
    };

    cmcHashChains(uint32_t buckets, const char* duplicateMessage)
        : buckets_(buckets == 0 ? 1031 : buckets), duplicateMessage_(duplicateMessage) {}

    uint32_t BucketCount() const { return static_cast<uint32_t>(buckets_.size()); }

    void Insert(const std::string& key, Value value) {
        if (Find(key)) {
            platform::Fatal(duplicateMessage_);
        }
        auto& head = buckets_[HashIndex(key)];
        auto entry = std::make_unique<Entry>(Entry{key, value, std::move(head)});
        head = std::move(entry);
    }

    const Entry* Find(const std::string& key) const {
        for (const Entry* e = buckets_[HashIndex(key)].get(); e; e = e->next.get()) {
            if (e->key == key) {
                return e;
            }
        }
        return nullptr;
    }

    // The first entry of a bucket's chain (the one inserted last), for inspection.
    const Entry* Chain(uint32_t bucket) const { return buckets_.at(bucket).get(); }

    uint32_t HashIndex(const std::string& key) const {
        const uint32_t n = BucketCount();
        uint32_t b = n / 2;
        uint32_t c = 0;
        for (size_t i = 0; i < key.size(); ++i) {
            auto ch = static_cast<int32_t>(static_cast<signed char>(key[i]));
            c = 2 * c + b + static_cast<uint32_t>(ch);
            unsigned char after = i + 1 < key.size() ? static_cast<unsigned char>(key[i + 1]) : 0;
            if (after & 1) {
                b /= 2;
                if (b == 0) {
                    b = n / 2;
                }
            }
        }
        return c % n;
    }

private:
    std::vector<std::unique_ptr<Entry>> buckets_;
    const char* duplicateMessage_;
};
