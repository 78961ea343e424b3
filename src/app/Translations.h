#pragma once
// The window's language: the locale's (LANGUAGE, LC_ALL, LANG, as Qt reads them). The program's
// own translations are compiled into it; Qt's, where Debian installed them, label its standard
// buttons. The core's texts are translated through the hook installed here, at display only.

#include <QObject>
#include <QTranslator>

namespace qxt::app {

class Translations : public QObject {
  Q_OBJECT

 public:
  // Installs the translators into the running application and the core's hook; both are removed
  // again when this object goes.
  explicit Translations(QObject* parent = nullptr);
  ~Translations() override;

  // True when a translation for the locale's language was found ("en" needs none).
  bool loaded() const { return loaded_; }

 private:
  QTranslator own_;
  QTranslator qt_;
  bool loaded_ = false;
};

}  // namespace qxt::app
