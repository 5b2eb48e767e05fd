#include "dialogoarchivo.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QTreeView>

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

// The file list's sizes and dates in Spanish: the file system model writes them in the system's
// language ("9 Dec"), whatever the program's.
class ListaEspanola : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& indice, int rol) const override {
    const auto* lista = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (rol == Qt::DisplayRole && lista) {
      const QModelIndex origen = mapToSource(indice);
      const QLocale espanol(QLocale::Spanish, QLocale::Spain);
      if (indice.column() == 1 && !lista->isDir(origen)) return espanol.formattedDataSize(lista->size(origen));
      if (indice.column() == 3)
        return espanol.toString(lista->lastModified(origen), QStringLiteral("dd/MM/yyyy HH:mm"));
    }
    return QIdentityProxyModel::data(indice, rol);
  }
};

// The program's own file dialog rather than the system's, which speaks the system's language.
QString eligeArchivo(QWidget* dueno, const QString& titulo, const QString& carpeta, const QString& filtro,
                     bool guardar) {
  QFileDialog dialogo(dueno, titulo, carpeta, filtro);
  dialogo.setOption(QFileDialog::DontUseNativeDialog);
  dialogo.setProxyModel(new ListaEspanola(&dialogo));
  dialogo.setAcceptMode(guardar ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialogo.setFileMode(guardar ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // Wide enough for a name, its size, its type and a whole date.
  dialogo.resize(760, 460);
  if (auto* vista = dialogo.findChild<QTreeView*>()) {
    const int anchos[] = {250, 80, 180, 130};
    for (int c = 0; c < 4; ++c) vista->header()->resizeSection(c, anchos[c]);
  }
  if (dialogo.exec() != QDialog::Accepted) return {};
  return dialogo.selectedFiles().value(0);
}

}  // namespace

QString archivoParaGuardar(QWidget* dueno, const QString& titulo, const QString& propuesto,
                           const QString& filtro) {
  return eligeArchivo(dueno, titulo, propuesto, filtro, true);
}

void DialogoArchivo::ShowOpen(QWidget* dueno) {
  QString elegido;
  if (eleccionFijada()) {
    elegido = eleccionFijada()(*this);
  } else {
    // A folder of another system, such as "c:\", starts in the user's own folder.
    const QString carpeta = QFileInfo(InitDir).isDir() ? InitDir : QDir::homePath();
    elegido = eligeArchivo(dueno, DialogTitle, carpeta, filtroQt(Filter), false);
  }
  FileName = elegido;
  if (elegido.isEmpty() && CancelError)
    throw Error(ERR_DIALOGO_CANCELADO, QString::fromUtf8("Se ha seleccionado Cancelar."));
}

void fijaEleccionArchivo(std::function<QString(const DialogoArchivo&)> eleccion) {
  eleccionFijada() = std::move(eleccion);
}

}  // namespace plataforma
