// How the window behaves towards the desktop around it: the catalogue's
// folders watched, other windows opened inside the screen.

#include "app/window_test.h"
#include "collate/ui/apparatus_window.h"
#include "statistics/ui/statistics_window.h"

#include <QScreen>

namespace synopter::test {
namespace {

// An edition another program writes while the window is open (synopter-import
// in a terminal) reaches both choosers, the choices kept.
TEST_F(WindowTest, EditionWrittenOutsideAppearsInTheChoosers)
{
    Open();
    Choose("Left", "Right");
    WriteEdition("Third", "KATA IWANNHN 1\r\n 1:1 en arch\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow->Chooser(Side::Right)->count() == 3; }, 5000));
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->findText("Third"), 2);
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "Left");
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->currentText(), "Right");
}

// The statistics and apparatus windows, larger than a small screen, open inside it.
TEST_F(WindowTest, OtherWindowsOpenWithinTheScreen)
{
    Open();
    mainWindow->ShowStatistics();
    mainWindow->ShowApparatus();
    const QRect room = mainWindow->screen()->availableGeometry();
    for (const QWidget* window : {static_cast<QWidget*>(mainWindow->Statistics()),
                                  static_cast<QWidget*>(mainWindow->Apparatus())}) {
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(room.contains(window->geometry())) << window->objectName().toStdString();
    }
}

} // namespace
} // namespace synopter::test
