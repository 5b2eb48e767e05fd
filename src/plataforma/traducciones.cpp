#include "plataforma/traducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plataforma {

bool cargaTraducciones() {
  // One translator for the whole run, owned by the application so that it outlives every window.
  static QTranslator* qt = nullptr;
  if (qt) return true;
  auto* t = new QTranslator(QCoreApplication::instance());
  if (!t->load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete t;
    return false;
  }
  QCoreApplication::installTranslator(t);
  qt = t;
  return true;
}

}  // namespace plataforma
