#pragma once
// What every benchmark of the program reports besides its times.
#include <QFile>
#include <QDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <QRegularExpression>
#include <QString>

// Peak resident memory of this process in MB, or -1 where the system does not say.
inline double picoMegas() {
  QFile estado("/proc/self/status");
  if (!estado.open(QIODevice::ReadOnly)) return -1;
  const QRegularExpression linea(R"(VmHWM:\s*(\d+)\s*kB)");
  const auto m = linea.match(QString::fromLatin1(estado.readAll()));
  return m.hasMatch() ? m.captured(1).toDouble() / 1024.0 : -1;
}

// "--corto" asks for one small iteration, the way CI runs every benchmark to prove it still runs.
// The flag is taken out of the arguments before Google Benchmark reads them.
inline bool modoCorto(int& argc, char** argv) {
  bool corto = false;
  int j = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--corto") == 0)
      corto = true;
    else
      argv[j++] = argv[i];
  }
  argc = j;
  return corto;
}

// Copies the files the program ships (built beside the program) into a benchmark's program folder.
inline bool copiaArchivosPrograma(const QString& carpeta) {
  for (const char* nombre : {"tablas.bin", "Bolvanta.mdb"}) {
    const QString destino = carpeta + "/" + nombre;
    QFile::remove(destino);
    if (!QFile::copy(QStringLiteral(BOLVANTA_CARPETA_CONSTRUCCION "/") + nombre, destino)) {
      std::fprintf(stderr, "No se puede copiar %s al folder de la prueba\n", nombre);
      return false;
    }
  }
  return true;
}
