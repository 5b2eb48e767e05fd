// Maintenance of the draws file: the older layout converted at start-up, importing a draws file,
// clearing the draws and the syndicates' counters, deleting one draw, and the whole-file rewrite
// that all of them share.
#include <QDir>
#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <gtest/gtest.h>
#include <cmath>
#include <functional>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/inmutable.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
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

// The records as the current layout stores them, or only their first 24 bytes, as a file of the
// older layout holds them.
QByteArray bytesDe(const std::vector<Sorteo>& sorteos, int longitud = 32) {
  QByteArray b;
  for (const Sorteo& s : sorteos) b += s.codifica().left(longitud);
  return b;
}

// Thursday 6, Saturday 8 and Monday 10 March 2025; the first Joker has seven digits.
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
  void SetUp() override { plataforma::fijaAbridor([this](const QString& d) { abiertas << d; }); }
  void TearDown() override {
    plataforma::fijaEleccionArchivo({});
    plataforma::fijaAntesDeRenombrar({});
    plataforma::fijaAbridor({});
  }
  // Starts the program in a folder of its own (each CarpetaPrograma resets the clock).
  Principal& arranca(const CarpetaPrograma&, const QDate& hoy = QDate(2025, 3, 12)) {
    plataforma::fijaReloj(QDateTime(hoy, QTime(22, 0)));
    Respondedor quieto;
    principal().Form_Load();
    return principal();
  }
  // Every file-open dialog answers with this file.
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

TEST_F(Mantenimiento, OnlyTheOlderLayoutIsConvertedAtStartUp) {
  std::vector<Sorteo> sinJoker = semana();
  sinJoker[0].joker = -1;
  // Three current records are 96 bytes, four older ones; a damaged first Joker, long in text form,
  // does not make them older records.
  std::vector<Sorteo> jokerRoto = semana();
  jokerRoto[0].joker = 1.2345e-300;
  struct Caso {
    QByteArray bytes;
    bool convierte;
  };
  const Caso casos[] = {{bytesDe(semana(), 24), true},
                        {QByteArray(), false},
                        {bytesDe(semana()), false},  // a first Joker of seven digits
                        {bytesDe(sinJoker), false},
                        {bytesDe(jokerRoto), false},
                        // a cut last record: the whole ones are converted
                        {bytesDe(semana(), 24) + QByteArray(5, '\x01'), true},
                        // one whole record, and the first numbers of the next
                        {bytesDe(semana(), 24).left(24 + 10), true}};
  for (const Caso& c : casos) {
    CarpetaPrograma otra;
    otra.escribe("numeros.dat", c.bytes);
    Respondedor respuestas;
    principal().Form_Load();
    plataforma::archivos().cierraTodos();
    if (!c.convierte) {
      EXPECT_TRUE(respuestas.cajas().empty()) << c.bytes.size();
      EXPECT_EQ(otra.lee("numeros.dat"), c.bytes);
      EXPECT_FALSE(otra.existe("numeros.bak"));
      continue;
    }
    EXPECT_EQ(otra.lee("numeros.bak"), c.bytes);
    ASSERT_FALSE(respuestas.cajas().empty());
    EXPECT_EQ(respuestas.cajas()[0].titulo, QString::fromUtf8("Actualización de datos"));
    const int enteros = int(c.bytes.size() / 24);
    QByteArray esperado;
    for (int i = 0; i < enteros; ++i) esperado += c.bytes.mid(24 * i, 24) + QByteArray(8, '\0');
    EXPECT_EQ(otra.lee("numeros.dat"), esperado);
    EXPECT_EQ(estado().numsorteos, enteros + 1);
    EXPECT_EQ(principal().sorteo.fecha, semana()[size_t(enteros - 1)].fecha);
    EXPECT_FALSE(otra.existe("numeros.tmp"));
  }
}

TEST_F(Mantenimiento, ImportKeepsABackupAndShowsTheNewDraws) {
  const QByteArray propios = bytesDe({semana()[0]});
  carpeta.escribe("numeros.dat", propios);
  Principal& p = arranca(carpeta);
  QDir(carpeta.ruta()).mkdir("otra");
  elige(carpeta.archivo("otra/NUMEROS.DAT"));
  QByteArray anterior = propios;
  // The current layout as it comes, and the older one converted on the way in.
  for (const QByteArray& bytes : {bytesDe(semana()), bytesDe(semana(), 24)}) {
    carpeta.escribe("otra/NUMEROS.DAT", bytes);
    Respondedor respuestas;
    p.Command8_Click();
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("Archivo de sorteos importado con éxito"));
    EXPECT_EQ(respuestas.cajas()[0].titulo, "Todos los sorteos");
    EXPECT_EQ(carpeta.lee("numeros.bak"), anterior);
    anterior = carpeta.lee("numeros.dat");
    EXPECT_EQ(anterior.left(24), bytes.left(24));
    EXPECT_EQ(anterior.mid(64, 24), bytes.mid(bytes.size() / 3 * 2, 24));
    EXPECT_EQ(plataforma::archivos().contenido(ARCH_NUMEROS), anterior);
    EXPECT_EQ(estado().numsorteos, 4);
    EXPECT_EQ(p.sorteo.fecha, semana()[2].fecha);
  }
  // Converted: every draw with a Joker of 0.
  for (int i = 0; i < 3; ++i) EXPECT_EQ(anterior.mid(32 * i + 24, 8), QByteArray(8, '\0'));
  ASSERT_EQ(dialogos.size(), 2u);
  EXPECT_EQ(dialogos[0].DialogTitle + dialogos[0].Filter + dialogos[0].InitDir,
            "Seleccione el archivo NUMEROS.DATArchivos de sorteos|numeros.datc:\\");
}

TEST_F(Mantenimiento, BadImportFilesAreRefusedAndTheDrawsStay) {
  const QByteArray propios = bytesDe(semana());
  carpeta.escribe("numeros.dat", propios);
  Principal& p = arranca(carpeta);
  auto con = [](auto cambia) {
    std::vector<Sorteo> s = semana();
    cambia(s);
    return bytesDe(s);
  };
  const QString imposibles = QString::fromUtf8("El sorteo número %1 tiene números imposibles.");
  const QString fecha = QString::fromUtf8("El sorteo número 3 tiene una fecha imposible.");
  struct Caso {
    QByteArray bytes;
    QString motivo;  // the line after the program's message; empty for none
  };
  const Caso casos[] = {
      {QByteArray(), QString::fromUtf8("El archivo está vacío.")},
      {propios + QByteArray(7, '\x01'), QString::fromUtf8("Su tamaño no corresponde a un número exacto de sorteos.")},
      {QByteArray(64, '\0'), {}},  // date 0 is a Saturday, but no draw
      {con([](auto& s) { s.insert(s.begin(), sorteoDe(QDate(2025, 3, 3))); }), {}},  // a Monday first
      {con([](auto& s) { s[1].ganadores[4] = 50; }), imposibles.arg(2)},
      {con([](auto& s) { s[2].complementario = s[2].ganadores[1]; }), imposibles.arg(3)},
      {con([](auto& s) { s[0].reintegro = 10; }), imposibles.arg(1)},
      {con([](auto& s) { s[2].fecha += 1; }), fecha},  // a Tuesday
      {con([](auto& s) { s[2].fecha += 7; }), fecha},  // after today
      {con([](auto& s) { std::swap(s[1], s[2]); }),
       QString::fromUtf8("El sorteo número 3 no es posterior al anterior.")},
      {con([](auto& s) { s[2].fecha = s[1].fecha; }),  // one date twice, with other numbers
       QString::fromUtf8("El sorteo número 3 no es posterior al anterior.")},
  };
  QDir(carpeta.ruta()).mkdir("otra");
  elige(carpeta.archivo("otra/numeros.dat"));
  for (const Caso& c : casos) {
    carpeta.escribe("otra/numeros.dat", c.bytes);
    Respondedor respuestas;
    p.Command8_Click();
    ASSERT_EQ(respuestas.cajas().size(), 1u) << c.motivo.toStdString();
    EXPECT_EQ(respuestas.cajas()[0].texto, c.motivo.isEmpty() ? NO_VALIDO : NO_VALIDO + "\r\n" + c.motivo);
    EXPECT_EQ(respuestas.cajas()[0].titulo, QString::fromUtf8("¡Vaya hombre!"));
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbExclamation);
  }
  // The program's own file, and a file that is gone by the time it is read.
  Respondedor respuestas;
  elige(carpeta.archivo("numeros.dat"));
  p.Command8_Click();
  elige(carpeta.archivo("otra/ninguno.dat"));
  p.Command8_Click();
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(respuestas.cajas()[0].texto,
            QString::fromUtf8("El archivo elegido es el propio archivo de sorteos del programa. Elija "
                              "otro archivo NUMEROS.DAT."));
  EXPECT_EQ(respuestas.cajas()[1].texto, NO_VALIDO + " Error 53");
  // No file chosen: the shop is offered, and opened on "Sí".
  elige(QString());
  respuestas.agrega(vbNo);
  respuestas.agrega(vbYes);
  p.Command8_Click();
  p.Command8_Click();
  ASSERT_EQ(respuestas.cajas().size(), 4u);
  EXPECT_TRUE(respuestas.cajas()[3].texto.startsWith(
      QString::fromUtf8("No se ha seleccionado ningún archivo. Recuerde que puede disponer de TODOS")));
  EXPECT_EQ(abiertas, QStringList{"http://www.bolvanta.es/tienda/Product_list_C)%20%20%20%20%20%20%20EXTRAS"
                                  "%20PARA%20LOS%20PROGRAMAS_1.html"});
  EXPECT_EQ(carpeta.lee("numeros.dat"), propios);
  EXPECT_EQ(plataforma::archivos().contenido(ARCH_NUMEROS), propios);
  EXPECT_FALSE(carpeta.existe("numeros.bak"));
}

TEST_F(Mantenimiento, ADrawOfTodayComesInAndOneOfTomorrowDoesNot) {
  carpeta.escribe("numeros.dat", bytesDe({semana()[0]}));
  Principal& p = arranca(carpeta);
  QDir(carpeta.ruta()).mkdir("otra");
  elige(carpeta.archivo("otra/numeros.dat"));
  const QString fecha = QString::fromUtf8("El sorteo número %1 tiene una fecha imposible.");
  struct Caso {
    std::vector<Sorteo> sorteos;
    QDateTime reloj;
    QString motivo;  // empty: imported
  };
  const std::vector<Sorteo> uno = {semana()[0]};  // Thursday 6 March alone: first and last
  const Caso casos[] = {
      {semana(), QDateTime(QDate(2025, 3, 10), QTime(0, 0)), {}},
      {semana(), QDateTime(QDate(2025, 3, 10), QTime(23, 59)), {}},
      {semana(), QDateTime(QDate(2025, 3, 9), QTime(23, 59)), fecha.arg(3)},
      {uno, QDateTime(QDate(2025, 3, 6), QTime(0, 0)), {}},
      {uno, QDateTime(QDate(2025, 3, 5), QTime(23, 59)), fecha.arg(1)},
  };
  for (const Caso& c : casos) {
    const QByteArray antes = carpeta.lee("numeros.dat");
    carpeta.escribe("otra/numeros.dat", bytesDe(c.sorteos));
    plataforma::fijaReloj(c.reloj);
    Respondedor respuestas;
    p.Command8_Click();
    const std::string donde = c.reloj.toString(Qt::ISODate).toStdString();
    ASSERT_EQ(respuestas.cajas().size(), 1u) << donde;
    if (c.motivo.isEmpty()) {
      EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("Archivo de sorteos importado con éxito")) << donde;
      EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe(c.sorteos)) << donde;
    } else {
      EXPECT_EQ(respuestas.cajas()[0].texto, NO_VALIDO + "\r\n" + c.motivo) << donde;
      EXPECT_EQ(carpeta.lee("numeros.dat"), antes) << donde;
    }
  }
}

TEST_F(Mantenimiento, ClearingAsksTwiceAndDoesWhatWasAnswered) {
  const QByteArray sorteos = bytesDe(semana());
  Pena pena = penaDe("UNA", "Todos (L+J+S)", QDate(2025, 1, 1), {{1, 2, 3, 4, 5, 6}});
  for (int k = 3; k <= 7; ++k) pena.aciertos[k] = qint16(k);
  pena.fechacomprobado = plataforma::oleDe(QDate(2025, 3, 10));
  for (const auto& [borraSorteos, borraAciertos] : {std::pair{vbNo, vbYes}, std::pair{vbYes, vbNo}}) {
    CarpetaPrograma otra;
    otra.escribe("numeros.dat", sorteos);
    escribePenas(otra, {pena, pena});
    const QByteArray penas = otra.lee("apuestas.dat");
    Principal& p = arranca(otra);
    Respondedor respuestas{borraSorteos, borraAciertos};
    ASSERT_GT(p.ListView2->Count(), 0);
    p.Command5_Click();
    EXPECT_EQ(p.borrasorteos, 1);
    // With "Histórico" off the check view lists no draw before the syndicates' new creation date.
    if (borraAciertos == vbYes) EXPECT_EQ(p.ListView2->Count(), 0);
    ASSERT_EQ(respuestas.cajas().size(), 2u);
    EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("¿Seguro que quieres borrar todos los sorteos?"));
    EXPECT_TRUE(respuestas.cajas()[1].texto.startsWith(
        QString::fromUtf8("¿Quiere borrar también los aciertos de las peñas?. Si ha borrado")));
    EXPECT_EQ(otra.lee("numeros.dat"), borraSorteos == vbYes ? QByteArray() : sorteos);
    EXPECT_EQ(estado().numsorteos, borraSorteos == vbYes ? 1 : 4);
    if (borraAciertos == vbNo) {
      EXPECT_EQ(otra.lee("apuestas.dat"), penas);
      continue;
    }
    // The check view follows at once: it counts nothing older than the new creation date, and
    // dates the syndicates at the newest draw.
    for (const Pena& q : penasDe(otra)) {
      for (int k = 3; k <= 7; ++k) EXPECT_EQ(q.aciertos[k], 0);
      EXPECT_EQ(q.fechacomprobado, plataforma::oleDe(QDate(2025, 3, 10)));
      EXPECT_EQ(q.fechacreacion, plataforma::oleDe(QDate(2025, 3, 12)));
      EXPECT_EQ(q.apuestas[1][6], 6);
    }
  }
}

TEST_F(Mantenimiento, DeletingADrawRemovesTheOneTheRowShows) {
  const std::vector<Sorteo> s = semana();  // records 1 Thursday, 2 Saturday, 3 Monday
  carpeta.escribe("numeros.dat", bytesDe(s));
  Principal& p = arranca(carpeta);
  ASSERT_EQ(p.sorteoslistados, (std::vector<int>{3, 2, 1}));
  Respondedor respuestas{vbNo, vbNo, vbNo};
  p.ListView3_ItemClick(1);  // not armed yet: no question
  EXPECT_TRUE(respuestas.cajas().empty());
  p.Command5_Click();
  p.ListView3_ItemClick(1);  // armed, answered no
  EXPECT_EQ(respuestas.cajas().back().texto, QString::fromUtf8("¿Seguro que quieres eliminar este sorteo?"));
  EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe(s));
  // "Lunes" unticked: the rows are the Saturday and the Thursday; row 1 is the Saturday.
  p.Check3[9]->setChecked(false);
  ASSERT_EQ(p.ListView3->Count(), 2);
  p.ListView3_ItemClick(1);
  EXPECT_EQ(p.ListView3->Count(), 1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe({s[0], s[2]}));
  EXPECT_EQ(p.sorteoslistados, std::vector<int>{1});
  EXPECT_EQ(estado().numsorteos, 3);
  EXPECT_EQ(p.sorteo.fecha, s[2].fecha);
  // Every draw listed: row 1 is the newest; then the only draw left.
  p.Check3[9]->setChecked(true);
  ASSERT_EQ(p.sorteoslistados, (std::vector<int>{2, 1}));
  p.ListView3_ItemClick(1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), bytesDe({s[0]}));
  p.ListView3_ItemClick(1);
  EXPECT_EQ(carpeta.lee("numeros.dat"), QByteArray());
  EXPECT_EQ(estado().numsorteos, 1);
}

TEST_F(Mantenimiento, ACrashBeforeTheRenameLeavesTheOldFileWhole) {
  const QByteArray sorteos = bytesDe(semana());
  carpeta.escribe("numeros.dat", sorteos);
  Principal& p = arranca(carpeta);
  p.sorteoslistados = {3, 2, 1};
  p.borrasorteos = 1;
  // At the worst moment: the new file complete beside the old one, the old one still in place.
  std::vector<QByteArray> enDisco, temporal;
  plataforma::fijaAntesDeRenombrar([&] {
    enDisco.push_back(carpeta.lee("numeros.dat"));
    temporal.push_back(carpeta.lee("numeros.tmp"));
    throw plataforma::Error(plataforma::ERR_ACCESO, "sin acceso");
  });
  Respondedor respuestas{vbYes, 0, vbYes, 0};
  p.ListView3_ItemClick(1);
  p.Command5_Click();  // clearing fails the same way
  EXPECT_EQ(enDisco, (std::vector<QByteArray>{sorteos, sorteos}));
  EXPECT_EQ(temporal, (std::vector<QByteArray>{sorteos.left(64), QByteArray()}));
  EXPECT_EQ(carpeta.lee("numeros.dat"), sorteos);
  EXPECT_EQ(plataforma::archivos().contenido(ARCH_NUMEROS), sorteos);
  EXPECT_EQ(p.sorteoslistados.size(), 3u);
  ASSERT_EQ(respuestas.cajas().size(), 4u);
  EXPECT_EQ(respuestas.cajas()[1].titulo, "Error de permiso");
  EXPECT_EQ(respuestas.cajas()[3].titulo, "Error de permiso");
}

TEST_F(Mantenimiento, AnOlderFileWithACutLastRecordKeepsEveryWholeDraw) {
  const std::vector<Sorteo> historia = historiaReal();
  ASSERT_EQ(historia.size(), 4176u);
  const QByteArray antiguos = bytesDe(historia, 24);
  // What a record never finished leaves: the first bytes of one more draw.
  const QByteArray cortado = bytesDe({sorteoDe(QDate(2026, 8, 22), {5, 6, 7, 8, 9, 10}, 11)}, 24);
  const Pena pena = penaDe("TODAS", "Todos (L+J+S)", QDate(2026, 8, 1), {{1, 2, 3, 4, 5, 6}});
  for (const int sobran : {0, 10, 23}) {
    for (const bool importado : {false, true}) {
      SCOPED_TRACE(testing::Message() << sobran << (importado ? " importado" : " al arrancar"));
      const QByteArray archivo = antiguos + cortado.left(sobran);
      CarpetaPrograma otra;
      escribePenas(otra, {pena});
      otra.escribe(importado ? "elegido.dat" : "numeros.dat", archivo);
      Principal& p = arranca(otra, QDate(2026, 8, 21));
      if (importado) {
        elige(otra.archivo("elegido.dat"));
        Respondedor respuestas;
        p.Command8_Click();
        ASSERT_EQ(respuestas.cajas().size(), 1u);
        EXPECT_EQ(respuestas.cajas()[0].titulo, "Todos los sorteos");
      }
      const QByteArray numeros = otra.lee("numeros.dat");
      ASSERT_EQ(numeros.size(), 4176 * 32);
      EXPECT_EQ(numeros.left(32), archivo.left(24) + QByteArray(8, '\0'));
      EXPECT_EQ(numeros.right(32), archivo.mid(4175 * 24, 24) + QByteArray(8, '\0'));
      EXPECT_EQ(estado().numsorteos, 4177);
      EXPECT_EQ(p.Label9[3]->text(), "Jueves, 20 de agosto del 2026");
      EXPECT_EQ(p.Label7->text(), "TOTAL: 4176 sorteos.");
      // The start-up conversion keeps the file as it was; the import keeps the draws it replaced.
      EXPECT_EQ(otra.lee("numeros.bak"), importado ? QByteArray() : archivo);
      EXPECT_EQ(penasDe(otra)[0].fechacomprobado, historia.back().fecha);
    }
  }
}

TEST_F(Mantenimiento, APrizeIsCountedOnceWhateverHappensToTheDraws) {
  const std::vector<Sorteo> historia = historiaReal();
  ASSERT_EQ(historia.size(), 4176u);
  // The last twelve draws, with the Jokers the service gives; the newest is Thursday 20 August 2026,
  // 1 9 20 22 37 45.
  std::vector<Sorteo> ultimos(historia.end() - 12, historia.end());
  for (size_t k = 0; k < ultimos.size(); ++k) ultimos[k].joker = 2000000 + double(k);
  const std::vector<Sorteo> sinElNuevo(ultimos.begin(), ultimos.end() - 1);
  const double nuevo = ultimos.back().fecha;
  Pena sencilla = penaDe("SENCILLA", "Todos (L+J+S)", QDate(2026, 8, 1), {{1, 9, 20, 22, 37, 45}});
  Pena multiple = penaDe("MULTIPLE", "Todos (L+J+S)", QDate(2026, 8, 1), {{1, 3, 9, 20, 22, 37, 45}});
  multiple.tipo = 501;

  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  auto importa = [this](CarpetaPrograma& c, Principal& p, const QByteArray& bytes) {
    c.escribe("elegido.dat", bytes);
    elige(c.archivo("elegido.dat"));
    Respondedor respuestas;
    p.Command8_Click();
  };
  using Paso = std::function<void(CarpetaPrograma&, Principal&)>;
  struct Caso {
    const char* que;
    Paso quita, devuelve;
  };
  const Caso casos[] = {
      {"an older draws file imported, then the whole one",
       [&](CarpetaPrograma& c, Principal& p) { importa(c, p, bytesDe(sinElNuevo, 24)); },
       [&](CarpetaPrograma& c, Principal& p) { importa(c, p, bytesDe(ultimos)); }},
      {"the newest draw deleted, then downloaded again",
       [](CarpetaPrograma&, Principal& p) {
         Respondedor respuestas{vbNo, vbNo, vbYes};
         p.Command5_Click();
         p.ListView3_ItemClick(1);
         p.Form_Activate();  // back at the window: the newest draw left is checked
       },
       [&](CarpetaPrograma&, Principal& p) {
         std::vector<Sorteo> servidos = ultimos;
         std::reverse(servidos.begin(), servidos.end());
         servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(servidos));
         Respondedor respuestas;
         p.Picture2_Click();
         p.Timer1_Timer();
       }},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.que);
    CarpetaPrograma otra;
    escribeSorteos(otra, ultimos);
    escribePenas(otra, {sencilla, multiple});
    Principal& p = arranca(otra, QDate(2026, 8, 21));
    const std::vector<Pena> contadas = penasDe(otra);
    ASSERT_EQ(contadas.size(), 2u);
    ASSERT_EQ(contadas[0].aciertos[6], 1);
    ASSERT_EQ(contadas[1].aciertos[6], 1);

    caso.quita(otra, p);
    EXPECT_EQ(estado().numsorteos, 12);
    caso.devuelve(otra, p);
    ASSERT_EQ(estado().numsorteos, 13);
    EXPECT_EQ(Sorteo::decodifica(otra.lee("numeros.dat").right(32)).fecha, nuevo);
    const std::vector<Pena> ahora = penasDe(otra);
    for (size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(ahora[k].aciertos, contadas[k].aciertos) << k;
      EXPECT_EQ(ahora[k].fechacomprobado, nuevo) << k;
    }
  }
}

// An older-layout file that cannot be converted (its copy numeros.bak cannot be written) is read
// in its own layout, told once, and never changed: no download is appended to it, and the next
// start neither mixes records nor writes over the good copy.
TEST_F(Mantenimiento, AnOlderFileThatCannotBeConvertedIsReadAsItIsAndNeverChanged) {
  const QByteArray antiguo = bytesDe(semana(), 24);
  const QByteArray copia = QByteArrayLiteral("la copia de antes");
  struct Caso {
    const char* nombre;
    std::function<bool(CarpetaPrograma&, SoloLectura&)> impide;  // false: cannot be set up here
    bool avisa;  // the conversion is offered and its failure told (not on read-only data)
  } casos[] = {
      {"numeros.bak de solo lectura",
       [&](CarpetaPrograma& c, SoloLectura& s) {
         c.escribe("numeros.bak", copia);
         return s.protege({c.archivo("numeros.bak")});
       },
       true},
      {"una carpeta numeros.bak", [](CarpetaPrograma& c, SoloLectura&) { return QDir(c.ruta()).mkdir("numeros.bak"); },
       true},
      {"disco lleno",
       [&](CarpetaPrograma& c, SoloLectura&) {
         c.escribe("numeros.bak", copia);
         plataforma::fijaEspacioLibre(10);
         return true;
       },
       true},
      {"datos de solo lectura",
       [&](CarpetaPrograma& c, SoloLectura& s) {
         c.escribe("numeros.bak", copia);
         return s.protege({c.ruta(), c.archivo("numeros.dat"), c.archivo("numeros.bak")});
       },
       false},
  };
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  std::vector<Sorteo> nuevos = {sorteoDe(QDate(2025, 3, 13), {11, 12, 13, 14, 15, 16}, 17), semana()[2]};
  nuevos[0].joker = 1111111;
  servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(nuevos));
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrograma otra;
    otra.escribe("numeros.dat", antiguo);
    SoloLectura protegidos;
    if (!c.impide(otra, protegidos)) {
      std::cerr << c.nombre << ": " << protegidos.motivo().toStdString() << "\n";
      continue;
    }
    const QByteArray bak = otra.lee("numeros.bak");
    for (int arranque = 1; arranque <= 2; ++arranque) {
      SCOPED_TRACE(arranque);
      Respondedor respuestas;
      plataforma::fijaReloj(QDateTime(QDate(2025, 3, 14), QTime(22, 0)));
      Principal& p = principal();
      p.Form_Load();
      QStringList textos;
      for (const auto& caja : respuestas.cajas()) textos << caja.texto;
      const QString aviso = QString::fromUtf8("No se ha podido convertir el fichero de sorteos: ");
      EXPECT_EQ(textos.filter(aviso).size(), c.avisa ? 1 : 0) << textos.join('|').toStdString();
      EXPECT_EQ(textos.filter(QString::fromUtf8("se va a convertir")).size(), c.avisa ? 1 : 0);
      // The draws read in their own layout.
      EXPECT_EQ(estado().numsorteos, 4);
      EXPECT_EQ(p.Label9[3]->text(), "Lunes, 10 de marzo del 2025");
      EXPECT_EQ(p.Label7->text(), "TOTAL: 3 sorteos.");
      // A download appends nothing, with a word on why.
      const size_t antes = respuestas.cajas().size();
      p.Picture2_Click();
      p.Timer1_Timer();
      ASSERT_GT(respuestas.cajas().size(), antes);
      if (c.avisa) EXPECT_TRUE(respuestas.cajas().back().texto.startsWith(aviso));
      EXPECT_EQ(otra.lee("numeros.dat"), antiguo);
      EXPECT_EQ(otra.lee("numeros.bak"), bak);
      EXPECT_FALSE(otra.existe("numeros.tmp"));
      descargaPrincipal();
      procesaDescargas();
      plataforma::archivos().cierraTodos();
      reiniciaEstado();
    }
    plataforma::fijaEspacioLibre(-1);
  }
}

// Damaged records after the newest draw (a date that is no number, garbage) are passed over: the
// panel shows the newest real draw and a download adds only the draws after it.
TEST_F(Mantenimiento, DamagedRecordsAtTheEndHideNoDrawAndBringNoneTwice) {
  Sorteo sinFecha = semana()[2];
  sinFecha.fecha = std::nan("");
  QByteArray basura(2 * 32, '\0');
  for (int i = 0; i < basura.size(); ++i) basura[i] = char(37 * i + 11);
  struct Caso {
    const char* nombre;
    QByteArray cola;
  } casos[] = {{"fecha que no es un número", sinFecha.codifica()},
               {"dos registros de basura", basura},
               {"un registro a ceros", QByteArray(32, '\0')}};
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  std::vector<Sorteo> servidos = {sorteoDe(QDate(2025, 3, 13), {11, 12, 13, 14, 15, 16}, 17)};
  servidos[0].joker = 1111111;
  const std::vector<Sorteo> guardada = semana();
  servidos.insert(servidos.end(), guardada.rbegin(), guardada.rend());
  for (Sorteo& s : servidos) s.joker = s.joker > 0 ? s.joker : 2222222;
  servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(servidos));
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrograma otra;
    const QByteArray guardados = bytesDe(semana()) + c.cola;
    otra.escribe("numeros.dat", guardados);
    Respondedor respuestas;
    Principal& p = arranca(otra, QDate(2025, 3, 14));
    EXPECT_EQ(p.Label9[3]->text(), "Lunes, 10 de marzo del 2025");
    p.Picture2_Click();
    p.Timer1_Timer();
    // Only Thursday 13 March is new; what was stored stays as it was.
    const QByteArray ahora = otra.lee("numeros.dat");
    ASSERT_EQ(ahora.size(), guardados.size() + 32);
    EXPECT_EQ(ahora.left(guardados.size()), guardados);
    EXPECT_EQ(Sorteo::decodifica(ahora.right(32)).fecha, servidos[0].fecha);
    EXPECT_EQ(p.Label9[3]->text(), "Jueves, 13 de marzo del 2025");
  }
}
