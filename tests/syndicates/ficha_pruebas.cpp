// A syndicate's details (bets, counters, played draws, bet mode, chart) and the fact sheet and bets
// it leaves in the report database.
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include "syndicates/efectividad.h"
#include "apoyo/bloqueo.h"
#include "apoyo/textos.h"
#include "data/ayudas.h"
#include "plataforma/archivos.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/twips.h"
#include "statistics/VentanaInforme.h"
#include "syndicates/grafico.h"
#include "syndicates/lista_comun.h"

using namespace penas;
using plataforma::px;

namespace {

class Ficha : public ::testing::Test {
 protected:
  QVariantMap ficha() {
    const auto r = filas(carpeta, "Peña");
    EXPECT_EQ(r.size(), 1u);  // edited in place, never added to
    return r.empty() ? QVariantMap() : r.front();
  }
  QStringList apuestasGuardadas() {
    QStringList r;
    for (const QVariantMap& f : filas(carpeta, "Peñanums")) r << f["Numeros"].toString();
    return r;
  }
  QString ultimaCaja() const { return respuestas.cajas().empty() ? QString() : respuestas.cajas().back().texto; }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

}  // namespace

TEST_F(Ficha, SimpleSyndicateListsItsBetsCountersAndFactSheet) {
  Pena tres = conAciertos(penaDe("TRES", "Jueves", QDate(2025, 1, 2),
                                 {{3, 12, 7, 49, 1, 20}, {10, 11, 12, 13, 14, 15}, {1, 2, 3, 4, 5, 6}}),
                          {4, 3, 2, 1, 5});
  Principal& p = arranca(carpeta, {}, {sencilla("OTRA", 1), tres});
  p.ListView1_ItemClick(2);
  EXPECT_EQ(estado().penaelegida, 2);
  const QStringList esperadas{" 3-12- 7-49- 1-20", "10-11-12-13-14-15", " 1- 2- 3- 4- 5- 6"};
  QStringList lista, contadores;
  for (int f = 1; f <= p.ListView5->Count(); ++f) lista << p.ListView5->Text(f);
  for (QLabel* l : p.Label3) contadores << l->text();
  EXPECT_EQ(lista, esperadas);
  EXPECT_EQ(apuestasGuardadas(), esperadas);
  EXPECT_EQ(contadores, (QStringList{"4", "3", "2", "1", "5"}));
  EXPECT_EQ(p.Label28->text(), "-Apuestas sencillas.");
  // No draws stored, prizes counted.
  EXPECT_EQ(p.Label17->text(), "0");
  EXPECT_EQ(p.Label16->text(), "100 %");
  EXPECT_EQ(p.MSChart3->fila(), (QVariantList{" ", 0.0, 15.0}));
  const QVariantMap f = ficha();
  const QVariantMap esperada{{"Nombre", "TRES                "}, {"Diasajugar", "Jueves"}, {"Dinero", 3.0},
                             {"Dia1", QDate(2025, 1, 2)}, {"Dia2", QDate(2025, 1, 2)}, {"Aciertos", "100 %"},
                             {"Sorteos", 0}, {"3", 4}, {"4", 3}, {"5", 2}, {"5C", 5}, {"6", 1}};
  EXPECT_EQ(f, esperada);

  p.ListView1_ItemClick(1);  // no prizes, no draws
  EXPECT_EQ(p.Label16->text(), "-");
  EXPECT_EQ(apuestasGuardadas(), QStringList{"40-41-42-43-44-45"});
}

TEST_F(Ficha, ListHeightFollowsItsBetsUpToTwentyThreeAndShowsThemAll) {
  Principal& p = arranca(carpeta, {}, {sencilla("3", 3), sencilla("15", 15), sencilla("23", 23),
                                       sencilla("30", 30), multiple("M", 506)});
  p.SSTab1->setCurrentIndex(2);
  p.show();
  // The height the program gives its bets; a few bets leave no room for the list's header, and the
  // list grows just enough to show them (the 11 numbers of the multiple bet also scroll sideways).
  // Never taller than the room above the frame "Tipo de Peña:".
  const int alturas[] = {775, 3225, ALTO_MAXIMO_LISTA_APUESTAS, ALTO_MAXIMO_LISTA_APUESTAS, 325};
  const bool exacta[] = {false, true, true, true, false};
  const int vistas[] = {3, 15, 17, 17, 1};
  for (int i = 0; i < 5; ++i) {
    p.ListView1_ItemClick(i + 1);
    QTest::qWait(20);
    if (exacta[i]) {
      EXPECT_EQ(p.ListView5->height(), px(alturas[i])) << i;
    }
    EXPECT_GE(p.ListView5->height(), px(alturas[i])) << i;
    EXPECT_LE(p.ListView5->height(), px(ALTO_MAXIMO_LISTA_APUESTAS)) << i;
    EXPECT_GE(filasVisibles(p.ListView5), vistas[i]) << i;
  }
  EXPECT_TRUE(p.ListView5->horizontalScrollBar()->isVisible());
}

TEST_F(Ficha, PlayedDrawsCountFromCreationOnThePlayDays) {
  // Thursdays, Saturdays and Mondays of eight weeks from 2 January 2025, and two draws before.
  std::vector<Sorteo> sorteos{sorteoDe(QDate(2024, 12, 26)), sorteoDe(QDate(2024, 12, 28))};
  for (int d = 0; d < 56; d += 7)
    for (int k : {0, 2, 4}) sorteos.push_back(sorteoDe(QDate(2025, 1, 2).addDays(d + k)));
  Pena dos = conAciertos(sencilla("DOS", 1, "Jueves y Sábado"), {1, 1, 0, 0, 0});
  dos.fechacomprobado = plataforma::oleDe(QDate(2025, 2, 22));
  Principal& p = arranca(carpeta, sorteos,
                         {dos, conAciertos(sencilla("VEINTE", 1, "Jueves y Sábado"), {20, 0, 0, 0, 0}),
                          conAciertos(sencilla("LUNES", 1, "Lunes", QDate(2025, 1, 20)), {0, 0, 0, 0, 1}),
                          sencilla("TODOS", 1)},
                         QDate(2025, 2, 25));
  escribePena(1, dos);  // start-up's check moved its date on

  p.ListView1_ItemClick(1);
  EXPECT_EQ(p.Label17->text(), "16");
  EXPECT_EQ(p.Label16->text(), "12,5 %");
  EXPECT_EQ(p.MSChart3->fila(), (QVariantList{" ", 14.0, 2.0}));
  const QVariantMap f = ficha();
  EXPECT_EQ(f["Sorteos"], 16);
  EXPECT_EQ(f["Aciertos"], "12,5 %");
  EXPECT_EQ(f["Dia2"], QDate(2025, 2, 22));

  p.ListView1_ItemClick(2);
  EXPECT_EQ(p.Label16->text(), "125 %");
  EXPECT_EQ(p.MSChart3->fila(), (QVariantList{" ", 0.0, 20.0}));
  p.ListView1_ItemClick(3);  // the Mondays from 20 January
  EXPECT_EQ(p.Label17->text(), "6");
  EXPECT_EQ(p.Label16->text(), "16,7 %");
  p.ListView1_ItemClick(4);
  EXPECT_EQ(p.Label17->text(), "24");
  EXPECT_EQ(p.Label16->text(), "0 %");
}

TEST_F(Ficha, BetModeAndWeeklyCost) {
  Pena reducida = sencilla("REDUCIDA", 12);
  reducida.reducida = 8;
  reducida.garantia = 4;
  const int base[] = {3, 8, 14, 22, 27, 31, 40, 49};
  std::copy(std::begin(base), std::end(base), reducida.numerosbase.begin() + 1);
  std::vector<Pena> lista{multiple("NUEVE", 504, "Jueves y Sábado"), reducida};
  const QString dias[] = {"Jueves", "Sábado", "Lunes", "Jueves y Sábado", "Todos (L+J+S)"};
  for (const QString& d : dias) lista.push_back(sencilla(d, 10, d));
  Principal& p = arranca(carpeta, {}, lista);

  p.ListView1_ItemClick(1);
  EXPECT_EQ(p.ListView5->Text(1), "31-32-33-34-35-36-37-38-39");
  EXPECT_EQ(p.Label28->text(), "-Apuesta múltiple de 9 nºs.");
  EXPECT_EQ(ficha()["Dinero"], 168.0);  // 84 simple bets, two draws a week
  p.ListView1_ItemClick(2);
  EXPECT_EQ(p.Label28->text(), "-Reducida de 8 nºs al 4:");
  EXPECT_EQ(p.Label29->text(), "3-8-14-22-27-31-40-49");

  const char* const gasto[] = {"10 euros.", "10 euros.", "10 euros.", "20 euros.", "30 euros."};
  for (int i = 0; i < 5; ++i) {
    p.ListView1_ItemClick(i + 3);
    EXPECT_EQ(p.Label37->text(), gasto[i]) << i;
    EXPECT_EQ(ficha()["Dinero"], QString(gasto[i]).section(' ', 0, 0).toDouble()) << i;
  }
  p.configuracion.precio = 1.25f;
  p.ListView1_ItemClick(7);
  EXPECT_EQ(p.Label37->text(), "37,5 euros.");
}

TEST_F(Ficha, DamagedRecordAndDatabaseFailuresAreReported) {
  Principal& p = arranca(carpeta, {}, {sencilla("UNA", 2)});
  Pena rota = sencilla("ROTA", 1);
  rota.tipo = 300;  // more bets than a record holds
  escribePena(1, rota);
  p.ListView1_ItemClick(1);
  EXPECT_EQ(ultimaCaja(), "Posiblemente el fichero de apuestas está corrupto. Error 9");
  EXPECT_EQ(respuestas.cajas().back().titulo, "¡Vaya hombre!");
  EXPECT_EQ(respuestas.cajas().back().estilo, plataforma::vbExclamation);
  // The fact sheet in the database is still the one shown before: no report prints it for this one.
  p.Image2_Click(1);
  EXPECT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(ultimaCaja(), "Posiblemente el fichero de apuestas está corrupto. Error 9");
  EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
}

// A report database that lacks a table, a column or its fact sheet row is a damaged program file,
// not a damaged syndicates file: the program asks to be reinstalled and ends.
TEST(FichaDanada, AMissingTableColumnOrRowAsksForAReinstall) {
  struct Caso {
    const char* sql;
    int error;
  };
  const Caso casos[] = {{"DROP TABLE \"Peñanums\"", 3265},
                        {"DROP TABLE \"Peña\"", 3265},
                        {"DROP TABLE \"Peñanums\"; CREATE TABLE \"Peñanums\" (\"Otro\" TEXT)", 3265},
                        {"CREATE TABLE t AS SELECT \"Nombre\" FROM \"Peña\"; DROP TABLE \"Peña\"; "
                         "ALTER TABLE t RENAME TO \"Peña\"", 3265},
                        {"DELETE FROM \"Peña\"", 3021}};
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.sql);
    CarpetaPrograma carpeta;
    plataforma::Respondedor respuestas;
    Principal& p = arranca(carpeta, {}, {sencilla("UNA", 2)});
    {
      plataforma::Conexion cn;
      cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
      cn.Execute(QString::fromUtf8(caso.sql));
    }
    p.ListView1_ItemClick(1);
    ASSERT_FALSE(respuestas.cajas().empty());
    EXPECT_EQ(respuestas.cajas().front().texto.toStdString(),
              QString::fromUtf8("Un archivo necesario para el funcionamiento del programa ha sido modificado "
                                "o eliminado. Reinstale el programa. Error %1")
                  .arg(caso.error)
                  .toStdString());
    EXPECT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(principalSiExiste(), nullptr);
  }
}

// Another program holding the report database: a click on another syndicate shows that syndicate
// whole (its bets, counters and figures come from apuestas.dat), tells the held file once and
// goes on; "Eliminar peña" asks about the syndicate shown; its report waits for the file, and once
// the file is let go it prints that syndicate.
TEST_F(Ficha, UnderALockTheClickedSyndicateIsShownAndActedOn) {
  const Pena una = conAciertos(sencilla("UNA", 2), {1, 0, 0, 0, 0});
  const Pena otra = conAciertos(penaDe("OTRA", "Jueves y Sábado", QDate(2025, 1, 2),
                                       {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}, {13, 14, 15, 16, 17, 18}}),
                                {2, 1, 0, 0, 1});
  // Thursdays and Saturdays of January: OTRA played eight of them.
  std::vector<Sorteo> sorteos;
  for (int d = 0; d < 28; d += 7)
    for (int k : {0, 2}) sorteos.push_back(sorteoDe(QDate(2025, 1, 2).addDays(d + k), {20, 21, 22, 23, 24, 25}));
  Principal& p = arranca(carpeta, sorteos, {una, otra}, QDate(2025, 1, 30));
  const QByteArray penas = carpeta.lee("apuestas.dat");
  for (const char* modo : {"IMMEDIATE", "EXCLUSIVE"}) {
    SCOPED_TRACE(modo);
    p.ListView1_ItemClick(1);
    {
      BloqueoBase otro(carpeta.archivo("Bolvanta.mdb"), modo);
      ASSERT_TRUE(otro.activo());
      const std::size_t antes = respuestas.cajas().size();
      p.ListView1_ItemClick(2);
      EXPECT_EQ(respuestas.cajas().size(), antes + 1);
      EXPECT_TRUE(ultimaCaja().startsWith(QString::fromUtf8("Otro programa está usando la base de datos")));
      QStringList filas;
      for (int f = 1; f <= p.ListView5->Count(); ++f) filas << p.ListView5->Text(f);
      EXPECT_EQ(filas, (QStringList{" 1- 2- 3- 4- 5- 6", " 7- 8- 9-10-11-12", "13-14-15-16-17-18"}));
      QStringList contadores;
      for (QLabel* l : p.Label3) contadores << l->text();
      EXPECT_EQ(contadores, (QStringList{"2", "1", "0", "0", "1"}));
      EXPECT_EQ(p.Label17->text(), "8");
      EXPECT_EQ(p.Label16->text(), "50 %");  // 4 prizes in 8 draws
      EXPECT_EQ(p.Label28->text(), "-Apuestas sencillas.");
      EXPECT_EQ(p.Label37->text(), "6 euros.");  // 3 bets, two draws a week, 1 euro a bet
      EXPECT_EQ(p.MSChart3->fila(), (QVariantList{" ", 4.0, 4.0}));

      respuestas.agrega(plataforma::vbNo);
      p.Command3_Click();
      EXPECT_EQ(ultimaCaja(), QString::fromUtf8("¿Seguro que quieres eliminar la Peña OTRA?"));
      p.Image2_Click(1);
      EXPECT_EQ(respuestas.cajas().size(), antes + 3);
      EXPECT_TRUE(ultimaCaja().contains(QString::fromUtf8("No es posible mostrar el informe")));
      EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
      EXPECT_EQ(principalSiExiste(), &p);
    }
    EXPECT_EQ(carpeta.lee("apuestas.dat"), penas);
    EXPECT_EQ(ficha()["Nombre"].toString().trimmed(), "UNA");  // nothing of OTRA reached the file

    const std::size_t cajas = respuestas.cajas().size();
    p.Image2_Click(1);
    EXPECT_EQ(respuestas.cajas().size(), cajas);
    EXPECT_EQ(ficha()["Nombre"].toString().trimmed(), "OTRA");
    EXPECT_EQ(ficha()["Sorteos"], 8);
    EXPECT_EQ(apuestasGuardadas(), (QStringList{" 1- 2- 3- 4- 5- 6", " 7- 8- 9-10-11-12", "13-14-15-16-17-18"}));
    ASSERT_NE(ventanaInformeSiExiste(), nullptr);
    EXPECT_TRUE(ventanaInforme().Vista->toPlainText().contains("OTRA"));
    descargaVentanaInforme();
  }
}

TEST_F(Ficha, MissingDatabaseEndsTheProgram) {
  Principal& p = arranca(carpeta, {}, {sencilla("UNA", 2)});
  ASSERT_TRUE(QFile::remove(carpeta.archivo("Bolvanta.mdb")));
  p.ListView1_ItemClick(1);
  EXPECT_EQ(ultimaCaja(), "Un archivo necesario para el funcionamiento del programa ha sido modificado o "
                          "eliminado. Reinstale el programa. Error -2147467259");
  EXPECT_EQ(principalSiExiste(), nullptr);
  EXPECT_FALSE(plataforma::archivos().abierto(ARCH_APUESTAS));
}
