// Maintenance of the draws file: the older layout converted at start-up, importing a draws file,
// clearing the draws and the syndicates' counters, deleting one draw, and the whole-file rewrite
// that all of them share.
#include <QDir>
#include <QScrollBar>
#include <QtEndian>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/reemplazo.h"
#include "ui/Principal.h"

using plataforma::Respondedor;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

const QString NO_VALIDO = QString::fromUtf8(
    "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Bolvanta.");

QByteArray bytesDe(const std::vector<Sorteo>& sorteos) {
  QByteArray b;
  for (const Sorteo& s : sorteos) b += s.codifica();
  return b;
}

// The same draws as the older layout stored them: the first 24 bytes of each record.
QByteArray antiguos(const std::vector<Sorteo>& sorteos) {
  QByteArray b;
  for (const Sorteo& s : sorteos) b += s.codifica().left(24);
  return b;
}

// Thursday 6, Saturday 8 and Monday 10 March 2025, each with a Joker.
std::vector<Sorteo> semana() {
  std::vector<Sorteo> s = {sorteoDe(QDate(2025, 3, 6), {3, 15, 22, 40, 41, 49}, 8, 5),
                           sorteoDe(QDate(2025, 3, 8), {1, 2, 10, 20, 30, 44}, 9, -1),
                           sorteoDe(QDate(2025, 3, 10), {4, 5, 6, 7, 8, 9}, 10, 0)};
  s[0].joker = 1234567;
  s[2].joker = 7654321;
  return s;
}

class Mantenimiento : public ::testing::Test {
 protected:
  void SetUp() override {
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 12), QTime(10, 0)));
    plataforma::fijaAbridor([this](const QString& d) { abiertas << d; });
  }
  void TearDown() override {
    plataforma::fijaEleccionArchivo({});
    plataforma::fijaAntesDeRenombrar({});
    plataforma::fijaAbridor({});
  }
  Principal& arranca() {
    Respondedor quieto;
    principal().Form_Load();
    return principal();
  }
  // The next file-open dialog answers with this file.
  void elige(const QString& archivo) {
    plataforma::fijaEleccionArchivo([this, archivo](const plataforma::DialogoArchivo& d) {
      dialogos.push_back(d);
      return archivo;
    });
  }
  CarpetaPrograma carpeta;
  QStringList abiertas;
  std::vector<plataforma::DialogoArchivo> dialogos;
};

}  // namespace

TEST_F(Mantenimiento, OlderLayoutIsConvertedAtStartUpKeepingEveryField) {
  const std::vector<Sorteo> s = semana();
  carpeta.escribe("numeros.dat", antiguos(s));
  Respondedor respuestas;
  principal().Form_Load();
  ASSERT_FALSE(respuestas.cajas().empty());
  EXPECT_EQ(respuestas.cajas()[0].titulo, QString::fromUtf8("Actualización de datos"));
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
  const QByteArray nuevo = carpeta.lee("numeros.dat");
  ASSERT_EQ(nuevo.size(), 32 * 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(nuevo.mid(32 * i, 24), s[i].codifica().left(24)) << i;
    EXPECT_EQ(nuevo.mid(32 * i + 24, 8), QByteArray(8, '\0')) << i;
  }
  EXPECT_EQ(estado().numsorteos, 4);
  EXPECT_EQ(principal().sorteo.fecha, s[2].fecha);
  EXPECT_FALSE(carpeta.existe("numeros.tmp"));
}

TEST_F(Mantenimiento, FilesThatAreNotOfTheOlderLayoutStayAsTheyAre) {
  std::vector<Sorteo> siete = semana();  // the first Joker has seven digits
  std::vector<Sorteo> sinJoker = semana();
  sinJoker[0].joker = -1;
  const QByteArray casos[] = {QByteArray(), bytesDe(siete), bytesDe(sinJoker),
                              // the older layout with a partial last record: damaged, not rewritten
                              antiguos(semana()) + QByteArray(5, '\x01')};
  for (const QByteArray& bytes : casos) {
    CarpetaPrograma otra;
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 12), QTime(10, 0)));
    otra.escribe("numeros.dat", bytes);
    Respondedor respuestas;
    principal().Form_Load();
    EXPECT_TRUE(respuestas.cajas().empty()) << bytes.size();
    plataforma::archivos().cierraTodos();
    EXPECT_EQ(otra.lee("numeros.dat"), bytes);
  }
}

TEST_F(Mantenimiento, ImportKeepsABackupAndShowsTheNewDraws) {
  const std::vector<Sorteo> propios = {semana()[0]};
  carpeta.escribe("numeros.dat", bytesDe(propios));
  Principal& p = arranca();
  QDir(carpeta.ruta()).mkdir("otra");
  const QString elegido = carpeta.archivo("otra/NUMEROS.DAT");
  struct Caso {
    QByteArray bytes;
    QByteArray esperado;
  };
  // The current layout as it comes, and the older one converted on the way in.
  const Caso casos[] = {{bytesDe(semana()), bytesDe(semana())},
                        {antiguos(semana()), QByteArray()}};
  QByteArray anterior = bytesDe(propios);
  for (const Caso& c : casos) {
    carpeta.escribe("otra/NUMEROS.DAT", c.bytes);
    elige(elegido);
    Respondedor respuestas;
    p.Command8_Click();
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("Archivo de sorteos importado con éxito"));
    EXPECT_EQ(respuestas.cajas()[0].titulo, "Todos los sorteos");
    EXPECT_EQ(carpeta.lee("numeros.bak"), anterior);
    const QByteArray ahora = carpeta.lee("numeros.dat");
    ASSERT_EQ(ahora.size(), 96);
    if (!c.esperado.isEmpty()) EXPECT_EQ(ahora, c.esperado);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ahora.mid(32 * i, 24), c.bytes.mid(c.bytes.size() / 3 * i, 24));
    EXPECT_EQ(plataforma::archivos().lee(ARCH_NUMEROS, 3), ahora.mid(64));
    EXPECT_EQ(estado().numsorteos, 4);
    EXPECT_EQ(p.sorteo.fecha, semana()[2].fecha);
    anterior = ahora;
  }
  ASSERT_EQ(dialogos.size(), 2u);
  EXPECT_EQ(dialogos[0].DialogTitle, "Seleccione el archivo NUMEROS.DAT");
  EXPECT_EQ(dialogos[0].Filter, "Archivos de sorteos|numeros.dat");
  EXPECT_EQ(dialogos[0].InitDir, "c:\\");
  EXPECT_TRUE(dialogos[0].FileName.isEmpty());
}

TEST_F(Mantenimiento, BadImportFilesAreRefusedAndTheDrawsStay) {
  const QByteArray propios = bytesDe(semana());
  carpeta.escribe("numeros.dat", propios);
  Principal& p = arranca();
  auto con = [](auto cambia) {
    std::vector<Sorteo> s = semana();
    cambia(s);
    return bytesDe(s);
  };
  const QDate lunes(2025, 3, 3);
  struct Caso {
    const char* que;
    QByteArray bytes;
    QString motivo;  // the line after the program's message; empty for none
  };
  const Caso casos[] = {
      {"empty", QByteArray(), QString::fromUtf8("El archivo está vacío.")},
      {"partial last record", bytesDe(semana()) + QByteArray(7, '\x01'),
       QString::fromUtf8("Su tamaño no corresponde a un número exacto de sorteos.")},
      {"all zeros", QByteArray(64, '\0'), QString()},
      {"Monday first", con([&](auto& s) { s.insert(s.begin(), sorteoDe(lunes)); }), QString()},
      {"number 50", con([](auto& s) { s[1].ganadores[4] = 50; }),
       QString::fromUtf8("El sorteo número 2 tiene números imposibles.")},
      {"number repeated", con([](auto& s) { s[2].complementario = s[2].ganadores[1]; }),
       QString::fromUtf8("El sorteo número 3 tiene números imposibles.")},
      {"reintegro 10", con([](auto& s) { s[0].reintegro = 10; }),
       QString::fromUtf8("El sorteo número 1 tiene números imposibles.")},
      {"a Tuesday", con([](auto& s) { s[2].fecha += 1; }),
       QString::fromUtf8("El sorteo número 3 tiene una fecha imposible.")},
      {"after today", con([](auto& s) { s[2].fecha += 7; }),
       QString::fromUtf8("El sorteo número 3 tiene una fecha imposible.")},
      {"out of order", con([](auto& s) { std::swap(s[1], s[2]); }),
       QString::fromUtf8("El sorteo número 3 no es posterior al anterior.")},
  };
  QDir(carpeta.ruta()).mkdir("otra");
  for (const Caso& c : casos) {
    carpeta.escribe("otra/numeros.dat", c.bytes);
    elige(carpeta.archivo("otra/numeros.dat"));
    Respondedor respuestas;
    p.Command8_Click();
    ASSERT_EQ(respuestas.cajas().size(), 1u) << c.que;
    EXPECT_EQ(respuestas.cajas()[0].texto, c.motivo.isEmpty() ? NO_VALIDO : NO_VALIDO + "\r\n" + c.motivo)
        << c.que;
    EXPECT_EQ(respuestas.cajas()[0].titulo, QString::fromUtf8("¡Vaya hombre!"));
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbExclamation);
    EXPECT_EQ(carpeta.lee("numeros.dat"), propios) << c.que;
    EXPECT_EQ(plataforma::archivos().contenido(ARCH_NUMEROS), propios) << c.que;
    EXPECT_FALSE(carpeta.existe("numeros.bak")) << c.que;
  }

  // The program's own file, and a file that is gone by the time it is read.
  elige(carpeta.archivo("numeros.dat"));
  Respondedor respuestas;
  p.Command8_Click();
  elige(carpeta.archivo("otra/ninguno.dat"));
  p.Command8_Click();
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(respuestas.cajas()[0].texto,
            QString::fromUtf8("El archivo elegido es el propio archivo de sorteos del programa. Elija "
                              "otro archivo NUMEROS.DAT."));
  EXPECT_EQ(respuestas.cajas()[1].texto, NO_VALIDO + " Error 53");
  EXPECT_EQ(carpeta.lee("numeros.dat"), propios);
  EXPECT_FALSE(carpeta.existe("numeros.bak"));
}

TEST_F(Mantenimiento, NoFileChosenOffersTheShop) {
  Principal& p = arranca();
  for (int respuesta : {vbNo, vbYes}) {
    elige(QString());
    Respondedor respuestas{respuesta};
    p.Command8_Click();
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith(
        QString::fromUtf8("No se ha seleccionado ningún archivo. Recuerde que puede disponer de TODOS")));
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbYesNo + plataforma::vbQuestion);
  }
  EXPECT_EQ(abiertas, QStringList{"http://www.bolvanta.es/tienda/Product_list_C)%20%20%20%20%20%20%20EXTRAS"
                                  "%20PARA%20LOS%20PROGRAMAS_1.html"});
  EXPECT_EQ(carpeta.lee("numeros.dat"), QByteArray());
}

TEST_F(Mantenimiento, ClearingAsksTwiceAndDoesWhatWasAnswered) {
  const QByteArray sorteos = bytesDe(semana());
  Pena pena = penaDe("UNA", "Todos (L+J+S)", QDate(2025, 1, 1), {{1, 2, 3, 4, 5, 6}});
  for (int k = 3; k <= 7; ++k) pena.aciertos[k] = qint16(k);
  pena.fechacomprobado = plataforma::oleDe(QDate(2025, 3, 10));
  struct Caso {
    int sorteos, penas;
  };
  for (const Caso c : {Caso{vbNo, vbYes}, Caso{vbYes, vbNo}}) {
    CarpetaPrograma otra;
    otra.escribe("numeros.dat", sorteos);
    escribePenas(otra, {pena, pena});
    const QByteArray penas = otra.lee("apuestas.dat");
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 12), QTime(10, 0)));
    Principal& p = arranca();
    Respondedor respuestas{c.sorteos, c.penas};
    p.Command5_Click();
    EXPECT_EQ(p.borrasorteos, 1);
    ASSERT_EQ(respuestas.cajas().size(), 2u);
    EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("¿Seguro que quieres borrar todos los sorteos?"));
    EXPECT_EQ(respuestas.cajas()[1].titulo, "Borrar...");
    EXPECT_TRUE(respuestas.cajas()[1].texto.startsWith(
        QString::fromUtf8("¿Quiere borrar también los aciertos de las peñas?. Si ha borrado")));
    EXPECT_EQ(otra.lee("numeros.dat"), c.sorteos == vbYes ? QByteArray() : sorteos);
    EXPECT_EQ(estado().numsorteos, c.sorteos == vbYes ? 1 : 4);
    const std::vector<Pena> ahora = penasDe(otra);
    ASSERT_EQ(ahora.size(), 2u);
    if (c.penas == vbNo) {
      EXPECT_EQ(otra.lee("apuestas.dat"), penas);
      continue;
    }
    EXPECT_EQ(p.HScroll1->value(), 1);
    for (const Pena& q : ahora) {
      for (int k = 3; k <= 7; ++k) EXPECT_EQ(q.aciertos[k], 0);
      EXPECT_EQ(q.fechacomprobado, 0);
      EXPECT_EQ(q.fechacreacion, plataforma::oleDe(QDate(2025, 3, 12)));
      EXPECT_EQ(q.apuestas[1][6], 6);
      EXPECT_EQ(q.nombre.trimmed(), "UNA");
    }
  }
}

TEST_F(Mantenimiento, DeletingADrawRemovesTheOneTheRowShows) {
  const std::vector<Sorteo> s = semana();  // records 1 Thursday, 2 Saturday, 3 Monday
  carpeta.escribe("numeros.dat", bytesDe(s));
  Principal& p = arranca();
  p.sorteoslistados = {3, 2, 1};
  {
    Respondedor respuestas;
    p.ListView3_ItemClick(1);  // not armed yet
    EXPECT_TRUE(respuestas.cajas().empty());
    EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe(s));
  }
  {
    Respondedor respuestas{vbNo, vbNo};
    p.Command5_Click();
  }
  {
    Respondedor respuestas{vbNo};
    p.ListView3_ItemClick(1);
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("¿Seguro que quieres eliminar este sorteo?"));
    EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe(s));
  }
  // "Lunes" unticked: the rows are the Saturday and the Thursday; row 1 is the Saturday.
  p.sorteoslistados = {2, 1};
  Respondedor respuestas{vbYes, vbYes, vbYes};
  p.ListView3_ItemClick(1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe({s[0], s[2]}));
  EXPECT_EQ(p.sorteoslistados, std::vector<int>{1});
  EXPECT_EQ(estado().numsorteos, 3);
  EXPECT_EQ(p.sorteo.fecha, s[2].fecha);
  // Every draw listed: row 1 is the newest; then the only draw left.
  p.sorteoslistados = {2, 1};
  p.ListView3_ItemClick(1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe({s[0]}));
  p.ListView3_ItemClick(1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), QByteArray());
  EXPECT_EQ(estado().numsorteos, 1);
  EXPECT_FALSE(carpeta.existe("numeros.tmp"));
}

TEST_F(Mantenimiento, ACrashBeforeTheRenameLeavesTheOldFileWhole) {
  const QByteArray sorteos = bytesDe(semana());
  carpeta.escribe("numeros.dat", sorteos);
  Principal& p = arranca();
  p.sorteoslistados = {3, 2, 1};
  p.borrasorteos = 1;
  // At the worst moment: the new file complete beside the old one, the old one still in place.
  QByteArray enDisco, temporal;
  plataforma::fijaAntesDeRenombrar([&] {
    enDisco = carpeta.lee("numeros.dat");
    temporal = carpeta.lee("numeros.tmp");
    throw plataforma::Error(plataforma::ERR_ACCESO, "sin acceso");
  });
  Respondedor respuestas{vbYes};
  p.ListView3_ItemClick(1);
  EXPECT_EQ(enDisco, sorteos);
  EXPECT_EQ(temporal, sorteos.left(64));
  EXPECT_EQ(carpeta.lee("numeros.dat"), sorteos);
  EXPECT_EQ(plataforma::archivos().contenido(ARCH_NUMEROS), sorteos);
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(respuestas.cajas()[1].titulo, "Error de permiso");

  // Clearing fails the same way and leaves every file as it was.
  carpeta.escribe("apuestas.dat", QByteArray());
  Respondedor otra{vbYes, vbNo};
  p.Command5_Click();
  EXPECT_EQ(carpeta.lee("numeros.dat"), sorteos);
  ASSERT_EQ(otra.cajas().size(), 2u);
  EXPECT_EQ(otra.cajas()[1].titulo, "Error de permiso");
  EXPECT_EQ(p.sorteoslistados.size(), 3u);
}
