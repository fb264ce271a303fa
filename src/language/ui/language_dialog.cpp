#include "language/ui/language_dialog.h"

#include "common/ui/interface_fonts.h"
#include "common/ui/item_height_delegate.h"
#include "common/ui/qt_bytes.h"
#include "language/language_list.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace synopter {

LanguageDialog::LanguageDialog(std::string programDir, QWidget* parent)
    : QDialog(parent), programDir_(std::move(programDir)), entryHeight_(kInitialEntryHeight)
{
    setObjectName("Form8");
    setWindowTitle("Language selection");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    // Closing the dialog is an answer, not the end of the application.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFont(InterfaceFont());
    setFixedSize(503, 84);

    Label1 = new QLabel("Choose interface language", this);
    Label1->setObjectName("Label1");
    Label1->setGeometry(20, 17, 217, 20);
    Label1->setFont(InterfaceFont(16, true));

    Label2 = new QLabel(QString::fromUtf8("Выберите язык интерфейса"), this);
    Label2->setObjectName("Label2");
    Label2->setGeometry(44, 44, 164, 16);
    QFont arial("Arial");
    arial.setPixelSize(13);
    Label2->setFont(arial);
    // Labels fit their text: the substitute for a missing font may be wider.
    Label1->adjustSize();
    Label2->adjustSize();

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(256, 16, 225, 22);
    ComboBox1->setEditable(false);
    ComboBox1->setFont(InterfaceFont(11, true));
    ComboBox1->setCursor(Qt::PointingHandCursor);
    // Picture then text from the top left, every entry as high as the dialog says.
    ComboBox1->setItemDelegate(new ItemHeightDelegate([this] { return EntryHeight(); }, true, ComboBox1));

    BitBtn1 = new QPushButton("Ok.", this);
    BitBtn1->setObjectName("BitBtn1");
    BitBtn1->setGeometry(343, 57, 75, 25);
    BitBtn1->setFont(InterfaceFont(11, true));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(BitBtn1, ComboBox1);
    BitBtn1->setFocus();

    execDialog = [this] { return exec(); };
}

void LanguageDialog::SetEntryHeight(int height)
{
    entryHeight_ = height;
    ComboBox1->view()->doItemsLayout();
}

void LanguageDialog::FillLanguageList()
{
    ComboBox1->clear();
    QSize iconSize = ComboBox1->iconSize();
    for (const LanguageFile& file : ListLanguageFiles(programDir_)) {
        QPixmap picture;
        // A picture that is not a readable bitmap is left out, like a missing one.
        if (!file.picturePath.empty() && picture.load(FromLocal8Bit(file.picturePath), "BMP")) {
            SetEntryHeight(RaisedEntryHeight(entryHeight_, picture.height()));
            iconSize = iconSize.expandedTo(picture.size());
            ComboBox1->addItem(QIcon(picture), FromLocal8Bit(file.name));
        } else {
            ComboBox1->addItem(FromLocal8Bit(file.name));
        }
    }
    ComboBox1->setIconSize(iconSize);
    ComboBox1->view()->setIconSize(iconSize);
    if (ComboBox1->count() > 0)
        ComboBox1->setCurrentIndex(0);
}

int LanguageDialog::EntryCount() const
{
    return ComboBox1->count();
}

std::string LanguageDialog::EntryText(int index) const
{
    return ToLocal8Bit(ComboBox1->itemText(index));
}

void LanguageDialog::SelectEntry(int index)
{
    ComboBox1->setCurrentIndex(index);
}

std::string LanguageDialog::SelectedText() const
{
    return ToLocal8Bit(ComboBox1->currentText());
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
    if (auto* dialog = mainWindow->findChild<LanguageDialog*>("Form8", Qt::FindDirectChildrenOnly))
        return dialog;
    return new LanguageDialog(programDir, mainWindow);
}

} // namespace synopter
