#pragma once
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "common/EventIds.h"

class cmcTask;

// One event as handlers see it. The manager owns it; a handler must not keep the pointer
// or the payload beyond its return.
struct cmcEvent {
    static constexpr int32_t kPosted = 0;
    static constexpr int32_t kSent = 1;
    static constexpr int32_t kQuery = 2;

    int32_t id = 0;
    int32_t mode = kSent;
    intptr_t arg1 = 0;  // a number, a colour or an object, per event
    intptr_t arg2 = 0;  // a number, a control or an index, per event
    // Copy of the raiser's bytes; a text payload includes its terminating zero.
    std::vector<uint8_t> payload;

    int32_t PayloadLength() const { return static_cast<int32_t>(payload.size()); }
    const uint8_t* Payload() const { return payload.empty() ? nullptr : payload.data(); }
    // The payload as a text; "" when there is none.
    const char* Text() const;
};

// One answer to a query. Answers of one query form a chain in the order they were given;
// the answers of a query raised while this one was being answered hang below it.
struct cmcEvAnswer {
    int32_t value1 = 0;
    int32_t value2 = 0;
    std::vector<uint8_t> payload;

    const cmcEvAnswer* Next() const { return next.get(); }
    // First answer of a query raised by a handler while this record was being filled.
    const cmcEvAnswer* Nested() const { return nested.get(); }
    int32_t PayloadLength() const { return static_cast<int32_t>(payload.size()); }
    const uint8_t* Payload() const { return payload.empty() ? nullptr : payload.data(); }

    // Internal links of the answer tree.
    std::unique_ptr<cmcEvAnswer> next;
    std::unique_ptr<cmcEvAnswer> nested;
    cmcEvAnswer* parent = nullptr;
    bool filled = false;
};

// A subscriber's handler: its own context and the event. Handlers ignore ids they do not know.
using cmcEvHandler = void (*)(void* context, const cmcEvent& event);

// The program-wide event bus. Events are sent (delivered at once), posted (delivered by a
// 10 ms task, at the earliest on the tick after the one during which they were posted) or
// raised as queries (delivered at once, answers collected). Delivery calls every live
// subscription, newest first.
class cmcEvMan {
public:
    cmcEvMan();
    ~cmcEvMan();
    cmcEvMan(const cmcEvMan&) = delete;
    cmcEvMan& operator=(const cmcEvMan&) = delete;

    // Replaces any subscription of the same handler and context. A subscription added
    // during a delivery is not called for that event.
    void Subscribe(cmcEvHandler handler, void* context);
    // The subscription is not called again, also not for the rest of a running delivery.
    void Unsubscribe(cmcEvHandler handler, void* context);

    void Send(int32_t id, intptr_t arg1 = 0, intptr_t arg2 = 0);
    void SendText(int32_t id, intptr_t arg1, intptr_t arg2, const std::string& text);
    void Post(int32_t id, intptr_t arg1 = 0, intptr_t arg2 = 0);
    void PostText(int32_t id, intptr_t arg1, intptr_t arg2, const std::string& text);
    void PostBytes(int32_t id, const void* bytes, int32_t length);

    // Delivers at once and returns the first answer, or null when nobody answered. The
    // answers stay valid until the next query at the same nesting level.
    const cmcEvAnswer* Query(int32_t id, intptr_t arg1 = 0, intptr_t arg2 = 0);
    // Called by a handler of a query; ignored when no query is being delivered.
    void Answer(int32_t value1, int32_t value2);
    void AnswerBytes(const void* bytes, int32_t length);

    // Posted events not yet delivered.
    int QueuedCount() const;
    // Subscriptions held, live or removed but not yet freed.
    int SubscriptionCount() const;

    // The 10 ms delivery step; public so that the task's handler can reach it.
    void Tick();

private:
    struct Subscription {
        cmcEvHandler handler;
        void* context;
        bool removed;
    };
    struct QueueEntry {
        cmcEvent event;
        bool queuedThisTick;
        bool delivered;
    };

    void Deliver(const cmcEvent& event);
    void Enqueue(cmcEvent event);
    void FreeRemoved();
    cmcEvAnswer* FillCurrentAnswer();

    std::list<Subscription> m_subs;  // newest first
    std::list<QueueEntry> m_queue;   // oldest first
    cmcEvAnswer m_answerRoot;        // the top level's queries hang below it
    cmcEvAnswer* m_current = &m_answerRoot;
    int m_queryDepth = 0;
    int m_deliveryDepth = 0;
    bool m_inTick = false;
    cmcTask* m_task = nullptr;
};

// The program's one event manager; null until main() builds it. Raisers check for null.
extern cmcEvMan* g_EvMan;
