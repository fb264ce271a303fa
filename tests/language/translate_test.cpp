#include "language/translate.h"

#include "common/temp_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace synopter {
namespace {

using ::testing::ElementsAre;

// A component that records what the walk did to it.
class FakeComponent : public FormComponent {
public:
    FakeComponent(ComponentClass cls, std::string name, std::string caption = "", std::string hint = "")
        : cls_(cls), name_(std::move(name)), caption_(std::move(caption)), hint_(std::move(hint))
    {
    }

    bool IsA(ComponentClass c) const override { return c == cls_; }
    std::string Name() const override { return name_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override
    {
        caption_ = caption;
        captionsSet.push_back(caption);
    }
    std::string Hint() const override { return hint_; }
    void SetHint(const std::string& hint) override
    {
        hint_ = hint;
        ++hintsSet;
    }
    std::string AccessibleName() const override { return accessibleName; }
    void SetAccessibleName(const std::string& name) override { accessibleName = name; }
    std::string accessibleName;
    int LineCount() override
    {
        ++lineCountsTaken;
        return int(lines.size());
    }
    std::string Line(int i) override { return lines.at(size_t(i)); }
    void ReplaceLine(int i, const std::string& text) override { lines.at(size_t(i)) = text; }
    std::vector<FormComponent*> PopupItems() override { return items; }

    std::vector<std::string> lines;
    std::vector<FormComponent*> items;
    std::vector<std::string> captionsSet;
    int hintsSet = 0;
    int lineCountsTaken = 0;

private:
    ComponentClass cls_;
    std::string name_;
    std::string caption_;
    std::string hint_;
};

class FakeForm : public TranslatableForm {
public:
    FakeForm(std::string name, std::string caption) : caption(std::move(caption)), name_(std::move(name)) {}

    FakeComponent& Add(ComponentClass cls, std::string name, std::string caption = "", std::string hint = "")
    {
        owned_.push_back(std::make_unique<FakeComponent>(cls, std::move(name), std::move(caption), std::move(hint)));
        components_.push_back(owned_.back().get());
        return *owned_.back();
    }

    std::string Name() const override { return name_; }
    std::string Caption() const override { return caption; }
    void SetCaption(const std::string& c) override { caption = c; }
    std::vector<FormComponent*> Components() override { return components_; }

    std::string caption;

private:
    std::string name_;
    std::vector<std::unique_ptr<FakeComponent>> owned_;
    std::vector<FormComponent*> components_;
};

// A main window in miniature: one component of every row and one of none.
class TranslateFormTest : public ::testing::Test {
protected:
    TranslateFormTest()
        : form("Form1", "Synopter"),
          panel(form.Add(ComponentClass::Panel, "Panel1")),
          combo(form.Add(ComponentClass::Other, "cb1", "UBS")),
          compare(form.Add(ComponentClass::BitBtn, "compare", "<--- COMPARE --->", "Start comparing")),
          label4(form.Add(ComponentClass::Label, "Label4", "   ", "Found")),
          label5(form.Add(ComponentClass::Label, "Label5", "Amount of differences:")),
          spin(form.Add(ComponentClass::SpinEdit, "seAmountDiffer", "20", "Length")),
          speed(form.Add(ComponentClass::SpeedButton, "SpeedButton1", "Go")),
          check(form.Add(ComponentClass::CheckBox, "chbScrollBoth", "Scroll Both", "Together")),
          pane(form.Add(ComponentClass::RichEdit, "RichEdit1", "", "Left pane")),
          popup(form.Add(ComponentClass::PopupMenu, "PopupMenu2")),
          clear(form.Add(ComponentClass::MenuItem, "CrearMajoritycomparison1", "Clear")),
          copy(form.Add(ComponentClass::MenuItem, "Copy1", "Copy")),
          view(form.Add(ComponentClass::MenuItem, "View1", "View"))
    {
        pane.lines = {"Mt 1", " 1 Biblos geneseos", " 2 Abraam egennesen", "Mt 2"};
        pane.lines.resize(12, " verse");
        popup.items = {&clear, &copy};
    }

    // Writes <language>.lng and translates the form with it.
    void Translate(const std::string& name, const char* content)
    {
        if (content)
            folder.Write(name + ".lng", content);
        language.Set(name);
        TranslateForm(form, language);
    }

    // Every text of the form, for comparing before and after.
    std::map<std::string, std::string> Texts()
    {
        std::map<std::string, std::string> texts{{"Form1", form.caption}};
        for (FormComponent* c : form.Components()) {
            auto* f = static_cast<FakeComponent*>(c);
            texts[f->Name()] = f->Caption();
            texts[f->Name() + "_hint"] = f->Hint();
            texts[f->Name() + "_name"] = f->AccessibleName();
            for (size_t i = 0; i < f->lines.size(); ++i)
                texts[f->Name() + std::to_string(i)] = f->lines[i];
        }
        return texts;
    }

    test::TempFolder folder;
    InterfaceLanguage language{folder.Path()};
    FakeForm form;
    FakeComponent& panel;
    FakeComponent& combo;
    FakeComponent& compare;
    FakeComponent& label4;
    FakeComponent& label5;
    FakeComponent& spin;
    FakeComponent& speed;
    FakeComponent& check;
    FakeComponent& pane;
    FakeComponent& popup;
    FakeComponent& clear;
    FakeComponent& copy;
    FakeComponent& view;
};

TEST_F(TranslateFormTest, NoLanguageReadsNothingAndChangesNothing)
{
    // Even a file named after the empty language is not looked at.
    folder.Write(".lng", "[Form1]\nForm1=Wrong\ncompare=Wrong\n");
    const auto before = Texts();
    TranslateForm(form, language);
    EXPECT_EQ(Texts(), before);
    EXPECT_TRUE(compare.captionsSet.empty());
    EXPECT_EQ(compare.hintsSet, 0);
}

// Each row: a language file, and the texts it changes (all others stay).
struct TranslationCase {
    const char* name;
    const char* file;
    std::map<std::string, std::string> changed;
};

void PrintTo(const TranslationCase& c, std::ostream* os)
{
    *os << c.name;
}

class TranslationTableTest : public TranslateFormTest, public ::testing::WithParamInterface<TranslationCase> {};

TEST_P(TranslationTableTest, ChangesExactlyTheNamedTexts)
{
    const TranslationCase& c = GetParam();
    auto expected = Texts();
    for (const auto& [key, value] : c.changed)
        expected.at(key) = value;
    Translate("Deutsch", c.file);
    EXPECT_EQ(Texts(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, TranslationTableTest,
    ::testing::Values(
        TranslationCase{"MissingFile", nullptr, {}},
        TranslationCase{"OneKeyOneText", "[Form1]\ncompare=<--- VERGLEICHEN --->\n", {{"compare", "<--- VERGLEICHEN --->"}}},
        TranslationCase{"LetterCaseIgnored",
                        "[FORM1]\nform1=Synopter DE\nCOMPARE=Vergleichen\nCompare_HINT=Bücher vergleichen\n",
                        {{"Form1", "Synopter DE"}, {"compare", "Vergleichen"}, {"compare_hint", "Bücher vergleichen"}}},
        TranslationCase{"EmptyValuesEmpty", "[Form1]\ncompare_hint=\nLabel5=\nForm1=\n",
                        {{"compare_hint", ""}, {"Label5", ""}, {"Form1", ""}}},
        TranslationCase{"OtherWindowsSection", "[Form2]\nForm2=Kapitel\ncompare=Wrong\nForm1=Wrong\n", {}},
        TranslationCase{"CaptionedRows",
                        "[Form1]\nPanel1=P\nPanel1_hint=Ph\nLabel5=L\nLabel5_hint=Lh\nSpeedButton1=S\n"
                        "SpeedButton1_hint=Sh\nchbScrollBoth=K\nchbScrollBoth_hint=Kh\n",
                        {{"Panel1", "P"}, {"Panel1_hint", "Ph"}, {"Label5", "L"}, {"Label5_hint", "Lh"},
                         {"SpeedButton1", "S"}, {"SpeedButton1_hint", "Sh"}, {"chbScrollBoth", "K"},
                         {"chbScrollBoth_hint", "Kh"}}},
        TranslationCase{"NoRowNoChange", "[Form1]\ncb1=Wrong\ncb1_hint=Wrong\nPopupMenu2=Wrong\n", {}},
        TranslationCase{"SpinEditHintOnly", "[Form1]\nseAmountDiffer=99\nseAmountDiffer_hint=Länge\n",
                        {{"seAmountDiffer_hint", "Länge"}}},
        TranslationCase{"MenuItemsWithoutHints", "[Form1]\nView1=Ansicht\nView1_hint=Wrong\nCopy1_hint=Wrong\n",
                        {{"View1", "Ansicht"}}},
        TranslationCase{"PopupItem", "[Form1]\nCrearMajoritycomparison1=Leeren\n", {{"CrearMajoritycomparison1", "Leeren"}}},
        TranslationCase{"CounterOverwritten", "[Form1]\nLabel4=\"0 \"\n", {{"Label4", "0 "}}},
        TranslationCase{"PaneWithoutProbe", "[Form1]\nRichEdit11=X\nRichEdit12=Y\nRichEdit1_hint=H\nRichEdit1=Z\n", {}},
        TranslationCase{"ProbeSaysEmptyEmpty", "[Form1]\nRichEdit10=emptyempty\nRichEdit11=X\nRichEdit1_hint=H\n", {}},
        TranslationCase{"OtherPanesProbe", "[Form1]\nRichEdit20=X\nRichEdit21=Y\n", {}},
        TranslationCase{"ProbePresent", "[Form1]\nRichEdit10=Mf 1\nRichEdit12=\" 2 Avraam\"\nRichEdit1_hint=H\n",
                        {{"RichEdit10", "Mf 1"}, {"RichEdit12", " 2 Avraam"}, {"RichEdit1_hint", "H"}}},
        TranslationCase{"AccessibleNamesOfAnyClass", "[Form1]\ncb1_name=Linke Ausgabe\nRichEdit1_name=Links\n",
                        {{"cb1_name", "Linke Ausgabe"}, {"RichEdit1_name", "Links"}}},
        TranslationCase{"ProbeEmptyValue", "[Form1]\nRichEdit10=\n", {{"RichEdit10", ""}}},
        TranslationCase{"LineKeysInDecimal", "[Form1]\nRichEdit10=zero\nRichEdit110=ten\nRichEdit101=Wrong\n",
                        {{"RichEdit10", "zero"}, {"RichEdit110", "ten"}}}),
    [](const ::testing::TestParamInfo<TranslationCase>& info) { return info.param.name; });

TEST_F(TranslateFormTest, SpinEditCaptionIsNeverSet)
{
    Translate("Deutsch", "[Form1]\nseAmountDiffer=99\n");
    EXPECT_TRUE(spin.captionsSet.empty());
}

TEST_F(TranslateFormTest, PaneIsNotReadWithoutProbe)
{
    Translate("Deutsch", "[Form1]\nRichEdit11=X\nRichEdit1_hint=H\n");
    EXPECT_EQ(pane.lineCountsTaken, 0);
    EXPECT_EQ(pane.hintsSet, 0);
}

TEST_F(TranslateFormTest, EmptyPaneWithProbeOnlyTakesItsHint)
{
    pane.lines.clear();
    Translate("Deutsch", "[Form1]\nRichEdit10=X\nRichEdit1_hint=H\n");
    EXPECT_TRUE(pane.lines.empty());
    EXPECT_EQ(pane.Hint(), "H");
}

TEST_F(TranslateFormTest, SecondLanguageKeepsTheFirstWhereItIsSilent)
{
    Translate("Deutsch", "[Form1]\ncompare=Vergleichen\nLabel5=Menge:\nView1=Ansicht\n");
    Translate("Francais", "[Form1]\ncompare=Comparer\n");
    EXPECT_EQ(compare.Caption(), "Comparer");
    EXPECT_EQ(label5.Caption(), "Menge:");
    EXPECT_EQ(view.Caption(), "Ansicht");
}

TEST_F(TranslateFormTest, PopupItemsReachedTwiceEndAlike)
{
    Translate("Deutsch", "[Form1]\nCrearMajoritycomparison1=Leeren\n");
    // Once through the menu, once as a component of the window.
    EXPECT_THAT(clear.captionsSet, ElementsAre("Leeren", "Leeren"));
    EXPECT_THAT(copy.captionsSet, ElementsAre("Copy", "Copy"));
}

} // namespace
} // namespace synopter
