#include "core/Channels.h"

#include <gtest/gtest.h>

TEST(Channels, GroupsSplitTheFifteenChannelsIntoInputsOthersAndOutputs) {
    int inputs = 0;
    int others = 0;
    int outputs = 0;
    for (int c = 0; c < ChannelCount; ++c) {
        EXPECT_FALSE(IsOutputChannel(c) && IsOtherChannel(c)) << c;
        outputs += IsOutputChannel(c);
        others += IsOtherChannel(c);
        inputs += !IsOutputChannel(c) && !IsOtherChannel(c);
    }
    EXPECT_EQ(inputs, 7);
    EXPECT_EQ(others, 4);
    EXPECT_EQ(outputs, 4);
    EXPECT_TRUE(IsOutputChannel(ChRError));
    EXPECT_FALSE(IsOutputChannel(ChVolume));
    EXPECT_TRUE(IsOtherChannel(ChEnergy));
    EXPECT_FALSE(IsOtherChannel(ChTD));
    EXPECT_STREQ(ChannelHeadingNames[ChFlow], "V'");
    EXPECT_STREQ(ChannelHeadingNames[ChRError], "R!");
}
