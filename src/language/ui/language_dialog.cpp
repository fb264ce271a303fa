#include "language/ui/language_dialog.h"
#include "language/ui/language_dialog_names.h"

#include "common/ui/interface_fonts.h"
#include "common/ui/item_height_delegate.h"
#include "common/ui/qt_bytes.h"
#include "language/language_list.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace synopter {

namespace names = language_dialog_names;

namespace {

// The entry's language name, which the flows and the settings file use; the
// list shows each language by its own name.
constexpr int kNameRole = Qt::UserRole;
constexpr int kLanguageRole = Qt::UserRole + 1;

// The language a file serves: the locale it declares, else its name read as
// Qt's English name of a language ("Russian") or as a code ("ru").
QLocale::Language LanguageServed(const LanguageFile& file)
{
    if (!file.locale.empty())
        return QLocale(FromLocal8Bit(file.locale)).language();
    const QString name = FromLocal8Bit(file.name);
    for (int l = QLocale::AnyLanguage + 1; l <= QLocale::LastLanguage; ++l) {
        const auto language = QLocale::Language(l);
        if (QLocale::languageToString(language).compare(name, Qt::CaseInsensitive) == 0)
            return language;
    }
    return QLocale::codeToLanguage(name);
}

QString OwnName(const LanguageFile& file, QLocale::Language language)
{
    if (!file.ownName.empty())
        return FromLocal8Bit(file.ownName);
    if (language == QLocale::AnyLanguage || language == QLocale::C)
        return FromLocal8Bit(file.name);
    // Locale data names English by its American variant.
    if (language == QLocale::English)
        return QLocale::languageToString(language);
    // It writes many names in lower case ("русский"); a list entry starts
    // with a capital.
    QString own = QLocale(language).nativeLanguageName();
    if (own.isEmpty())
        return FromLocal8Bit(file.name);
    own[0] = own[0].toUpper();
    return own;
}

} // namespace

LanguageDialog::LanguageDialog(std::string programDir, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)), entryHeight_(kInitialEntryHeight)
{
    setObjectName(names::window);
    setWindowTitle("Language selection");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Closing the dialog is an answer, not the end of the application.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());

    titleLabel = new QLabel("Choose interface language", this);
    titleLabel->setObjectName(names::titleLabel);
    titleLabel->setFont(InterfaceFont(16, true));

    subtitleLabel = new QLabel(QString::fromUtf8("Выберите язык интерфейса"), this);
    subtitleLabel->setObjectName(names::subtitleLabel);
    QFont arial("Arial");
    arial.setPixelSize(13);
    subtitleLabel->setFont(arial);

    languageChooser = new QComboBox(this);
    languageChooser->setObjectName(names::languageChooser);
    languageChooser->setMinimumWidth(225);
    languageChooser->setEditable(false);
    languageChooser->setFont(InterfaceFont(11, true));
    languageChooser->setCursor(Qt::PointingHandCursor);
    // Picture then text from the top left, every entry as high as the dialog says.
    languageChooser->setItemDelegate(new ItemHeightDelegate([this] { return EntryHeight(); }, true, languageChooser));

    // Read before any language is chosen: named in both captions' languages.
    languageChooser->setAccessibleName(QString::fromUtf8("Interface language — Язык интерфейса"));
    titleLabel->setBuddy(languageChooser);

    okButton = new QPushButton("Ok.", this);
    okButton->setObjectName(names::okButton);
    okButton->setMinimumWidth(75);
    okButton->setFont(InterfaceFont(11, true));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    // The captions at the left, the English one over the Russian one set in;
    // the list and OK at the right. The dialog is as large as that needs.
    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(20, 14, 22, 10);
    grid->setHorizontalSpacing(20);
    grid->setVerticalSpacing(4);
    grid->addWidget(titleLabel, 0, 0);
    grid->addWidget(languageChooser, 0, 1);
    subtitleLabel->setIndent(24);
    grid->addWidget(subtitleLabel, 1, 0);
    grid->addWidget(okButton, 1, 1, Qt::AlignHCenter);

    setTabOrder(okButton, languageChooser);
    okButton->setFocus();

    execDialog = [this] { return exec(); };
    systemLanguages = [] { return QLocale::system().uiLanguages(); };
}

void LanguageDialog::SetEntryHeight(int height)
{
    entryHeight_ = height;
    languageChooser->view()->doItemsLayout();
}

void LanguageDialog::FillLanguageList()
{
    languageChooser->clear();
    QSize iconSize = languageChooser->iconSize();
    for (const LanguageFile& file : ListLanguageFiles(programDir_)) {
        const QLocale::Language language = LanguageServed(file);
        QPixmap picture;
        // A picture that is not a readable bitmap is left out, like a missing one.
        if (!file.picturePath.empty() && picture.load(FromLocal8Bit(file.picturePath), "BMP")) {
            SetEntryHeight(RaisedEntryHeight(entryHeight_, picture.height()));
            iconSize = iconSize.expandedTo(picture.size());
            languageChooser->addItem(QIcon(picture), OwnName(file, language));
        } else {
            languageChooser->addItem(OwnName(file, language));
        }
        const int entry = languageChooser->count() - 1;
        languageChooser->setItemData(entry, FromLocal8Bit(file.name), kNameRole);
        languageChooser->setItemData(entry, int(language), kLanguageRole);
    }
    languageChooser->setIconSize(iconSize);
    languageChooser->view()->setIconSize(iconSize);
    if (languageChooser->count() > 0)
        languageChooser->setCurrentIndex(0);
}

int LanguageDialog::EntryCount() const
{
    return languageChooser->count();
}

std::string LanguageDialog::EntryText(int index) const
{
    return ToLocal8Bit(languageChooser->itemData(index, kNameRole).toString());
}

void LanguageDialog::SelectEntry(int index)
{
    languageChooser->setCurrentIndex(index);
}

std::string LanguageDialog::SelectedText() const
{
    return ToLocal8Bit(languageChooser->currentData(kNameRole).toString());
}

int LanguageDialog::SystemLanguageEntry() const
{
    return EntryServing(systemLanguages());
}

int LanguageDialog::EntryServing(const QStringList& uiLanguages) const
{
    for (const QString& tag : uiLanguages) {
        const QLocale::Language wanted = QLocale(tag).language();
        if (wanted == QLocale::C || wanted == QLocale::AnyLanguage)
            continue;
        for (int i = 0; i < languageChooser->count(); ++i)
            if (languageChooser->itemData(i, kLanguageRole).toInt() == int(wanted))
                return i;
    }
    return -1;
}

bool LanguageDialog::ShowModal()
{
    return execDialog() == QDialog::Accepted;
}

void LanguageDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->geometry().center());
            move(frame.topLeft());
        }
    }
    QDialog::showEvent(event);
}

LanguageDialog* LanguageDialogOf(QWidget* mainWindow, const std::string& programDir)
{
    if (auto* dialog = mainWindow->findChild<LanguageDialog*>(names::window, Qt::FindDirectChildrenOnly))
        return dialog;
    return new LanguageDialog(programDir, mainWindow);
}

} // namespace synopter
