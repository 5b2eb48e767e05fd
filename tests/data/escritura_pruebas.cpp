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
enum class Disco { Limite, Real, Sincronizacion };

// Every file of the folder with its bytes, hidden ones too, but for the disk's filler.
std::map<QString, QByteArray> contenido(const CarpetaPrograma& carpeta) {
  std::map<QString, QByteArray> r;
  for (const QString& n : QDir(carpeta.ruta()).entryList(QDir::Files | QDir::Hidden))
    if (n != DiscoLleno::RELLENO) r[n] = carpeta.lee(n);
  return r;
}

// Four draws and two syndicates that have counted them all, so that a check writes nothing.
void datos(const CarpetaPrograma& carpeta) {
  escribeSorteos(carpeta, {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)), sorteoDe(QDate(2025, 3, 6)),
                           sorteoDe(QDate(2025, 3, 8))});
  std::vector<Pena> penas = {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}}),
                             penaDe("OTRA", "Lunes", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})};
  for (Pena& p : penas) p.fechacomprobado = plataforma::oleDe(QDate(2025, 3, 8));
  escribePenas(carpeta, penas);
}

}  // namespace

// Each write path on a disk without room, or whose sync fails: one message with the reason, every
// file as it was (no temporary file left, the files start-up creates empty), and the program still
// up with its data on screen. Start-up on a full disk goes on with what it read.
TEST(Escritura, AFullOrFailingDiskIsToldAndLeavesEveryFileWhole) {
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  Sorteo nuevo = sorteoDe(QDate(2025, 3, 10), {4, 5, 6, 10, 11, 12});
  nuevo.joker = 1234567;
  const QByteArray respuesta = respuestaServicio({nuevo});
  servidor.responde("/servicios/buscadorSorteos", respuesta);
  const auto descarga = [](Principal& p, Respondedor&) {
    p.Picture2_Click();
    p.Timer1_Timer();
    EXPECT_FALSE(p.Timer1->isActive());
  };
  struct Caso {
    const char* nombre;
    bool entero;  // a whole-file rewrite, which also syncs
    std::function<void(Principal&, Respondedor&)> accion;
    QByteArray ini = "sin cambios";  // nums.ini for a start on the full disk: null for none
    qint64 libre = 0;                // room left, for the program's own limit only
  };
  const auto arranca = [](Principal& p, Respondedor&) { p.Form_Load(); };
  const Caso casos[] = {
      {"arranque sin nums.ini", false, arranca, QByteArray()},
      {"arranque con nums.ini corto", false, arranca, QByteArray(40, '\0')},
      {"importación", true,
       [](Principal& p, Respondedor&) {
         plataforma::fijaEleccionArchivo([](const auto&) { return estado().ruta + "otra/numeros.dat"; });
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
      {"www.txt", true, descarga},
      // Room for the answer, none for the draws: www.txt is the new answer, numeros.dat as it was.
      {"sorteos nuevos", false, descarga, "sin cambios", formaGuardada(respuesta).size()},
      {"ficha de la peña", false,
       [](Principal& p, Respondedor&) {
         p.ListView1_ItemClick(2);
         // OTRA's details all the same: it played the one Monday draw.
         EXPECT_EQ(p.Label17->text(), "1");
       }},
      {"clasificación de los números", false,
       [](Principal& p, Respondedor&) {
         p.Command9_Click();
         p.Slider2->setValue(6);
       }},
  };
  for (Disco disco : {Disco::Limite, Disco::Real, Disco::Sincronizacion}) {
    for (const Caso& caso : casos) {
      if ((disco == Disco::Sincronizacion && !caso.entero) || (disco != Disco::Limite && caso.libre)) continue;
      SCOPED_TRACE(std::string(caso.nombre) + " " + std::to_string(int(disco)));
      CarpetaPrograma carpeta;
      DiscoLleno lleno(carpeta, disco == Disco::Real);
      if (!lleno.listo()) {
        std::cout << "[ SKIPPED  ] no small file system can be mounted here\n";
        break;
      }
      plataforma::fijaReloj(QDateTime(QDate(2025, 3, 10), QTime(22, 0)));
      datos(carpeta);
      QDir(carpeta.ruta()).mkdir("otra");
      carpeta.escribe("otra/numeros.dat", carpeta.lee("numeros.dat") + sorteoDe(QDate(2025, 3, 10)).codifica());
      Principal& p = principal();
      if (caso.ini == "sin cambios") {
        Respondedor arranque;
        p.Form_Load();
        // The deletion of single draws armed.
        arranque.agrega(vbNo);
        arranque.agrega(vbNo);
        p.Command5_Click();
      } else if (!caso.ini.isNull()) {
        carpeta.escribe("nums.ini", caso.ini);
      }
      auto antes = contenido(carpeta);
      Respondedor r;
      if (disco == Disco::Sincronizacion)
        plataforma::fijaFalloSincronizacion(EIO);
      else
        lleno.llena();
      if (caso.libre) plataforma::fijaEspacioLibre(caso.libre);
      caso.accion(p, r);
      plataforma::fijaFalloSincronizacion(0);
      lleno.vacia();

      QStringList avisos;  // the questions aside, each box as its title and text
      for (const auto& c : r.cajas())
        if (c.estilo == plataforma::vbExclamation) avisos << c.titulo + ": " + c.texto;
      ASSERT_EQ(avisos.size(), 1) << avisos.join(" | ").toStdString();
      EXPECT_TRUE(avisos[0].startsWith(disco == Disco::Sincronizacion
                                           ? "Error de escritura: No se ha podido guardar: error al escribir"
                                           : "Disco lleno: No se ha podido guardar: " + LLENO + "."))
          << avisos[0].toStdString();
      if (caso.libre) antes["www.txt"] = formaGuardada(respuesta);
      for (const auto& [nombre, bytes] : contenido(carpeta))
        EXPECT_EQ(bytes, antes.count(nombre) ? antes.at(nombre) : QByteArray()) << nombre.toStdString();
      EXPECT_EQ(principalSiExiste(), &p);
      EXPECT_EQ(p.Label9[3]->text(), QString::fromUtf8("Sábado, 8 de marzo del 2025"));
      EXPECT_EQ(p.ListView1->Count(), 2);
      plataforma::archivos().cierraTodos();
    }
  }
}

// With real boxes: the question is answered, and the full disk is told in a box of its own; the
// ranking slider tells it once.
TEST(Escritura, ARealBoxTellsAFullDiskAfterTheQuestion) {
  CarpetaPrograma carpeta;
  DiscoLleno lleno(carpeta, false);
  datos(carpeta);
  Principal& p = principal();
  {
    Respondedor quieto;
    p.Form_Load();
  }
  CajasReales cajas;
  estado().penaelegida = 2;
  lleno.llena();
  p.Command3_Click();
  ASSERT_EQ(cajas.textos().size(), 2);
  EXPECT_TRUE(cajas.textos()[0].startsWith(QString::fromUtf8("¿Seguro que quieres eliminar la Peña OTRA")));
  EXPECT_TRUE(cajas.textos()[1].contains(LLENO));
  EXPECT_EQ(p.ListView1->Count(), 2);
  // The ranking's box, once, from the slider: it names the report database it could not write.
  p.Command9_Click();
  p.Slider2->setValue(6);
  ASSERT_EQ(cajas.textos().size(), 3);
  EXPECT_TRUE(cajas.textos()[2].contains("Bolvanta.mdb: puede seguir")) << cajas.textos()[2].toStdString();
}
