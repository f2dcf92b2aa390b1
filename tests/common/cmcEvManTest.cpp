#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/cmcEvMan.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

namespace {

// A subscriber that records what it is given and can act from inside its handler.
struct Sub {
    Sub(std::string n, std::vector<std::string>* l, cmcEvMan* m)
        : name(std::move(n)), log(l), man(m)
    {
    }
    std::string name;
    std::vector<std::string>* log;
    cmcEvMan* man;
    std::vector<cmcEvent> seen;
    int unsubscribeOn = -1;  // id on which it unsubscribes itself
    int repostOn = -1;       // id it reposts with arg1 + 1 while arg1 < 3
    int modalOn = -1;        // id on which it lets 20 ms of timers run (a modal box)
    Sub* unsubscribeOther = nullptr;
    Sub* subscribeOther = nullptr;

    static void Handle(void* context, const cmcEvent& ev)
    {
        auto* s = static_cast<Sub*>(context);
        s->seen.push_back(ev);
        if (s->log)
            s->log->push_back(s->name + ":" + std::to_string(ev.id));
        if (ev.id == s->unsubscribeOn)
            s->man->Unsubscribe(&Handle, s);
        if (s->unsubscribeOther)
            s->man->Unsubscribe(&Handle, s->unsubscribeOther);
        if (s->subscribeOther)
            s->man->Subscribe(&Handle, s->subscribeOther);
        if (ev.id == s->repostOn && ev.arg1 < 3)
            s->man->Post(ev.id, ev.arg1 + 1, 0);
        if (ev.id == s->modalOn)
            qvtest::Services().timers.Advance(20);
    }
    void SubscribeTo(cmcEvMan& m)
    {
        man = &m;
        m.Subscribe(&Handle, this);
    }
};

TEST(cmcEvMan, SubscribingTwiceLeavesOneSubscriptionAndBadHandlersAreIgnored)
{
    cmcEvMan man;
    Sub a{"a", nullptr, &man};
    a.SubscribeTo(man);
    a.SubscribeTo(man);
    EXPECT_EQ(man.SubscriptionCount(), 1);
    man.Send(ev::kRedrawAll);
    EXPECT_EQ(a.seen.size(), 1u);

    man.Subscribe(nullptr, &a);
    man.Subscribe(reinterpret_cast<cmcEvHandler>(uintptr_t{0x1234}), &a);
    EXPECT_EQ(man.SubscriptionCount(), 1);
}

TEST(cmcEvMan, SendDeliversNewestFirstWithArgumentsAndATextCopy)
{
    std::vector<std::string> log;
    cmcEvMan man;
    Sub older{"old", &log, &man};
    Sub newer{"new", &log, &man};
    older.SubscribeTo(man);
    newer.SubscribeTo(man);
    man.SendText(ev::kStatusMessage, 7, -8, "Ready");
    EXPECT_EQ(log, (std::vector<std::string>{"new:4", "old:4"}));
    const cmcEvent& e = older.seen.at(0);
    EXPECT_EQ(e.mode, cmcEvent::kSent);
    EXPECT_EQ(e.arg1, 7);
    EXPECT_EQ(e.arg2, -8);
    EXPECT_EQ(e.PayloadLength(), 6);  // with its terminating zero
    EXPECT_STREQ(e.Text(), "Ready");

    man.Send(ev::kRefreshMenu, 1, 2);
    EXPECT_EQ(newer.seen.at(1).PayloadLength(), 0);
    EXPECT_STREQ(newer.seen.at(1).Text(), "");
}

TEST(cmcEvMan, ChangesToSubscriptionsDuringADeliveryTakeEffectAsTheyShould)
{
    std::vector<std::string> log;
    cmcEvMan man;
    Sub victim{"victim", &log, &man};
    Sub self{"self", &log, &man};
    Sub late{"late", &log, &man};
    Sub actor{"actor", &log, &man};
    victim.SubscribeTo(man);
    self.SubscribeTo(man);
    actor.SubscribeTo(man);
    self.unsubscribeOn = 9;
    actor.unsubscribeOther = &victim;  // removed before its turn in this delivery
    actor.subscribeOther = &late;      // added during it: not called for this event
    late.man = &man;

    man.Send(9);
    EXPECT_EQ(log, (std::vector<std::string>{"actor:9", "self:9"}));
    actor.unsubscribeOther = nullptr;
    actor.subscribeOther = nullptr;
    log.clear();
    man.Send(13);
    EXPECT_EQ(log, (std::vector<std::string>{"late:13", "actor:13"}));
    EXPECT_EQ(man.SubscriptionCount(), 2);
}

TEST(cmcEvMan, PostedEventsWaitForTheTickAndRepostsWaitForTheNextOne)
{
    auto& timers = qvtest::Services().timers;
    cmcEvMan man;
    Sub tree{"tree", nullptr, &man};
    tree.repostOn = ev::kRefreshBankNames;
    tree.SubscribeTo(man);

    char name[] = "Bank A";
    man.PostText(ev::kSetBankName, 0, 2, name);
    name[5] = 'B';  // the manager keeps its own copy
    man.Post(ev::kRefreshBankNames, 0, 7);
    const uint8_t bytes[12] = {1, 2, 3};
    man.PostBytes(ev::kSheetNotice, bytes, 12);
    EXPECT_TRUE(tree.seen.empty());
    EXPECT_EQ(man.QueuedCount(), 3);

    timers.Advance(10);
    ASSERT_EQ(tree.seen.size(), 3u);
    EXPECT_EQ(tree.seen[0].mode, cmcEvent::kPosted);
    EXPECT_STREQ(tree.seen[0].Text(), "Bank A");
    EXPECT_EQ(tree.seen[1].arg2, 7);
    EXPECT_EQ(tree.seen[2].PayloadLength(), 12);
    EXPECT_EQ(tree.seen[2].payload[2], 3);
    EXPECT_EQ(man.QueuedCount(), 1);  // the repost waits

    // One step of the self-reposting chain per tick.
    for (intptr_t step = 1; step <= 3; ++step) {
        timers.Advance(10);
        ASSERT_EQ(tree.seen.size(), 3u + static_cast<size_t>(step));
        EXPECT_EQ(tree.seen.back().arg1, step);
    }
    timers.Advance(50);
    EXPECT_EQ(tree.seen.size(), 6u);
    EXPECT_EQ(man.QueuedCount(), 0);
}

TEST(cmcEvMan, ATickInsideAHandlerNeverFreesWhatTheOuterDeliveryWalks)
{
    std::vector<std::string> log;
    cmcEvMan man;
    Sub oldest{"oldest", &log, &man};
    Sub removed{"removed", &log, &man};
    Sub modal{"modal", &log, &man};
    oldest.SubscribeTo(man);
    removed.SubscribeTo(man);
    modal.SubscribeTo(man);
    // The running handler drops itself and another, then shows a modal box, during which
    // the 10 ms tick runs; the outer walk still stands on the handler's own subscription.
    modal.unsubscribeOn = ev::kInsertChannel;
    modal.unsubscribeOther = &removed;
    modal.modalOn = ev::kInsertChannel;

    man.Post(ev::kRedrawIndex, 0, 3);
    man.Send(ev::kInsertChannel, 1, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"modal:26", "oldest:16", "oldest:26"}));
    EXPECT_EQ(man.SubscriptionCount(), 1);
}

TEST(cmcEvMan, QueriesReturnAnswerChainsNewestSubscriberFirst)
{
    cmcEvMan man;
    EXPECT_EQ(man.Query(ev::kQueryBankSelection), nullptr);  // nobody subscribed
    man.Answer(1, 2);                                        // outside a query: ignored

    struct Answerer {
        int32_t v1;
        static void Handle(void* c, const cmcEvent& e)
        {
            if (e.id == ev::kQueryBankSelection && e.mode == cmcEvent::kQuery)
                g_EvMan->Answer(static_cast<Answerer*>(c)->v1, e.arg2);
        }
    } first{10}, second{20};
    qvtest::ScopedGlobal<cmcEvMan> install(g_EvMan, &man);
    man.Subscribe(&Answerer::Handle, &first);
    EXPECT_EQ(man.Query(ev::kRedrawAll), nullptr);  // nobody answers this id
    man.Subscribe(&Answerer::Handle, &second);

    const cmcEvAnswer* a = man.Query(ev::kQueryBankSelection, 0, 5);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->value1, 20);
    EXPECT_EQ(a->value2, 5);
    ASSERT_NE(a->Next(), nullptr);
    EXPECT_EQ(a->Next()->value1, 10);
    EXPECT_EQ(a->Next()->Next(), nullptr);
}

TEST(cmcEvMan, AQueryInsideAQueryReturnsBothChainsIntact)
{
    cmcEvMan man;
    constexpr int32_t kOuter = ev::kQueryPopupCell;
    constexpr int32_t kInner = ev::kQueryBankSelection;
    struct Inner {
        static void Handle(void* c, const cmcEvent& e)
        {
            auto* m = static_cast<cmcEvMan*>(c);
            if (e.id == kInner) {
                m->Answer(7, 8);
                m->AnswerBytes("ab", 2);
            } else if (e.id == kOuter) {
                m->Answer(1, 2);
            }
        }
    };
    struct Outer {
        cmcEvMan* m = nullptr;
        const cmcEvAnswer* inner = nullptr;
        static void Handle(void* c, const cmcEvent& e)
        {
            auto* o = static_cast<Outer*>(c);
            if (e.id != kOuter)
                return;
            o->inner = o->m->Query(kInner);
            EXPECT_EQ(o->m->Query(ev::kRedrawAll), nullptr);  // a second one at this level
            o->inner = o->m->Query(kInner);
            o->m->Answer(o->inner ? o->inner->value1 + 10 : -1, 0);
        }
    } outer;
    outer.m = &man;
    man.Subscribe(&Outer::Handle, &outer);  // older: answers second
    man.Subscribe(&Inner::Handle, &man);

    const cmcEvAnswer* a = man.Query(kOuter);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->value1, 1);
    ASSERT_NE(a->Next(), nullptr);
    EXPECT_EQ(a->Next()->value1, 17);
    EXPECT_EQ(a->Next()->Next(), nullptr);

    // The inner chain hangs below the answer that was open while it ran.
    const cmcEvAnswer* in = a->Next()->Nested();
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(in, outer.inner);
    EXPECT_EQ(in->value1, 7);
    EXPECT_EQ(in->value2, 8);
    ASSERT_NE(in->Next(), nullptr);
    EXPECT_EQ(in->Next()->PayloadLength(), 2);
    EXPECT_EQ(in->Next()->Payload()[1], 'b');
    EXPECT_EQ(in->Next()->Next(), nullptr);
}

TEST(cmcEvMan, DestructionDropsQueuedEventsUndelivered)
{
    auto& timers = qvtest::Services().timers;
    Sub a{"a", nullptr, nullptr};
    {
        cmcEvMan man;
        a.SubscribeTo(man);
        man.Post(ev::kRedrawAll);
        man.PostText(ev::kStatusMessage, 0, 0, "x");
    }
    timers.Advance(50);
    EXPECT_TRUE(a.seen.empty());
    EXPECT_EQ(timers.ActiveCount(), 0);
}

}  // namespace
