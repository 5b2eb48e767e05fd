// Another program holding Bolvanta.mdb: every path that fills or reads the report tables waits for
// it about a second, says so once and goes on; and what a held database left unwritten is written
// before a report prints it, so that the summary, the ranking and the report agree with the boxes.
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <functional>

#include "apoyo/bloqueo.h"
#include "apoyo/cajas.h"
#include "plataforma/msgbox.h"
#include "statistics/VentanaInforme.h"
#include "statistics/comun.h"

using namespace penas;

namespace {

// Monday, Thursday and Saturday draws, the newest a Thursday.
const std::vector<QDate> DIAS{{2025, 2, 17}, {2025, 2, 20}, {2025, 2, 22}, {2025, 2, 24},
                              {2025, 2, 27}, {2025, 3, 1},  {2025, 3, 3},  {2025, 3, 6}};

std::vector<Sorteo> sorteos() {
  std::vector<Sorteo> r;
  for (const QDate& d : DIAS) r.push_back(sorteoDe(d, {3, 12, 25, 31, 40, 45}, 7, 2));
  return r;
}

QString ocupada(const CarpetaPrograma& carpeta) {
  return QString::fromUtf8("Otro programa está usando la base de datos «%1». ")
      .arg(QDir::toNativeSeparators(carpeta.archivo("Bolvanta.mdb")));
}

QString textoInforme() {
  return ventanaInformeSiExiste() ? ventanaInforme().Vista->toPlainText().replace(QChar(0xA0), ' ').simplified()
                                  : QString();
}

}  // namespace

// Each path once with the file held by another program that lets nobody read it: one box, after a
// wait of about a second, never a report of what could not be read; the program stays, and the
// same path goes through once the file is let go.
TEST(BaseRetenida, EveryPathWaitsOnceTellsOnceAndGoesOn) {
  const QString comun = QString::fromUtf8("Lo que se ve en pantalla está al día");
  const QString informe = QString::fromUtf8("No es posible mostrar el informe");
  const QString clasificacion = QString::fromUtf8("No se ha guardado la clasificación de los números");
  struct Camino {
    const char* que;
    std::function<void(Principal&)> prepara;  // before the file is held
    std::function<void(Principal&)> accion;
    QString consecuencia;
    bool sinArranque = false;  // the path is the start-up itself
  };
  const Camino caminos[] = {
      {"start-up", nullptr, nullptr, comun, true},
      {"filter change", nullptr, [](Principal& p) { p.Check3[0]->setChecked(!p.Check3[0]->isChecked()); }, comun},
      {"history box", nullptr, [](Principal& p) { p.Check1->setChecked(!p.Check1->isChecked()); }, comun},
      {"months slider", [](Principal& p) { p.Check3[5]->setChecked(false); },
       [](Principal& p) { p.Slider1[0]->setValue(p.Slider1[0]->value() == 1 ? 2 : 1); }, comun},
      {"syndicate click", nullptr, [](Principal& p) { p.ListView1_ItemClick(p.penamostrada == 1 ? 2 : 1); }, comun},
      {"ranking",
       [](Principal& p) {
         p.SSTab1->setCurrentIndex(4);
         p.Command9_Click();
       },
       [](Principal& p) { p.Slider2->setValue(p.Slider2->value() == 6 ? 7 : 6); }, clasificacion},
      {"statistics report", nullptr, [](Principal& p) { p.Image2_Click(0); }, informe},
      {"syndicate report", nullptr, [](Principal& p) { p.Image2_Click(1); }, informe},
  };
  for (const Camino& c : caminos) {
    SCOPED_TRACE(c.que);
    CarpetaPrograma carpeta;
    plataforma::Respondedor respuestas;
    const std::vector<Pena> lista{sencilla("UNA", 2), sencilla("OTRA", 1)};
    Principal* p = nullptr;
    if (!c.sinArranque) {
      p = &arranca(carpeta, sorteos(), lista, QDate(2025, 3, 7));
      if (c.prepara) c.prepara(*p);
      ASSERT_TRUE(respuestas.cajas().empty());
    }
    const QString mdb = carpeta.archivo("Bolvanta.mdb");
    const QByteArray antes = carpeta.lee("Bolvanta.mdb");
    {
      BloqueoBase otro(mdb, "EXCLUSIVE");
      ASSERT_TRUE(otro.activo());
      QElapsedTimer reloj;
      reloj.start();
      if (c.sinArranque)
        p = &arranca(carpeta, sorteos(), lista, QDate(2025, 3, 7));
      else
        c.accion(*p);
      const qint64 ms = reloj.elapsed();
      // It gave the other program its second, and no more than that.
      EXPECT_GE(ms, plataforma::ESPERA_BLOQUEO_MS - 200);
      EXPECT_LT(ms, 3000);
      ASSERT_EQ(respuestas.cajas().size(), 1u);
      EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith(ocupada(carpeta))) << respuestas.cajas()[0].texto.toStdString();
      EXPECT_TRUE(respuestas.cajas()[0].texto.contains(c.consecuencia)) << respuestas.cajas()[0].texto.toStdString();
      EXPECT_EQ(respuestas.cajas()[0].titulo, "Base de datos ocupada");
      EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbExclamation);
      EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
      EXPECT_EQ(principalSiExiste(), p);
      // A held file says nothing of the password: its key is kept.
      EXPECT_TRUE(plataforma::claveRapida(mdb));
    }
    EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), antes);
    if (c.sinArranque) continue;
    c.accion(*p);
    EXPECT_EQ(respuestas.cajas().size(), 1u);
  }
}

// The user's own words: 24 months without Thursdays, the file held while Thursdays are ticked
// again, then let go. The statistics, the summary of step 1 and the printed report all tell the
// eight draws of the three weekdays, the newest one a Thursday; while the file is still held no
// report is shown at all.
TEST(BaseRetenida, SummaryAndReportFollowTheBoxesAfterAFailedRecount) {
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  Principal& p = arranca(carpeta, sorteos(), {}, QDate(2025, 3, 7));
  p.Check3[5]->setChecked(false);  // the last months: every test draw is within them
  p.Check3[3]->setChecked(false);  // "Jueves" of step 1
  ASSERT_EQ(p.Label7->text(), "TOTAL: 5 sorteos.");
  ASSERT_TRUE(p.Label27->text().endsWith(QString::fromUtf8("LUNES y SÁBADO.")));
  ASSERT_TRUE(respuestas.cajas().empty());
  {
    BloqueoBase otro(carpeta.archivo("Bolvanta.mdb"), "EXCLUSIVE");
    p.Check3[3]->setChecked(true);
    EXPECT_EQ(respuestas.cajas().size(), 1u);
    p.Image2_Click(0);
    EXPECT_EQ(respuestas.cajas().size(), 2u);
    EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
  }
  // Eight draws, from the first Monday to the last Thursday.
  EXPECT_EQ(p.Label7->text(), "TOTAL: 8 sorteos.");
  EXPECT_TRUE(p.Label21->text().contains("desde el 17/02/2025 al 06/03/2025, en total, 8 sorteos"))
      << p.Label21->text().toStdString();
  EXPECT_EQ(p.Label27->text(), QString::fromUtf8("-Ha seleccionado tanto los números de los sorteos del LUNES, "
                                                 "JUEVES, como los del SÁBADO."));
  p.SSTab1->setCurrentIndex(4);
  p.Command9_Click();
  p.Slider2->setValue(6);
  p.Image2_Click(0);
  EXPECT_EQ(respuestas.cajas().size(), 2u);
  const QString texto = textoInforme();
  for (const char* debe : {"Desde el 17/02/2025", "Hasta el 06/03/2025", "Sorteos contados 8",
                           "Días de sorteo Lunes, Jueves y sábado.", "Fecha Jueves, 6 de marzo de 2025",
                           "Combinación ganadora 3-12-25-31-40-45 C: 7 R: 2", "3 8", "45 8"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(debe))) << debe << "\n" << texto.toStdString();
}

// The box a user meets: a real one, opened once by a change of a filter while the file is held,
// and the program goes on with the count it made.
TEST(BaseRetenida, RealBoxForAFilterChange) {
  CarpetaPrograma carpeta;
  Principal* p = nullptr;
  {
    plataforma::Respondedor callado;
    p = &arranca(carpeta, sorteos(), {}, QDate(2025, 3, 7));
  }
  CajasReales cajas;
  {
    BloqueoBase otro(carpeta.archivo("Bolvanta.mdb"), "IMMEDIATE");
    p->Check3[9]->setChecked(false);
  }
  ASSERT_EQ(cajas.textos().size(), 1);
  EXPECT_TRUE(cajas.textos()[0].startsWith(ocupada(carpeta)));
  EXPECT_EQ(p->Label7->text(), "TOTAL: 5 sorteos.");
  EXPECT_TRUE(p->Label27->text().endsWith(QString::fromUtf8("JUEVES y SÁBADO.")));
}
