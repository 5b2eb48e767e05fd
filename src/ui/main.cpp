#include <QApplication>
#include <QLocale>

#include "plataforma/traducciones.h"
#include "ui/Presentacion.h"
#include "plataforma/fuentes.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  plataforma::fijaFuentes();
  QApplication::setApplicationName(QStringLiteral("Bolvanta"));
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  plataforma::cargaTraducciones();
  // The main window ends the program itself, through its exit command.
  QApplication::setQuitOnLastWindowClosed(false);
  presentacion().show();
  return QApplication::exec();
}
