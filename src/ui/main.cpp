#include <QApplication>
#include <QLocale>

#include "data/avisobloqueo.h"
#include "plataforma/traducciones.h"
#include "ui/Presentacion.h"
#include "plataforma/fuentes.h"

namespace {

// Every event the program handles is one piece of work: a report database held by another
// program is waited for once and told once, whatever tables the handler fills. Handlers that are
// also called directly, not through an event, open their own.
class Aplicacion : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receptor, QEvent* evento) override {
    TareaBD tarea;
    return QApplication::notify(receptor, evento);
  }
};

}  // namespace

int main(int argc, char** argv) {
  Aplicacion app(argc, argv);
  plataforma::fijaFuentes();
  QApplication::setApplicationName(QStringLiteral("Bolvanta"));
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  plataforma::cargaTraducciones();
  // The main window ends the program itself, through its exit command.
  QApplication::setQuitOnLastWindowClosed(false);
  presentacion().show();
  return QApplication::exec();
}
