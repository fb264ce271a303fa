#include "compare/html_report.h"

#include "compare/html_tags.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace synopter::html {
namespace {

TEST(HtmlReportTest, TinyRun)
{
    const std::vector<std::string> left{" 0:1 a", "KATA IWANNHN 3", " 3:16 outwv gar hgaphsen", " 3:17 b"};
    const std::vector<std::string> right{" 0:1 a", "KATA IWANNHN 3", " 3:16 outwv de hgaphsen", " 3:17 b"};
    ReportCollector collector;
    ComparisonRun(left, right, {1, false}, collector);
    ASSERT_EQ(collector.items.size(), 2u);

    const ReportFacts facts{{"A<&\"B", "x < y & \"z\""}, {"Right", ""}, 1, true, "2026-12-08"};
    const std::string page = HtmlReport(facts, collector.items);

    EXPECT_EQ(test::UnbalancedTag(page), "");
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html>\n"));
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(page.find("<b>A&lt;&amp;&quot;B</b> \xE2\x80\x94 x &lt; y &amp; &quot;z&quot;"), std::string::npos);
    EXPECT_EQ(page.find("A<&"), std::string::npos);
    EXPECT_NE(page.find("<td>2026-12-08</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>count as differences</td>"), std::string::npos);
    EXPECT_NE(page.find("<th>Verses found</th><td>1</td>"), std::string::npos);
    // Unicode Greek, the differing word in blue, the heading dark red and bold.
    EXPECT_NE(page.find("<td> 3:16 ουτως <span class=\"d\">γαρ</span> ηγαπησεν</td>"), std::string::npos) << page;
    EXPECT_NE(page.find("<td> 3:16 ουτως <span class=\"d\">δε</span> ηγαπησεν</td>"), std::string::npos);
    EXPECT_NE(page.find(".d{color:#0000FF}"), std::string::npos);
    EXPECT_NE(page.find("tr.ch th{text-align:left;color:#800000;font-weight:bold"), std::string::npos);
    // The contents link to the heading's row.
    const std::smatch link = [&] {
        std::smatch m;
        std::regex_search(page, m, std::regex("ΚΑΤΑ ΙΩΑΝΝΗΝ</span> \\(1\\): <a href=\"#([^\"]+)\">3</a>&nbsp;\\(1\\)"));
        return m;
    }();
    ASSERT_FALSE(link.empty()) << page;
    EXPECT_NE(page.find("<tr class=\"ch\" id=\"" + link[1].str() + "\"><th colspan=\"2\">ΚΑΤΑ ΙΩΑΝΝΗΝ 3</th></tr>"),
              std::string::npos);
    // Nothing runs, nothing is fetched.
    for (const char* absent : {"<script", "http", "src=", "url(", "@import"})
        EXPECT_EQ(page.find(absent), std::string::npos) << absent;

    // The panes' colours give the same items back.
    const auto& pair = std::get<ReportPair>(collector.items[1]);
    std::string verse;
    MatchMask mask;
    VerseFromParagraph({{" 3:16 outwv ", 0, false}, {"gar", 0xFF0000, false}, {" hgaphsen", 0, false}}, verse, mask);
    EXPECT_EQ(verse, pair.left);
    EXPECT_EQ(mask, MatchMask(pair.leftMask.begin(), pair.leftMask.begin() + verse.size()));
    // Green is a spelling variant.
    VerseFromParagraph({{" 1:1 ", 0, false}, {"dauid", 0x008000, false}}, verse, mask);
    EXPECT_EQ(mask, (MatchMask{1, 1, 1, 1, 1, 2, 2, 2, 2, 2}));

    EXPECT_NE(HtmlReport(facts, {}).find("No verses differ"), std::string::npos);
}

} // namespace
} // namespace synopter::html
