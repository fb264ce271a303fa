// The line counter against the document layout it stands in for: every
// paragraph of real editions, in the program's face and a common one, at
// several widths, counted as a pane's document lays it out.
#include "compare/ui/result_pane.h"
#include "compare/ui/wrapped_lines.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace synopter {
namespace {

// Verse and heading lines, coloured in alternate words as results are: from
// the sample editions when present, else made up.
std::vector<rtf::Paragraph> Paragraphs()
{
    std::vector<std::string> lines;
    std::ifstream in(SYNOPTER_EDITIONS_DIR "/WestcottHort1881.dat", std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find('\r')));
    if (lines.empty())
        for (int i = 1; i < 400; ++i)
            lines.push_back(" 1:" + std::to_string(i) + " kai" + std::string(size_t(i % 23) * 6, 'w').replace(3, 1, " "));
    std::vector<rtf::Paragraph> out;
    for (const std::string& line : lines) {
        if (line.empty() || line[0] != ' ') {
            out.push_back({{line, 128, true}});
            continue;
        }
        rtf::Paragraph p;
        size_t start = 0;
        for (bool blue = false; start < line.size(); blue = !blue) {
            const size_t end = std::min(line.size(), line.find(' ', start + 1));
            p.push_back({line.substr(start, end - start), blue ? 0xFF0000u : 0u, false});
            start = end;
        }
        out.push_back(p);
    }
    // Odd ones the counter leaves to the layout: punctuation, a word wider
    // than any line, mixed weights.
    out.push_back({{" 2:3 kai-legei, autw; ", 0, false}});
    out.push_back({{" 2:4 " + std::string(400, 'm'), 0, false}});
    out.push_back({{" 2:5 ", 0, true}, {"legei autw", 0, false}});
    return out;
}

TEST(WrappedLinesTest, CountsWhatThePaneLaysOut)
{
    const std::vector<rtf::Paragraph> paragraphs = Paragraphs();
    std::vector<QString> families{"DejaVu Sans"};
    const int riruzi = QFontDatabase::addApplicationFont(SYNOPTER_PROGRAM_DIR "/Fonts/Riruzi.ttf");
    if (riruzi >= 0)
        families.push_back(QFontDatabase::applicationFontFamilies(riruzi).value(0));
    for (const QString& family : families) {
        for (const int width : {290, 520}) {
            SCOPED_TRACE((family + " " + QString::number(width)).toStdString());
            ResultPane pane;
            pane.setFont(QFont(family, 10));
            pane.resize(width, 300);
            pane.show();
            std::vector<const rtf::Paragraph*> all;
            for (const rtf::Paragraph& p : paragraphs)
                all.push_back(&p);
            pane.WriteParagraphs(all, true);
            WrappedLines counter(&pane);
            QTextDocument* doc = pane.document();
            ASSERT_EQ(doc->blockCount(), int(paragraphs.size()) + 1);
            int wrong = 0;
            QTextBlock b = doc->begin();
            for (size_t i = 0; i < paragraphs.size(); ++i, b = b.next()) {
                doc->documentLayout()->blockBoundingRect(b);
                const int laidOut = b.layout()->lineCount();
                wrong += counter.Count(paragraphs[i]) != laidOut;
                ASSERT_EQ(counter.CountByLayout(paragraphs[i]), laidOut) << i;
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

} // namespace
} // namespace synopter
