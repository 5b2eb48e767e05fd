// The frame of the main window: the menus, the tab change, the picture buttons and the way out.
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/cajas.h"
#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/twips.h"
#include "ui/Acercade.h"
#include "ui/Principal.h"

using plataforma::px;
using plataforma::Respondedor;

namespace {

// Every entry with the menus above it, in order; a picture of each menu when asked for.
QStringList entradas(const QList<QAction*>& acciones, const QString& camino = {}) {
  QStringList r;
  for (QAction* a : acciones) {
    r << (camino.isEmpty() ? a->text() : camino + " > " + a->text());
    if (!a->menu()) continue;
    r << entradas(a->menu()->actions(), r.last());
    if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS"))
      a->menu()->grab().save(QStringLiteral("/tmp/h11b-menu-%1.png").arg(a->text()));
  }
  return r;
}

}  // namespace

TEST(Marco, MenuEntriesInOrderWithTheirTexts) {
  CarpetaPrograma carpeta;
  Principal& p = principal();
  const QString s = "General > Sencillas > ", m = QString::fromUtf8("General > Múltiples > ");
  const QStringList esperadas{
      "General", "General > Bajar Sorteos nuevos", "General > Crear peña nueva",
      "General > Borrar sorteos almacenados/Reset aciertos peñas", "General > Sencillas",
      s + "Todos los resultados", s + "Sólo si hay premio",
      s + "Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)",
      s + "Sólo si hay premios + histórico", "General > Múltiples", m + "Todos los resultados",
      m + "Sólo si hay premio", m + "Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)",
      m + "Sólo si hay premios + histórico", "General > Salir", "Ver", "Ver > Pestaña General",
      "Ver > Pestaña Último sorteo", "Ver > Pestaña Gestor de peñas", "Ver > Pestaña Estadísticas",
      "Ver > Pestaña Crear Combinación", "Opciones", "Opciones > Configuración", "Ayuda", "Ayuda > Instrucciones",
      "Ayuda > Leer mensaje del Jefe", "Ayuda > Web del programa", "Ayuda > Acerca de..."};
  EXPECT_EQ(entradas(p.menuBar()->actions()), esperadas);
  EXPECT_EQ(p.borrpe->text(), QString::fromUtf8("Borrar sorteos almacenados/Reset aciertos peñas"));
  EXPECT_EQ(p.salir->text(), "Salir");
  for (auto [accion, pestana] : {std::pair{p.esta, 3}, {p.Gestor, 2}, {p.ultimo, 1}, {p.gene, 0}, {p.comb, 4}}) {
    accion->trigger();
    EXPECT_EQ(p.SSTab1->currentIndex(), pestana) << accion->text().toStdString();
  }
  QStringList abiertas;
  plataforma::fijaAbridor([&](const QString& d) { abiertas << d; });
  p.configuracion.direccionweb = QStringLiteral("  www.bolvanta.es").leftJustified(60);
  p.instrucciones->trigger();
  plataforma::fijaAbridor({});
  EXPECT_EQ(abiertas, QStringList{"http://www.bolvanta.es/descargas/Instrucciones%20Bolvanta%203.2.pdf"});
}

// The generator always opens on the Manual/Automática choice, however it was left, and the tab
// "Último sorteo" is refused while a download runs, without a box.
TEST(Marco, TabChangeResetsTheGeneratorAndIsRefusedDuringADownload) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();
  auto eleccion = [&] {
    for (QWidget* w : std::initializer_list<QWidget*>{p.Command4, p.Command9, p.Image6, p.Label54, p.Label56,
                                                      p.Label33, p.Label53, p.Label55})
      if (w->isHidden()) return false;
    return p.Frame12->isHidden() && p.Frame6->isHidden() && p.Frame7->isHidden() && !p.Image2[0]->isEnabled() &&
           p.Image2[0]->Picture() == 5 && p.Slider2->value() == 0;
  };
  for (int desde : {0, 2, 3}) {
    p.SSTab1->setCurrentIndex(desde);
    p.comb->trigger();
    EXPECT_TRUE(eleccion()) << desde;
    p.Command9_Click();  // "Automática"
    p.Slider2->setValue(6);
    p.SSTab1->setCurrentIndex(desde);
    EXPECT_FALSE(p.Command4->isHidden()) << desde;
    EXPECT_EQ(p.Slider2->value(), 0) << desde;
  }
  p.Timer1->start();
  for (int desde : {2, 0, 4}) {
    p.SSTab1->setCurrentIndex(desde);
    if (desde == 4) p.Command9_Click();
    p.ultimo->trigger();
    EXPECT_EQ(p.SSTab1->currentIndex(), desde);
    EXPECT_TRUE(desde != 4 || eleccion());
    QTest::mouseClick(p.SSTab1->tabBar(), Qt::LeftButton, {}, p.SSTab1->tabBar()->tabRect(1).center());
    EXPECT_EQ(p.SSTab1->tabBar()->currentIndex(), desde);
  }
  p.Timer1->stop();
  EXPECT_TRUE(respuestas.cajas().empty());
  // Without a download the tab comes to the front, and a message on it is fetched again.
  p.SSTab1->setCurrentIndex(0);
  p.Text1->show();
  p.Text1->setText(QString());
  p.ultimo->trigger();
  EXPECT_EQ(p.SSTab1->currentIndex(), 1);
  EXPECT_FALSE(p.Text1->Text().isEmpty());
  EXPECT_TRUE(p.Label8->styleSheet().contains("#e0e0e0"));
}

TEST(Marco, PictureButtonsRollOversAndTheSyndicateTab) {
  CarpetaPrograma carpeta;
  escribeSorteos(carpeta, {sorteoDe(QDate(2026, 12, 3))});
  Principal& p = principal();
  {
    Respondedor quieto;
    p.Form_Load();
  }
  const QByteArray numeros = carpeta.lee("numeros.dat");
  p.Command5->setEnabled(false);
  {
    CajasReales cajas;
    QTest::mouseClick(p.Image1[2], Qt::LeftButton);
    EXPECT_TRUE(cajas.textos().isEmpty());
  }
  EXPECT_EQ(carpeta.lee("numeros.dat"), numeros);
  p.Command5->setEnabled(true);
  {
    CajasReales cajas;  // each question once, answered with its default button
    QTest::mouseClick(p.Image1[2], Qt::LeftButton);
    EXPECT_EQ(cajas.textos().size(), 2) << cajas.textos().join(" | ").toStdString();
  }
  EXPECT_TRUE(carpeta.lee("numeros.dat").isEmpty());
  Respondedor respuestas;

  for (auto [x, y, imagen] : {std::tuple{6, 40, 2}, {7, 40, 1}, {109, 40, 1}, {110, 40, 2}, {60, 12, 2},
                              {60, 13, 1}, {60, 69, 1}, {60, 70, 2}}) {
    p.Picture2_MouseMove(0, 0, x, y);
    EXPECT_EQ(p.Picture2->Picture(), imagen) << x << "," << y;
  }
  // With the mouse: the download button's middle, then the bare tab beside the print icon.
  p.show();
  QTest::mouseMove(p.Picture2, p.Picture2->rect().center());
  EXPECT_EQ(p.Picture2->Picture(), 1);
  p.Image5->setPicture(p.ImageList1, 14);
  QTest::mouseMove(p.SSTab1->widget(0), p.Image5->geometry().topLeft() - QPoint(8, 8));
  EXPECT_EQ(p.Image5->Picture(), 13);

  EXPECT_FALSE(p.Frame4->isHidden());
  EXPECT_EQ(std::tuple(p.Frame8->y(), p.Frame1->y(), p.Frame13->y()), std::tuple(px(4550), px(5520), px(5520)));
  EXPECT_EQ(p.Frame8->title(), QString::fromUtf8("Tipo de Peña:"));
  p.Label28->setText(QString::fromUtf8("-Apuesta múltiple de 11 nºs."));
  p.Label29->setText("34-35-36-37-38-39-40-41-42-43-44-45-46-47-48-49");
  p.Label37->setText("1.234,56 euros.");
  for (QGroupBox* g : {p.Frame1, p.Frame4, p.Frame8, p.Frame13}) {
    EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 16, g->width()) << g->title().toStdString();
    for (QLabel* l : g->findChildren<QLabel*>())
      EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
  }
  if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS"))
    for (int i = 0; i < 5; ++i) {
      p.SSTab1->setCurrentIndex(i);
      p.grab().save(QStringLiteral("/tmp/h11b-pestana%1.png").arg(i));
    }
}

// "Salir" and the close box end the program alike: every file closed, the window unloaded, the
// event loop left.
TEST(Marco, CloseBoxEndsTheProgramAsSalirDoes) {
  for (bool cierre : {false, true}) {
    CarpetaPrograma carpeta;
    Respondedor respuestas;
    QPointer<Principal> p(&principal());
    p->Form_Load();
    p->show();
    ASSERT_TRUE(plataforma::archivos().abierto(ARCH_NUMS_INI));
    QTimer::singleShot(0, p, [&] { cierre ? (void)p->close() : p->salir->trigger(); });
    QTimer guardia;  // a program that does not end fails the test instead of hanging it
    QObject::connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guardia.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << cierre;
    guardia.stop();
    for (int n = 1; n <= 9; ++n) EXPECT_FALSE(plataforma::archivos().abierto(n)) << cierre << " " << n;
    procesaDescargas();
    EXPECT_TRUE(p.isNull()) << cierre;
  }
}

// Every place that opens an address in the user's browser says so in a box, naming the address,
// when the system cannot open it (no browser installed).
TEST(Marco, AnAddressTheSystemCannotOpenIsToldInABox) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;  // the shop's question is answered with its first button, "Sí"
  Principal& p = principal();
  p.Form_Load();
  QStringList abiertas;
  plataforma::fijaAbridor([&](const QString& d) { abiertas << d; }, false);
  plataforma::fijaEleccionArchivo([](const plataforma::DialogoArchivo&) { return QString(); });
  p.avisolector = 1;
  p.instrucciones->trigger();
  p.web->trigger();
  acercade().Label2_Click();
  p.Text1_Click();
  p.Image1_Click(4);  // the import with no file chosen offers the shop
  plataforma::fijaEleccionArchivo({});
  ASSERT_EQ(abiertas.size(), 5);
  ASSERT_EQ(respuestas.cajas().size(), 6u);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(respuestas.cajas()[i + (i == 4)].texto,
              QString::fromUtf8("No se ha podido abrir la dirección «%1»: no se encuentra ningún navegador "
                                "instalado en el sistema.").arg(abiertas[i]));
  CajasReales cajas;
  p.web->trigger();
  plataforma::fijaAbridor({});
  EXPECT_EQ(cajas.textos(), QStringList{respuestas.cajas()[1].texto});
}
