#pragma once
// The file-open dialog, over QFileDialog: an initial folder, a title, a filter written
// "description|pattern", and the chosen file name. Cancel is reported as an error when CancelError
// is set, so that a caller can stop at once, and otherwise leaves the file name empty.
#include <QString>
#include <functional>

class QWidget;

namespace plataforma {

// The error number of a cancelled dialog.
constexpr int ERR_DIALOGO_CANCELADO = 32755;

class DialogoArchivo {
 public:
  QString InitDir;
  QString DialogTitle;
  QString Filter;
  QString FileName;
  bool CancelError = true;

  void ShowOpen(QWidget* dueno = nullptr);
};

// The file-save dialog: a title, the file proposed (its folder and name) and a filter written as
// Qt writes it ("Documentos PDF (*.pdf)"); the chosen file, or empty on Cancel. Both dialogs are
// the program's own, in Spanish whatever the system's language.
QString archivoParaGuardar(QWidget* dueno, const QString& titulo, const QString& propuesto,
                           const QString& filtro);

// For tests: every file-open dialog is answered with the file name this gives (empty = Cancel),
// without a window; it sees the dialog as the program set it up. Empty to show real dialogs.
void fijaEleccionArchivo(std::function<QString(const DialogoArchivo&)> eleccion);

}  // namespace plataforma
