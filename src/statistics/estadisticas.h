#pragma once
// The counting behind the tab "Estadísticas": which stored draws the filter selects, how often each
// number came out among them (totals and per weekday, in the two halves the chart shows), and the
// texts of the draws list. Nothing here touches a window.
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "data/registros.h"
#include "statistics/frecuencias.h"

// The weekday boxes of the statistics filter: a draw passes when it was held on a ticked day.
struct DiasFiltro {
  bool lunes = true;
  bool jueves = true;
  bool sabado = true;
  bool pasa(const QString& dia) const;
};

// The four chart tables: totals and per weekday ("Lunes", "Jueves", "Sábado" in columns 1 to 3),
// numbers 1 to 25 in the first half and 25 to 49 in the second (row r is number r + 24).
struct TablasFrecuencias {
  Frecuencias& totales1;
  Frecuencias& totales2;
  Frecuencias& dias1;
  Frecuencias& dias2;
};

// One row of the draws list: the numbers with complementario and reintegro, the Joker, the date.
struct FilaSorteo {
  QString numeros;
  QString joker;
  QString fecha;
  int registro = 0;  // the draw's record in numeros.dat
};

// What one count leaves besides the tables.
struct Seleccion {
  int sorteoscontados = 0;
  std::optional<double> masNueva;    // date of the newest selected draw
  std::optional<double> masAntigua;  // date of the oldest selected draw
  // The row text of the newest stored draw: empty when the filter left it out. Unset when there
  // is no stored draw at all.
  std::optional<QString> frase;
  std::vector<FilaSorteo> filas;  // the selected draws, newest first
};

// " 3-12-25-31-40-45  C: 7  R: 2": numbers below 10 take a leading blank so that the columns
// stand in a fixed-pitch font; a missing reintegro (-1) shows "-".
QString textoNumeros(const Sorteo& s);
// The day of a draw as the statistics report heads its numbers: "Sábado, 8 de marzo de 2025".
QString letreroSorteo(double fecha);
// "-" for no Joker (-1), otherwise its digits.
QString textoJoker(double joker);
// The short date, two blanks and the weekday; "Lunes" takes one blank more, so that every date text
// is as long as the ones of "Jueves" and "Sábado".
QString textoFecha(double fecha, const QString& dia);

// Empties the tables and counts the stored draws from record `ultimo` down to record 1, as `lee`
// gives them, selecting those held on a ticked weekday on or after `fechadesde`. Only numbers 1 to
// 49 are counted: a damaged record is listed as it stands but cannot count into a row that does
// not exist. Number 25 is counted in both halves.
Seleccion cuentaFrecuencias(qint64 ultimo, const std::function<Sorteo(qint64)>& lee, const DiasFiltro& dias,
                            double fechadesde, TablasFrecuencias tablas);

// The first day of a period of `meses` months of 30.5 days ending at `ahora` (OLE dates): the day
// of the moment `meses` x 30.5 days before it. Draws dated on or after it are counted.
double corteMeses(double ahora, int meses);
// The caption of the months boxes: "Último mes" or "Últimos n meses".
QString rotuloMeses(int meses);
