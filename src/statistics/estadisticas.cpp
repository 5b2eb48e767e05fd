#include "statistics/estadisticas.h"

#include <cmath>

#include "data/ayudas.h"
#include "plataforma/fechas.h"

namespace {

const QString LUNES = QStringLiteral("Lunes");
const QString JUEVES = QStringLiteral("Jueves");
const QString SABADO = QString::fromUtf8("Sábado");

// The column of a weekday in the per-weekday tables, 0 for any other day.
int columnaDia(const QString& dia) {
  if (dia == LUNES) return 1;
  if (dia == JUEVES) return 2;
  if (dia == SABADO) return 3;
  return 0;
}

void cuentaNumero(int n, int columna, TablasFrecuencias& t) {
  if (n >= 1 && n <= 25) {
    t.totales1.suma(n, 1);
    if (columna) t.dias1.suma(n, columna);
  } else if (n >= 26 && n <= 49) {
    t.totales2.suma(n - 24, 1);
    if (columna) t.dias2.suma(n - 24, columna);
  }
}

}  // namespace

bool DiasFiltro::pasa(const QString& dia) const {
  return (lunes && dia == LUNES) || (jueves && dia == JUEVES) || (sabado && dia == SABADO);
}

QString textoNumeros(const Sorteo& s) {
  QString t;
  t.reserve(32);
  for (int k = 1; k <= 5; ++k) {
    const int n = s.ganadores[k];
    if (n < 10) t += QLatin1Char(' ');
    t += QString::number(n);
    t += QLatin1Char('-');
  }
  const int sexto = s.ganadores[6];
  t += QString::number(sexto);
  t += sexto < 10 ? QLatin1String("   C: ") : QLatin1String("  C: ");
  t += QString::number(s.complementario);
  if (s.complementario < 10) t += QLatin1Char(' ');
  t += QLatin1String(" R: ");
  t += s.reintegro == -1 ? QStringLiteral("-") : QString::number(s.reintegro);
  return t;
}

QString letreroSorteo(double fecha) {
  const QDate dia = plataforma::fechaDe(fecha);
  return diasemana(fecha) + QStringLiteral(", ") + QString::number(dia.day()) + QStringLiteral(" de ") +
         plataforma::nombreMes(dia.month()) + QStringLiteral(" de ") + QString::number(dia.year());
}

QString textoJoker(double joker) {
  return joker == -1 ? QStringLiteral("-") : QString::number(joker, 'f', 0);
}

QString textoFecha(double fecha, const QString& dia) {
  QString t = plataforma::fechaCorta(plataforma::fechaDe(fecha)) + QLatin1String("  ") + dia;
  if (dia == LUNES) t += QLatin1Char(' ');
  return t;
}

Seleccion cuentaFrecuencias(qint64 ultimo, const std::function<Sorteo(qint64)>& lee, const DiasFiltro& dias,
                            double fechadesde, TablasFrecuencias t) {
  Seleccion r;
  for (Frecuencias* f : {&t.totales1, &t.totales2, &t.dias1, &t.dias2}) f->vacia();
  if (ultimo > 0) r.filas.reserve(size_t(ultimo));

  for (qint64 i = ultimo; i >= 1; --i) {
    const Sorteo s = lee(i);
    const QString dia = diasemana(s.fecha);
    QString texto;
    if (dias.pasa(dia) && s.fecha >= fechadesde) {
      ++r.sorteoscontados;
      texto = textoNumeros(s);
      const int columna = columnaDia(dia);
      for (int k = 1; k <= 6; ++k) cuentaNumero(s.ganadores[k], columna, t);
      if (!r.masNueva) r.masNueva = s.fecha;
      // The oldest date follows every selected draw, the first one included, so that a single
      // selected draw is a period of one day rather than keeping an older count's date.
      r.masAntigua = s.fecha;
      r.filas.push_back({texto, textoJoker(s.joker), textoFecha(s.fecha, dia), int(i)});
    }
    if (i == ultimo) r.frase = texto;
  }

  for (int k = 1; k <= 25; ++k) {
    const QString primera = QLatin1Char(' ') + QString::number(k);
    const QString segunda = QLatin1Char(' ') + QString::number(k + 24);
    t.totales1.ponEtiqueta(k, primera);
    t.dias1.ponEtiqueta(k, primera);
    t.totales2.ponEtiqueta(k, segunda);
    t.dias2.ponEtiqueta(k, segunda);
  }
  t.totales2.ponCuenta(1, 1, t.totales1.cuenta(25, 1));
  for (int c = 1; c <= 3; ++c) t.dias2.ponCuenta(1, c, t.dias1.cuenta(25, c));
  return r;
}

// The moment that many days back, converted to its date: every draw of that day counts, whatever
// the time of day the count runs at.
double corteMeses(double ahora, int meses) { return std::floor(ahora - meses * 30.5); }

QString rotuloMeses(int meses) {
  return meses > 1 ? QString::fromUtf8("Últimos ") + QString::number(meses) + QStringLiteral(" meses")
                   : QString::fromUtf8("Último mes");
}
