#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "ui/Presentacion.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Bolvanta"));
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  // Qt's own dialogs (printing, saving a file) speak Spanish whatever the system's language.
  QTranslator traduccion;
  if (traduccion.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&traduccion);
  // The main window ends the program itself, through its exit command.
  QApplication::setQuitOnLastWindowClosed(false);
  presentacion().show();
  return QApplication::exec();
}
