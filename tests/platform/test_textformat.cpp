#include "platform/TextFormat.h"

#include <gtest/gtest.h>

using platform::formatText;

TEST(TextFormat, ChannelMessagesAsTheTableWritesThem)
{
    EXPECT_EQ(formatText("Error in Channel #%.2d!! Channel doesn't exist", {1}),
              "Error in Channel #01!! Channel doesn't exist");
    EXPECT_EQ(formatText("Channel #%.2d Index %s and SubIndex %s", {12, "24", ""}),
              "Channel #12 Index 24 and SubIndex ");
    EXPECT_EQ(formatText("[0..%4d]", {1438}), "[0..1438]");
    EXPECT_EQ(formatText("[%4d]", {7}), "[   7]");
    EXPECT_EQ(formatText("[%-4d]", {7}), "[7   ]");
    EXPECT_EQ(formatText("#%.2d", {-3}), "#-03");
    EXPECT_EQ(formatText("100%% %x %X %u", {255, 255, -1}), "100% ff FF 4294967295");
    EXPECT_EQ(formatText("%1:s %0:s", {"a", "b"}), "b a");
    EXPECT_EQ(formatText("%.3s|%*d", {"abcdef", 3, 5}), "abc|  5");
    EXPECT_EQ(formatText("%.1f", {2.26}), "2.3");
}

TEST(TextFormat, HostilePatternsNeverReadMissingOrMismatchedArguments)
{
    // More specifiers than arguments, wrong kinds, unknown types, a trailing "%".
    EXPECT_EQ(formatText("%s %s %s %n", {"one"}), "one %s %s %n");
    EXPECT_EQ(formatText("%d", {"text"}), "%d");
    EXPECT_EQ(formatText("%s", {5}), "%s");
    EXPECT_EQ(formatText("%p %q %", {1}), "%p %q %");
    EXPECT_EQ(formatText("%99999999999d", {1}).size(), 100000);
    EXPECT_EQ(formatText("%.2d %9:d", {1}), "01 %9:d");
    EXPECT_EQ(formatText("%*d", {"x", 1}), "%*d");
}
