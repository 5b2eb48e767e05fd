// Lists two million rows of five short columns with colours, as a large check listing does, and
// reports rows per second and the peak memory of the process.
#include "comun.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <cstdio>

#include "plataforma/listview.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool corto = modoCorto(argc, argv);
  QApplication app(argc, argv);
  const int filas = corto ? 20000 : argc > 1 ? std::atoi(argv[1]) : 2000000;

  plataforma::ListView lista;
  for (const char* titulo : {"Fecha", "Sorteo", "Aciertos", "Apuesta", "Premio"}) lista.agregaColumna(titulo, 1200);
  lista.resize(800, 600);
  lista.show();
  QCoreApplication::processEvents();
  const double base = picoMegas();

  const QString fecha = QStringLiteral("12/03/2024");
  const QString apuestas[] = {QStringLiteral("Sencilla"), QStringLiteral("Múltiple"), QStringLiteral("Reducida")};
  QElapsedTimer reloj;
  reloj.start();
  for (int n = 0; n < filas; ++n) {
    const int f = lista.Add(fecha);
    lista.addSubItem(f, QString::number(n % 104 + 1));
    lista.addSubItem(f, QString::number(n % 7));
    lista.addSubItem(f, apuestas[n % 3]);
    lista.addSubItem(f, QString::number(n % 5000) + QStringLiteral(",50"));
    if (n % 7 >= 3) {
      lista.setForeColor(f, 0xFF);
      lista.setSubForeColor(f, 2, 0xC000);
      lista.setBold(f, n % 7 >= 5);
    }
  }
  const qint64 msAnadir = reloj.elapsed();

  reloj.restart();
  QCoreApplication::processEvents();  // the view takes the rows in
  lista.scrollToBottom();
  lista.repaint();
  const qint64 msVista = reloj.elapsed();

  const double total = (msAnadir + msVista) / 1000.0;
  std::printf("filas: %d de 5 columnas\n", filas);
  std::printf("añadir: %lld ms (%.0f filas/s)\n", static_cast<long long>(msAnadir), filas / (msAnadir / 1000.0));
  std::printf("vista: %lld ms\n", static_cast<long long>(msVista));
  std::printf("total: %.0f filas/s\n", filas / total);
  std::printf("memoria pico: %.0f MB (%.0f MB antes de la lista)\n", picoMegas(), base);
  return lista.model()->rowCount() == filas ? 0 : 1;
}
