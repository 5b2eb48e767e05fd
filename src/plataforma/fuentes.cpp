#include "plataforma/fuentes.h"

#include <QApplication>

namespace plataforma {

namespace {
const QString SANS = QStringLiteral("Liberation Sans");
const QString MONO = QStringLiteral("Liberation Mono");
}  // namespace

QFont fuentePrograma(int pixeles) {
  QFont f(SANS);
  f.setPixelSize(pixeles);
  f.setStyleHint(QFont::SansSerif);
  return f;
}

QFont fuenteFija(int pixeles) {
  QFont f(MONO);
  f.setPixelSize(pixeles);
  f.setStyleHint(QFont::TypeWriter);
  return f;
}

void fijaFuentes() {
  for (const char* nombre : {"MS Sans Serif", "Arial", "Comic Sans MS"})
    QFont::insertSubstitution(QString::fromLatin1(nombre), SANS);
  for (const char* nombre : {"Courier", "Courier New"}) QFont::insertSubstitution(QString::fromLatin1(nombre), MONO);
  QApplication::setFont(fuentePrograma());
}

}  // namespace plataforma
