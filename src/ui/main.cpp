#include <QApplication>
#include <QLocale>

#include "ui/Presentacion.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Bolvanta"));
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  // The main window ends the program itself, through its exit command.
  QApplication::setQuitOnLastWindowClosed(false);
  presentacion().show();
  return QApplication::exec();
}
