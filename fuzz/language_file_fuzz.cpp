// A language file of any bytes translating a window with one component of
// each class the translation knows.

#include "fuzz_file.h"
#include "language/translate.h"

#include <cstdlib>

using namespace synopter;

namespace {

class Component : public FormComponent {
public:
    Component(ComponentClass cls, std::string name) : cls_(cls), name_(std::move(name)) {}
    bool IsA(ComponentClass c) const override { return c == cls_; }
    std::string Name() const override { return name_; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::string Hint() const override { return hint_; }
    void SetHint(const std::string& hint) override { hint_ = hint; }
    int LineCount() override { return int(lines_.size()); }
    std::string Line(int i) override { return lines_.at(size_t(i)); }
    void ReplaceLine(int i, const std::string& line) override { lines_.at(size_t(i)) = line; }
    std::vector<FormComponent*> PopupItems() override { return items_; }

    std::vector<FormComponent*> items_;

private:
    ComponentClass cls_;
    std::string name_;
    std::string caption_ = "caption";
    std::string hint_;
    std::vector<std::string> lines_{"first", "second"};
};

class Form : public TranslatableForm {
public:
    Form()
    {
        const std::pair<ComponentClass, const char*> kinds[] = {
            {ComponentClass::Label, "Label1"},       {ComponentClass::BitBtn, "BitBtn1"},
            {ComponentClass::SpeedButton, "SB1"},    {ComponentClass::CheckBox, "chbScrollBoth"},
            {ComponentClass::SpinEdit, "seAmount"},  {ComponentClass::Panel, "Panel1"},
            {ComponentClass::RichEdit, "RichEdit1"}, {ComponentClass::PopupMenu, "PopupMenu1"},
            {ComponentClass::MenuItem, "Compare1"},  {ComponentClass::Other, "Other1"},
        };
        for (const auto& [cls, name] : kinds)
            components_.emplace_back(cls, name);
        components_[7].items_ = {&components_[8]};
    }
    std::string Name() const override { return "Form1"; }
    std::string Caption() const override { return caption_; }
    void SetCaption(const std::string& caption) override { caption_ = caption; }
    std::vector<FormComponent*> Components() override
    {
        std::vector<FormComponent*> out;
        for (Component& c : components_)
            out.push_back(&c);
        return out;
    }

private:
    std::vector<Component> components_;
    std::string caption_ = "Synopter";
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size)
{
    fuzz::WriteScratch("Fuzz.lng", data, size);
    InterfaceLanguage language(fuzz::ScratchFolder());
    language.Set("Fuzz");
    Form form;
    TranslateForm(form, language);
    return 0;
}
