#include "common/cmcEvMan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/VirtualTime.h"

namespace {

// A listener whose reaction a test sets; it records what it receives.
struct Probe {
    std::string name;
    std::vector<std::string>* log;
    std::vector<cmcEvent> received;
    std::function<void(const cmcEvent&)> react;

    static void Call(void* data, const cmcEvent& event) {
        auto* self = static_cast<Probe*>(data);
        self->received.push_back(event);
        if (self->log) {
            self->log->push_back(self->name + ":" + std::to_string(event.type));
        }
        if (self->react) {
            self->react(event);
        }
    }
};

class cmcEvManTest : public ::testing::Test {
protected:
    ~cmcEvManTest() override {
        owned.reset();
        time.Advance(1);  // the released pump task deletes itself on its next tick
    }

    void Listen(Probe& p) { bus.AddListener(&Probe::Call, &p); }

    testsupport::VirtualTime time;
    std::unique_ptr<cmcEvMan> owned = std::make_unique<cmcEvMan>();
    cmcEvMan& bus = *owned;
    std::vector<std::string> log;
    Probe a{"a", &log, {}, {}};
    Probe b{"b", &log, {}, {}};
};

TEST_F(cmcEvManTest, SendReachesTheNewestListenerFirst) {
    Listen(a);
    Listen(b);
    bus.Send(EV_RedrawCellsFrom, 7, 42);
    EXPECT_EQ(log, (std::vector<std::string>{"b:18", "a:18"}));
    const cmcEvent& e = a.received.at(0);
    EXPECT_EQ(e.mode, EVM_Immediate);
    EXPECT_EQ(e.A, 7);
    EXPECT_EQ(e.B, 42);
    EXPECT_EQ(e.BlockLength(), 0);
}

TEST_F(cmcEvManTest, ArgumentsHoldPointers) {
    Listen(a);
    int control = 0;
    bus.Send(EV_ControlDestroyed, 0, reinterpret_cast<intptr_t>(&control));
    bus.Send(EV_StatusText, reinterpret_cast<intptr_t>(&control), 0x8000000F);
    EXPECT_EQ(reinterpret_cast<int*>(a.received.at(0).B), &control);
    EXPECT_EQ(reinterpret_cast<int*>(a.received.at(1).A), &control);
}

TEST_F(cmcEvManTest, TextsAndBlocksAreCopied) {
    Listen(a);
    bus.SendText(EV_StatusText, 0x80000008, 0x8000000F, "Ready");
    ASSERT_EQ(a.received.size(), 1u);
    EXPECT_EQ(a.received[0].BlockLength(), 6);  // the text and its NUL
    EXPECT_EQ(a.received[0].Text(), "Ready");

    int cell[3] = {1, 2, 3};
    bus.PostData(EV_CellSelected, cell, sizeof cell);
    cell[0] = 99;  // the bus holds its own copy
    bus.PostData(EV_CellSelected, cell, 0);
    bus.PostData(EV_CellSelected, nullptr, 12);
    bus.Pump();
    ASSERT_EQ(a.received.size(), 4u);
    const cmcEvent& data = a.received[1];
    ASSERT_EQ(data.BlockLength(), 12);
    int got[3];
    std::memcpy(got, data.block.data(), sizeof got);
    EXPECT_EQ(got[0], 1);
    EXPECT_EQ(got[2], 3);
    EXPECT_EQ(a.received[2].BlockLength(), 0);
    EXPECT_EQ(a.received[3].BlockLength(), 0);
}

TEST_F(cmcEvManTest, SubscriptionRules) {
    bus.AddListener(nullptr, &a);  // not subscribed: nothing to call
    Listen(a);
    Listen(b);
    Listen(a);  // one live subscription, now at the head
    bus.Send(EV_ModelChanged);
    EXPECT_EQ(log, (std::vector<std::string>{"a:25", "b:25"}));
    log.clear();
    bus.AddListener(&Probe::Call, &b);
    bus.RemoveListener(&Probe::Call, &a);
    bus.Send(EV_ModelChanged);
    EXPECT_EQ(log, (std::vector<std::string>{"b:25"}));
}

TEST_F(cmcEvManTest, PostedEventsWaitForThePump) {
    Listen(a);
    bus.Post(EV_ShowAbout);
    bus.PostText(EV_RenameBank, 0, 3, "Bank 3");
    EXPECT_TRUE(a.received.empty());
    time.Advance(10);
    ASSERT_EQ(a.received.size(), 2u);
    EXPECT_EQ(a.received[0].type, EV_ShowAbout);
    EXPECT_EQ(a.received[0].mode, EVM_Queued);
    EXPECT_EQ(a.received[1].Text(), "Bank 3");
    EXPECT_EQ(a.received[1].B, 3);
    time.Advance(100);
    EXPECT_EQ(a.received.size(), 2u);  // delivered once
}

TEST_F(cmcEvManTest, EventPostedDuringAPumpWaitsForTheNext) {
    a.react = [&](const cmcEvent& e) {
        if (e.type == EV_RedrawAllCells) {
            bus.Post(EV_RefreshBankMarks);
        }
    };
    Listen(a);
    bus.Post(EV_RedrawAllCells);
    time.Advance(10);
    EXPECT_EQ(log, (std::vector<std::string>{"a:13"}));
    time.Advance(10);
    EXPECT_EQ(log, (std::vector<std::string>{"a:13", "a:32"}));
}

TEST_F(cmcEvManTest, ListenerRemovedDuringTheWalkIsSkipped) {
    // a removes itself and b, which comes later in the ring, then sends a nested event.
    Probe c{"c", &log, {}, {}};
    Listen(b);
    Listen(a);
    Listen(c);
    a.react = [&](const cmcEvent& e) {
        if (e.type == EV_ClosePopups) {
            bus.RemoveListener(&Probe::Call, &a);
            bus.RemoveListener(&Probe::Call, &b);
            bus.Send(EV_RefreshMenu);
        }
    };
    bus.Send(EV_ClosePopups);
    EXPECT_EQ(log, (std::vector<std::string>{"c:21", "a:21", "c:9"}));
    log.clear();
    time.Advance(10);  // the pump frees the removed nodes
    bus.Send(EV_ClosePopups);
    EXPECT_EQ(log, (std::vector<std::string>{"c:21"}));
}

TEST_F(cmcEvManTest, ListenerAddedDuringTheWalkWaitsForTheNextEvent) {
    a.react = [&](const cmcEvent&) { Listen(b); };
    Listen(a);
    bus.Send(EV_BankRowAdded);
    EXPECT_EQ(log, (std::vector<std::string>{"a:30"}));
    a.react = nullptr;
    bus.Send(EV_BankRowAdded);
    EXPECT_EQ(log, (std::vector<std::string>{"a:30", "b:30", "a:30"}));
}

TEST_F(cmcEvManTest, PumpInsideAListenerFreesNoNodeUnderTheWalk) {
    // A listener that runs a nested message loop lets the pump tick inside the send.
    a.react = [&](const cmcEvent& e) {
        if (e.type == EV_ClosePopups) {
            bus.RemoveListener(&Probe::Call, &a);
            time.Advance(10);
        }
    };
    Listen(b);
    Listen(a);
    bus.Post(EV_RedrawEeDebug);
    bus.Send(EV_ClosePopups);
    EXPECT_EQ(log, (std::vector<std::string>{"a:21", "b:23", "b:21"}));
}

TEST_F(cmcEvManTest, QueryCollectsAnswersNewestFirst) {
    EXPECT_EQ(bus.Query(EV_QueryCurrentBank), nullptr);
    a.react = [&](const cmcEvent&) { bus.Answer(1, 10); };
    b.react = [&](const cmcEvent& e) {
        EXPECT_EQ(e.mode, EVM_Query);
        bus.AnswerData("cell", 5);
    };
    Listen(a);
    Listen(b);
    const cmcEvAns* first = bus.Query(EV_QueryCurrentCell, 5);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->BlockLength(), 5);
    EXPECT_EQ(first->pointerAnswer, 0);
    const cmcEvAns* second = first->Next();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->pointerAnswer, 1);
    EXPECT_EQ(second->intAnswer, 10);
    EXPECT_EQ(second->Next(), nullptr);
}

TEST_F(cmcEvManTest, NestedQueryKeepsBothAnswerLists) {
    const cmcEvAns* inner = nullptr;
    a.react = [&](const cmcEvent& e) {
        if (e.type == EV_QueryCurrentBank) {
            bus.Answer(2, 20);
        }
    };
    b.react = [&](const cmcEvent& e) {
        if (e.type == EV_QueryCurrentCell) {
            bus.Answer(1, 10);
            inner = bus.Query(EV_QueryCurrentBank);
            ASSERT_NE(inner, nullptr);
            EXPECT_EQ(inner->intAnswer, 20);
            EXPECT_EQ(inner->Next(), nullptr);
            bus.Answer(3, 30);
        }
    };
    Listen(a);
    Listen(b);
    const cmcEvAns* outer = bus.Query(EV_QueryCurrentCell);
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->intAnswer, 10);
    ASSERT_NE(outer->Next(), nullptr);
    EXPECT_EQ(outer->Next()->intAnswer, 30);
    EXPECT_EQ(outer->Next()->Next(), nullptr);
    // The inner answers hang under the outer list and live as long as it does.
    EXPECT_EQ(inner->intAnswer, 20);
}

TEST_F(cmcEvManTest, AnswerOutsideAQueryIsIgnored) {
    a.react = [&](const cmcEvent& e) {
        if (e.mode != EVM_Query) {
            bus.Answer(1, 1);
        }
    };
    Listen(a);
    bus.Send(EV_ModelChanged);
    bus.Post(EV_ModelChanged);
    bus.Pump();
    EXPECT_EQ(bus.Query(EV_QueryCurrentBank), nullptr);
    a.react = [&](const cmcEvent& e) { bus.Answer(0, e.mode == EVM_Query ? 7 : 1); };
    const cmcEvAns* answer = bus.Query(EV_QueryCurrentBank);
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer->intAnswer, 7);
    EXPECT_EQ(answer->Next(), nullptr);
}

TEST(cmcEvMan, DestroyedWithQueuedEventsDeliversNone) {
    testsupport::VirtualTime time;
    Probe a{"a", nullptr, {}, {}};
    {
        cmcEvMan bus;
        bus.AddListener(&Probe::Call, &a);
        bus.PostText(EV_RenameBank, 0, 1, "Bank 1");
        bus.Post(EV_ShowAbout);
    }
    time.Advance(50);  // the released pump task deletes itself without calling the bus
    EXPECT_TRUE(a.received.empty());
}

}  // namespace
