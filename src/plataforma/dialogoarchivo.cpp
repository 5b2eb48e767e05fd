#include "dialogoarchivo.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "error.h"

namespace plataforma {

namespace {

std::function<QString(const DialogoArchivo&)>& eleccionFijada() {
  static std::function<QString(const DialogoArchivo&)> eleccion;
  return eleccion;
}

// "Archivos de sorteos|numeros.dat|Todos|*.*" as Qt writes it. File names on this system tell
// capitals apart, and the files the program asks for come from systems that do not.
QString filtroQt(const QString& filtro) {
  const QStringList partes = filtro.split(QLatin1Char('|'));
  QStringList filtros;
  for (int i = 0; i + 1 < partes.size(); i += 2) {
    QStringList patrones;
    for (const QString& p : partes[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      patrones << p.toLower();
      if (p.toUpper() != p.toLower()) patrones << p.toUpper();
    }
    filtros << partes[i] + QStringLiteral(" (") + patrones.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return filtros.join(QStringLiteral(";;"));
}

}  // namespace

void DialogoArchivo::ShowOpen(QWidget* dueno) {
  QString elegido;
  if (eleccionFijada()) {
    elegido = eleccionFijada()(*this);
  } else {
    // A folder of another system, such as "c:\", starts in the user's own folder.
    const QString carpeta = QFileInfo(InitDir).isDir() ? InitDir : QDir::homePath();
    elegido = QFileDialog::getOpenFileName(dueno, DialogTitle, carpeta, filtroQt(Filter));
  }
  FileName = elegido;
  if (elegido.isEmpty() && CancelError)
    throw Error(ERR_DIALOGO_CANCELADO, QString::fromUtf8("Se ha seleccionado Cancelar."));
}

void fijaEleccionArchivo(std::function<QString(const DialogoArchivo&)> eleccion) {
  eleccionFijada() = std::move(eleccion);
}

}  // namespace plataforma
