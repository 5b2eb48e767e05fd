#include "syndicates/reduccion.h"

#include <QStringLiteral>

#include <algorithm>
#include <cmath>
#include <random>

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"

using plataforma::archivos;

namespace {

constexpr int ARCHIVO = ARCH_TABLAS;

int siguienteNumero() { return leeNumero(archivos().leeLinea(ARCHIVO)); }

// Reads N, G and B; false when the file ends before the three are there.
bool leeCabecera(TablaReducida& tabla) {
  if (archivos().fin(ARCHIVO)) return false;
  tabla.totalnumeros = siguienteNumero();
  if (archivos().fin(ARCHIVO)) return false;
  tabla.garantia = siguienteNumero();
  if (archivos().fin(ARCHIVO)) return false;
  tabla.totalapuestas = siguienteNumero();
  return true;
}

void saltaApuestas(int cuantas) {
  for (int b = 0; b < cuantas && !archivos().fin(ARCHIVO); ++b) archivos().leeLinea(ARCHIVO);
}

}  // namespace

void abreTablas() {
  if (archivos().abierto(ARCHIVO)) return;
  archivos().abre(ARCHIVO, estado().ruta + QStringLiteral("tablas.bin"), plataforma::Acceso::Entrada);
}

std::vector<TablaReducida> cabecerasDeTablas() {
  std::vector<TablaReducida> tablas;
  archivos().posiciona(ARCHIVO, 1);
  for (;;) {
    TablaReducida tabla;
    if (!leeCabecera(tabla)) break;
    tablas.push_back(tabla);
    saltaApuestas(tabla.totalapuestas);
  }
  return tablas;
}

TablaReducida sistemaDeTablas(int ordinal) {
  archivos().posiciona(ARCHIVO, 1);
  for (int i = 0;; ++i) {
    TablaReducida tabla;
    if (ordinal < 0 || !leeCabecera(tabla))
      throw plataforma::Error(plataforma::ERR_FIN_ARCHIVO, QStringLiteral("Se ha sobrepasado el final del archivo"));
    if (i < ordinal) {
      saltaApuestas(tabla.totalapuestas);
      continue;
    }
    // One line more than a record can take is enough to judge the system, whatever B claims.
    const int leer = std::min(tabla.totalapuestas, Pena::MAX_APUESTAS + 1);
    for (int b = 0; b < leer && !archivos().fin(ARCHIVO); ++b) {
      const QString linea = archivos().leeLinea(ARCHIVO);
      std::array<int, 6> apuesta{};
      for (int k = 0; k < 6; ++k) apuesta[k] = leeNumero(linea.mid(2 * k, 2));
      tabla.indices.push_back(apuesta);
    }
    return tabla;
  }
}

QString expandeReducida(Pena& pena, const TablaReducida& tabla) {
  const QString motivo = validaTabla(tabla);
  if (!motivo.isEmpty()) return motivo;
  const int n = tabla.totalnumeros;
  if (pena.reducida != n) return QStringLiteral("La reducción de tablas.bin ya no es la que se eligió.");
  for (int i = 1; i <= n; ++i)
    if (pena.apuestas[1][i] < 1 || pena.apuestas[1][i] > 49)
      return QStringLiteral("Faltan números base de la reducción.");

  Pena copia = pena;
  for (int i = 1; i <= n; ++i) copia.numerosbase[i] = pena.apuestas[1][i];
  for (int b = 1; b <= tabla.totalapuestas; ++b)
    for (int c = 1; c <= 6; ++c) copia.apuestas[b][c] = pena.apuestas[1][tabla.indices[b - 1][c - 1]];
  pena = copia;
  return {};
}

int bolaDe(double r) { return static_cast<int>(std::nearbyint(r * 48 + 1)); }

void sorteaNumeros(std::array<qint16, 50>& lista, int n, std::uint64_t semilla) {
  std::mt19937_64 generador(semilla);
  n = std::clamp(n, 0, 49);
  for (int i = 1; i <= n; ++i) {
    int bola = 0;
    bool repetida = true;
    while (repetida) {
      // 53 random bits, so that r never reaches 1.
      bola = bolaDe(static_cast<double>(generador() >> 11) * 0x1.0p-53);
      repetida = false;
      for (int k = 1; k < i; ++k) repetida = repetida || lista[k] == bola;
    }
    lista[i] = static_cast<qint16>(bola);
  }
}
