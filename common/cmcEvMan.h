#pragma once

#include <cstdint>
#include <list>
#include <string_view>

#include "common/cmcEvAns.h"
#include "common/cmcEvent.h"
#include "common/cmcEventTypes.h"

class cmcTask;

// The event bus: listeners subscribe with a callback and a data pointer; senders deliver an
// event at once, queue it for the pump (every 10 ms while events wait), or ask a query whose
// listeners answer. The newest listener is called first. GUI thread only.
class cmcEvMan {
public:
    using Callback = void (*)(void* data, const cmcEvent& event);

    cmcEvMan();
    ~cmcEvMan();
    cmcEvMan(const cmcEvMan&) = delete;
    cmcEvMan& operator=(const cmcEvMan&) = delete;

    // A null callback is not subscribed; an equal pair is replaced by one at the head.
    void AddListener(Callback callback, void* data);
    // Skipped at once; the node is freed by a later pump.
    void RemoveListener(Callback callback, void* data);

    void Send(int type, intptr_t A = 0, intptr_t B = 0);
    void SendText(int type, intptr_t A, intptr_t B, std::string_view text);
    void Post(int type, intptr_t A = 0, intptr_t B = 0);
    void PostText(int type, intptr_t A, intptr_t B, std::string_view text);
    void PostData(int type, const void* block, int length);

    // The first answer, the others through Next(); none when no listener answered. Answers
    // stay valid until the next query at the same nesting level.
    const cmcEvAns* Query(int type, intptr_t A = 0, intptr_t B = 0);
    const cmcEvAns* QueryData(int type, intptr_t A, intptr_t B, const void* block, int length);
    // A listener's answer to the query being delivered; ignored when none is.
    void Answer(intptr_t pointer, int value);
    void AnswerData(const void* block, int length);

    // Delivers the events queued before this pump; those posted meanwhile wait for the next.
    void Pump();

private:
    struct Listener {
        Callback callback;
        void* data;
        bool removed;
    };
    struct Queued {
        cmcEvent event;
        bool isNew;
        bool done;
    };

    void PumpTick();
    void Dispatch(int type, int mode, intptr_t A, intptr_t B, const void* block, int length);
    void Deliver(cmcEvent event);
    void CallListeners(const cmcEvent& event);
    void PurgeEvents();
    void PurgeListeners();
    void AddAnswer(intptr_t pointer, int value, const void* block, int length);

    std::list<Listener> listeners_;  // newest first
    std::list<Queued> queue_;        // in posting order
    cmcEvAns answerRoot_;
    cmcEvAns* currentAnswer_ = &answerRoot_;
    cmcTask* pump_ = nullptr;
    int walks_ = 0;  // listener walks in progress, nested ones included
    int pumps_ = 0;
};
