#include "language/ui/translate_form.h"

#include "common/ini_file.h"
#include "common/ui/panel.h"
#include "common/ui/qt_bytes.h"
#include "compare/ui/result_pane.h"
#include "language/translate.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>

#include <memory>

namespace synopter {

namespace {

class QtComponent : public FormComponent {
public:
    explicit QtComponent(QObject* object) : object_(object) {}

    bool IsA(ComponentClass c) const override
    {
        switch (c) {
        case ComponentClass::Label:
            return qobject_cast<QLabel*>(object_) != nullptr;
        case ComponentClass::BitBtn:
            return qobject_cast<QPushButton*>(object_) != nullptr;
        case ComponentClass::SpeedButton:
            return qobject_cast<QToolButton*>(object_) != nullptr;
        case ComponentClass::CheckBox:
            return qobject_cast<QCheckBox*>(object_) != nullptr;
        case ComponentClass::SpinEdit:
            return qobject_cast<QSpinBox*>(object_) != nullptr;
        case ComponentClass::Panel:
            return qobject_cast<Panel*>(object_) != nullptr;
        case ComponentClass::RichEdit:
            return qobject_cast<ResultPane*>(object_) != nullptr;
        case ComponentClass::PopupMenu:
            return qobject_cast<QMenu*>(object_) != nullptr;
        case ComponentClass::MenuItem:
            return qobject_cast<QAction*>(object_) != nullptr;
        case ComponentClass::Other:
            break;
        }
        return false;
    }

    std::string Name() const override { return ToLocal8Bit(object_->objectName()); }

    std::string Caption() const override
    {
        if (auto* label = qobject_cast<QLabel*>(object_))
            return ToLocal8Bit(label->text());
        if (auto* button = qobject_cast<QAbstractButton*>(object_))
            return ToLocal8Bit(button->text());
        if (auto* action = qobject_cast<QAction*>(object_))
            return ToLocal8Bit(action->text());
        return ToLocal8Bit(object_->property("caption").toString());
    }

    void SetCaption(const std::string& caption) override
    {
        const QString text = FromLocal8Bit(caption);
        if (auto* label = qobject_cast<QLabel*>(object_)) {
            if (label->text() != text) {
                label->setTextFormat(Qt::PlainText);
                label->setText(text);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(object_)) {
            button->setText(text);
        } else if (auto* action = qobject_cast<QAction*>(object_)) {
            action->setText(text);
        } else {
            object_->setProperty("caption", text);
        }
    }

    std::string Hint() const override { return ToLocal8Bit(object_->property("hint").toString()); }

    void SetHint(const std::string& hint) override
    {
        const QString text = FromLocal8Bit(hint);
        object_->setProperty("hint", text);
        // Controls that show no hint keep the text without displaying it; it
        // still describes the control to assistive technology.
        if (auto* widget = qobject_cast<QWidget*>(object_)) {
            if (widget->property("showHint").toBool())
                widget->setToolTip(PlainToolTip(text));
            widget->setAccessibleDescription(text);
        }
    }

    std::string AccessibleName() const override
    {
        const auto* widget = qobject_cast<const QWidget*>(object_);
        return widget ? ToLocal8Bit(widget->accessibleName()) : std::string();
    }

    void SetAccessibleName(const std::string& name) override
    {
        if (auto* widget = qobject_cast<QWidget*>(object_))
            widget->setAccessibleName(FromLocal8Bit(name));
    }

    int LineCount() override { return pane()->LineCount(); }
    std::string Line(int index) override { return ToLocal8Bit(pane()->Line(index)); }

    void ReplaceLine(int index, const std::string& text) override
    {
        // Rewriting a line with its own text would only lose its colours.
        const QString line = FromLocal8Bit(text);
        if (pane()->Line(index) != line)
            pane()->ReplaceLine(index, line);
    }

    std::vector<FormComponent*> PopupItems() override
    {
        std::vector<FormComponent*> out;
        if (auto* menu = qobject_cast<QMenu*>(object_)) {
            for (QAction* action : menu->actions()) {
                if (action->isSeparator())
                    continue;
                items_.push_back(std::make_unique<QtComponent>(action));
                out.push_back(items_.back().get());
            }
        }
        return out;
    }

private:
    ResultPane* pane() const { return static_cast<ResultPane*>(object_); }

    QObject* object_;
    std::vector<std::unique_ptr<QtComponent>> items_;
};

class QtForm : public TranslatableForm {
public:
    QtForm(QWidget& form, const QList<QObject*>& components) : form_(form)
    {
        for (QObject* c : components)
            components_.push_back(std::make_unique<QtComponent>(c));
    }

    std::string Name() const override { return ToLocal8Bit(form_.objectName()); }
    std::string Caption() const override { return ToLocal8Bit(form_.windowTitle()); }
    void SetCaption(const std::string& caption) override { form_.setWindowTitle(FromLocal8Bit(caption)); }

    std::vector<FormComponent*> Components() override
    {
        std::vector<FormComponent*> out;
        for (const auto& c : components_)
            out.push_back(c.get());
        return out;
    }

private:
    QWidget& form_;
    std::vector<std::unique_ptr<QtComponent>> components_;
};

} // namespace

WindowTextReader ReadWindowTexts(const InterfaceLanguage& language, const std::string& section)
{
    if (!language.IsSet())
        return [](const char*, const QString& current) { return current; };
    auto file = std::make_shared<const IniFile>(language.FilePath());
    return [file, section](const char* key, const QString& current) {
        return FromLocal8Bit(file->ReadString(section, key, ToLocal8Bit(current)));
    };
}

std::string TranslateForm(QWidget& form, const QList<QObject*>& components, const InterfaceLanguage& language)
{
    if (!language.IsSet())
        return {};
    QtForm adapter(form, components);
    return TranslateForm(adapter, language);
}

} // namespace synopter
