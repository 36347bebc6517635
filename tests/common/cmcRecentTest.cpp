#include "common/cmcRecent.h"

#include <gtest/gtest.h>

namespace {

TEST(cmcRecent, AddToTopReplacesEntryThatDiffersInCase) {
    cmcRecent recent(10);
    recent.AddToTop("/home/u/Radio.dat");
    recent.AddToTop("/home/u/other.dat");
    recent.AddToTop("/HOME/U/radio.DAT");
    ASSERT_EQ(recent.GetCount(), 2);
    EXPECT_EQ(recent.GetDisplayName(0, ""), "/HOME/U/radio.DAT");
    EXPECT_EQ(recent.GetDisplayName(1, ""), "/home/u/other.dat");
}

TEST(cmcRecent, EleventhNameDropsTheOldest) {
    cmcRecent recent(10);
    for (int i = 0; i < 11; ++i) {
        recent.AddToTop("/f" + std::to_string(i));
    }
    ASSERT_EQ(recent.GetCount(), 10);
    EXPECT_EQ(recent.GetDisplayName(0, ""), "/f10");
    EXPECT_EQ(recent.GetDisplayName(9, ""), "/f1");
}

TEST(cmcRecent, AddToEndKeepsStoredOrder) {
    cmcRecent recent(3);
    recent.AddToEnd("/a");
    recent.AddToEnd("/b");
    recent.AddToEnd("/A");
    EXPECT_EQ(recent.GetDisplayName(0, ""), "/b");
    EXPECT_EQ(recent.GetDisplayName(1, ""), "/A");
    recent.RemoveName("/B");
    EXPECT_EQ(recent.GetCount(), 1);
}

TEST(cmcRecent, DisplayNameIsShortInTheGivenFolder) {
    cmcRecent recent(10);
    recent.AddToTop("/data/Clones/radio.dat");
    struct Case {
        const char* folder;
        const char* shown;
    } cases[] = {
        {"/data/Clones", "radio.dat"},  {"/data/Clones/", "radio.dat"},
        {"/DATA/clones", "radio.dat"},  {"/data/Other", "/data/Clones/radio.dat"},
        {"", "/data/Clones/radio.dat"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recent.GetDisplayName(0, c.folder), c.shown) << c.folder;
    }
    EXPECT_EQ(recent.GetDisplayName(1, "/data/Clones"), "");
    EXPECT_EQ(recent.GetDisplayName(-1, ""), "");
}

}  // namespace
