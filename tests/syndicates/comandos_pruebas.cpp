// The syndicate commands: the selection they need, deleting (what the file holds afterwards, or
// when it cannot be done), editing and creating.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "data/ayudas.h"
#include "plataforma/archivos.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "syndicates/grafico.h"
#include "syndicates/lista_comun.h"

using namespace penas;
using plataforma::Caja;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

const QString SELECCIONE = "Seleccione una peña primero...";

class Comandos : public ::testing::Test {
 protected:
  void TearDown() override {
    descargaCrea();
    descargaCreamenu();
    procesaDescargas();
  }
  // Four syndicates and no draws, so that no check changes a record behind the test's back.
  Principal& cuatro() {
    Principal& p = arranca(carpeta, {}, {sencilla("PRIMERA", 1), sencilla("SEGUNDA", 2),
                                         sencilla("TERCERA", 3), sencilla("CUARTA", 4)});
    antes = apuestas();
    return p;
  }
  QByteArray apuestas() const { return carpeta.lee("apuestas.dat"); }
  QByteArray registros(std::initializer_list<int> n) const {
    QByteArray r;
    for (int i : n) r += antes.mid((i - 1) * Pena::LONGITUD, Pena::LONGITUD);
    return r;
  }
  QString caja(size_t i) const { return i < respuestas.cajas().size() ? respuestas.cajas()[i].texto : QString(); }
  static QString pregunta(const QString& nombre) { return "¿Seguro que quieres eliminar la Peña " + nombre + "?"; }
  static QStringList nombres(const Principal& p) {
    QStringList r;
    for (int f = 1; f <= p.ListView1->Count(); ++f) r << p.ListView1->Text(f).trimmed();
    return r;
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  QByteArray antes;
};

}  // namespace

TEST_F(Comandos, WithoutSelectionOnlyTheNewSyndicateCommandsAct) {
  Principal& p = cuatro();
  p.Command2_Click();
  p.Command3_Click();
  p.Command7_Click();
  ASSERT_EQ(respuestas.cajas().size(), 3u);
  for (const Caja& c : respuestas.cajas()) {
    EXPECT_EQ(c.texto, SELECCIONE);
    EXPECT_EQ(c.titulo, "¡Nooooo!");
    EXPECT_EQ(c.estilo, plataforma::vbInformation);
  }
  EXPECT_EQ(apuestas(), antes);
  EXPECT_EQ(creaSiExiste(), nullptr);
  EXPECT_EQ(estado().editando, 0);

  for (auto orden : {&Principal::Command4_Click, &Principal::Crearp_Click}) {
    estado().numapuestas = 7;
    (p.*orden)();
    ASSERT_NE(creamenuSiExiste(), nullptr);
    EXPECT_TRUE(creamenuSiExiste()->isVisible());
    EXPECT_EQ(estado().numapuestas, 0);
    descargaCreamenu();
    procesaDescargas();
  }
  EXPECT_EQ(p.Crearp->text(), "Crear peña nueva");
  p.ListView1_ItemClick(2);
  p.Command2_Click();
  EXPECT_EQ(respuestas.cajas().size(), 3u);
}

// Record 2 of four goes; the selection stays on record 2, so the next deletion removes the
// syndicate that moved there; once no record holds it, nothing is asked and nothing changes.
TEST_F(Comandos, DeletingMovesTheLaterRecordsDownAndKeepsTheSelection) {
  Principal& p = cuatro();
  p.ListView1_ItemClick(2);
  // A list refresh and a check load other records into penaactual meanwhile.
  p.listapenas();
  estado().penaactual = leePena(4);
  respuestas.agrega(vbYes);
  p.Command3_Click();
  EXPECT_EQ(caja(0), pregunta("SEGUNDA"));
  EXPECT_EQ(respuestas.cajas()[0].titulo, "Borrar...");
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbYesNo + plataforma::vbQuestion);
  EXPECT_EQ(apuestas(), registros({1, 3, 4}));
  EXPECT_FALSE(carpeta.existe("apuestas.tmp"));
  EXPECT_EQ(nombres(p), (QStringList{"PRIMERA", "TERCERA", "CUARTA"}));
  EXPECT_EQ(p.Label9[2]->text(), "3");
  EXPECT_EQ(estado().numpenas, 4);
  EXPECT_EQ(estado().penaelegida, 2);
  // The syndicate now in the chosen place is the one shown, as it is the one the next command asks
  // about.
  EXPECT_EQ(p.ListView1->SelectedItem(), 2);
  EXPECT_EQ(p.ListView5->Count(), 3);

  respuestas.agrega(vbYes);
  p.Command3_Click();
  EXPECT_EQ(caja(1), pregunta("TERCERA"));
  EXPECT_EQ(apuestas(), registros({1, 4}));
  // File 1 reads what the disk holds.
  EXPECT_EQ(leePena(2).nombre.trimmed(), "CUARTA");

  respuestas.agrega(vbYes);
  p.Command3_Click();
  EXPECT_EQ(apuestas(), registros({1}));
  EXPECT_EQ(p.ListView1->SelectedItem(), 1);  // no record holds the choice: the first is shown
  EXPECT_EQ(p.ListView5->Count(), 1);
  p.Command3_Click();
  p.Command7_Click();
  EXPECT_EQ(caja(3), SELECCIONE);
  EXPECT_EQ(caja(4), SELECCIONE);
  EXPECT_EQ(apuestas(), registros({1}));
  EXPECT_EQ(creaSiExiste(), nullptr);
}

TEST_F(Comandos, DeletingTheOnlySyndicateLeavesAnEmptyFile) {
  Principal& p = arranca(carpeta, {}, {sencilla("SOLA", 3)});
  p.ListView1_ItemClick(1);
  respuestas.agrega(vbYes);
  p.Command3_Click();
  EXPECT_TRUE(carpeta.existe("apuestas.dat"));
  EXPECT_EQ(apuestas().size(), 0);
  EXPECT_EQ(nombres(p), QStringList{"VACÍO"});
  EXPECT_EQ(estado().numpenas, 0);
  EXPECT_FALSE(p.Command3->isEnabled());
  // The details of no syndicate: its bets leave the report table, the fact sheet stays one row.
  EXPECT_EQ(p.Label16->text(), "-");
  EXPECT_EQ(p.MSChart3->fila(), (QVariantList{" ", 0.0, 0.0}));
  EXPECT_TRUE(filas(carpeta, "Peñanums").empty());
  EXPECT_EQ(filas(carpeta, "Peña").size(), 1u);
}

TEST_F(Comandos, NoLeavesEverythingAndALeftoverTemporaryFileLendsNothing) {
  Principal& p = cuatro();
  const QByteArray numeros = carpeta.lee("numeros.dat");
  p.ListView1_ItemClick(4);
  respuestas.agrega(vbNo);
  p.Command3_Click();
  EXPECT_EQ(caja(0), pregunta("CUARTA"));
  EXPECT_EQ(apuestas(), antes);
  EXPECT_EQ(carpeta.lee("numeros.dat"), numeros);
  EXPECT_FALSE(carpeta.existe("apuestas.tmp"));
  EXPECT_EQ(p.ListView1->Count(), 4);

  // A deletion that stopped half-way left a longer file behind.
  carpeta.escribe("apuestas.tmp", QByteArray(6 * Pena::LONGITUD, 'x'));
  respuestas.agrega(vbYes);
  p.Command3_Click();
  EXPECT_EQ(apuestas(), registros({1, 2, 3}));
  EXPECT_FALSE(carpeta.existe("apuestas.tmp"));
}

// Run as root (as the CI runs) a read-only folder takes new files all the same; there an entry
// named apuestas.tmp that cannot be opened as a file stands in for it, failing at the same step,
// creating the temporary file, with the same error.
TEST_F(Comandos, ReadOnlyFolderShowsThePermissionMessageAndKeepsTheFile) {
  Principal& p = cuatro();
  p.ListView1_ItemClick(2);
  struct Restaura {
    QString ruta;
    QFile::Permissions permisos = QFile::permissions(ruta);
    ~Restaura() { QFile::setPermissions(ruta, permisos); }
  } restaura{carpeta.ruta()};
  QFile::setPermissions(carpeta.ruta(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
  QFile sonda(carpeta.archivo("sonda"));
  const bool soloLectura = !sonda.open(QIODevice::WriteOnly);
  if (!soloLectura) {
    sonda.remove();
    ASSERT_TRUE(QDir(carpeta.ruta()).mkdir("apuestas.tmp"));
  }

  respuestas.agrega(vbYes);
  p.Command3_Click();
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(caja(1), "Para modificar el archivo necesita permiso de Administrador.\r\n"
                     "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
                     "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")");
  EXPECT_EQ(respuestas.cajas()[1].titulo, "Error de permiso");
  EXPECT_EQ(respuestas.cajas()[1].estilo, plataforma::vbExclamation);
  EXPECT_EQ(apuestas(), antes);
  if (soloLectura) {
    EXPECT_FALSE(carpeta.existe("apuestas.tmp"));
  }
  EXPECT_EQ(nombres(p), (QStringList{"PRIMERA", "SEGUNDA", "TERCERA", "CUARTA"}));
  EXPECT_EQ(leePena(4).nombre.trimmed(), "CUARTA");
}

TEST_F(Comandos, EditingWarnsOfAReducedSyndicateAndSetsTheKind) {
  Pena reducida = sencilla("REDUCIDA", 12);
  reducida.reducida = 8;
  Principal& p = arranca(carpeta, {}, {sencilla("UNA", 1), reducida, multiple("NUEVE", 504)});
  p.ListView1_ItemClick(2);
  bool editorAbierto = true;
  plataforma::fijaRespondedor([&](const Caja& c) {
    EXPECT_EQ(c.texto, "Si modifica algún número de esta peña, dejará de ser Reducida y pasará a ser de "
                       "apuestas sencillas.");
    EXPECT_EQ(c.titulo, "Atención!");
    EXPECT_EQ(c.estilo, plataforma::vbInformation);
    editorAbierto = creaSiExiste() && creaSiExiste()->isVisible();
    return 0;
  });
  p.Command7_Click();
  EXPECT_FALSE(editorAbierto);  // the warning came first
  ASSERT_NE(creaSiExiste(), nullptr);
  EXPECT_TRUE(creaSiExiste()->isVisible());
  const Estado& e = estado();
  EXPECT_EQ(std::make_tuple(e.editando, e.solouna, e.numapuestas, e.numpenas, e.modalidad),
            std::make_tuple(1, 1, 0, 2, 0));

  // Kind 504, while penaactual holds record 1 after a refresh.
  p.ListView1_ItemClick(3);
  p.listapenas();
  editorAbierto = true;
  p.Command7_Click();
  EXPECT_TRUE(editorAbierto);  // no warning this time
  EXPECT_EQ(e.modalidad, 4);
  EXPECT_EQ(e.numpenas, 3);
}
