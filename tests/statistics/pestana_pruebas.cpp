// The tab "Estadísticas" in the main window: the count after start-up, the draws list, the total,
// the newest draw's text in the report database, the chart, and the filter boxes of both groups.
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "statistics/comun.h"
#include "statistics/graficofrecuencias.h"
#include "ui/Principal.h"

namespace {

// Sunday 1 March 2026, 20:00: a month of 30.5 days reaches back to 30 January at 08:00, so the
// last month counts the draws from 30 January on.
const QDateTime AHORA(QDate(2026, 3, 1), QTime(20, 0));

Sorteo conJoker(Sorteo s, double joker) {
  s.joker = joker;
  return s;
}

class Pestana : public ::testing::Test {
 protected:
  Principal& arranca(const std::vector<Sorteo>& sorteos) {
    plataforma::fijaReloj(AHORA);
    escribeSorteos(carpeta, sorteos);
    principal().Form_Load();
    return principal();
  }
  QString frase() const {
    plataforma::Conexion cn;
    cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
    plataforma::Recordset rs;
    rs.Open(QStringLiteral("Informe"), cn);
    return rs.Fields(QStringLiteral("Frase")).toString();
  }
  void ponFrase(const QString& texto) const {
    plataforma::Conexion cn;
    cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
    cn.Execute(QStringLiteral("UPDATE Informe SET Frase = '%1'").arg(texto));
  }
  static QString total(int n) { return QStringLiteral("TOTAL: %1 sorteos.").arg(n); }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

// A week and a half around the end of January 2026, oldest first.
std::vector<Sorteo> finDeMes() {
  return {sorteoDe(QDate(2026, 1, 29), {1, 2, 3, 4, 5, 6}),        // Thursday, before the month
          sorteoDe(QDate(2026, 1, 31), {7, 8, 9, 10, 11, 12}),     // Saturday
          sorteoDe(QDate(2026, 2, 2), {13, 14, 15, 16, 17, 18}),   // Monday
          sorteoDe(QDate(2026, 2, 26), {25, 26, 27, 28, 29, 30})};  // Thursday
}

}  // namespace

TEST_F(Pestana, StartUpCountsEveryDrawAndListsThemNewestFirst) {
  Principal& p = arranca({conJoker(sorteoDe(QDate(2025, 3, 3), {3, 12, 25, 31, 40, 45}, 7, 2), 8337021),
                          sorteoDe(QDate(2025, 3, 6), {3, 12, 25, 31, 40, 45}, 17, -1)});
  ASSERT_EQ(p.ListView3->Count(), 2);
  EXPECT_EQ(p.ListView3->Text(1), " 3-12-25-31-40-45  C: 17 R: -");
  EXPECT_EQ(p.ListView3->subText(1, 1), "-");
  EXPECT_EQ(p.ListView3->subText(1, 2), "06/03/2025  Jueves");
  EXPECT_EQ(p.ListView3->subText(2, 1), "8337021");
  EXPECT_EQ(p.ListView3->subText(2, 2), "03/03/2025  Lunes ");
  EXPECT_TRUE(p.ListView3->Bold(1) && p.ListView3->Bold(2));
  EXPECT_EQ(p.Label7->text(), total(2));
  EXPECT_EQ(frase(), " 3-12-25-31-40-45  C: 17 R: -");
  EXPECT_EQ(p.sorteoscontados, 2);
  EXPECT_EQ(plataforma::fechaDe(p.fechasperiodo[0]), QDate(2025, 3, 6));
  EXPECT_EQ(plataforma::fechaDe(p.fechasperiodo[1]), QDate(2025, 3, 3));

  // The chart shows the totals of the first half, exactly as counted.
  EXPECT_EQ(p.MSChart1->datos().series(), 1);
  EXPECT_EQ(p.MSChart1->datos().cuenta(25, 1), 2);
  EXPECT_FALSE(p.MSChart1->datos().cuenta(1, 1).has_value());

  // The filters as they stand at start: every weekday and "Todos"; the sliders at the settings'
  // months, hidden while every draw is counted.
  for (int k : {9, 0, 1, 5, 10, 3, 4, 7}) EXPECT_TRUE(p.Check3[k]->isChecked()) << k;
  for (int k : {6, 8, 2}) EXPECT_FALSE(p.Check3[k]->isChecked()) << k;
  for (QSlider* s : p.Slider1) {
    EXPECT_EQ(s->value(), 24);
    EXPECT_EQ(s->maximum(), 24);
    EXPECT_TRUE(s->isHidden());
  }
  for (int k : {6, 8}) EXPECT_EQ(p.Check3[k]->text(), QString::fromUtf8("Últimos 24 meses"));
  EXPECT_TRUE(p.Frame5->isHidden());
}

TEST_F(Pestana, NoStoredDrawLeavesTheReportTextAlone) {
  ponFrase(QStringLiteral("ANTES"));
  Principal& p = arranca({});
  EXPECT_EQ(p.ListView3->Count(), 0);
  EXPECT_EQ(p.Label7->text(), total(0));
  EXPECT_EQ(frase(), "ANTES");
  for (int f = 1; f <= 25; ++f) {
    EXPECT_EQ(p.frecuenciasdia2.etiqueta(f), " " + QString::number(f + 24));
    EXPECT_FALSE(p.frecuencias1.cuenta(f, 1).has_value() || p.frecuenciasdia2.cuenta(f, 3).has_value());
  }
}

TEST_F(Pestana, EveryBoxMirrorsItsTwinAndThePeriodIsOneChoice) {
  Principal& p = arranca(finDeMes());
  // Weekday boxes: unticking either twin unticks the other and counts without that day.
  struct Dia {
    int caja, gemela, sin;
  };
  for (const Dia d : {Dia{9, 10, 3}, Dia{10, 9, 3}, Dia{0, 3, 2}, Dia{3, 0, 2}, Dia{1, 4, 3}, Dia{4, 1, 3}}) {
    SCOPED_TRACE(d.caja);
    p.Check3[d.caja]->setChecked(false);
    EXPECT_FALSE(p.Check3[d.gemela]->isChecked());
    EXPECT_EQ(p.Label7->text(), total(d.sin));
    if (d.gemela == 3) {
      EXPECT_EQ(frase(), "");  // the newest draw, a Thursday, is left out
    }
    p.Check3[d.caja]->setChecked(true);
    EXPECT_TRUE(p.Check3[d.gemela]->isChecked());
    EXPECT_EQ(p.Label7->text(), total(4));
    EXPECT_EQ(p.cambiandofiltros, 0);
  }

  // One draw is one "sorteo".
  p.Check3[9]->setChecked(false);
  p.Check3[0]->setChecked(false);
  EXPECT_EQ(p.Label7->text(), "TOTAL: 1 sorteo.");
  p.Check3[1]->setChecked(false);
  EXPECT_EQ(p.Label7->text(), total(0));
  for (int k : {9, 0, 1}) p.Check3[k]->setChecked(true);

  p.Slider1[0]->setValue(1);  // "Todos" still ticked: every draw is still counted
  EXPECT_TRUE(p.Check3[5]->isChecked());
  EXPECT_EQ(p.Label7->text(), total(4));
  p.Check3[5]->setChecked(false);
  EXPECT_EQ(p.Label7->text(), total(3));
  p.Check3[5]->setChecked(true);
  EXPECT_EQ(p.Label7->text(), total(4));

  // Period boxes: whichever box is clicked, "Todos" (5, 7) and the months (6, 8) stay opposite in
  // both groups, and the sliders are shown only with the months.
  struct Periodo {
    int caja;
    bool valor;
    bool meses;
  };
  const Periodo periodos[] = {{5, false, true}, {5, true, false}, {6, true, true}, {6, false, false},
                              {7, false, true}, {7, true, false}, {8, true, true}, {8, false, false}};
  for (const Periodo& c : periodos) {
    SCOPED_TRACE(c.caja * 10 + c.valor);
    p.Check3[c.caja]->setChecked(c.valor);
    for (int k : {6, 8}) EXPECT_EQ(p.Check3[k]->isChecked(), c.meses) << k;
    for (int k : {5, 7}) EXPECT_EQ(p.Check3[k]->isChecked(), !c.meses) << k;
    for (QSlider* s : p.Slider1) EXPECT_EQ(s->isHidden(), !c.meses);
    EXPECT_EQ(p.Label7->text(), total(c.meses ? 3 : 4));
  }

  // A click that arrives while the boxes are being settled changes nothing and counts nothing.
  p.cambiandofiltros = 1;
  p.Check3[9]->setChecked(false);
  EXPECT_TRUE(p.Check3[10]->isChecked());
  EXPECT_EQ(p.Label7->text(), total(4));
}

TEST_F(Pestana, SliderCaptionsAndCutoffs) {
  std::vector<Sorteo> sorteos = {sorteoDe(QDate(2024, 2, 26), {1, 2, 3, 4, 5, 6}),    // Monday, out
                                 sorteoDe(QDate(2024, 2, 29), {1, 2, 3, 4, 5, 6})};   // Thursday, in
  for (const Sorteo& s : finDeMes()) sorteos.push_back(s);
  Principal& p = arranca(sorteos);
  p.Check3[5]->setChecked(false);  // the last 24 months: 732 days back, over 29 February 2024
  EXPECT_EQ(p.Label7->text(), total(5));
  EXPECT_EQ(p.ListView3->subText(5, 2), "29/02/2024  Jueves");
  p.Slider1[1]->setValue(1);
  EXPECT_EQ(p.Slider1[0]->value(), 1);
  for (int k : {6, 8}) EXPECT_EQ(p.Check3[k]->text(), QString::fromUtf8("Último mes"));
  EXPECT_EQ(p.Label7->text(), total(3));
  EXPECT_EQ(plataforma::fechaDe(p.fechasperiodo[1]), QDate(2026, 1, 31));
  p.Slider1[0]->setValue(2);
  for (int k : {6, 8}) EXPECT_EQ(p.Check3[k]->text(), QString::fromUtf8("Últimos 2 meses"));
  EXPECT_EQ(p.Slider1[1]->value(), 2);
  EXPECT_EQ(p.Label7->text(), total(4));
}

TEST_F(Pestana, ComparativaLocksTheWeekdaysChartsThemAndShowsTheLegend) {
  Principal& p = arranca(finDeMes());
  p.Check3[0]->setChecked(false);
  p.Check3[2]->setChecked(true);
  for (int k : {9, 0, 1}) {
    EXPECT_TRUE(p.Check3[k]->isChecked()) << k;
    EXPECT_FALSE(p.Check3[k]->isEnabled()) << k;
  }
  EXPECT_FALSE(p.Check3[3]->isChecked());  // the generator's boxes keep their own values
  EXPECT_FALSE(p.Frame5->isHidden());
  EXPECT_EQ(p.Label7->text(), total(4));
  EXPECT_EQ(p.MSChart1->nombresSeries(), QStringList({"Lunes", "Jueves", QString::fromUtf8("Sábado")}));

  p.HScroll2->setValue(2);
  EXPECT_EQ(p.MSChart1->datos().etiqueta(1), " 25");
  EXPECT_EQ(p.MSChart1->datos().etiqueta(25), " 49");
  EXPECT_EQ(p.MSChart1->datos().cuenta(1, 2), 1);  // 25 on a Thursday
  EXPECT_FALSE(p.MSChart1->datos().cuenta(1, 1).has_value());

  // Unticking "Jueves" in the generator: the locked box is ticked again, then takes the unticked
  // value, and the count runs without Thursdays.
  p.Check3[3]->setChecked(true);
  p.Check3[3]->setChecked(false);
  EXPECT_FALSE(p.Check3[0]->isChecked());
  EXPECT_EQ(p.Label7->text(), total(2));

  // Unlocked, the boxes keep what they hold.
  p.Check3[2]->setChecked(false);
  for (int k : {9, 0, 1}) EXPECT_TRUE(p.Check3[k]->isEnabled()) << k;
  EXPECT_TRUE(p.Check3[9]->isChecked());
  EXPECT_FALSE(p.Check3[0]->isChecked());
  EXPECT_TRUE(p.Frame5->isHidden());
  EXPECT_EQ(p.MSChart1->datos().series(), 1);
  EXPECT_EQ(p.MSChart1->datos().etiqueta(1), " 25");  // still the second half

  // Coming back to the window with a wider check view brings the chart back to its first half.
  p.HScroll1->setValue(2);
  p.Form_Activate();
  EXPECT_EQ(p.HScroll2->value(), 1);
  EXPECT_EQ(p.MSChart1->datos().etiqueta(1), " 1");
}

// The window as the user sees it once the list and the chart have drawn their latest content.
// The last n months count from the day of the moment n x 30.5 days back, that whole day included:
// the statistics, the summary on the generator's first step, the frequencies the generator ranks
// and the report's row all hold the same draws. On Wednesday 26 August 2026 at 15:00 the cut-offs of
// 1, 12, 24 and 36 months fall at 03:00 or 15:00 of a day with a draw of the real history.
TEST_F(Pestana, ThePeriodCountsTheDrawOnItsCutOffDayEverywhere) {
  const QDateTime ahora(QDate(2026, 8, 26), QTime(15, 0));
  const std::vector<Sorteo> historia = historiaReal();
  plataforma::fijaReloj(ahora);
  escribeSorteos(carpeta, historia);
  Principal& p = principal();
  p.Form_Load();
  p.fijaMeses(36);
  p.Check3[5]->setChecked(false);
  for (int meses : {36, 24, 12, 1}) {
    SCOPED_TRACE(meses);
    p.Slider1[0]->setValue(meses);
    const QDate corte = ahora.addSecs(-qint64(meses * 30.5 * 86400)).date();
    int esperados = 0;
    bool hayEseDia = false;
    for (const Sorteo& s : historia) {
      esperados += plataforma::fechaDe(s.fecha) >= corte;
      hayEseDia = hayEseDia || plataforma::fechaDe(s.fecha) == corte;
    }
    ASSERT_TRUE(hayEseDia) << corte.toString(Qt::ISODate).toStdString();

    EXPECT_EQ(p.Label7->text(), total(esperados));
    EXPECT_EQ(p.ListView3->subText(esperados, 2).left(10), plataforma::fechaCorta(corte));
    EXPECT_EQ(plataforma::fechaDe(p.fechasperiodo[1]), corte);
    EXPECT_TRUE(p.Label21->text().contains(QStringLiteral("desde el %1 al 20/08/2026, en total, %2 sorteos ")
                                               .arg(plataforma::fechaCorta(corte)).arg(esperados)))
        << p.Label21->text().toStdString();
    int numeros = 0;
    for (int f = 1; f <= 25; ++f)
      numeros += p.frecuencias1.cuenta(f, 1).value_or(0) + (f > 1 ? p.frecuencias2.cuenta(f, 1).value_or(0) : 0);
    EXPECT_EQ(numeros, 6 * esperados);
    const auto fila = estadisticas::filas(carpeta, QStringLiteral("Sorteos"));
    ASSERT_EQ(fila.size(), 1u);
    EXPECT_EQ(fila[0]["Total"].toInt(), esperados);
    EXPECT_EQ(fila[0]["Dia1"].toDate(), corte);
  }
}

static void foto(Principal& p, const QString& archivo) {
  p.ListView3->refresca();
  QCoreApplication::processEvents();
  p.grab().save(archivo);
}

TEST_F(Pestana, RealHistoryFullAndInComparison) {
  Principal& p = arranca(historiaReal());
  EXPECT_EQ(p.Label7->text(), total(4176));
  EXPECT_EQ(p.ListView3->Count(), 4176);
  EXPECT_EQ(p.ListView3->subText(4176, 2), "17/10/1985  Jueves");
  p.SSTab1->setCurrentIndex(3);
  p.resize(p.size());
  p.ListView3->refresca();
  // What the user reads must fit: the list's texts in their columns, the captions in their boxes.
  const QFontMetrics letra(p.ListView3->font());
  for (int f : {1, 4176}) {
    EXPECT_LE(letra.horizontalAdvance(p.ListView3->Text(f)) + 8, p.ListView3->columnWidth(0));
    EXPECT_LE(letra.horizontalAdvance(p.ListView3->subText(f, 2)) + 8, p.ListView3->columnWidth(2));
  }
  p.Check3[5]->setChecked(false);
  p.Slider1[0]->setValue(24);
  for (QCheckBox* c : p.Check3) EXPECT_LE(c->sizeHint().width(), c->width()) << c->text().toStdString();
  EXPECT_LE(p.Label7->sizeHint().width(), p.Label7->width());
  foto(p, QStringLiteral("/tmp/h9a-estadisticas-meses.png"));

  p.Check3[5]->setChecked(true);
  foto(p, QStringLiteral("/tmp/h9a-estadisticas.png"));
  p.Check3[2]->setChecked(true);
  p.HScroll2->setValue(2);
  for (int f = 1; f <= 25; ++f) {
    int dias = 0;
    for (int c = 1; c <= 3; ++c) dias += p.frecuenciasdia2.cuenta(f, c).value_or(0);
    EXPECT_EQ(p.frecuencias2.cuenta(f, 1).value_or(0), dias) << f;
  }
  foto(p, QStringLiteral("/tmp/h9a-estadisticas-comparativa.png"));
}
