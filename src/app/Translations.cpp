#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "common/Translate.h"

// The compiled translations live in this static library: pulled in by hand, as a library's
// resources must be.
static void InitTranslations() { Q_INIT_RESOURCE(qtshell_translations); }

namespace qxt::app {

Translations::Translations(QObject* parent) : QObject(parent) {
  InitTranslations();
  const QLocale locale;
  loaded_ = own_.load(locale, "qxt7130-adj", "_", ":/i18n");
  if (loaded_) QCoreApplication::installTranslator(&own_);
  if (qt_.load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(&qt_);
  }
  common::InstallTranslator([](const char* context, const std::string& text) {
    return QCoreApplication::translate(context, text.c_str()).toStdString();
  });
}

Translations::~Translations() {
  common::InstallTranslator(nullptr);
  QCoreApplication::removeTranslator(&own_);
  QCoreApplication::removeTranslator(&qt_);
}

}  // namespace qxt::app
