// Start-up of the main window in a program folder of the test's own, and the settings record.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QtEndian>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "data/ajustes.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/msgbox.h"
#include "plataforma/texto.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "ui/Principal.h"

using plataforma::Respondedor;

namespace {

const QString bienvenida = QString::fromUtf8("Fichero de peñas vacío");

QByteArray ajustes(float precio, qint16 meses, const QByteArray& host) {
  Configuracion c;
  c.precio = precio;
  c.meses = meses;
  c.direccionweb = plataforma::deAnsi(host);
  QByteArray b = c.codifica();
  if (host.size() == 60) b.replace(18, 60, host);
  return b;
}

float precioDe(const QByteArray& b) { return qFromLittleEndian<float>(b.constData() + 12); }
qint16 mesesDe(const QByteArray& b) { return qFromLittleEndian<qint16>(b.constData() + 16); }

}  // namespace

TEST(Arranque, FirstStartCreatesTheFilesAndWelcomesOnce) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();

  EXPECT_EQ(estado().ruta, carpeta.ruta());
  EXPECT_EQ(QDir::currentPath() + "/", carpeta.ruta());
  for (const char* n : {"apuestas.dat", "numeros.dat", "www.txt"}) {
    EXPECT_TRUE(carpeta.existe(n)) << n;
    EXPECT_EQ(carpeta.lee(n).size(), 0) << n;
  }
  const QByteArray ini = carpeta.lee("nums.ini");
  ASSERT_EQ(ini.size(), 86);
  EXPECT_EQ(precioDe(ini), 1.0f);
  EXPECT_EQ(mesesDe(ini), 24);
  EXPECT_EQ(ini.mid(18, 60), QByteArray(DIRECCION_WEB).leftJustified(60, ' '));
  EXPECT_EQ(ini.left(12), QByteArray(12, '\0'));
  EXPECT_EQ(ini.mid(78), QByteArray(8, '\0'));
  EXPECT_EQ(p.Slider1[0]->maximum(), 24);
  EXPECT_EQ(p.Slider1[1]->maximum(), 24);
  // The selection summary is the last step: no draw, nothing to go on with.
  EXPECT_EQ(p.Label27->text(), "¡¡Con 0 sorteos seleccionados no es posible continuar!!");
  EXPECT_TRUE(respuestas.cajas().empty());

  p.Form_Activate();
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].titulo, bienvenida);
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
  EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith("Bienvenido a Bolvanta. Vaya a la pestaña"));
  p.Form_Activate();
  EXPECT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(p.activaciones, 2);
}

TEST(Arranque, NoWelcomeWhenASyndicateExists) {
  CarpetaPrograma carpeta;
  Pena pena;
  pena.nombre = "PRIMERA";
  carpeta.escribe("apuestas.dat", pena.codifica());
  Respondedor respuestas;
  principal().Form_Load();
  principal().Form_Activate();
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST(Arranque, ActivationClosesTheTableFileAndClearsHandOverFlags) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  principal().Form_Load();
  plataforma::archivos().abre(ARCH_TABLAS, carpeta.archivo("tablas.bin"), plataforma::Acceso::Entrada);
  estado().editando = 1;
  estado().solouna = 1;
  principal().Form_Activate();
  EXPECT_FALSE(plataforma::archivos().abierto(ARCH_TABLAS));
  EXPECT_EQ(estado().editando, 0);
  EXPECT_EQ(estado().penascambiadas, 0);
  EXPECT_EQ(estado().solouna, 0);
}

TEST(Arranque, MissingTablesStopsTheProgram) {
  CarpetaPrograma carpeta(false);
  Respondedor respuestas;
  principal().Show();
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  const auto& caja = respuestas.cajas()[0];
  EXPECT_EQ(caja.titulo, QString::fromUtf8("¡Vaya hombre!"));
  EXPECT_EQ(caja.estilo, plataforma::vbExclamation);
  EXPECT_EQ(caja.texto,
            "No se encuentra un archivo necesario para el funcionamiento del programa. "
            "Reinstale el programa. Error 53");
  // The program ended: every file closed, the window unloaded, no settings written.
  EXPECT_EQ(principalSiExiste(), nullptr);
  EXPECT_FALSE(plataforma::archivos().abierto(ARCH_APUESTAS));
  EXPECT_FALSE(plataforma::archivos().abierto(ARCH_NUMEROS));
  EXPECT_FALSE(carpeta.existe("nums.ini"));
}

TEST(Arranque, LeftoverTemporaryFileIsDeleted) {
  CarpetaPrograma carpeta;
  carpeta.escribe("apuestas.tmp", "resto");
  Respondedor respuestas;
  principal().Form_Load();
  EXPECT_FALSE(carpeta.existe("apuestas.tmp"));
}

TEST(Arranque, DamagedDataFilesAreNeitherRewrittenNorOverrun) {
  CarpetaPrograma carpeta;
  const QByteArray numeros(32 * 3 + 5, '\x07');
  // One whole syndicate followed by the start of a second that never was finished.
  const QByteArray cola(100, '\x33');
  carpeta.escribe("numeros.dat", numeros);
  carpeta.escribe("apuestas.dat", QByteArray(8307, '\x33') + cola);
  Respondedor respuestas;
  principal().Form_Load();
  principal().Form_Activate();
  EXPECT_EQ(plataforma::archivos().registros(ARCH_NUMEROS), 3);
  EXPECT_EQ(plataforma::archivos().registros(ARCH_APUESTAS), 1);
  EXPECT_EQ(estado().numpenas, 2);
  leePena(2);
  EXPECT_TRUE(plataforma::archivos().fin(ARCH_APUESTAS));
  plataforma::archivos().cierraTodos();
  EXPECT_EQ(carpeta.lee("numeros.dat"), numeros);
  // The check may bring the whole record up to date; the leftover bytes stay as they were.
  const QByteArray apuestas = carpeta.lee("apuestas.dat");
  ASSERT_EQ(apuestas.size(), 8307 + 100);
  EXPECT_EQ(apuestas.mid(8307), cola);
}

class Ajustes : public ::testing::Test {
 protected:
  // Loads the settings as start-up does and returns the file afterwards.
  QByteArray carga(const QByteArray& ini) {
    carpeta.escribe("nums.ini", ini);
    estado().ruta = carpeta.ruta();
    principal().leeconfiguracion();
    plataforma::archivos().cierraTodos();
    return carpeta.lee("nums.ini");
  }
  CarpetaPrograma carpeta;
};

TEST_F(Ajustes, EmptyFileGetsEveryDefault) {
  const QByteArray b = carga({});
  ASSERT_EQ(b.size(), 86);
  EXPECT_EQ(precioDe(b), 1.0f);
  EXPECT_EQ(mesesDe(b), 24);
  EXPECT_EQ(b.mid(18, 60), QByteArray(DIRECCION_WEB).leftJustified(60, ' '));
}

TEST_F(Ajustes, PriceWithNoMonthsIsLeftAlone) {
  const QByteArray ini = ajustes(2.5f, 0, "www.otra.es");
  EXPECT_EQ(carga(ini), ini);
  EXPECT_EQ(principal().configuracion.precio, 2.5f);
  EXPECT_EQ(principal().configuracion.meses, 0);
  // The sliders still offer the last month, the period their caption "Último mes" names.
  EXPECT_EQ(principal().Slider1[0]->maximum(), 1);
}

TEST_F(Ajustes, HostIsTrimmedInMemoryAndRepairedOnDisk) {
  // Leading blanks: left-aligned in memory, the file untouched since nothing needed repair.
  const QByteArray conBlancos = ajustes(1.5f, 12, "   www.otra.es");
  EXPECT_EQ(carga(conBlancos), conBlancos);
  EXPECT_EQ(principal().configuracion.direccionweb, plataforma::fijo("www.otra.es", 60));

  // The former address is replaced and written at once.
  const QByteArray antigua = carga(ajustes(1.5f, 12, DIRECCION_WEB_ANTIGUA));
  EXPECT_EQ(antigua.mid(18, 60), QByteArray(DIRECCION_WEB).leftJustified(60, ' '));
  EXPECT_EQ(precioDe(antigua), 1.5f);
  EXPECT_EQ(mesesDe(antigua), 12);

  // A never-written field (NULs) and one with no blank at all get the default host.
  EXPECT_EQ(carga(ajustes(1.5f, 12, QByteArray(60, '\0'))).mid(18, 60),
            QByteArray(DIRECCION_WEB).leftJustified(60, ' '));
  EXPECT_EQ(carga(ajustes(1.5f, 12, QByteArray(60, 'x'))).mid(18, 60),
            QByteArray(DIRECCION_WEB).leftJustified(60, ' '));

  // All blanks is not replaced: the host stays empty.
  const QByteArray vacio = ajustes(1.5f, 12, QByteArray(60, ' '));
  EXPECT_EQ(carga(vacio), vacio);
}

TEST_F(Ajustes, ReservedFieldsSurviveARepair) {
  QByteArray ini = ajustes(0, 5, "www.otra.es");
  ini.replace(0, 2, "\x11\x22");
  ini.replace(10, 2, "\x33\x44");
  ini.replace(78, 8, "RESERVAD");
  const QByteArray b = carga(ini);
  EXPECT_EQ(b.left(2), "\x11\x22");
  EXPECT_EQ(b.mid(10, 2), "\x33\x44");
  EXPECT_EQ(b.mid(78, 8), "RESERVAD");
  EXPECT_EQ(precioDe(b), 1.0f);
  EXPECT_EQ(mesesDe(b), 24);
}

TEST_F(Ajustes, ACutOrLongFileKeepsEveryFieldItHoldsWhole) {
  // Every field away from its default, and what a longer file carries after the record.
  Configuracion propia;
  propia.reservado1 = 0x2211;
  propia.correccionx = 1.5f;
  propia.correcciony = -2.25f;
  propia.reservado2 = 0x4433;
  propia.precio = 2.5f;
  propia.meses = 36;
  propia.direccionweb = "www.otra.es";
  propia.reservado3 = "RESERVAD";
  const QByteArray entera = propia.codifica() + QByteArray(34, 'Z');
  Configuracion inicial;
  inicial.precio = 1.0f;
  inicial.meses = 24;
  inicial.direccionweb = DIRECCION_WEB;
  const QByteArray porDefecto = inicial.codifica();
  // Each field's end: reservado1, the corrections, reservado2, price, months, host, reservado3.
  const int finales[] = {2, 6, 10, 12, 16, 18, 78, 86};
  for (const int largo : {0, 2, 18, 40, 85, 86, 120}) {
    QByteArray esperado;
    for (const int fin : finales)
      esperado += (largo >= fin ? entera : porDefecto).mid(esperado.size(), fin - esperado.size());
    EXPECT_EQ(carga(entera.left(largo)), esperado) << largo;
    EXPECT_EQ(principal().configuracion.codifica(), esperado) << largo;
    EXPECT_FALSE(carpeta.existe("nums.tmp")) << largo;
  }
}

TEST_F(Ajustes, GarbageSettingsFileEndsUsable) {
  // A price that is not a number counts as unset.
  QByteArray basura(86, '\xff');
  const QByteArray b = carga(basura);
  ASSERT_EQ(b.size(), 86);
  EXPECT_EQ(precioDe(b), 1.0f);
  EXPECT_EQ(mesesDe(b), 24);
  EXPECT_EQ(b.mid(18, 60), QByteArray(DIRECCION_WEB).leftJustified(60, ' '));
}

TEST_F(Ajustes, Label9ShowsTheStoredHostWithItsBlanks) {
  carga(ajustes(1.0f, 24, "www.otra.es"));
  principal().Label9_Click(3);
  EXPECT_EQ(principal().Label9[5]->text(), QString("www.otra.es").leftJustified(60, ' '));
}

TEST(Arranque, ComingBackFromTheEditorClosesItAndReloadsTheSyndicates) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();
  creamenu().Show();
  crea().Show();
  // The editor stored a syndicate behind the main window's back.
  Pena pena;
  pena.nombre = "NUEVA";
  pena.dias = "Lunes";
  pena.tipo = 1;
  escribePena(1, pena);
  estado().editando = 1;
  p.Form_Activate();
  EXPECT_EQ(creaSiExiste(), nullptr);
  EXPECT_EQ(creamenuSiExiste(), nullptr);
  EXPECT_EQ(estado().penascambiadas, 0);
  EXPECT_EQ(estado().numpenas, 2);
  EXPECT_EQ(p.Combo2->findText("NUEVA", Qt::MatchStartsWith), 1);
}
