// The import dialog driven from the main window: a small Unicode source in a
// folder of its own, the edition written into a program directory of the test's.
#include "app/main_window.h"
#include "import/ui/import_dialog_names.h"
#include "app/main_window_names.h"
#include "common/ui/recording_messages.h"
#include "editions/ui/source_list.h"
#include "import/ui/import_dialog.h"
#include "language/translate.h"
#include "language/ui/translate_form.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

using namespace synopter;

namespace {

const QByteArray kJohn = "John 3:16 οὕτως γὰρ ἠγάπησεν ὁ θεὸς τὸν κόσμον\n";

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class ImportDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid() && sources.isValid());
        WriteAll(program.filePath("Left.bk"), "[English]\r\nInformation=Left text\r\n");
        WriteAll(program.filePath("Left.dat"), "KATA MARKON 1\r\n 1:1 arch\r\n");
        WriteAll(sources.filePath("john.txt"), kJohn);
        mainWindow = std::make_unique<MainWindow>((program.path() + "/").toStdString(), &messages);
        ASSERT_TRUE(mainWindow->Start());
        mainWindow->show();
        mainWindow->findChild<QAction*>(main_window_names::importAction)->trigger();
        dialog = mainWindow->findChild<ImportDialog*>(import_dialog_names::window);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        dialog->AddSources({sources.filePath("john.txt")});
    }

    // The dialog reports in its own view; nothing goes to a message box.
    void TearDown() override { EXPECT_TRUE(messages.shown.isEmpty()) << messages.shown.join("\n").toStdString(); }

    void Import()
    {
        dialog->importButton->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->IsImporting(); }, 30000));
    }

    QTemporaryDir program;
    QTemporaryDir sources;
    test::RecordingMessages messages; // outlives the window
    std::unique_ptr<MainWindow> mainWindow;
    ImportDialog* dialog = nullptr;
};

TEST_F(ImportDialogTest, ImportsIntoTheProgramDirectoryAndBothChoosers)
{
    mainWindow->Chooser(Side::Left)->setCurrentIndex(mainWindow->Chooser(Side::Left)->findText("Left"));
    EXPECT_EQ(dialog->nameEdit->text(), "john");
    // Each hand's witness of one transcription has a name of its own.
    for (const auto& [index, name] : {std::pair{1, "john-first"}, {2, "john-corr"}, {0, "john"}}) {
        dialog->handChooser->setCurrentIndex(index);
        EXPECT_EQ(dialog->nameEdit->text(), name);
    }
    dialog->titleEdit->setText("Κατὰ Ἰωάννην");
    dialog->importButton->click();
    // The worker's result is taken up by the window's timer, so this is still the run.
    EXPECT_TRUE(dialog->IsImporting());
    EXPECT_FALSE(dialog->importButton->isEnabled());
    EXPECT_FALSE(dialog->nameEdit->isEnabled());
    EXPECT_TRUE(dialog->stopButton->isEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->IsImporting(); }, 30000));
    EXPECT_TRUE(dialog->importButton->isEnabled());
    // Ready for the next edition: the sources and title just used are gone.
    EXPECT_EQ(dialog->sourceList->count(), 0);
    EXPECT_TRUE(dialog->titleEdit->text().isEmpty());

    const QList<QByteArray> lines = ReadAll(program.filePath("john.dat")).split('\n');
    EXPECT_EQ(lines.size(), 8222); // a line break after each of 8221 lines
    EXPECT_TRUE(lines.contains(" 3:16 outwv gar hgaphsen o yeov ton kosmon\r")) << dialog->reportView->toPlainText().toStdString();
    EXPECT_TRUE(QFile::exists(program.filePath("john.bk")));

    ImportRequest request;
    request.sources = {sources.filePath("john.txt").toStdString()};
    for (const std::string& line : DescribeSummary(ImportEdition(request).summary))
        EXPECT_TRUE(dialog->reportView->toPlainText().contains(QString::fromStdString(line))) << line;

    // The left side keeps its edition, the empty right side takes the new one.
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->count(), 2);
    EXPECT_GE(mainWindow->Chooser(Side::Left)->findText("john"), 0);
    EXPECT_GE(mainWindow->Chooser(Side::Right)->findText("john"), 0);
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "Left");
    EXPECT_EQ(mainWindow->List(Side::Left)->Count(), 2);
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->currentText(), "john");
    EXPECT_EQ(mainWindow->List(Side::Right)->Count(), 8221);
    EXPECT_EQ(mainWindow->Chooser(Side::Right)->toolTip(), "Κατὰ Ἰωάννην");
}

TEST_F(ImportDialogTest, AnExistingEditionIsReplacedOnlyWhenTheUserSaysSo)
{
    WriteAll(program.filePath("john.bk"), "[English]\r\nInformation=old\r\n");
    WriteAll(program.filePath("john.dat"), "KATA IWANNHN 1\r\n");
    mainWindow->FillEditionLists();
    mainWindow->Chooser(Side::Left)->setCurrentIndex(mainWindow->Chooser(Side::Left)->findText("john"));
    ASSERT_EQ(mainWindow->List(Side::Left)->Count(), 1);

    messages.answer = false;
    Import();
    ASSERT_EQ(messages.questions.size(), 1);
    EXPECT_TRUE(messages.questions[0].contains("john"));
    EXPECT_EQ(ReadAll(program.filePath("john.dat")), "KATA IWANNHN 1\r\n");
    EXPECT_EQ(mainWindow->List(Side::Left)->Count(), 1);

    messages.answer = true;
    Import();
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(ReadAll(program.filePath("john.dat")).count('\n'), 8221);
    // The side showing the replaced edition shows its new text.
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->currentText(), "john");
    EXPECT_EQ(mainWindow->List(Side::Left)->Count(), 8221);
}

TEST_F(ImportDialogTest, BadInputIsReportedAndClosingStopsAnImport)
{
    for (const char* name : {"", "a/b", ".hidden", "x.bk"}) {
        dialog->nameEdit->setText(name);
        dialog->importButton->click();
        EXPECT_FALSE(dialog->IsImporting()) << name;
        EXPECT_FALSE(dialog->reportView->toPlainText().isEmpty()) << name;
    }
    dialog->nameEdit->setText("john");
    WriteAll(sources.filePath("john.txt"), "no verse here\n");
    Import();
    EXPECT_FALSE(dialog->reportView->toPlainText().isEmpty());
    EXPECT_FALSE(QFile::exists(program.filePath("john.dat")));

    WriteAll(sources.filePath("john.txt"), kJohn);
    dialog->importButton->click();
    ASSERT_TRUE(dialog->IsImporting());
    dialog->close();
    EXPECT_FALSE(dialog->IsImporting());
    EXPECT_FALSE(QFile::exists(program.filePath("john.dat")));
    EXPECT_FALSE(QFile::exists(program.filePath("john.bk")));
    EXPECT_EQ(mainWindow->Chooser(Side::Left)->count(), 1);
    EXPECT_TRUE(dialog->importButton->isEnabled());
}

TEST_F(ImportDialogTest, BothShippedLanguagesNameEveryNewText)
{
    const std::filesystem::path lng = std::filesystem::path(__FILE__).parent_path() / "../../../src/language/lng";
    QList<QObject*> texts;
    for (QObject* c : dialog->Components())
        if (qobject_cast<QLabel*>(c) || qobject_cast<QPushButton*>(c))
            texts << c;
    for (const char* name : {"File1", "Importedition1", "Label7", "BitBtn2"})
        texts << mainWindow->findChild<QObject*>(name);
    const auto caption = [](QObject* c) {
        if (auto* label = qobject_cast<QLabel*>(c))
            return label->text();
        if (auto* button = qobject_cast<QPushButton*>(c))
            return button->text();
        return qobject_cast<QAction*>(c)->text();
    };
    QStringList builtIn;
    for (QObject* c : texts)
        builtIn << caption(c);
    QStringList builtInHands;
    for (int i = 0; i < dialog->handChooser->count(); ++i)
        builtInHands << dialog->handChooser->itemText(i);
    const QString title = dialog->windowTitle();

    const std::string dir = (program.path() + "/").toStdString();
    for (const char* language : {"Russian", "English"}) {
        std::filesystem::copy_file(lng / (std::string(language) + ".lng"), dir + language + ".lng");
        mainWindow->Language().Set(language);
        dialog->Translate();
        TranslateForm(*mainWindow, mainWindow->Components(), mainWindow->Language());
        mainWindow->UpdateNoEditionsNotice();
        const bool english = std::string(language) == "English";
        EXPECT_EQ(dialog->windowTitle() == title, english);
        for (int i = 0; i < texts.size(); ++i) {
            // English gives the built-in texts back; Russian replaces every one.
            EXPECT_EQ(caption(texts[i]) == builtIn[i], english) << language << " " << texts[i]->objectName().toStdString();
            EXPECT_FALSE(caption(texts[i]).isEmpty());
        }
        for (int i = 0; i < builtInHands.size(); ++i)
            EXPECT_EQ(dialog->handChooser->itemText(i) == builtInHands[i], english) << language << " hand " << i;
        const QString notice = mainWindow->findChild<QLabel*>(main_window_names::noEditionsText)->text();
        EXPECT_TRUE(notice.contains(QDir::toNativeSeparators(program.path()))) << language;
    }
}

} // namespace
