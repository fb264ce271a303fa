#include "language/ui/qt_texts.h"

#include "common/ui/qt_bytes.h"
#include "language/interface_language.h"
#include "language/language_list.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace synopter {

void FollowInQtTexts(const InterfaceLanguage& language)
{
    constexpr const char* kName = "synopterQtTexts";
    auto* app = QCoreApplication::instance();
    if (!app)
        return;
    // One translator at a time: the one for the language before goes.
    if (auto* before = app->findChild<QTranslator*>(kName, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(before);
        delete before;
    }
    const std::string locale = language.IsSet() ? DeclaredLocale(language.FilePath()) : std::string();
    if (locale.empty())
        return;
    auto* translator = new QTranslator(app);
    translator->setObjectName(kName);
    if (translator->load(QLocale(FromLocal8Bit(locale)), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace synopter
