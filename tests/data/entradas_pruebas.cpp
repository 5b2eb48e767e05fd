// Bad input to the data files: a chosen import file that is no draws file at all, data files that
// cannot be read, and a stored price that the settings would never have taken.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <gtest/gtest.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/inmutable.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "ui/Configurar.h"
#include "ui/Principal.h"

using plataforma::Respondedor;

namespace {

const QString NO_VALIDO = QString::fromUtf8(
    "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Bolvanta.");

QStringList textos(const Respondedor& r) {
  QStringList t;
  for (const auto& c : r.cajas()) t << c.texto;
  return t;
}

std::vector<Sorteo> marzo() {
  return {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)), sorteoDe(QDate(2025, 3, 8))};
}

}  // namespace

// Only a regular file no larger than a draws file can be is read for import: a device, a pipe or a
// folder is refused without reading a byte (a device would be read until memory ran out, a pipe
// would wait for ever), and so is a larger file; the program's draws stay and no backup is made.
TEST(Entradas, TheImportReadsOnlyARegularFileOfADrawsFilesSize) {
  CarpetaPrograma carpeta;
  plataforma::fijaReloj(QDateTime(QDate(2025, 3, 12), QTime(22, 0)));
  escribeSorteos(carpeta, marzo());
  const QByteArray propios = carpeta.lee("numeros.dat");
  {
    Respondedor r;
    principal().Form_Load();
  }
  QDir(carpeta.ruta()).mkdir("otra");
  const QString tuberia = carpeta.archivo("otra/tuberia");
  ASSERT_EQ(::mkfifo(QFile::encodeName(tuberia).constData(), 0600), 0);
  // A file as large as one record for every draw day since 1900, and one byte more.
  const qint64 maximo = maximoImportable(plataforma::oleDe(QDate(2025, 3, 12)));
  for (const auto& [nombre, largo] : {std::pair{"maximo.dat", maximo}, std::pair{"grande.dat", maximo + 1}}) {
    QFile f(carpeta.archivo(QStringLiteral("otra/") + nombre));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(largo));
  }
  const QString dispositivo = QString::fromUtf8("El archivo elegido no es un archivo de datos: es un dispositivo o una tubería.");
  struct Caso {
    QString archivo;
    QString texto;
  };
  std::vector<Caso> casos = {
      {"/dev/zero", NO_VALIDO + "\r\n" + dispositivo},
      {tuberia, NO_VALIDO + "\r\n" + dispositivo},
      {carpeta.archivo("otra"), NO_VALIDO + "\r\n" + QString::fromUtf8("El archivo elegido es una carpeta.")},
      {carpeta.archivo("otra/grande.dat"),
       NO_VALIDO + "\r\n" + QString::fromUtf8("El archivo elegido es demasiado grande para ser un archivo de sorteos.")},
      // As large as a draws file can be: read, and refused for what it holds.
      {carpeta.archivo("otra/maximo.dat"), NO_VALIDO},
  };
  if (::geteuid() != 0) {
    carpeta.escribe("otra/cerrado.dat", propios);
    ::chmod(QFile::encodeName(carpeta.archivo("otra/cerrado.dat")).constData(), 0);
    casos.push_back({carpeta.archivo("otra/cerrado.dat"),
                     NO_VALIDO + "\r\n" + QString::fromUtf8("No hay permiso para leer el archivo elegido.")});
  }
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.archivo.toStdString());
    plataforma::fijaEleccionArchivo([&](const plataforma::DialogoArchivo&) { return c.archivo; });
    Respondedor r;
    principal().Command8_Click();
    EXPECT_EQ(textos(r), QStringList{c.texto});
    EXPECT_EQ(carpeta.lee("numeros.dat"), propios);
    EXPECT_FALSE(carpeta.existe("numeros.bak"));
    EXPECT_EQ(principal().Label9[3]->text(), QString::fromUtf8("Sábado, 8 de marzo del 2025"));
  }
  plataforma::fijaEleccionArchivo({});
  // The whole real history is well within the size.
  EXPECT_LT(qint64(historiaReal().size()) * 32, maximo);
}

// A data file that is there but cannot be read (a folder of its name, or for an ordinary user a
// file without read permission) is named at start-up with what is wrong with it, never blamed on
// another file; the program shows the data it could read, greets no one as a new user, and changes
// nothing.
TEST(Entradas, AnUnreadableDataFileIsNamedAndNothingIsChanged) {
  const std::pair<QString, QString> archivos[] = {{"numeros.dat", "los sorteos"},
                                                  {"apuestas.dat", QString::fromUtf8("las peñas")},
                                                  {"nums.ini", QString::fromUtf8("la configuración")}};
  for (const auto& [archivo, que] : archivos)
    for (bool esCarpeta : {true, false}) {
      if (!esCarpeta && ::geteuid() == 0) continue;  // root reads whatever the permissions say
      SCOPED_TRACE(archivo.toStdString() + (esCarpeta ? " (carpeta)" : " (sin permiso)"));
      CarpetaPrograma carpeta;
      plataforma::fijaReloj(QDateTime(QDate(2025, 3, 9), QTime(10, 0)));
      escribeSorteos(carpeta, marzo());
      escribePenas(carpeta, {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}})});
      carpeta.escribe("nums.ini", QByteArray(86, '\0'));
      const QString ruta = carpeta.archivo(archivo);
      const QByteArray guardado = carpeta.lee(archivo);
      if (esCarpeta) {
        QFile::remove(ruta);
        ASSERT_TRUE(QDir().mkdir(ruta));
      } else {
        ::chmod(QFile::encodeName(ruta).constData(), 0);
      }
      Respondedor r;
      Principal& p = principal();
      p.Form_Load();
      p.Form_Activate();
      ASSERT_EQ(r.cajas().size(), 1u) << textos(r).join(" | ").toStdString();
      EXPECT_TRUE(r.cajas()[0].texto.startsWith(
          QString::fromUtf8("No se puede leer %1, el archivo de %2: %3.\r\n")
              .arg(archivo, que, esCarpeta ? "es una carpeta, no un archivo" : "no hay permiso para leerlo")))
          << r.cajas()[0].texto.toStdString();
      EXPECT_EQ(r.cajas()[0].titulo, "Error de lectura");
      EXPECT_EQ(p.Label9[3]->text(), archivo == "numeros.dat" ? QString::fromUtf8("Fichero de datos vacío.")
                                                              : QString::fromUtf8("Sábado, 8 de marzo del 2025"));
      EXPECT_EQ(p.ListView1->Text(1).trimmed(), archivo == "apuestas.dat" ? QString::fromUtf8("VACÍO") : "PREMIADA");
      EXPECT_EQ(p.configuracion.precio, 1.0f);
      // Nothing is written over it: a change is refused.
      p.Picture2_Click();
      EXPECT_EQ(r.cajas().back().titulo, "Error de permiso");
      plataforma::archivos().cierraTodos();
      if (esCarpeta) {
        EXPECT_TRUE(QFileInfo(ruta).isDir());
      } else {
        ::chmod(QFile::encodeName(ruta).constData(), 0644);
        EXPECT_EQ(carpeta.lee(archivo), guardado);
      }
      descargaPrincipal();
      procesaDescargas();
    }
}

// A stored price that the settings dialog would never have taken is 1.0 at start-up and in the
// dialog, and is written back (kept in memory only when nums.ini is read-only); 0 and figures that
// are no number count as unset, as for new settings. Prices the dialog takes are kept.
TEST(Entradas, APriceTheSettingsWouldRefuseTakesTheDefault) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinito = std::numeric_limits<float>::infinity();
  struct Caso {
    float guardado, precio;
    qint16 meses;
  };
  const Caso casos[] = {{-3, 1, 36},       {3e38f, 1, 36}, {1000.001f, 1, 36}, {-0.01f, 1, 36},  {nan, 1, 24},
                        {infinito, 1, 24}, {0, 1, 24},     {1000, 1000, 36},   {0.5f, 0.5f, 36}};
  for (const Caso& c : casos)
    for (bool protegido : {false, true}) {
      SCOPED_TRACE(std::to_string(c.guardado) + (protegido ? " protegido" : ""));
      CarpetaPrograma carpeta;
      Configuracion ini;
      ini.precio = c.guardado;
      ini.meses = 36;
      ini.direccionweb = "www.otra.es";
      carpeta.escribe("nums.ini", ini.codifica());
      SoloLectura protegidos;
      if (protegido && !protegidos.protege({carpeta.archivo("nums.ini")})) continue;
      Respondedor r;
      principal().Form_Load();
      configurar().Form_Load();
      for (const Configuracion& leida : {principal().configuracion, configurar().configuracion}) {
        EXPECT_EQ(leida.precio, c.precio);
        EXPECT_EQ(leida.meses, c.meses);
      }
      plataforma::archivos().cierraTodos();
      const Configuracion escrito = Configuracion::decodifica(carpeta.lee("nums.ini"));
      EXPECT_EQ(escrito.codifica(), protegido ? ini.codifica() : principal().configuracion.codifica());
      descargaConfigurar();
      descargaPrincipal();
      procesaDescargas();
    }
}
