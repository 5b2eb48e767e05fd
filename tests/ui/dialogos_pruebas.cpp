// The About box, the settings dialog, and the menu entries that open them.
#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/cierre.h"
#include "apoyo/datos.h"
#include "data/ajustes.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/version.h"
#include "ui/Acercade.h"
#include "ui/Configurar.h"
#include "ui/Principal.h"

using plataforma::Respondedor;

namespace {

// Every label and button of a window shows its whole text.
void textosCaben(QWidget* ventana) {
  for (QLabel* l : ventana->findChildren<QLabel*>())
    EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
  for (QPushButton* b : ventana->findChildren<QPushButton*>())
    EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 12, b->width()) << b->text().toStdString();
}

// Saves what the user sees, for a look at it, when BOLVANTA_CAPTURAS is set.
void captura(QWidget* ventana, const QString& nombre) {
  if (!qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) return;
  ventana->grab().save(QStringLiteral("/tmp/h11-") + nombre + QStringLiteral(".png"));
}

float precioDe(const QByteArray& b) { return qFromLittleEndian<float>(b.constData() + 12); }
qint16 mesesDe(const QByteArray& b) { return qFromLittleEndian<qint16>(b.constData() + 16); }

}  // namespace

TEST(Acercade, NamesTheSystemFromItsVersion) {
  const char* const tabla[][2] = {{"1.0.0", "Windows 95"},    {"1.9.0", "Windows Millenium"},
                                  {"2.5.3", "Windows 2003"},  {"2.6.2", "Windows 8"},
                                  {"2.10", "2.10"},           {"2.10.0.1", "2.10.0.1"}};
  for (const auto& fila : tabla) EXPECT_EQ(Acercade::VersionToName(fila[0]), fila[1]) << fila[0];

  CarpetaPrograma carpeta;
  struct Caso {
    plataforma::VersionSistema version;
    const char* linea;
  };
  const Caso casos[] = {{{2, 10, 0, {}}, "S.O: Windows 10/11"},
                        {{2, 6, 3, {}}, "S.O: 2.6.3"},
                        {{0, 0, 0, {}}, "S.O: 0.0.0"},  // the call left the buffer unfilled
                        {{0, 6, 1, "Debian GNU/Linux 12 (bookworm)"}, "S.O: Debian GNU/Linux 12 (bookworm)"}};
  for (const Caso& c : casos) {
    plataforma::fijaVersionSistema(c.version);
    EXPECT_EQ(Acercade::NativeGetVersion(), QStringLiteral("%1.%2.%3").arg(c.version.plataforma)
                                                .arg(c.version.mayor).arg(c.version.menor));
    acercade().Form_Load();
    EXPECT_EQ(acercade().Label4->text(), c.linea);
    textosCaben(&acercade());
    if (c.version.mayor == 6) captura(&acercade(), "acercade");
  }
  plataforma::fijaVersionSistema(std::nullopt);
  EXPECT_FALSE(Acercade::NativeGetVersion().isEmpty());

  QStringList abiertas;
  plataforma::fijaAbridor([&](const QString& d) { abiertas << d; });
  acercade().Label2_Click();
  plataforma::fijaAbridor({});
  EXPECT_EQ(abiertas, QStringList{"http://www.bolvanta.es/"});
}

TEST(Configurar, EveryChangeWritesTheWholeRecordWithValidValuesOnly) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  principal().Form_Load();
  // Reserved fields and corrections that no writer may lose.
  QByteArray fijos = carpeta.lee("nums.ini");
  fijos.replace(0, 12, "\x11\x22" "correcci" "\x33\x44").replace(78, 8, "reserva!");
  plataforma::archivos().escribe(ARCH_NUMS_INI, 1, fijos);
  Configurar& c = configurar();
  c.Form_Load();
  EXPECT_EQ(c.Text1->text(), "1");
  EXPECT_EQ(c.Text2->text(), "24");
  struct Caso {
    bool precio;         // the price box, or the months box
    const char* tecleado;
    const char* caja;    // what the box shows afterwards
    float guardado;
  };
  const Caso casos[] = {
      {true, "2,5", "2,5", 2.5f}, {true, "0.75", "0.75", 0.75f}, {true, "3,", "3,", 3},
      {true, "abc", "3", 3},      {true, "", "", 3},  // emptied: the price stays
      {true, "-1", "3", 3},       {true, "5000", "3", 3},        {true, "1e3", "3", 3},
      {true, "0", "0", 0},        {true, "1000", "1000", 1000},
      {false, "36", "36", 36},    {false, "1", "1", 2},          {false, "0", "0", 2},
      {false, "-5", "-5", 2},     {false, "12", "12", 12},       {false, "1x", "12", 12},
      {false, "99999", "999", 999}, {false, "2,5", "999", 999},  {false, "", "", 999},
      {false, "12", "12", 12},      {false, "999", "999", 999},  {false, "5000", "999", 999},
      {false, "12", "12", 12},      {false, "1000", "999", 999}};
  for (const Caso& k : casos) {
    QLineEdit* caja = k.precio ? c.Text1 : c.Text2;
    caja->setText(k.tecleado);
    EXPECT_EQ(caja->text(), k.caja) << k.tecleado;
    const QByteArray ini = carpeta.lee("nums.ini");
    ASSERT_EQ(ini.size(), 86) << k.tecleado;
    EXPECT_EQ(ini.left(12) + ini.mid(18), fijos.left(12) + fijos.mid(18)) << k.tecleado;
    if (k.precio) {
      EXPECT_EQ(precioDe(ini), k.guardado) << k.tecleado;
    } else {
      EXPECT_EQ(mesesDe(ini), k.guardado) << k.tecleado;
      // More months than the longest period are told, not silently cut.
      const bool demasiados = QString::fromLatin1(k.tecleado).toLongLong() > 999;
      EXPECT_EQ(c.Label3->text(), demasiados ? QString::fromUtf8("* Máximo 999 meses")
                                             : QString::fromUtf8("* Mínimo 2 meses")) << k.tecleado;
      if (demasiados) textosCaben(&c);
      c.aplicaMeses();  // the typing settles
      for (QSlider* s : principal().Slider1) EXPECT_EQ(s->maximum(), k.guardado) << k.tecleado;
    }
  }
  // Typed key by key, every step on the way is a valid text.
  c.Text1->clear();
  QTest::keyClicks(c.Text1, "12,75");
  c.Text2->clear();
  QTest::keyClicks(c.Text2, "48");
  EXPECT_EQ(c.Text1->text() + " " + c.Text2->text(), "12,75 48");
  EXPECT_EQ(precioDe(carpeta.lee("nums.ini")), 12.75f);
  EXPECT_EQ(mesesDe(carpeta.lee("nums.ini")), 48);
  textosCaben(&c);
  captura(&c, "configurar");
  c.Label2_Click();
  procesaDescargas();
  EXPECT_EQ(configurarSiExiste(), nullptr);
}

// The months and the price typed reach the main window however the typing ends, without the main
// window coming back to the front: "Cerrar", the window's close box, or a rest longer than the
// typing's settling time. Before that, nothing reaches it: a digit on its way ("1" of "12") counts
// nothing, and the shown syndicate's weekly cost is counted once.
TEST(Configurar, WhatIsTypedReachesTheMainWindowHoweverTheTypingEnds) {
  enum Fin { CERRAR, CAJA_DE_CIERRE, ESPERA };
  struct Caso {
    Fin fin;
    bool meses, precio;  // what is typed
  };
  // Each box's own typing is waited for, so that the other's cannot hide a fault of its timer.
  const Caso casos[] = {{CERRAR, true, true}, {CAJA_DE_CIERRE, true, true}, {ESPERA, true, false},
                        {ESPERA, false, true}};
  for (const Caso& k : casos) {
    SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(k.fin).arg(k.meses).arg(k.precio).toStdString());
    CarpetaPrograma carpeta;
    Respondedor respuestas;
    escribePenas(carpeta, {penaDe(QString::fromUtf8("PEÑA"), QStringLiteral("Todos (L+J+S)"), QDate(2025, 1, 1),
                                  {{1, 2, 3, 4, 5, 6}})});
    Principal& p = principal();
    p.Form_Load();
    const int activaciones = p.activaciones;
    ASSERT_EQ(p.Label37->text(), "3 euros.");  // one bet on three draws a week at 1 euro
    Configurar& c = configurar();
    c.Show();
    if (k.meses) {
      c.Text2->selectAll();
      QTest::keyClicks(c.Text2, "12");
    }
    if (k.precio) {
      c.Text1->selectAll();
      QTest::keyClicks(c.Text1, "2,5");
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(p.Slider1[0]->maximum(), 24);
    EXPECT_EQ(p.Label37->text(), "3 euros.");

    if (k.fin == CERRAR) {
      QTest::mouseClick(c.Label2, Qt::LeftButton);
    } else if (k.fin == CAJA_DE_CIERRE) {
      pideCierre(&c);
      QCoreApplication::processEvents();
    } else {
      for (int i = 0; i < 250 && p.Slider1[0]->maximum() == 24 && p.Label37->text() == "3 euros."; ++i)
        QTest::qWait(20);
    }
    EXPECT_EQ(configurarSiExiste() && configurar().isVisible(), k.fin == ESPERA);
    EXPECT_EQ(p.activaciones, activaciones);
    for (QSlider* s : p.Slider1) {
      EXPECT_EQ(s->maximum(), k.meses ? 12 : 24);
      EXPECT_EQ(s->value(), k.meses ? 12 : 24);
    }
    EXPECT_EQ(p.configuracion.precio, k.precio ? 2.5f : 1.0f);
    EXPECT_EQ(p.Label37->text(), k.precio ? "7,5 euros." : "3 euros.");
  }
}

TEST(Menus, ConfigurationAndAboutOpenTheirDialogsAndActivationClosesThem) {
  CarpetaPrograma carpeta;
  Respondedor respuestas;
  Principal& p = principal();
  p.Form_Load();
  QStringList menus;
  for (QAction* a : p.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, QStringList({"General", "Ver", "Opciones", "Ayuda"}));
  const QList<QAction*> ayuda = p.menuBar()->actions()[3]->menu()->actions();
  ASSERT_FALSE(ayuda.isEmpty());
  EXPECT_EQ(ayuda.last()->text(), "Acerca de...");
  const QList<QAction*> opciones = p.menuBar()->actions()[2]->menu()->actions();
  ASSERT_EQ(opciones.size(), 1);
  EXPECT_EQ(opciones[0]->text(), QString::fromUtf8("Configuración"));

  opciones[0]->trigger();
  ayuda.last()->trigger();
  ASSERT_NE(configurarSiExiste(), nullptr);
  ASSERT_NE(acercadeSiExiste(), nullptr);
  EXPECT_TRUE(configurar().isVisible());
  EXPECT_EQ(configurar().Text2->text(), "24");
  EXPECT_TRUE(acercade().Label4->text().startsWith("S.O: "));
  p.Form_Activate();
  EXPECT_EQ(configurarSiExiste(), nullptr);
  EXPECT_EQ(acercadeSiExiste(), nullptr);
  textosCaben(p.Command5->parentWidget());
  p.SSTab1->setCurrentIndex(3);
  captura(&p, "estadisticas");
}

// The clear-all questions as real boxes: one click each, and nothing changes on "No".
TEST(Menus, ClearingWithRealBoxesAsksEachQuestionOnce) {
  CarpetaPrograma carpeta;
  {
    Respondedor quieto;
    principal().Form_Load();
  }
  int cajas = 0;
  std::function<void()> pulsaNo = [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!caja) return;
    ++cajas;
    for (QAbstractButton* b : caja->buttons())
      if (b->text() == "No") {
        if (cajas < 2) QTimer::singleShot(0, pulsaNo);
        b->click();
      }
  };
  QTimer::singleShot(0, pulsaNo);
  principal().Command5_Click();
  EXPECT_EQ(cajas, 2);
  EXPECT_EQ(principal().borrasorteos, 1);
  QPointer<Principal> p(&principal());
  descargaPrincipal();
  procesaDescargas();
  EXPECT_TRUE(p.isNull());
}
