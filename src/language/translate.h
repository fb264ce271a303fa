#pragma once

#include "language/interface_language.h"

#include <string>
#include <vector>

namespace synopter {

// The component classes a language file can address, in the order a component
// is tested against them.
enum class ComponentClass {
    Label,
    BitBtn,
    SpeedButton,
    CheckBox,
    SpinEdit,
    Panel,
    RichEdit,
    PopupMenu,
    MenuItem,
    Other,
};

// One component of a window as the translation sees it. Texts are bytes in the
// system's encoding, as the language files hold them. Only the operations of
// the component's class are called.
class FormComponent {
public:
    virtual ~FormComponent() = default;

    // True when the component is of that class or of one derived from it.
    virtual bool IsA(ComponentClass c) const = 0;
    virtual std::string Name() const = 0;

    virtual std::string Caption() const { return {}; }
    virtual void SetCaption(const std::string&) {}
    virtual std::string Hint() const { return {}; }
    virtual void SetHint(const std::string&) {}
    // What assistive technology announces the control as (key NAME_name), for
    // controls whose caption does not say it or that have none.
    virtual std::string AccessibleName() const { return {}; }
    virtual void SetAccessibleName(const std::string&) {}

    // Rich-text panes: display lines, without their line breaks.
    virtual int LineCount() { return 0; }
    virtual std::string Line(int) { return {}; }
    virtual void ReplaceLine(int, const std::string&) {}

    // Popup menus: their top-level items, which are menu items of the window too.
    virtual std::vector<FormComponent*> PopupItems() { return {}; }
};

// A window: its component name (the language file's section), its caption and
// the components it owns in creation order.
class TranslatableForm {
public:
    virtual ~TranslatableForm() = default;

    virtual std::string Name() const = 0;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual std::vector<FormComponent*> Components() = 0;
};

// Applies the language's file to the window. Every text a key names is
// replaced; a missing key leaves the text shown at that moment, so a second
// language only changes what it names. No language, no change.
// Returns why the language file could not be read (empty when it was, or when
// no language is set); the form then keeps its texts.
std::string TranslateForm(TranslatableForm& form, const InterfaceLanguage& language);

} // namespace synopter
