#include "compare/result_summary.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

TEST(ResultSummaryTest, CountsGoToTheirChapterAndBook)
{
    SummaryBuilder builder;
    builder.Pair(); // before any heading: the total only
    builder.Heading("KATA MARKON 16");
    builder.Pair();
    builder.Pair();
    builder.Heading("KATA LOUKAN 1");
    builder.Heading("KATA LOUKAN 2");
    builder.Pair();
    const ResultSummary& summary = builder.Summary();
    EXPECT_EQ(summary.reported, 4);
    ASSERT_EQ(summary.books.size(), 2u);
    EXPECT_EQ(summary.books[0].title, "KATA MARKON");
    EXPECT_EQ(summary.books[0].reported, 2);
    EXPECT_EQ(summary.books[1].reported, 1);
    ASSERT_EQ(summary.books[1].chapters.size(), 2u);
    EXPECT_EQ(summary.books[1].chapters[0].reported, 0);
    EXPECT_EQ(summary.books[1].chapters[1].heading, "KATA LOUKAN 2");
    EXPECT_EQ(summary.books[1].chapters[1].reported, 1);
}

} // namespace
} // namespace synopter
