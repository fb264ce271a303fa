// A manuscript in the main window: lacunose verses greyed as one unit, never counted.
#include "app/main_window_names.h"
#include "app/window_test.h"
#include "compare/lacuna_marks.h"
#include "compare/result_model.h"

namespace synopter::test {
namespace {

TEST_F(WindowTest, LacunoseVersesReadLacGreyedAndAreNotCounted)
{
    WriteEdition("Left", "KATA MARKON 1\r\n 1:1 arch tou euaggeliou\r\n 1:2 wv gegraptai\r\n 1:3 fwnh bowntov\r\n"
                         " 1:4 egeneto iwannhv\r\n");
    WriteEdition("Right", "KATA MARKON 1\r\n 1:1 arch tou\r\n 1:2\r\n 1:3\r\n 1:4 egeneto iwannhv baptizwn\r\n");
    // Mark 1:2-3 lost, and 1:1 ends in a gap.
    WriteFile(dir.filePath("Right.bk"), "[TextFont]\r\nName=DejaVu Sans\r\n[Lacunae]\r\n41001002-41001003=lost\r\n"
                                        "41001001=gaps 2\r\n");
    Open();
    Choose("Left", "Right");
    Run(1);

    // 1:4 differs; 1:1 does only in its lost part, 1:2-3 are lost.
    EXPECT_EQ(mainWindow->FoundCountLabel()->text(), "1");
    const ComparisonResults& results = mainWindow->Results();
    ASSERT_EQ(results.Count(), 3u); // the heading, "lac. 1:2-3", 1:4
    const QStringList right = Lines(mainWindow->Pane(Side::Right));
    EXPECT_TRUE(right.contains("lac. 1:2-3")) << right.join('|').toStdString();
    EXPECT_TRUE(Lines(mainWindow->Pane(Side::Left)).contains("1:2-3"));
    const auto grey = [&](int side) {
        const rtf::Paragraph& p = side == 0 ? results.Units()[1].left : results.Units()[1].right;
        return std::all_of(p.begin(), p.end(), [side](const rtf::Span& s) {
            return s.colour == (side == 1 ? kLacunaMarkColour : kLacunaTextColour);
        });
    };
    EXPECT_TRUE(grey(0) && grey(1));
    EXPECT_EQ(results.Summary().reported, 1);
    EXPECT_EQ(results.Summary().lacunose, 2);
    EXPECT_EQ(results.NextPair(0, true), 2u); // F7 passes over it

    // Restored at the next start, still a lacunose unit.
    const rtf::Document saved = mainWindow->Pane(Side::Right)->ToDocument();
    mainWindow.reset();
    chapterWindow.reset();
    Open();
    EXPECT_EQ(mainWindow->Pane(Side::Right)->ToDocument(), saved);
    ASSERT_EQ(mainWindow->Results().Count(), 3u);
    EXPECT_TRUE(mainWindow->Results().IsLacunose(1));
    EXPECT_EQ(mainWindow->Results().Summary().lacunose, 2);
}

} // namespace
} // namespace synopter::test
