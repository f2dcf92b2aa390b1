#include "common/cmcEvMan.h"

#include <cstring>
#include <utility>

#include "common/cmcTask.h"

cmcEvMan* g_EvMan = nullptr;

namespace {

constexpr int kTickMs = 10;

void TickHandler(void* context, cmcTask*)
{
    static_cast<cmcEvMan*>(context)->Tick();
}

std::vector<uint8_t> TextPayload(const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// The handler slot holds a function address; small values are no function.
bool IsValidHandler(cmcEvHandler handler)
{
    return reinterpret_cast<uintptr_t>(handler) >= 65536;
}

}  // namespace

const char* cmcEvent::Text() const
{
    if (payload.empty() || payload.back() != 0)
        return "";
    return reinterpret_cast<const char*>(payload.data());
}

cmcEvMan::cmcEvMan() : m_task(new cmcTask)
{
    m_task->SetHandler(&TickHandler, this);
    m_task->SetInterval(kTickMs);
}

cmcEvMan::~cmcEvMan()
{
    // When this runs from inside the task's own handler, the task frees itself later.
    cmcTask::Dispose(m_task);
    for (QueueEntry& e : m_queue)
        e.delivered = true;
    m_queue.clear();
    for (Subscription& s : m_subs)
        s.removed = true;
    m_subs.clear();
    m_answerRoot.nested.reset();
    if (g_EvMan == this)
        g_EvMan = nullptr;
}

void cmcEvMan::Subscribe(cmcEvHandler handler, void* context)
{
    if (!IsValidHandler(handler))
        return;
    for (Subscription& s : m_subs) {
        if (s.handler == handler && s.context == context)
            s.removed = true;
    }
    m_subs.push_front({handler, context, false});
    if (m_deliveryDepth == 0)
        FreeRemoved();
}

void cmcEvMan::Unsubscribe(cmcEvHandler handler, void* context)
{
    for (Subscription& s : m_subs) {
        if (s.handler == handler && s.context == context)
            s.removed = true;
    }
    if (m_deliveryDepth == 0)
        FreeRemoved();
}

void cmcEvMan::FreeRemoved()
{
    // Only called when no delivery walks the list.
    m_subs.remove_if([](const Subscription& s) { return s.removed; });
}

void cmcEvMan::Deliver(const cmcEvent& event)
{
    ++m_deliveryDepth;
    // Subscriptions added during the walk go to the head, behind the walk's position; removed
    // ones stay in the list, marked, until no delivery is running.
    for (auto it = m_subs.begin(); it != m_subs.end(); ++it) {
        if (!it->removed)
            it->handler(it->context, event);
    }
    --m_deliveryDepth;
    if (m_deliveryDepth == 0)
        FreeRemoved();
}

void cmcEvMan::Send(int32_t id, intptr_t arg1, intptr_t arg2)
{
    cmcEvent event{id, cmcEvent::kSent, arg1, arg2, {}};
    Deliver(event);
}

void cmcEvMan::SendText(int32_t id, intptr_t arg1, intptr_t arg2, const std::string& text)
{
    cmcEvent event{id, cmcEvent::kSent, arg1, arg2, TextPayload(text)};
    Deliver(event);
}

void cmcEvMan::Enqueue(cmcEvent event)
{
    // Posted from a handler during the tick's walk: it waits for the next tick.
    m_queue.push_back({std::move(event), m_inTick, false});
}

void cmcEvMan::Post(int32_t id, intptr_t arg1, intptr_t arg2)
{
    Enqueue({id, cmcEvent::kPosted, arg1, arg2, {}});
}

void cmcEvMan::PostText(int32_t id, intptr_t arg1, intptr_t arg2, const std::string& text)
{
    Enqueue({id, cmcEvent::kPosted, arg1, arg2, TextPayload(text)});
}

void cmcEvMan::PostBytes(int32_t id, const void* bytes, int32_t length)
{
    std::vector<uint8_t> payload;
    if (bytes && length > 0) {
        const auto* p = static_cast<const uint8_t*>(bytes);
        payload.assign(p, p + length);
    }
    Enqueue({id, cmcEvent::kPosted, 0, 0, std::move(payload)});
}

void cmcEvMan::Tick()
{
    // The task never re-enters its handler, so ticks do not nest; a tick may still run
    // inside a send or query whose handler shows a modal box.
    m_inTick = true;
    for (QueueEntry& e : m_queue)
        e.queuedThisTick = false;
    // The list keeps its elements in place while handlers append to it.
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
        if (it->delivered || it->queuedThisTick)
            continue;
        it->delivered = true;
        Deliver(it->event);
    }
    m_inTick = false;
    m_queue.remove_if([](const QueueEntry& e) { return e.delivered; });
    if (m_deliveryDepth == 0)
        FreeRemoved();
}

const cmcEvAnswer* cmcEvMan::Query(int32_t id, intptr_t arg1, intptr_t arg2)
{
    // The previous query at this level ends its answers' life here.
    cmcEvAnswer* parent = m_current;
    parent->nested = std::make_unique<cmcEvAnswer>();
    parent->nested->parent = parent;
    m_current = parent->nested.get();

    ++m_queryDepth;
    cmcEvent event{id, cmcEvent::kQuery, arg1, arg2, {}};
    Deliver(event);
    --m_queryDepth;

    // The chain ends with the empty record that would have taken the next answer.
    cmcEvAnswer* first = parent->nested.get();
    m_current = parent;
    if (!first->filled) {
        parent->nested.reset();
        return nullptr;
    }
    cmcEvAnswer* last = first;
    while (last->next && last->next->filled)
        last = last->next.get();
    last->next.reset();
    return first;
}

cmcEvAnswer* cmcEvMan::FillCurrentAnswer()
{
    if (m_queryDepth == 0 || m_current == &m_answerRoot)
        return nullptr;
    cmcEvAnswer* answer = m_current;
    answer->filled = true;
    answer->next = std::make_unique<cmcEvAnswer>();
    answer->next->parent = answer->parent;
    m_current = answer->next.get();
    return answer;
}

void cmcEvMan::Answer(int32_t value1, int32_t value2)
{
    if (cmcEvAnswer* answer = FillCurrentAnswer()) {
        answer->value1 = value1;
        answer->value2 = value2;
    }
}

void cmcEvMan::AnswerBytes(const void* bytes, int32_t length)
{
    if (cmcEvAnswer* answer = FillCurrentAnswer()) {
        if (bytes && length > 0) {
            const auto* p = static_cast<const uint8_t*>(bytes);
            answer->payload.assign(p, p + length);
        }
    }
}

int cmcEvMan::QueuedCount() const
{
    int n = 0;
    for (const QueueEntry& e : m_queue) {
        if (!e.delivered)
            ++n;
    }
    return n;
}

int cmcEvMan::SubscriptionCount() const
{
    return static_cast<int>(m_subs.size());
}
