// The frame of the main window: the menus, the tab change, the picture buttons and the way out.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/twips.h"
#include "syndicates/grafico.h"
#include "ui/Principal.h"

using plataforma::Respondedor;

namespace {

// The menu bar as the user reads it: every entry with the menus above it, in order.
QStringList entradas(const QList<QAction*>& acciones, const QString& camino = {}) {
  QStringList r;
  for (QAction* a : acciones) {
    const QString aqui = camino.isEmpty() ? a->text() : camino + " > " + a->text();
    r << aqui;
    if (a->menu()) r << entradas(a->menu()->actions(), aqui);
  }
  return r;
}

}  // namespace

TEST(Marco, MenuEntriesInOrderWithTheirTexts) {
  CarpetaPrograma carpeta;
  Principal& p = principal();
  const QStringList esperadas{
      "General",
      "General > Bajar Sorteos nuevos",
      "General > Crear peña nueva",
      "General > Borrar sorteos almacenados/Reset aciertos peñas",
      "General > Sencillas",
      "General > Sencillas > Todos los resultados",
      "General > Sencillas > Sólo si hay premio",
      "General > Sencillas > Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)",
      "General > Sencillas > Sólo si hay premios + histórico",
      "General > Múltiples",
      "General > Múltiples > Todos los resultados",
      "General > Múltiples > Sólo si hay premio",
      "General > Múltiples > Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)",
      "General > Múltiples > Sólo si hay premios + histórico",
      "General > Salir",
      "Ver",
      "Ver > Pestaña General",
      "Ver > Pestaña Último sorteo",
      "Ver > Pestaña Gestor de peñas",
      "Ver > Pestaña Estadísticas",
      "Ver > Pestaña Crear Combinación",
      "Opciones",
      "Opciones > Configuración",
      "Ayuda",
      "Ayuda > Instrucciones",
      "Ayuda > Leer mensaje del Jefe",
      "Ayuda > Web del programa",
      "Ayuda > Acerca de...",
  };
  EXPECT_EQ(entradas(p.menuBar()->actions()), esperadas);
  if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) {
    int n = 0;
    for (QAction* a : p.menuBar()->actions()) {
      QList<QMenu*> menus{a->menu()};
      menus << a->menu()->findChildren<QMenu*>();
      for (QMenu* m : menus) {
        m->popup(QPoint(0, 0));
        m->grab().save(QStringLiteral("/tmp/h11b-menu%1.png").arg(n++));
        m->hide();
      }
    }
  }
  // The named entries are the ones the program means, and the tab entries bring their tab.
  const std::pair<QAction*, const char*> nombradas[] = {
      {p.Baja, "Bajar Sorteos nuevos"}, {p.borrpe, "Borrar sorteos almacenados/Reset aciertos peñas"},
      {p.salir, "Salir"}, {p.confi, "Configuración"}, {p.instrucciones, "Instrucciones"},
      {p.Leer, "Leer mensaje del Jefe"}, {p.web, "Web del programa"}, {p.acerca, "Acerca de..."},
      {p.Crearp, "Crear peña nueva"}};
  for (const auto& [accion, texto] : nombradas) {
    ASSERT_NE(accion, nullptr) << texto;
    EXPECT_EQ(accion->text(), QString::fromUtf8(texto));
  }
  const std::pair<QAction*, int> pestanas[] = {{p.esta, 3}, {p.Gestor, 2}, {p.ultimo, 1}, {p.gene, 0}, {p.comb, 4}};
  for (const auto& [accion, pestana] : pestanas) {
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

// The generator always opens on the Manual/Automática choice, whichever way it was left, and the
// tab "Último sorteo" is refused while a download runs, without a box.
TEST(Marco, TabChangeResetsTheGeneratorAndIsRefusedDuringADownload) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();
  auto eleccion = [&] {
    for (QWidget* w : std::initializer_list<QWidget*>{p.Command4, p.Command9, p.Image6, p.Label54, p.Label56,
                                                      p.Label33, p.Label53, p.Label55})
      if (w->isHidden()) return false;
    return p.Frame12->isHidden() && p.Frame6->isHidden() && p.Frame7->isHidden();
  };
  for (int desde : {0, 2, 3}) {
    p.SSTab1->setCurrentIndex(desde);
    p.comb->trigger();
    EXPECT_TRUE(eleccion()) << desde;
    EXPECT_FALSE(p.Image2[0]->isEnabled());
    EXPECT_EQ(p.Image2[0]->Picture(), 5);
    p.Command9_Click();  // "Automática"
    p.Slider2->setValue(6);
    EXPECT_FALSE(p.Frame7->isHidden());
    p.SSTab1->setCurrentIndex(desde);
    EXPECT_FALSE(p.Command4->isHidden()) << desde;
    EXPECT_EQ(p.Slider2->value(), 0) << desde;
  }

  // The way back from "Último sorteo" runs the handler again; the generator still ends on its choice.
  p.Timer1->start();
  for (int desde : {2, 0, 4}) {
    p.SSTab1->setCurrentIndex(desde);
    if (desde == 4) p.Command9_Click();
    p.ultimo->trigger();
    EXPECT_EQ(p.SSTab1->currentIndex(), desde);
    if (desde == 4) {
      EXPECT_TRUE(eleccion());
    }
    QTest::mouseClick(p.SSTab1->tabBar(), Qt::LeftButton, {}, p.SSTab1->tabBar()->tabRect(1).center());
    EXPECT_EQ(p.SSTab1->currentIndex(), desde);
    EXPECT_EQ(p.SSTab1->tabBar()->currentIndex(), desde);
  }
  p.Timer1->stop();
  EXPECT_TRUE(respuestas.cajas().empty());

  // Without a download the tab shows, and a message on it is fetched again.
  p.SSTab1->setCurrentIndex(0);
  p.Text1->show();
  p.Text1->setText(QString());
  p.ultimo->trigger();
  EXPECT_EQ(p.SSTab1->currentIndex(), 1);
  EXPECT_FALSE(p.Text1->Text().isEmpty());
  EXPECT_TRUE(p.Label8->styleSheet().contains("#e0e0e0"));
}

TEST(Marco, PictureButtonsAndRollOvers) {
  CarpetaPrograma carpeta;
  escribeSorteos(carpeta, {sorteoDe(QDate(2026, 12, 3))});
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();
  const QByteArray numeros = carpeta.lee("numeros.dat");
  p.Command5->setEnabled(false);
  p.Image1_Click(2);
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(carpeta.lee("numeros.dat"), numeros);
  p.Command5->setEnabled(true);
  p.Image1_Click(2);  // the clearing's first question
  EXPECT_FALSE(respuestas.cajas().empty());

  struct Caso {
    float x, y;
    int imagen;
  };
  const Caso borde[] = {{6, 40, 2}, {7, 40, 1}, {109, 40, 1}, {110, 40, 2},
                        {60, 12, 2}, {60, 13, 1}, {60, 69, 1}, {60, 70, 2}};
  for (const Caso& c : borde) {
    p.Picture2_MouseMove(0, 0, c.x, c.y);
    EXPECT_EQ(p.Picture2->Picture(), c.imagen) << c.x << "," << c.y;
  }
  p.Image5->setPicture(p.ImageList1, 14);
  p.SSTab1->setCurrentIndex(2);
  p.SSTab1_MouseMove();
  EXPECT_EQ(p.Image5->Picture(), 14);
  p.SSTab1->setCurrentIndex(0);
  p.SSTab1_MouseMove();
  EXPECT_EQ(p.Image5->Picture(), 13);
  // With the mouse: over the download button's middle, then over the bare tab beside the print icon.
  p.show();
  QTest::mouseMove(p.Picture2, p.Picture2->rect().center());
  EXPECT_EQ(p.Picture2->Picture(), 1);
  p.Image5->setPicture(p.ImageList1, 14);
  QTest::mouseMove(p.SSTab1->widget(0), p.Image5->geometry().topLeft() - QPoint(8, 8));
  EXPECT_EQ(p.Image5->Picture(), 13);

  // The syndicate tab as start-up leaves it.
  EXPECT_FALSE(p.Frame4->isHidden());
  EXPECT_EQ(p.MSChart3->parentWidget(), p.Frame4);
  EXPECT_EQ(p.Frame8->title(), QString::fromUtf8("Tipo de Peña:"));
  EXPECT_EQ(p.Frame8->y(), plataforma::px(4550));
  EXPECT_EQ(p.Frame1->y(), plataforma::px(5520));
  EXPECT_EQ(p.Frame13->y(), plataforma::px(5520));
  EXPECT_EQ(p.Frame13->parentWidget(), p.SSTab1->widget(2));
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
    QTimer::singleShot(0, p, [&] {
      if (cierre)
        p->close();
      else
        p->salir->trigger();
    });
    QTimer guardia;  // a program that does not end fails the test instead of hanging it
    guardia.setSingleShot(true);
    QObject::connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guardia.start(5000);
    EXPECT_EQ(QApplication::exec(), 0) << cierre;
    guardia.stop();
    for (int n = 1; n <= 9; ++n) EXPECT_FALSE(plataforma::archivos().abierto(n)) << cierre << " " << n;
    procesaDescargas();
    EXPECT_TRUE(p.isNull()) << cierre;
  }
}
