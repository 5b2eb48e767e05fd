#include "plataforma/traducciones.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstring>

namespace plataforma {

namespace {

// Qt texts the Spanish file lacks or spells wrong. The file dialog names a folder's type through
// the icon provider, whose texts the file does not hold ("Folder").
class Complementos : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* contexto, const char* texto, const char*, int) const override {
    struct Texto {
      const char* contexto;
      const char* original;
      const char* espanol;
    };
    static const Texto textos[] = {
        {"QAbstractFileIconProvider", "Folder", "Carpeta"},
        {"QAbstractFileIconProvider", "Drive", "Unidad"},
        {"QAbstractFileIconProvider", "Shortcut", "Acceso directo"},
        {"QAbstractFileIconProvider", "Unknown", "Desconocido"},
        {"QFileDialog", "Go to the parent directory", "Ir al directorio superior"},
        {"QFileSystemModel",
         "<b>The name \"%1\" cannot be used.</b><p>Try using another name, with fewer characters or no "
         "punctuation marks.",
         "<b>No se puede usar el nombre «%1».</b><p>Pruebe con otro nombre, con menos caracteres o sin "
         "signos de puntuación."},
    };
    if (!contexto || !texto) return {};
    for (const Texto& t : textos)
      if (std::strcmp(contexto, t.contexto) == 0 && std::strcmp(texto, t.original) == 0)
        return QString::fromUtf8(t.espanol);
    return {};
  }
};

}  // namespace

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
  // Installed last, so asked first; a text it does not hold goes on to Qt's own file.
  QCoreApplication::installTranslator(new Complementos(QCoreApplication::instance()));
  qt = t;
  return true;
}

}  // namespace plataforma
