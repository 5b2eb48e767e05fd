#include "sistema.h"

#include <QCoreApplication>

namespace plataforma {

namespace {
QString carpetaFijada;
}

QString carpetaPrograma() {
  if (!carpetaFijada.isEmpty()) return carpetaFijada;
  return QCoreApplication::applicationDirPath();
}

void fijaCarpetaPrograma(const QString& carpeta) { carpetaFijada = carpeta; }

}  // namespace plataforma
