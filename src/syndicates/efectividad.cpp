#include "syndicates/efectividad.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

#include "data/ayudas.h"
#include "plataforma/error.h"

namespace {

// Spanish figures whatever the system's locale, as the whole program shows them.
QLocale espanol() {
  QLocale l(QLocale::Spanish, QLocale::Spain);
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l;
}

[[noreturn]] void fueraDelRegistro() {
  throw plataforma::Error(plataforma::ERR_INDICE, QStringLiteral("El subíndice está fuera del intervalo"));
}

}  // namespace

Efectividad efectividad(qint64 T, qint64 D) {
  Efectividad e;
  if (T < D) {
    e.sinPremio = D - T;
    e.porcentaje = static_cast<float>(static_cast<double>(T) / static_cast<double>(D) * 100.0);
  } else if (T != 0) {
    e.porcentaje = 100;
  } else {
    // Nothing won and nothing played: the chart still needs something to draw.
    e.sinPremio = 1;
  }
  return e;
}

float porcentajePremios(qint64 T, qint64 P) {
  if (P <= 0) return 0;
  return static_cast<float>(static_cast<double>(T) * 100.0 / static_cast<double>(P));
}

QString unDecimal(double valor) {
  // nearbyint follows the default rounding mode, which takes halves to the even digit.
  double r = std::nearbyint(valor * 10.0) / 10.0;
  if (r == 0) r = 0;  // no "-0"
  if (r == std::trunc(r) && std::fabs(r) < 9e15) return QString::number(static_cast<qint64>(r));
  return espanol().toString(r, 'f', 1);
}

QString numeroEs(double valor) { return espanol().toString(valor, 'g', 7); }

qint64 sumaAciertos(const Pena& p) {
  qint64 t = 0;
  for (int k = 3; k <= 7; ++k) t += p.aciertos[k];
  return t;
}

int apuestasDe(int tipo) { return tipo < 500 ? tipo : cuantos(tipo + 6); }

int numerosPorApuesta(int tipo) {
  if (tipo < 500) return 6;
  if (tipo >= 501 && tipo <= 506) return cuantos(tipo);
  return 0;
}

int apuestasListadas(int tipo) { return tipo <= 500 ? tipo : 1; }

int altoListaApuestas(int B) {
  if (B >= 23) return 4935;
  int alto = 225 * B;
  if (B < 4) alto += 100;
  if (B > 14) alto -= 150;
  return alto;
}

QString textoApuesta(const Pena& p, int b, int m) {
  if (b < 1 || b > Pena::MAX_APUESTAS || m > Pena::MAX_BASE) fueraDelRegistro();
  QStringList numeros;
  for (int j = 1; j <= m; ++j) numeros << QString::number(p.apuestas[b][j]).rightJustified(2, QLatin1Char(' '));
  return numeros.join(QLatin1Char('-'));
}

QString numerosBase(const Pena& p) {
  if (p.reducida > Pena::MAX_BASE) fueraDelRegistro();
  QStringList numeros;
  for (int j = 1; j <= p.reducida; ++j) numeros << QString::number(p.numerosbase[j]);
  return numeros.join(QLatin1Char('-'));
}

int sorteosSemana(const QString& diasajugar) {
  if (diasajugar == u"Jueves" || diasajugar == u"Sábado" || diasajugar == u"Lunes") return 1;
  if (diasajugar == u"Jueves y Sábado") return 2;
  return 3;
}

float gastoSemanal(int tipo, float precio, const QString& diasajugar) {
  return static_cast<float>(cuantos(tipo + 6)) * precio * static_cast<float>(sorteosSemana(diasajugar));
}

QString sinBlancosFinales(const QString& texto) {
  qsizetype n = texto.size();
  while (n > 0 && texto[n - 1] == QLatin1Char(' ')) --n;
  return texto.left(n);
}
