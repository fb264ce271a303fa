#include "compare/result_record.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

TEST(ResultRecordTest, RoundTripsAndRefusesOtherContent)
{
    html::ReportFacts facts{{"Left", "A text\r\nin two lines"}, {"Right", ""}, 7, true, "2026-12-08"};
    const auto back = ReadResultRecord(WriteResultRecord(facts));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->left.name, "Left");
    EXPECT_EQ(back->left.description, "A text  in two lines");
    EXPECT_EQ(back->right.name, "Right");
    EXPECT_EQ(back->threshold, 7);
    EXPECT_TRUE(back->exactPositions);
    EXPECT_EQ(back->date, "2026-12-08");
    for (const char* other : {"", "[Comparison]\r\nThreshold=x\r\n", "{\\rtf1}", "Threshold=3\r\n"})
        EXPECT_FALSE(ReadResultRecord(other)) << other;
}

// The marking is kept; a record without it (older files) reads as before.
TEST(ResultRecordTest, MarkingRoundTrips)
{
    const std::optional<WordMarking> cases[] = {std::nullopt, WordMarking::Defined, WordMarking::Aligned};
    for (const std::optional<WordMarking>& marking : cases) {
        html::ReportFacts facts;
        facts.marking = marking;
        const auto back = ReadResultRecord(WriteResultRecord(facts));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->marking, marking);
    }
    EXPECT_FALSE(ReadResultRecord("[Comparison]\r\nThreshold=5\r\n")->marking);
    EXPECT_FALSE(ReadResultRecord("[Comparison]\r\nThreshold=5\r\nMarking=sideways\r\n")->marking);
}

} // namespace
} // namespace synopter
