#pragma once
// The program-wide state that the windows hand to each other, and the fixed file numbers.
#include <QString>
#include <array>

#include "data/registros.h"

enum NumeroArchivo {
  ARCH_APUESTAS = 1,      // apuestas.dat, random 8307, open for the whole run
  ARCH_WWW = 2,           // www.txt, byte access, open for the whole run
  ARCH_NUMEROS = 3,       // numeros.dat, random 32, open for the whole run
  ARCH_APUESTAS_TMP = 4,  // apuestas.tmp while a syndicate is deleted
  ARCH_NUMS_INI = 5,      // nums.ini, random 86, open for the whole run
  ARCH_INFORME = 6,       // informe.dat, the news
  ARCH_TABLAS = 7,        // tablas.bin, text input
  ARCH_ZUN = 9,           // zun.pdf
  ARCH_NUMEROS_TMP = 10,  // numeros.tmp while a draw is deleted
  ARCH_NUMEROS_CONV = 11  // numeros.tmp while the older layout is converted
};

struct Estado {
  QString ruta;        // the program folder with its trailing separator
  int numsorteos = 0;  // next free record of numeros.dat
  int numpenas = 0;    // next free record of apuestas.dat; 0 after the list found it empty
  Pena penaactual;
  int modalidad = 0;
  int sistemareducido = 0;
  int editando = 0;
  int solouna = 0;
  int numapuestas = 0;
  int penaelegida = 0;
  int penascambiadas = 0;
  std::array<qint16, 50> listanumeros{};  // 1..49
  // The program folder or one of its data files cannot be written (a read-only folder, file or
  // medium): the data is shown as it stands and every change is refused.
  bool sololectura = false;
  // Why numeros.dat still has the older 24-byte layout it could not be converted from; empty once it
  // has the current one. Meanwhile it is read in its own layout and no draw is added, imported or
  // deleted, so that records of both layouts never mix.
  QString sinconvertir;
};

Estado& estado();
void reiniciaEstado();
