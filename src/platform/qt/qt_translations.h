// Qt's own texts (the file dialog's buttons and labels) in the language of the user's system.
#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

namespace tavori::qt {

// Loads Qt's translations for `locale` from where this Qt keeps them and installs them in the
// application; they stay installed while the returned translator lives. Nothing (and English
// texts) when this Qt has no translation for that language.
std::unique_ptr<QTranslator> installQtTranslations(const QLocale& locale);

}  // namespace tavori::qt
