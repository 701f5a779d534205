// Qt's "qtbase" catalogue for the locale, loaded from Qt's translations folder and installed.
#include "qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tavori::qt {

std::unique_ptr<QTranslator> installQtTranslations(const QLocale& locale) {
    auto translator = std::make_unique<QTranslator>();
    // "qtbase" holds the widgets' texts, the file dialog's among them; the program's own labels
    // are Japanese whatever the language and need no catalogue.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

}  // namespace tavori::qt
