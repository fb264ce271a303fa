#include "app/main_window.h"
#include "chapters/ui/chapter_window.h"
#include "common/error.h"
#include "common/ini_file.h"
#include "common/ui/panel.h"
#include "common/ui/recording_messages.h"
#include "compare/ui/result_pane.h"
#include "common/temp_folder.h"
#include "language/translate.h"
#include "language/ui/language_dialog.h"
#include "language/ui/translate_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTextDocument>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <map>
#include <memory>

namespace synopter {
namespace {

using ::testing::ElementsAre;

void WritePicture(const test::TempFolder& folder, const std::string& name, int height)
{
    QImage image(20, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(QString::fromStdString(folder / name), "BMP"));
}

// ---- The dialog's list

class LanguageDialogTest : public ::testing::Test {
protected:
    test::TempFolder folder;
};

TEST_F(LanguageDialogTest, EntriesShowTheirOwnPicturesAtOneHeight)
{
    folder.Write("A.lng", "");
    folder.Write("B.lng", "");
    folder.Write("C.lng", "");
    WritePicture(folder, "A.bmp", 20);
    WritePicture(folder, "C.bmp", 30);
    LanguageDialog dialog(folder.Path());
    dialog.FillLanguageList();

    ASSERT_EQ(dialog.EntryCount(), 3);
    EXPECT_EQ(dialog.EntryText(0), "A");
    EXPECT_EQ(dialog.EntryText(2), "C");
    EXPECT_EQ(dialog.languageChooser->currentIndex(), 0);
    EXPECT_FALSE(dialog.languageChooser->itemIcon(0).isNull());
    EXPECT_TRUE(dialog.languageChooser->itemIcon(1).isNull());
    EXPECT_FALSE(dialog.languageChooser->itemIcon(2).isNull());
    EXPECT_EQ(dialog.EntryHeight(), 31);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(dialog.languageChooser->view()->sizeHintForRow(row), 31) << row;

    // A second filling without the tall pictures keeps the height.
    std::filesystem::remove(folder / "C.bmp");
    std::filesystem::remove(folder / "C.lng");
    dialog.FillLanguageList();
    EXPECT_EQ(dialog.EntryCount(), 2);
    EXPECT_EQ(dialog.EntryHeight(), 31);
    EXPECT_EQ(dialog.languageChooser->view()->sizeHintForRow(1), 31);
}

TEST_F(LanguageDialogTest, UnreadablePictureCountsAsNone)
{
    folder.Write("A.lng", "");
    folder.Write("A.bmp", "not a bitmap");
    LanguageDialog dialog(folder.Path());
    dialog.FillLanguageList();
    ASSERT_EQ(dialog.EntryCount(), 1);
    EXPECT_TRUE(dialog.languageChooser->itemIcon(0).isNull());
    EXPECT_EQ(dialog.EntryHeight(), 16);
}

TEST_F(LanguageDialogTest, EntriesShowOwnNamesAndServeTheSystemsLanguages)
{
    folder.Write("English.lng", "[Form1]\n");
    folder.Write("Russian.lng", "[Language]\nName=Русский\nLocale=ru\n");
    folder.Write("fr.lng", "");
    folder.Write("Klingonish.lng", "");
    LanguageDialog dialog(folder.Path());
    dialog.FillLanguageList();
    std::map<std::string, QString> shown; // language name -> what the list shows
    for (int i = 0; i < dialog.EntryCount(); ++i)
        shown[dialog.EntryText(i)] = dialog.languageChooser->itemText(i);
    EXPECT_EQ(shown["Russian"], QString::fromUtf8("Русский"));
    EXPECT_EQ(shown["English"], "English");
    EXPECT_EQ(shown["fr"], QString::fromUtf8("Français"));
    EXPECT_EQ(shown["Klingonish"], "Klingonish");

    const struct {
        QStringList system;
        const char* entry; // nullptr: none serves them
    } cases[] = {
        {{"ru-RU", "en-US"}, "Russian"}, {{"de-DE", "en-GB"}, "English"}, {{"fr-CA"}, "fr"},
        {{"C"}, nullptr},                {{"de"}, nullptr},               {{}, nullptr},
    };
    for (const auto& c : cases) {
        const int entry = dialog.EntryServing(c.system);
        EXPECT_EQ(entry < 0 ? std::string() : dialog.EntryText(entry), c.entry ? c.entry : "")
            << c.system.join(',').toStdString();
    }
}

TEST_F(LanguageDialogTest, OnlyOkAccepts)
{
    LanguageDialog dialog(folder.Path());
    EXPECT_EQ(dialog.windowTitle(), "Language selection");
    dialog.open();
    dialog.okButton->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.open();
    dialog.close();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}

TEST_F(LanguageDialogTest, CaptionsShowWholeAndApart)
{
    LanguageDialog dialog(folder.Path());
    dialog.show();
    QApplication::processEvents();
    const QWidget* const parts[] = {dialog.titleLabel, dialog.subtitleLabel, dialog.languageChooser, dialog.okButton};
    for (const QWidget* part : parts) {
        EXPECT_GE(part->width(), part->sizeHint().width()) << part->objectName().toStdString();
        EXPECT_TRUE(dialog.rect().contains(part->geometry())) << part->objectName().toStdString();
        for (const QWidget* other : parts) {
            if (other != part) {
                EXPECT_FALSE(part->geometry().intersects(other->geometry())) << part->objectName().toStdString();
            }
        }
    }
    // The captions at the left, the list and OK at their right.
    EXPECT_LT(dialog.subtitleLabel->geometry().right(), dialog.okButton->x());
    EXPECT_LT(dialog.titleLabel->geometry().right(), dialog.languageChooser->x());
}

// ---- The main window's language flows

class MainWindowLanguageTest : public ::testing::Test {
protected:
    MainWindowLanguageTest()
    {
        mainWindow = std::make_unique<MainWindow>(folder.Path(), &messages);
        chapterWindow =
            std::make_unique<ChapterWindow>(mainWindow.get(), folder.Path(), mainWindow->Language(), messages, nullptr);
        mainWindow->SetChapterWindow(chapterWindow.get());
        dialog = LanguageDialogOf(mainWindow.get(), folder.Path());
        dialog->systemLanguages = [] { return QStringList(); }; // the machine's locale decides nothing
        dialog->execDialog = [this] {
            ++dialogsShown;
            if (pick < 0)
                return int(QDialog::Rejected);
            dialog->languageChooser->setCurrentIndex(pick);
            return int(QDialog::Accepted);
        };
    }
    ~MainWindowLanguageTest() override
    {
        chapterWindow.reset();
        mainWindow.reset();
    }

    // English and Deutsch, each naming a few texts of both windows.
    void TwoLanguages()
    {
        folder.Write("English.lng", "[Form1]\ncompare=<--- COMPARE --->\nView1=View\n[Form2]\nForm2=Chapters\n");
        folder.Write("Deutsch.lng", "[Form1]\ncompare=<--- VERGLEICHEN --->\nView1=Ansicht\n[Form2]\nForm2=Kapitel\n");
    }
    QString Mirrored() const { return QString::fromStdString(mainWindow->Language().Name()); }

    test::TempFolder folder;
    test::RecordingMessages messages; // outlives the windows
    std::unique_ptr<MainWindow> mainWindow;
    std::unique_ptr<ChapterWindow> chapterWindow;
    LanguageDialog* dialog = nullptr;
    int dialogsShown = 0;
    int pick = 0; // the entry the user takes; -1 closes the dialog without OK
};

TEST_F(MainWindowLanguageTest, EveryRowReachesItsControls)
{
    folder.Write("Deutsch.lng", "[Form1]\n"
                                "Form1=Synopter DE\n"
                                "Panel1=Oben\nPanel1_hint=Leiste\n"
                                "compare=Vergleichen\ncompare_hint=Bücher vergleichen\n"
                                "Label5=Menge:\nLabel5_hint=Nie gezeigt\n"
                                "chbScrollBoth=Beide\n"
                                "seAmountDiffer=99\nseAmountDiffer_hint=Länge\n"
                                "CrearMajoritycomparison1=Leeren\nCopy2=Kopieren\n"
                                "View1=Ansicht\nSourcetexts1=Quelltexte\n"
                                "RichEdit11=Zeile\n"
                                "cb1=Wrong\nProgressBar1=Wrong\nListBox1=Wrong\n"
                                "[Form2]\nForm2=Kapitel\nListBox1=Wrong\n");
    mainWindow->Pane(Side::Left)->AppendLine("Mt 1", ResultPane::Format(128, true));
    mainWindow->Pane(Side::Left)->AppendLine("Mt 2", ResultPane::Format(128, true));
    chapterWindow->AddChapter("Mt 1");

    mainWindow->ChooseInterfaceLanguage(); // one language: no dialog

    EXPECT_EQ(dialogsShown, 0);
    EXPECT_EQ(mainWindow->windowTitle(), "Synopter DE");
    EXPECT_EQ(mainWindow->findChild<Panel*>("Panel1")->Caption(), "Oben");
    EXPECT_EQ(mainWindow->findChild<Panel*>("Panel1")->property("hint").toString(), "Leiste");
    EXPECT_EQ(mainWindow->CompareButton()->text(), "Vergleichen");
    EXPECT_EQ(mainWindow->CompareButton()->property("hint").toString(), QString::fromUtf8("Bücher vergleichen"));
    EXPECT_EQ(mainWindow->CompareButton()->toolTip(), QString::fromUtf8("Bücher vergleichen"));
    // Label5 shows no hints: the text is kept, not displayed.
    EXPECT_EQ(mainWindow->findChild<QLabel*>("Label5")->text(), "Menge:");
    EXPECT_EQ(mainWindow->findChild<QLabel*>("Label5")->property("hint").toString(), "Nie gezeigt");
    EXPECT_EQ(mainWindow->findChild<QLabel*>("Label5")->toolTip(), "");
    EXPECT_EQ(mainWindow->ScrollBothBox()->text(), "Beide");
    EXPECT_EQ(mainWindow->ThresholdBox()->value(), 20);
    EXPECT_EQ(mainWindow->ThresholdBox()->toolTip(), QString::fromUtf8("Länge"));
    EXPECT_EQ(mainWindow->findChild<QAction*>("CrearMajoritycomparison1")->text(), "Leeren");
    EXPECT_EQ(mainWindow->findChild<QAction*>("Copy2")->text(), "Kopieren");
    EXPECT_EQ(mainWindow->findChild<QAction*>("Copy1")->text(), "Copy");
    EXPECT_EQ(mainWindow->findChild<QAction*>("View1")->text(), "Ansicht");
    EXPECT_EQ(mainWindow->SourceTextsAction()->text(), "Quelltexte");
    // No probe key: the pane keeps its lines.
    EXPECT_EQ(mainWindow->Pane(Side::Left)->Line(1), "Mt 2");
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "UBS");
    EXPECT_EQ(chapterWindow->windowTitle(), "Kapitel");
    EXPECT_EQ(chapterWindow->List()->item(0)->text(), "Mt 1");

    EXPECT_EQ(Mirrored(), "Deutsch");
    EXPECT_EQ(IniFile(folder / "kelvane.ini").ReadString("General", "Language", "?"), "Deutsch");
}

TEST_F(MainWindowLanguageTest, ProbeKeyTranslatesPaneLines)
{
    folder.Write("Deutsch.lng", "[Form1]\nRichEdit10=Mt 1\nRichEdit11=Mk 1\nRichEdit1_hint=Links\n");
    mainWindow->Pane(Side::Left)->AppendLine("Mt 1", ResultPane::Format(128, true));
    mainWindow->Pane(Side::Left)->AppendLine("Mt 2", ResultPane::Format(128, true));
    mainWindow->Pane(Side::Left)->AppendLine(" 1 Biblos", ResultPane::Format(0, false));
    mainWindow->ChooseInterfaceLanguage();
    EXPECT_EQ(mainWindow->Pane(Side::Left)->LineCount(), 3);
    EXPECT_EQ(mainWindow->Pane(Side::Left)->Line(0), "Mt 1");
    EXPECT_EQ(mainWindow->Pane(Side::Left)->Line(1), "Mk 1");
    EXPECT_EQ(mainWindow->Pane(Side::Left)->Line(2), " 1 Biblos");
    EXPECT_EQ(mainWindow->Pane(Side::Left)->property("hint").toString(), "Links");
    EXPECT_EQ(mainWindow->Pane(Side::Right)->property("hint").toString(), "");
}

TEST_F(MainWindowLanguageTest, StartUpAsksWhenNothingIsStored)
{
    TwoLanguages();
    pick = 1; // English, after Deutsch
    EXPECT_TRUE(mainWindow->Start());
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(mainWindow->Language().Name(), "English");
    EXPECT_EQ(Mirrored(), "English");
    EXPECT_EQ(IniFile(folder / "kelvane.ini").ReadString("General", "Language", "?"), "English");
}

TEST_F(MainWindowLanguageTest, CancelAtStartUpEndsTheProgramWritingNothing)
{
    TwoLanguages();
    pick = -1;
    EXPECT_FALSE(mainWindow->Start());
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(mainWindow->Language().Name(), "");
    EXPECT_EQ(mainWindow->CompareButton()->text(), "<--- COMPARE --->");
    EXPECT_FALSE(std::filesystem::exists(folder / "kelvane.ini"));
}

// The failed language step is reported and left out; the rest of start-up
// runs, so the choosers hold the catalogue, never the design-time items, and
// the failed write at close is reported with its reason.
TEST_F(MainWindowLanguageTest, StartUpWriteFailureIsReportedAndTheRestOfStartUpRuns)
{
    TwoLanguages();
    folder.Write("alpha.bk", "[English]\r\nInformation=alpha\r\n");
    folder.Write("alpha.dat", "Matt 1\r\n");
    std::filesystem::create_directory(folder / "kelvane.ini");
    pick = 0;
    EXPECT_TRUE(mainWindow->Start());
    EXPECT_EQ(messages.shown, QStringList{QString::fromStdString("Unable to write to " + folder / "kelvane.ini")});
    EXPECT_EQ(mainWindow->Language().Name(), "Deutsch");
    EXPECT_EQ(Mirrored(), "Deutsch");
    EXPECT_EQ(mainWindow->CompareButton()->text(), "<--- COMPARE --->"); // not translated
    for (const Side side : {Side::Left, Side::Right}) {
        QComboBox* chooser = mainWindow->Chooser(side);
        ASSERT_EQ(chooser->count(), 1);
        EXPECT_EQ(chooser->itemText(0), "alpha");
    }
    messages.shown.clear();
    mainWindow->close();
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0], QString::fromStdString("Unable to write to " + folder / "kelvane.ini\n" +
                                                  std::strerror(EISDIR)));
}

// What a tooltip shows: rich text rendered, plain text as it is.
QString ShownToolTip(const QString& tip)
{
    if (!Qt::mightBeRichText(tip))
        return tip;
    QTextDocument document;
    document.setHtml(tip);
    return document.toPlainText();
}

// Markup in a language file or an edition's description is shown as written,
// never interpreted (an <img> would be read from disk).
TEST_F(MainWindowLanguageTest, MarkupInCaptionsHintsAndDescriptionsShowsAsWritten)
{
    const std::string image = "<img src=\"" + folder / "big.bmp" + "\">";
    folder.Write("English.lng", "[Form1]\nLabel5=<b>x</b>\ncompare_hint=" + image + " <i>go</i>\n");
    folder.Write("alpha.bk", "[English]\r\nInformation=" + image + " <b>UBS</b>\r\n");
    folder.Write("alpha.dat", "Matt 1\r\n");
    ASSERT_TRUE(mainWindow->Start());
    mainWindow->Chooser(Side::Right)->setCurrentIndex(0);

    auto* label = mainWindow->findChild<QLabel*>("Label5");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(label->text(), "<b>x</b>");
    EXPECT_EQ(ShownToolTip(mainWindow->CompareButton()->toolTip()), QString::fromStdString(image + " <i>go</i>"));
    EXPECT_EQ(ShownToolTip(mainWindow->Chooser(Side::Right)->toolTip()), QString::fromStdString(image + " <b>UBS</b>"));
}

TEST_F(MainWindowLanguageTest, MenuCancelChangesNothingAndTheSessionGoesOn)
{
    TwoLanguages();
    folder.Write("kelvane.ini", "[General]\r\nLanguage=English\r\n");
    ASSERT_TRUE(mainWindow->Start());
    chapterWindow->Start();
    mainWindow->ThresholdBox()->setValue(35); // an unsaved setting of this session

    pick = -1;
    mainWindow->ChooseInterfaceLanguage();

    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(mainWindow->Language().Name(), "English");
    EXPECT_EQ(Mirrored(), "English");
    EXPECT_EQ(mainWindow->CompareButton()->text(), "<--- COMPARE --->");
    EXPECT_EQ(chapterWindow->windowTitle(), "Chapters");
    EXPECT_EQ(mainWindow->ThresholdBox()->value(), 35);
    EXPECT_EQ(folder.Read("kelvane.ini"), "[General]\r\nLanguage=English\r\n");

    // The dialog is still there for the next time.
    pick = 0;
    mainWindow->ChooseInterfaceLanguage();
    EXPECT_EQ(mainWindow->Language().Name(), "Deutsch");
}

TEST_F(MainWindowLanguageTest, MenuWriteFailureSkipsTheTranslation)
{
    TwoLanguages();
    folder.Write("kelvane.ini", "[General]\r\nLanguage=English\r\n");
    ASSERT_TRUE(mainWindow->Start());
    std::filesystem::remove(folder / "kelvane.ini");
    std::filesystem::create_directory(folder / "kelvane.ini");

    pick = 0;
    EXPECT_THROW(mainWindow->ChooseInterfaceLanguage(), WriteError);
    EXPECT_EQ(mainWindow->Language().Name(), "Deutsch");
    EXPECT_EQ(Mirrored(), "Deutsch");
    EXPECT_EQ(mainWindow->CompareButton()->text(), "<--- COMPARE --->");
}

} // namespace
} // namespace synopter
