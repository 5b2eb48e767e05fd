// The program on data it may not write: a read-only folder, or one read-only data file. The files
// are made read-only for real (immutable, which stops root too), so that what the program shows and
// what it leaves on disk are those of a real installation.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/inmutable.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "syndicates/Imprimir.h"
#include "ui/Configurar.h"
#include "ui/Principal.h"

using plataforma::Respondedor;

namespace {

const QString PERMISO = "Error de permiso";

// Every file of the folder with its bytes.
std::map<QString, QByteArray> contenido(const CarpetaPrograma& carpeta) {
  std::map<QString, QByteArray> r;
  for (const QString& n : QDir(carpeta.ruta()).entryList(QDir::Files)) r[n] = carpeta.lee(n);
  return r;
}

QStringList titulos(const Respondedor& r) {
  QStringList t;
  for (const auto& c : r.cajas()) t << c.titulo;
  return t;
}

}  // namespace

// The draws and the syndicates are shown, the permission message comes once, and every change is
// refused with it; not one byte of the folder changes.
TEST(SoloLectura, DataIsShownAndNoChangeIsMade) {
  struct Caso {
    const char* nombre;
    QStringList protegidos;  // "" is the folder itself
  };
  const Caso casos[] = {
      {"carpeta", {"", "apuestas.dat", "numeros.dat", "nums.ini", "www.txt", "Bolvanta.mdb", "tablas.bin"}},
      {"numeros.dat", {"numeros.dat"}},
      {"apuestas.dat", {"apuestas.dat"}},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    CarpetaPrograma carpeta;
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 11), QTime(10, 0)));
    escribeSorteos(carpeta, {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)),
                             sorteoDe(QDate(2025, 3, 6), {1, 2, 3, 30, 31, 32}), sorteoDe(QDate(2025, 3, 8))});
    {
      // nums.ini, www.txt and the report tables as an earlier run left them.
      Respondedor r;
      principal().Form_Load();
      descargaPrincipal();
      procesaDescargas();
      plataforma::archivos().cierraTodos();
    }
    // PREMIADA hits three numbers of every draw and has counted none: every check would write it.
    escribePenas(carpeta, {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}}),
                           penaDe("OTRA", "Lunes", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})});
    const auto antes = contenido(carpeta);

    SoloLectura protegidos;
    QStringList rutas;
    for (const QString& n : caso.protegidos) rutas << carpeta.archivo(n);
    if (!protegidos.protege(rutas)) GTEST_SKIP() << "Sin archivos de solo lectura: " << protegidos.motivo().toStdString();

    Respondedor respuestas;
    Principal& p = principal();
    p.Form_Load();
    ASSERT_EQ(principalSiExiste(), &p);
    EXPECT_EQ(titulos(respuestas), QStringList{PERMISO});
    EXPECT_TRUE(estado().sololectura);
    EXPECT_EQ(p.Label9[3]->text(), QString::fromUtf8("Sábado, 8 de marzo del 2025"));
    EXPECT_EQ(p.Label9[2]->text(), "2");
    ASSERT_EQ(p.ListView1->Count(), 2);
    EXPECT_EQ(p.ListView1->Text(1).trimmed(), "PREMIADA");
    EXPECT_EQ(p.Label3[0]->text(), "0");
    p.Form_Activate();

    // The check over three draws finds the prize, shows it and writes nothing.
    p.HScroll1->setValue(3);
    EXPECT_EQ(p.Text3->text(), "3");
    bool premio = false;
    for (int f = 1; f <= p.ListView2->Count(); ++f)
      premio = premio || p.ListView2->subText(f, 7) == QString::fromUtf8("¡¡ Premio !! Has acertado 3 números.");
    EXPECT_TRUE(premio);

    // Every change is refused with the permission message.
    estado().penaelegida = 1;
    p.Command7_Click();
    EXPECT_EQ(creaSiExiste(), nullptr);
    p.Command4_Click();
    p.Crearp_Click();
    EXPECT_EQ(creamenuSiExiste(), nullptr);
    p.Picture2_Click();
    EXPECT_FALSE(p.Timer1->isActive());
    respuestas.agrega(plataforma::vbYes);
    p.Command3_Click();
    EXPECT_EQ(titulos(respuestas), (QStringList{PERMISO, PERMISO, PERMISO, PERMISO, PERMISO, PERMISO}));
    EXPECT_EQ(p.ListView1->Count(), 2);
    EXPECT_EQ(contenido(carpeta), antes);
    descargaPrincipal();
    procesaDescargas();
  }
}

// The settings dialog on read-only settings: every change is refused with the permission message
// and the box shows the stored value again; nums.ini and the statistics stay as they were.
TEST(SoloLectura, TheSettingsRefuseEveryChange) {
  CarpetaPrograma carpeta;
  plataforma::fijaReloj(QDateTime(QDate(2025, 3, 11), QTime(10, 0)));
  escribeSorteos(carpeta, {sorteoDe(QDate(2023, 3, 2)), sorteoDe(QDate(2025, 3, 8))});
  {
    Respondedor r;
    principal().Form_Load();
    descargaPrincipal();
    procesaDescargas();
    plataforma::archivos().cierraTodos();
  }
  const auto antes = contenido(carpeta);
  SoloLectura protegidos;
  if (!protegidos.protege({carpeta.archivo("nums.ini")}))
    GTEST_SKIP() << "Sin archivos de solo lectura: " << protegidos.motivo().toStdString();

  Principal& p = principal();
  {
    Respondedor r;
    p.Form_Load();
    EXPECT_EQ(titulos(r), QStringList{PERMISO});
  }
  p.Check3[5]->setChecked(false);
  ASSERT_EQ(p.Label7->text(), "TOTAL: 1 sorteo.");
  Configurar& c = configurar();
  {
    // Said once, not at every keystroke; each box shows the stored value again.
    Respondedor r;
    c.Form_Load();  // showing the stored values is no change
    c.Text2->selectAll();
    QTest::keyClicks(c.Text2, "36");
    c.Text1->selectAll();
    QTest::keyClick(c.Text1, Qt::Key_Backspace);
    EXPECT_EQ(titulos(r), QStringList{PERMISO});
    EXPECT_EQ(c.Text1->text() + " " + c.Text2->text(), "1 24");
  }
  // A real box, shown over the dialog opened again and closed: the box comes once and the months
  // are put back.
  descargaConfigurar();
  procesaDescargas();
  Configurar& otra = configurar();
  otra.Form_Load();
  otra.show();
  int cajas = 0;
  QTimer::singleShot(0, [&] {
    if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++cajas;
      caja->accept();
    }
  });
  otra.Text2->selectAll();
  QTest::keyClick(otra.Text2, Qt::Key_5);
  QTest::keyClick(otra.Text2, Qt::Key_7);
  EXPECT_EQ(cajas, 1);
  EXPECT_EQ(otra.Text2->text(), "24");
  {
    Respondedor r;
    p.Form_Activate();
  }
  for (QSlider* s : p.Slider1) EXPECT_EQ(s->maximum(), 24);
  EXPECT_EQ(p.Label7->text(), "TOTAL: 1 sorteo.");
  EXPECT_EQ(contenido(carpeta), antes);
  descargaPrincipal();
  procesaDescargas();
}

// nums.ini alone read-only is read-only data: every command that would change a file is refused
// with the permission message alone, before it asks anything or opens a dialog, and no byte of the
// folder changes (numeros.dat, numeros.bak, apuestas.dat, Bolvanta.mdb).
TEST(SoloLectura, EveryChangeIsRefusedWithTheSettingsAloneReadOnly) {
  const auto elige = [](const plataforma::DialogoArchivo&) -> QString {
    ADD_FAILURE() << "file dialog shown";
    return {};
  };
  const std::pair<const char*, std::function<void(Principal&)>> casos[] = {
      {"borrar todos los sorteos", [](Principal& p) { p.Command5_Click(); }},
      {"borrar un sorteo",
       [](Principal& p) {
         p.borrasorteos = 1;
         p.ListView3_ItemClick(1);
         EXPECT_EQ(p.ListView3->Count(), 4);
       }},
      {"importar sorteos",
       [&](Principal& p) {
         plataforma::fijaEleccionArchivo(elige);
         p.Command8_Click();
         plataforma::fijaEleccionArchivo({});
       }},
      {"clasificación de los números",
       [](Principal& p) {
         p.Command9_Click();
         p.Slider2->setValue(6);
         QCoreApplication::processEvents();
         EXPECT_EQ(p.Slider2->value(), 0);
       }},
      {"configuración",
       [](Principal&) {
         configurar().Form_Load();
         for (const char* texto : {"2", "25"}) configurar().Text1->setText(texto);
         configurar().Text2->setText("3");
       }},
      {"correcciones de impresión",
       [](Principal& p) {
         p.ListView1_ItemClick(1);
         p.Command2_Click();
         for (int i : {0, 1}) imprimir().Text1[i]->setText("4");
       }},
      {"bajar sorteos", [](Principal& p) { p.Picture2_Click(); }},
      {"crear peña", [](Principal& p) { p.Command4_Click(); }},
      {"editar peña", [](Principal& p) { p.Command7_Click(); }},
      {"borrar peña", [](Principal& p) { p.Command3_Click(); }},
  };
  for (const auto& [nombre, accion] : casos) {
    SCOPED_TRACE(nombre);
    CarpetaPrograma carpeta;
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 11), QTime(10, 0)));
    escribeSorteos(carpeta, {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)),
                             sorteoDe(QDate(2025, 3, 6), {1, 2, 3, 30, 31, 32}), sorteoDe(QDate(2025, 3, 8))});
    escribePenas(carpeta, {penaDe("PREMIADA", "Todos (L+J+S)", QDate(2025, 1, 2), {{1, 2, 3, 40, 41, 42}})});
    QDir(carpeta.ruta()).mkdir("otra");
    carpeta.escribe("otra/numeros.dat", carpeta.lee("numeros.dat").left(64));
    {
      Respondedor r;
      principal().Form_Load();
      descargaPrincipal();
      procesaDescargas();
      plataforma::archivos().cierraTodos();
    }
    SoloLectura protegidos;
    if (!protegidos.protege({carpeta.archivo("nums.ini")}))
      GTEST_SKIP() << "Sin archivos de solo lectura: " << protegidos.motivo().toStdString();
    const auto antes = contenido(carpeta);

    Respondedor r;
    Principal& p = principal();
    p.Form_Load();
    ASSERT_EQ(titulos(r), QStringList{PERMISO});
    // A question would be answered yes; none is asked.
    estado().penaelegida = 1;
    r.agrega(plataforma::vbYes);
    accion(p);
    EXPECT_EQ(titulos(r).mid(1), QStringList{PERMISO});
    EXPECT_EQ(creaSiExiste(), nullptr);
    EXPECT_EQ(creamenuSiExiste(), nullptr);
    EXPECT_FALSE(p.Timer1->isActive());
    EXPECT_EQ(contenido(carpeta), antes);
    descargaPrincipal();
    procesaDescargas();
  }
}
