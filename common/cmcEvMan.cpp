#include "common/cmcEvMan.h"

#include "common/cmcTask.h"

namespace {

constexpr int kPumpIntervalMs = 10;

// A block is copied only when it has both a pointer and a length.
std::vector<uint8_t> CopyBlock(const void* block, int length) {
    if (!block || length <= 0) {
        return {};
    }
    const auto* bytes = static_cast<const uint8_t*>(block);
    return std::vector<uint8_t>(bytes, bytes + length);
}

std::vector<uint8_t> TextBlock(std::string_view text) {
    std::vector<uint8_t> block(text.begin(), text.end());
    block.push_back(0);
    return block;
}

// Counts a walk or pump for its scope, also when a listener throws.
class ScopedCount {
public:
    explicit ScopedCount(int& count) : count_(count) { ++count_; }
    ~ScopedCount() { --count_; }
    ScopedCount(const ScopedCount&) = delete;
    ScopedCount& operator=(const ScopedCount&) = delete;

private:
    int& count_;
};

}  // namespace

cmcEvMan::cmcEvMan() : pump_(new cmcTask) {
    pump_->SetHandler([this](cmcTask*) { PumpTick(); });
}

cmcEvMan::~cmcEvMan() {
    // Queued events, listeners and answers go with their containers, undelivered.
    cmcTask::Dispose(pump_);
}

void cmcEvMan::AddListener(Callback callback, void* data) {
    if (!callback) {
        return;
    }
    RemoveListener(callback, data);
    listeners_.push_front({callback, data, false});
}

void cmcEvMan::RemoveListener(Callback callback, void* data) {
    for (Listener& l : listeners_) {
        if (l.callback == callback && l.data == data) {
            l.removed = true;
        }
    }
}

void cmcEvMan::Send(int type, intptr_t A, intptr_t B) {
    Dispatch(type, EVM_Immediate, A, B, nullptr, 0);
}

void cmcEvMan::SendText(int type, intptr_t A, intptr_t B, std::string_view text) {
    const std::vector<uint8_t> block = TextBlock(text);
    Dispatch(type, EVM_Immediate, A, B, block.data(), static_cast<int>(block.size()));
}

void cmcEvMan::Post(int type, intptr_t A, intptr_t B) {
    Dispatch(type, EVM_Queued, A, B, nullptr, 0);
}

void cmcEvMan::PostText(int type, intptr_t A, intptr_t B, std::string_view text) {
    const std::vector<uint8_t> block = TextBlock(text);
    Dispatch(type, EVM_Queued, A, B, block.data(), static_cast<int>(block.size()));
}

void cmcEvMan::PostData(int type, const void* block, int length) {
    Dispatch(type, EVM_Queued, 0, 0, block, length);
}

const cmcEvAns* cmcEvMan::Query(int type, intptr_t A, intptr_t B) {
    return QueryData(type, A, B, nullptr, 0);
}

const cmcEvAns* cmcEvMan::QueryData(int type, intptr_t A, intptr_t B, const void* block,
                                    int length) {
    // The answers of the previous query at this level are freed by hanging a fresh list.
    cmcEvAns* parent = currentAnswer_;
    parent->children = std::make_unique<cmcEvAns>();
    parent->children->parent = parent;
    currentAnswer_ = parent->children.get();

    Dispatch(type, EVM_Query, A, B, block, length);

    // The current node is the empty one after the last answer.
    cmcEvAns* trailing = currentAnswer_;
    currentAnswer_ = parent;
    if (trailing->previous) {
        trailing->previous->next.reset();
    } else {
        parent->children.reset();
    }
    return parent->children.get();
}

void cmcEvMan::Answer(intptr_t pointer, int value) {
    AddAnswer(pointer, value, nullptr, 0);
}

void cmcEvMan::AnswerData(const void* block, int length) {
    AddAnswer(0, 0, block, length);
}

void cmcEvMan::AddAnswer(intptr_t pointer, int value, const void* block, int length) {
    if (currentAnswer_ == &answerRoot_) {
        return;  // no query is being delivered
    }
    cmcEvAns* node = currentAnswer_;
    node->pointerAnswer = pointer;
    node->intAnswer = value;
    node->block = CopyBlock(block, length);
    node->next = std::make_unique<cmcEvAns>();
    node->next->previous = node;
    node->next->parent = node->parent;
    currentAnswer_ = node->next.get();
}

void cmcEvMan::Pump() {
    if (pumps_ > 0) {
        return;
    }
    ScopedCount pumping(pumps_);
    for (Queued& q : queue_) {
        q.isNew = false;
    }
    // Events that listeners post meanwhile are appended as new and wait for the next pump.
    for (Queued& q : queue_) {
        if (!q.done && !q.isNew) {
            CallListeners(q.event);
            q.done = true;
        }
    }
    PurgeEvents();
    PurgeListeners();
}

void cmcEvMan::PumpTick() {
    Pump();
    if (queue_.empty()) {
        pump_->SetInterval(-1);
    }
}

void cmcEvMan::Dispatch(int type, int mode, intptr_t A, intptr_t B, const void* block, int length) {
    Deliver(cmcEvent{type, mode, A, B, CopyBlock(block, length)});
}

void cmcEvMan::Deliver(cmcEvent event) {
    if (event.mode == EVM_Queued) {
        queue_.push_back({std::move(event), true, false});
        // The pump runs only while events wait, so an idle program is not woken.
        if (pump_->GetInterval() < 0) {
            pump_->SetInterval(kPumpIntervalMs);
        }
    } else {
        CallListeners(event);
    }
}

void cmcEvMan::CallListeners(const cmcEvent& event) {
    // Listeners added meanwhile go to the head, behind the walk; removed ones are skipped.
    // Nodes are only freed when no walk is in progress.
    ScopedCount walking(walks_);
    for (const Listener& l : listeners_) {
        if (!l.removed) {
            l.callback(l.data, event);
        }
    }
}

void cmcEvMan::PurgeEvents() {
    queue_.remove_if([](const Queued& q) { return q.done; });
}

void cmcEvMan::PurgeListeners() {
    if (walks_ > 0) {
        return;
    }
    listeners_.remove_if([](const Listener& l) { return l.removed; });
}
