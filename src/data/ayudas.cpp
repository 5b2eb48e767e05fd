#include "ayudas.h"

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"
#include "plataforma/texto.h"

using plataforma::archivos;

int cuantos(int son) {
  switch (son) {
    case 501: return 7;
    case 502: return 8;
    case 503: return 5;
    case 504: return 9;
    case 505: return 10;
    case 506: return 11;
    case 507: return 7;
    case 508: return 28;
    case 509: return 44;
    case 510: return 84;
    case 511: return 210;
    case 512: return 462;
    default: return son < 500 ? son - 6 : 0;
  }
}

QString diasemana(double fecha) { return plataforma::nombreDia(plataforma::fechaDe(fecha)); }

bool juega(const QString& dias, double fecha) {
  const QString d = diasemana(fecha);
  const QString p = plataforma::recorta(dias);
  if (p == QStringLiteral("Todos (L+J+S)")) return true;
  if (p == QStringLiteral("Jueves y Sábado"))
    return d == QStringLiteral("Jueves") || d == QStringLiteral("Sábado");
  return !d.isEmpty() && p == d;
}

QString rutaDe(const QString& carpeta) {
  if (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\'))) return carpeta;
  return carpeta + QLatin1Char('/');
}

Sorteo leeSorteo(qint64 n) { return Sorteo::decodifica(archivos().lee(ARCH_NUMEROS, n)); }

void escribeSorteo(qint64 n, const Sorteo& s) { archivos().escribe(ARCH_NUMEROS, n, s.codifica()); }

Pena leePena(qint64 n) { return Pena::decodifica(archivos().lee(ARCH_APUESTAS, n)); }

void escribePena(qint64 n, const Pena& p) { archivos().escribe(ARCH_APUESTAS, n, p.codifica()); }

Configuracion leeConfiguracionArchivo() {
  return Configuracion::decodifica(archivos().lee(ARCH_NUMS_INI, 1));
}

void escribeConfiguracionArchivo(const Configuracion& c) {
  archivos().escribe(ARCH_NUMS_INI, 1, c.codifica());
}
