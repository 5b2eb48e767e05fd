// The count behind the statistics tab, without windows: selection, the four tables, the list texts.
#include <gtest/gtest.h>

#include "data/ayudas.h"
#include "plataforma/fechas.h"
#include "apoyo/datos.h"
#include "statistics/estadisticas.h"

namespace {

const QDate LUNES(2025, 3, 3);
const QDate JUEVES(2025, 3, 6);
const QDate SABADO(2025, 3, 8);
const QDate LUNES2(2025, 3, 10);

struct Tablas {
  Frecuencias t1{1}, t2{1}, d1{3}, d2{3};
  TablasFrecuencias refs() { return {t1, t2, d1, d2}; }
};

Seleccion cuenta(const std::vector<Sorteo>& sorteos, Tablas& t, DiasFiltro dias = {}, double desde = 0) {
  return cuentaFrecuencias(qint64(sorteos.size()), [&](qint64 i) { return sorteos[size_t(i - 1)]; }, dias,
                           desde, t.refs());
}

double ole(const QDate& d) { return plataforma::oleDe(d); }

}  // namespace

TEST(TextosFila, NumbersComplementarioReintegroJokerAndDate) {
  struct Caso {
    Sorteo s;
    const char* texto;
  };
  Sorteo daniado = sorteoDe(LUNES, {0, 5, 50, 7, -3, 120}, 99, 12);
  const Caso casos[] = {
      {sorteoDe(LUNES, {3, 12, 25, 31, 40, 45}, 7, 2), " 3-12-25-31-40-45  C: 7  R: 2"},
      {sorteoDe(LUNES, {3, 12, 25, 31, 40, 45}, 17, -1), " 3-12-25-31-40-45  C: 17 R: -"},
      {sorteoDe(LUNES, {1, 2, 3, 4, 5, 6}, 49, 0), " 1- 2- 3- 4- 5-6   C: 49 R: 0"},
      // A damaged record is shown as it stands.
      {daniado, " 0- 5-50- 7- -3-120  C: 99 R: 12"},
  };
  for (const Caso& c : casos) EXPECT_EQ(textoNumeros(c.s), QString::fromUtf8(c.texto));
  EXPECT_EQ(textoNumeros(casos[0].s).size(), 29);

  EXPECT_EQ(textoJoker(-1), "-");
  EXPECT_EQ(textoJoker(0), "0");
  EXPECT_EQ(textoJoker(8337021), "8337021");

  EXPECT_EQ(textoFecha(ole(LUNES), "Lunes"), "03/03/2025  Lunes ");
  EXPECT_EQ(textoFecha(ole(JUEVES), "Jueves"), "06/03/2025  Jueves");
  EXPECT_EQ(textoFecha(ole(SABADO), QString::fromUtf8("Sábado")), QString::fromUtf8("08/03/2025  Sábado"));
  EXPECT_EQ(textoFecha(ole(LUNES), "Lunes").size(), textoFecha(ole(JUEVES), "Jueves").size());
}

TEST(CuentaFrecuencias, SelectionByWeekdayAndCutoff) {
  // Oldest first: Monday, Thursday, Saturday, Monday.
  const std::vector<Sorteo> sorteos = {
      sorteoDe(LUNES, {1, 2, 3, 4, 5, 6}), sorteoDe(JUEVES, {7, 8, 9, 10, 11, 12}),
      sorteoDe(SABADO, {13, 14, 15, 16, 17, 18}), sorteoDe(LUNES2, {19, 20, 21, 22, 23, 24}, 7, -1)};
  struct Caso {
    DiasFiltro dias;
    double desde;
    int contados;
    const char* frase;
    QDate nueva, antigua;
  };
  const Caso casos[] = {
      {{true, true, true}, 0, 4, "19-20-21-22-23-24  C: 7  R: -", LUNES2, LUNES},
      {{false, false, false}, 0, 0, "", {}, {}},
      // The newest stored draw is a Monday: left out, its text is empty.
      {{false, true, true}, 0, 2, "", SABADO, JUEVES},
      // A draw dated exactly at the cutoff is in; the day before is out.
      {{true, true, true}, ole(JUEVES), 3, "19-20-21-22-23-24  C: 7  R: -", LUNES2, JUEVES},
      {{true, true, true}, ole(JUEVES) + 0.5, 2, "19-20-21-22-23-24  C: 7  R: -", LUNES2, SABADO},
      // One selected draw is a period of one day.
      {{false, false, true}, 0, 1, "", SABADO, SABADO},
  };
  for (const Caso& c : casos) {
    Tablas t;
    const Seleccion s = cuenta(sorteos, t, c.dias, c.desde);
    SCOPED_TRACE(c.contados);
    EXPECT_EQ(s.sorteoscontados, c.contados);
    EXPECT_EQ(int(s.filas.size()), c.contados);
    ASSERT_TRUE(s.frase.has_value());
    EXPECT_EQ(*s.frase, QString::fromUtf8(c.frase));
    EXPECT_EQ(s.masNueva.has_value(), c.contados > 0);
    if (c.contados > 0) {
      EXPECT_EQ(plataforma::fechaDe(*s.masNueva), c.nueva);
      EXPECT_EQ(plataforma::fechaDe(*s.masAntigua), c.antigua);
      EXPECT_EQ(s.filas.front().fecha, textoFecha(ole(c.nueva), diasemana(ole(c.nueva))));
    }
  }
}

TEST(CuentaFrecuencias, TwentyFiveInBothHalvesAndOnlyWinningNumbersCount) {
  const std::vector<Sorteo> sorteos = {
      sorteoDe(LUNES, {1, 25, 26, 30, 40, 49}, 2, 3), sorteoDe(JUEVES, {25, 2, 3, 4, 5, 6}, 49, 1),
      sorteoDe(SABADO, {25, 7, 8, 9, 10, 11}, 1, 1),
      // Damaged numbers are listed but counted nowhere.
      sorteoDe(LUNES2, {0, -4, 50, 25, 300, 12}, 26, 0)};
  Tablas t;
  const Seleccion s = cuenta(sorteos, t);
  EXPECT_EQ(s.sorteoscontados, 4);
  EXPECT_EQ(s.filas.front().numeros,  " 0- -4-50-25-300-12  C: 26 R: 0");
  EXPECT_EQ(t.t1.cuenta(25, 1), 4);
  EXPECT_EQ(t.t2.cuenta(1, 1), 4);
  EXPECT_EQ(t.d1.cuenta(25, 1), 2);
  EXPECT_EQ(t.d2.cuenta(1, 1), 2);
  EXPECT_EQ(t.d2.cuenta(1, 2), 1);
  EXPECT_EQ(t.d2.cuenta(1, 3), 1);
  // The complementario and the reintegro never count.
  EXPECT_EQ(t.t1.cuenta(1, 1), 1);      // winning in the first draw, complementario in the third
  EXPECT_EQ(t.t2.cuenta(26 - 24, 1), 1);  // complementario of the newest
  EXPECT_EQ(t.t2.cuenta(49 - 24, 1), 1);
  EXPECT_EQ(t.d1.cuenta(12, 1), 1);
  int total = 0;
  for (int f = 1; f <= 25; ++f) total += t.t1.cuenta(f, 1).value_or(0) + t.t2.cuenta(f, 1).value_or(0);
  EXPECT_EQ(total - 4, 6 * 3 + 2);  // 25 twice; the damaged draw adds only its 25 and 12
  EXPECT_FALSE(t.t1.cuenta(13, 1).has_value());
}

TEST(Periodo, MonthsOfThirtyAndAHalfDaysAroundAMonthEnd) {
  // The cut-off is the date of the moment n x 30.5 days back: the draws of that whole day count.
  const double ahora = plataforma::oleDe(QDateTime(QDate(2026, 3, 1), QTime(8, 0)));
  const double mes = corteMeses(ahora, 1);  // 30.5 days before: 29 January at 20:00
  EXPECT_EQ(mes, ole(QDate(2026, 1, 29)));
  EXPECT_LT(ole(QDate(2026, 1, 28)), mes);
  const double dos = corteMeses(ahora, 24);  // 732 days before: 28 February 2024 at 08:00
  EXPECT_EQ(dos, ole(QDate(2024, 2, 28)));
  EXPECT_LT(ole(QDate(2024, 2, 27)), dos);
  // Just before midnight the day is still the same one; just after, the next.
  EXPECT_EQ(corteMeses(ole(QDate(2026, 3, 1)) + 0.999, 2), ole(QDate(2025, 12, 30)));
  EXPECT_EQ(corteMeses(ole(QDate(2026, 3, 2)), 2), ole(QDate(2025, 12, 31)));

  EXPECT_EQ(rotuloMeses(1), QString::fromUtf8("Último mes"));
  EXPECT_EQ(rotuloMeses(2), QString::fromUtf8("Últimos 2 meses"));
  EXPECT_EQ(rotuloMeses(24), QString::fromUtf8("Últimos 24 meses"));
}
