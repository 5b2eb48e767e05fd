// The draws status panel over draws files of the test's own, with the clock fixed.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "ui/Principal.h"

namespace {

const QDate jueves(2025, 3, 6);
const QDate lunes(2025, 3, 3);

class Panel : public ::testing::Test {
 protected:
  // Starts the program on `dia` with these draws and syndicates.
  Principal& arranca(const QDate& dia, const std::vector<Sorteo>& sorteos,
                     const std::vector<Pena>& penas = {}) {
    plataforma::fijaReloj(QDateTime(dia, QTime(10, 0)));
    escribeSorteos(carpeta, sorteos);
    escribePenas(carpeta, penas);
    Principal& p = principal();
    p.Form_Load();
    return p;
  }
  QString texto(int i) { return principal().Label9[i]->text(); }
  // Ends the run so that the next start reads the files afresh.
  void cierra() {
    descargaPrincipal();
    procesaDescargas();
    plataforma::archivos().cierraTodos();
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

}  // namespace

TEST_F(Panel, EmptyDrawsFile) {
  Principal& p = arranca(jueves, {});
  EXPECT_EQ(estado().numsorteos, 1);
  EXPECT_EQ(texto(3), "Fichero de datos vacío.");
  EXPECT_FALSE(p.HScroll1->isEnabled());
  EXPECT_FALSE(p.Check1->isEnabled());
  EXPECT_FALSE(p.Check2->isEnabled());
  EXPECT_TRUE(p.Timer2->isActive());
  EXPECT_EQ(texto(6), "No se ha actualizado nunca");
  // The next draw is counted from today: a Thursday is itself a draw day.
  EXPECT_EQ(texto(5), "Jueves, 6 de marzo del 2025");
  EXPECT_EQ(texto(7), "¡Hoy sorteo!");
}

TEST_F(Panel, TodaysDrawStoredPointsToSaturday) {
  Principal& p = arranca(jueves, {sorteoDe(lunes), sorteoDe(jueves)});
  EXPECT_EQ(texto(3), "Jueves, 6 de marzo del 2025");
  EXPECT_EQ(texto(5), "Sábado, 8 de marzo del 2025");
  EXPECT_EQ(texto(7), "Faltan 2 días");
  EXPECT_FALSE(p.Timer2->isActive());
  EXPECT_TRUE(p.Label9[6]->isHidden());
  EXPECT_TRUE(p.Check1->isEnabled());
}

TEST_F(Panel, LastMondaysDrawMeansADrawToday) {
  Principal& p = arranca(jueves, {sorteoDe(lunes)});
  EXPECT_EQ(texto(3), "Lunes, 3 de marzo del 2025");
  EXPECT_EQ(texto(7), "¡Hoy sorteo!");
  EXPECT_FALSE(p.Timer2->isActive());
  // The day before a Monday draw, after Saturday's: one day to go, said as the program says it.
  cierra();
  EXPECT_EQ(arranca(QDate(2025, 3, 2), {sorteoDe(QDate(2025, 3, 1))}).Label9[7]->text(), "Faltan 1 días");
}

TEST_F(Panel, StalenessWarningByAge) {
  const std::pair<int, QString> casos[] = {{7, {}},  // a week old is not yet late
                                           {8, "Falta 1 semana por actualizar"},
                                           {15, "Falta 1 semana por actualizar"},
                                           {16, "Faltan 2 semanas por actualizar"},
                                           {22, "Faltan 3 semanas por actualizar"}};
  for (const auto& [dias, aviso] : casos) {
    Principal& p = arranca(lunes.addDays(dias), {sorteoDe(lunes)});
    if (aviso.isEmpty()) {
      EXPECT_FALSE(p.Timer2->isActive());
      EXPECT_TRUE(p.Label9[6]->isHidden());
      cierra();
      continue;
    }
    EXPECT_TRUE(p.Timer2->isActive()) << dias;
    EXPECT_EQ(texto(6), aviso) << dias;
    // The warning blinks: each tick shows or hides it.
    const bool antes = p.Label9[6]->isHidden();
    p.Timer2_Timer();
    EXPECT_NE(p.Label9[6]->isHidden(), antes);
    cierra();
  }
}

TEST_F(Panel, ScrollBarCoversEveryStoredDraw) {
  std::vector<Sorteo> sorteos;
  for (int i = 0; i < 40; ++i) sorteos.push_back(sorteoDe(lunes.addDays(7 * (i - 39))));
  Principal& p = arranca(lunes, sorteos);
  EXPECT_EQ(estado().numsorteos, 41);
  EXPECT_EQ(p.HScroll1->maximum(), 40);
  EXPECT_TRUE(p.HScroll1->isEnabled());
  EXPECT_EQ(p.Text3->text(), "1");
  p.HScroll1->setSliderPosition(12);
  p.HScroll1_Scroll();
  EXPECT_EQ(p.Text3->text(), "12");
  // A single stored draw: the scroll bar is there, and covers just that one.
  cierra();
  Principal& q = arranca(lunes, {sorteoDe(lunes)});
  EXPECT_EQ(estado().numsorteos, 2);
  EXPECT_TRUE(q.HScroll1->isEnabled());
  EXPECT_EQ(q.HScroll1->maximum(), 1);
  EXPECT_TRUE(q.Check1->isEnabled());
}

TEST_F(Panel, PlayedDrawsCountOnceAndOnlyFromCreation) {
  const Sorteo sorteo = sorteoDe(lunes);
  Pena jys = penaDe("JUEVES Y SABADO", "Jueves y Sábado", lunes.addDays(-30), {{1, 2, 3, 4, 5, 6}});
  Pena todos = penaDe("TODOS", "Todos (L+J+S)", lunes.addDays(-30), {{1, 2, 3, 4, 5, 6}});
  Pena otra = todos;
  otra.nombre = "OTRA";
  EXPECT_EQ(arranca(lunes, {sorteo}, {jys, todos, otra}).sorteosjugados, 1);
  cierra();
  todos.fechacreacion = plataforma::oleDe(lunes.addDays(1));
  EXPECT_EQ(arranca(lunes, {sorteo}, {jys, todos}).sorteosjugados, 0);
  cierra();
  todos.fechacreacion = sorteo.fecha;  // created on the draw's own day: it plays it
  EXPECT_EQ(arranca(lunes, {sorteo}, {jys, todos}).sorteosjugados, 1);
}

TEST_F(Panel, DatesInTheFutureOrGarbageDoNotBreakThePanel) {
  Sorteo raro = sorteoDe(QDate(2031, 1, 2));
  Principal& p = arranca(jueves, {sorteoDe(lunes), raro});
  EXPECT_FALSE(p.Timer2->isActive());  // a clock behind the data gives no warning
  cierra();
  raro.fecha = 1e300;
  arranca(jueves, {raro});
  EXPECT_EQ(estado().numsorteos, 2);
}
