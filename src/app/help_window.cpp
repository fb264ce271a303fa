#include "app/help_window.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace synopter {

HelpWindow::HelpWindow(QWidget* parent, const QString& handbookPath)
    : QDialog(parent), browser_(new QTextBrowser(this))
{
    setObjectName("HelpForm");
    setWindowTitle(tr("Synopter Help"));
    browser_->setObjectName("HelpBrowser1");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl::fromLocalFile(handbookPath));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(720, 640);
}

QString AboutText()
{
    return QString::fromUtf8(
               "<h3>Synopter %1</h3>"
               "<p>Compares editions of the Greek New Testament verse by verse.</p>"
               "<p>The program is free software under the GNU General Public License, version 2 "
               "or (at your option) any later version.<br>"
               "Its Greek display font Riruzi is under the SIL Open Font License 1.1.<br>"
               "The sample editions are in the public domain.</p>")
        .arg(QStringLiteral(SYNOPTER_VERSION));
}

} // namespace synopter
