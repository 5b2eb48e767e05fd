// Writes that cannot reach the disk: a disk with no room left (the program's own free-space limit,
// and a real small file system filled up where one can be mounted) and a disk whose sync fails.
// Each write path says why, leaves every file as it was, and the program goes on.
#include <QDir>
#include <QLabel>
#include <QTimer>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <map>

#include "apoyo/cajas.h"
#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/disco.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/reemplazo.h"
#include "ui/Principal.h"

using plataforma::Respondedor;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

const QString LLENO = QString::fromUtf8("no queda espacio en el disco");
const QString FALLA = QString::fromUtf8("error al escribir en el disco");

enum class Disco { Limite, Real, Sincronizacion };

// Every file of the folder with its bytes, hidden ones too, but for the disk's filler.
std::map<QString, QByteArray> contenido(const CarpetaPrograma& carpeta) {
  std::map<QString, QByteArray> r;
  for (const QString& n : QDir(carpeta.ruta()).entryList(QDir::Files | QDir::Hidden))
    if (n != DiscoLleno::RELLENO) r[n] = carpeta.lee(n);
  return r;
}

std::vector<Sorteo> marzo() {
  return {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)), sorteoDe(QDate(2025, 3, 6), {1, 2, 3, 30, 31, 32}),
          sorteoDe(QDate(2025, 3, 8))};
}

struct Caso {
  const char* nombre;
  bool entero;  // a whole-file rewrite, which also syncs
  // Runs on the started program with the disk full; answers scripted in `r`.
  std::function<void(Principal&, Respondedor&)> accion;
};

}  // namespace

// Each write path on a disk without room, or whose sync fails: one message with the reason, every
// file as it was (no temporary file left), and the program still up with its data on screen.
TEST(Escritura, AFullOrFailingDiskIsToldAndLeavesEveryFileWhole) {
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  // A new draw for the download; the answer is stored as www.txt before it is appended.
  Sorteo nuevo = sorteoDe(QDate(2025, 3, 10), {4, 5, 6, 7, 8, 9});
  nuevo.joker = 1234567;
  servidor.responde("/servicios/buscadorSorteos", respuestaServicio({nuevo}));

  const Caso casos[] = {
      {"importación", true,
       [](Principal& p, Respondedor&) {
         plataforma::fijaEleccionArchivo([](const plataforma::DialogoArchivo&) {
           return estado().ruta + "otra/numeros.dat";
         });
         p.Command8_Click();
         plataforma::fijaEleccionArchivo({});
       }},
      {"aciertos de las peñas", true,
       [](Principal& p, Respondedor& r) {
         r.agrega(vbNo);
         r.agrega(vbYes);
         p.Command5_Click();
       }},
      {"borrar un sorteo", true,
       [](Principal& p, Respondedor& r) {
         r.agrega(vbYes);
         p.ListView3_ItemClick(1);
         EXPECT_EQ(p.ListView3->Count(), 4);
       }},
      {"borrar una peña", true,
       [](Principal& p, Respondedor& r) {
         estado().penaelegida = 1;
         r.agrega(vbYes);
         p.Command3_Click();
         EXPECT_EQ(p.ListView1->Count(), 2);
       }},
      {"www.txt", true,
       [](Principal& p, Respondedor&) {
         p.Picture2_Click();
         p.Timer1_Timer();
         EXPECT_FALSE(p.Timer1->isActive());
       }},
      {"ficha de la peña", false,
       [](Principal& p, Respondedor&) {
         p.ListView1_ItemClick(2);
         // OTRA's details all the same: it played the one Monday draw.
         EXPECT_EQ(p.penamostrada, 2);
         EXPECT_EQ(p.Label17->text(), "1");
       }},
  };
  for (Disco disco : {Disco::Limite, Disco::Real, Disco::Sincronizacion}) {
    for (const Caso& caso : casos) {
      if (disco == Disco::Sincronizacion && !caso.entero) continue;
      SCOPED_TRACE(std::string(caso.nombre) + (disco == Disco::Real             ? " (disco real)"
                                               : disco == Disco::Sincronizacion ? " (sincronización)"
                                                                                : ""));
      CarpetaPrograma carpeta;
      DiscoLleno lleno(carpeta, disco == Disco::Real);
      if (!lleno.listo()) {
        std::cout << "[ SKIPPED  ] no small file system can be mounted here\n";
        break;
      }
      plataforma::fijaReloj(QDateTime(QDate(2025, 3, 10), QTime(22, 0)));
      escribeSorteos(carpeta, marzo());
      escribePenas(carpeta, {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}}),
                             penaDe("OTRA", "Lunes", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})});
      QDir(carpeta.ruta()).mkdir("otra");
      carpeta.escribe("otra/numeros.dat", [] {
        QByteArray b;
        for (const Sorteo& s : marzo()) b += s.codifica();
        return b + sorteoDe(QDate(2025, 3, 10)).codifica();
      }());
      Principal& p = principal();
      {
        Respondedor arranque;
        p.Form_Load();
        // The deletion of single draws armed.
        arranque.agrega(vbNo);
        arranque.agrega(vbNo);
        p.Command5_Click();
      }
      const auto antes = contenido(carpeta);
      Respondedor r;
      if (disco == Disco::Sincronizacion)
        plataforma::fijaFalloSincronizacion(EIO);
      else
        lleno.llena();
      caso.accion(p, r);
      plataforma::fijaFalloSincronizacion(0);
      lleno.vacia();

      QStringList avisos;
      for (const auto& c : r.cajas())
        if (c.estilo == plataforma::vbExclamation) avisos << c.texto;
      EXPECT_EQ(avisos.size(), 1) << avisos.join(" | ").toStdString();
      for (const QString& aviso : avisos)
        EXPECT_TRUE(aviso.contains(disco == Disco::Sincronizacion ? FALLA : LLENO)) << aviso.toStdString();
      EXPECT_EQ(contenido(carpeta), antes);
      EXPECT_EQ(principalSiExiste(), &p);
      EXPECT_EQ(p.Label9[3]->text(), QString::fromUtf8("Sábado, 8 de marzo del 2025"));
      plataforma::archivos().cierraTodos();
    }
  }
}

// Start-up on a full disk: the settings it creates or repairs and the report tables it fills cannot
// be written. It says so once and goes on with the draws and the syndicates it read.
TEST(Escritura, StartUpOnAFullDiskSaysSoOnceAndGoesOn) {
  struct Caso {
    const char* nombre;
    QByteArray ini;  // nums.ini before the start; null for none
  };
  const Caso casos[] = {{"sin nums.ini", QByteArray()}, {"nums.ini corto", QByteArray(40, '\0')}};
  for (bool real : {false, true}) {
    for (const Caso& caso : casos) {
      SCOPED_TRACE(std::string(caso.nombre) + (real ? " (disco real)" : ""));
      CarpetaPrograma carpeta;
      DiscoLleno lleno(carpeta, real);
      if (!lleno.listo()) {
        std::cout << "[ SKIPPED  ] no small file system can be mounted here\n";
        break;
      }
      plataforma::fijaReloj(QDateTime(QDate(2025, 3, 9), QTime(10, 0)));
      escribeSorteos(carpeta, marzo());
      escribePenas(carpeta, {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}})});
      if (!caso.ini.isNull()) carpeta.escribe("nums.ini", caso.ini);
      const auto antes = contenido(carpeta);
      lleno.llena();
      Respondedor r;
      Principal& p = principal();
      p.Form_Load();
      lleno.vacia();

      EXPECT_EQ(r.cajas().size(), 1u);
      for (const auto& caja : r.cajas()) EXPECT_TRUE(caja.texto.contains(LLENO)) << caja.texto.toStdString();
      EXPECT_EQ(principalSiExiste(), &p);
      EXPECT_EQ(p.Label9[3]->text(), QString::fromUtf8("Sábado, 8 de marzo del 2025"));
      EXPECT_EQ(p.ListView1->Text(1).trimmed(), "PREMIADA");
      EXPECT_EQ(p.configuracion.precio, 1.0f);
      // What was there stays as it was (the check counts into the syndicate's own record, in
      // place); the files start-up creates stay empty.
      const auto despues = contenido(carpeta);
      for (const auto& [nombre, bytes] : despues) {
        if (!antes.count(nombre))
          EXPECT_TRUE(bytes.isEmpty()) << nombre.toStdString();
        else if (nombre == "apuestas.dat")
          EXPECT_EQ(bytes.size(), antes.at(nombre).size());
        else
          EXPECT_EQ(bytes, antes.at(nombre)) << nombre.toStdString();
      }
      plataforma::archivos().cierraTodos();
    }
  }
}

// The same with real boxes: the question is answered, the full disk is told in a box of its own,
// and the syndicates stay.
TEST(Escritura, ARealBoxTellsAFullDiskAfterTheQuestion) {
  CarpetaPrograma carpeta;
  DiscoLleno lleno(carpeta, false);
  plataforma::fijaReloj(QDateTime(QDate(2025, 3, 10), QTime(22, 0)));
  escribeSorteos(carpeta, marzo());
  escribePenas(carpeta, {penaDe("UNA", "Lunes", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}}),
                         penaDe("OTRA", "Lunes", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})});
  Principal& p = principal();
  {
    Respondedor quieto;
    p.Form_Load();
  }
  p.show();
  const QByteArray antes = carpeta.lee("apuestas.dat");
  CajasReales cajas;
  estado().penaelegida = 2;
  lleno.llena();
  p.Command3_Click();
  lleno.vacia();
  ASSERT_EQ(cajas.textos().size(), 2);
  EXPECT_TRUE(cajas.textos()[0].startsWith(QString::fromUtf8("¿Seguro que quieres eliminar la Peña OTRA")));
  EXPECT_TRUE(cajas.textos()[1].contains(LLENO));
  EXPECT_EQ(carpeta.lee("apuestas.dat"), antes);
  EXPECT_EQ(p.ListView1->Count(), 2);
}
