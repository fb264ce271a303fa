#include "language/translate.h"

#include "common/ini_file.h"

namespace synopter {

namespace {

// Read as the line-0 key of a rich-text pane: a pane is translated only when the
// language file names its first line.
constexpr const char* kProbeDefault = "emptyempty";

// Captioned controls whose hint may be set too.
constexpr ComponentClass kCaptionedClasses[] = {
    ComponentClass::Label,    ComponentClass::BitBtn, ComponentClass::SpeedButton,
    ComponentClass::CheckBox, ComponentClass::SpinEdit, ComponentClass::Panel,
};

} // namespace

std::string LanguageFilePath(const std::string& programDir, const std::string& language)
{
    return programDir + language + ".lng";
}

std::string TranslateForm(TranslatableForm& form, const InterfaceLanguage& language)
{
    if (!language.IsSet())
        return {};
    const IniFile file(language.FilePath());
    const std::string section = form.Name();
    const auto read = [&](const std::string& key, const std::string& current) {
        return file.ReadString(section, key, current);
    };

    form.SetCaption(read(section, form.Caption()));

    for (FormComponent* c : form.Components()) {
        const std::string name = c->Name();
        // Rows are independent: a component of two classes is treated by both.
        for (const ComponentClass row : kCaptionedClasses) {
            if (!c->IsA(row))
                continue;
            // A spin edit's text is its value; only its hint is translated.
            if (row != ComponentClass::SpinEdit)
                c->SetCaption(read(name, c->Caption()));
            c->SetHint(read(name + "_hint", c->Hint()));
        }
        if (c->IsA(ComponentClass::RichEdit)) {
            const std::string probe = file.ReadString(section, name + "0", kProbeDefault);
            if (probe != kProbeDefault) {
                const int lines = c->LineCount();
                for (int i = 0; i < lines; ++i)
                    c->ReplaceLine(i, read(name + std::to_string(i), c->Line(i)));
                c->SetHint(read(name + "_hint", c->Hint()));
            }
        }
        if (c->IsA(ComponentClass::PopupMenu)) {
            for (FormComponent* item : c->PopupItems())
                item->SetCaption(read(item->Name(), item->Caption()));
        }
        if (c->IsA(ComponentClass::MenuItem))
            c->SetCaption(read(name, c->Caption()));
        c->SetAccessibleName(read(name + "_name", c->AccessibleName()));
    }
    return file.ReadProblem();
}

} // namespace synopter
