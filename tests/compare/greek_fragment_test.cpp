#include "compare/greek_fragment.h"

#include <gtest/gtest.h>

namespace synopter {
namespace {

const std::vector<rtf::Paragraph> kPanes = {
    {{"KATA IWANNHN 3", 128, true}},
    {},
    {{" 3:16 outwv ", 0, false}, {"gar", 0xFF0000, false}, {" <&>", 0, false}},
};

TEST(GreekFragmentTest, PlainTextIsGreekLineByLine)
{
    EXPECT_EQ(GreekPlainText(kPanes), "ΚΑΤΑ ΙΩΑΝΝΗΝ 3\n\n 3:16 ουτως γαρ <&>");
    EXPECT_EQ(GreekPlainText({}), "");
}

TEST(GreekFragmentTest, HtmlKeepsColourWeightAndEmptyLines)
{
    const std::string html = GreekHtmlFragment(kPanes);
    EXPECT_NE(html.find("<span style=\"color: #800000; font-weight: bold\">ΚΑΤΑ ΙΩΑΝΝΗΝ 3</span>"),
              std::string::npos)
        << html;
    EXPECT_NE(html.find("<div><br></div>"), std::string::npos);
    EXPECT_NE(html.find("<span style=\"color: #0000ff\">γαρ</span>"), std::string::npos);
    EXPECT_NE(html.find("&lt;&amp;&gt;"), std::string::npos);
    EXPECT_EQ(html.find("Riruzi"), std::string::npos);
    EXPECT_NE(html.find(kGreekFontStack), std::string::npos);
}

} // namespace
} // namespace synopter
