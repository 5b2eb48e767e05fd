#include "statistics/textos.h"

#include "plataforma/fechas.h"

Resumen resumenSeleccion(const Seleccion& s) {
  // The period, then how its dates are joined to it.
  QString periodo, desde;
  if (s.todos) {
    periodo = QStringLiteral("todos los sorteos");
    desde = QStringLiteral(". Desde el ");
  } else {
    periodo = s.meses == 1 ? QStringLiteral("sólo el último mes de sorteos")
                           : QStringLiteral("los últimos ") + QString::number(s.meses) +
                                 QStringLiteral(" meses de sorteos");
    desde = QStringLiteral(", desde el ");
  }
  Resumen r;
  // With no draw counted there are no dates to give: the sentence says so in words.
  if (s.sorteoscontados <= 0 || !s.dia1.isValid() || !s.dia2.isValid())
    r.Label21 = QStringLiteral("-Tiene seleccionados ") + periodo +
                QStringLiteral(", pero en la base de datos no hay ningún sorteo que cumpla la selección.");
  else
    r.Label21 = QStringLiteral("-Tiene seleccionados ") + periodo + desde + plataforma::fechaCorta(s.dia1) +
                QStringLiteral(" al ") + plataforma::fechaCorta(s.dia2) + QStringLiteral(", en total, ") +
                QString::number(s.sorteoscontados) +
                (s.sorteoscontados == 1 ? QStringLiteral(" sorteo") : QStringLiteral(" sorteos")) +
                QStringLiteral(" en la base de datos.");

  struct Fila {
    bool lunes, jueves, sabado;
    const char* frase;
    const char* dias;
  };
  // The first matching row wins.
  static const Fila tabla[] = {
      {true, true, true, "tanto los números de los sorteos del LUNES, JUEVES, como los del SÁBADO.",
       "Lunes, Jueves y sábado."},
      {false, false, true, "sólo los números de los sorteos del SÁBADO.", "Sábado."},
      {false, true, false, "sólo los números de los sorteos del JUEVES.", "Jueves."},
      {true, false, false, "sólo los números de los sorteos del LUNES.", "Lunes."},
      {true, false, true, "sólo los números de los sorteos del LUNES y SÁBADO.", "Lunes y Sábado."},
      {true, true, false, "sólo los números de los sorteos del LUNES y JUEVES.", "Lunes y Jueves."},
      {false, true, true, "sólo los números de los sorteos del JUEVES y SÁBADO.", "Jueves y Sábado."},
  };
  QString frase = QStringLiteral("0 días de la semana.");
  for (const Fila& f : tabla) {
    if (f.lunes == s.lunes && f.jueves == s.jueves && f.sabado == s.sabado) {
      frase = QString::fromUtf8(f.frase);
      r.Diasajugar = QString::fromUtf8(f.dias);
      break;
    }
  }
  r.Label27 = s.sorteoscontados > 0 ? QStringLiteral("-Ha seleccionado ") + frase
                                    : QStringLiteral("¡¡Con 0 sorteos seleccionados no es posible continuar!!");
  return r;
}

QString sinEtiquetas(const QString& texto) {
  QString r;
  const qsizetype n = texto.size();
  qsizetype p = 0;
  while (p < n) {
    QChar c = texto[p++];
    if (c == u'<') {
      while (p < n && c != u'>') c = texto[p++];
      if (p < n) c = texto[p++];
    }
    r += c;
  }
  return r;
}
