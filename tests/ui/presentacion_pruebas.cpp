#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "plataforma/msgbox.h"
#include "ui/Presentacion.h"
#include "ui/Principal.h"

TEST(Presentacion, EightPicturesThenEntrarThenMainWindowOnThe58thTick) {
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  Presentacion& p = presentacion();
  EXPECT_EQ(p.fotograma, 1);
  EXPECT_EQ(p.pulsos, 2);
  EXPECT_TRUE(p.Timer1->isActive());
  EXPECT_EQ(p.Timer1->interval(), 150);
  for (int i = 1; i <= 8; ++i) EXPECT_FALSE(p.ImageList1[i].isNull()) << i;

  for (int tick = 1; tick <= 7; ++tick) {
    p.Timer1_Timer();
    EXPECT_EQ(p.imagenActual(), tick);
    EXPECT_TRUE(p.Command1->isHidden());
  }
  p.Timer1_Timer();
  EXPECT_EQ(p.imagenActual(), 8);
  EXPECT_EQ(p.fotograma, 10);
  EXPECT_FALSE(p.Command1->isHidden());
  EXPECT_EQ(p.Command1->text(), "Entrar");

  for (int tick = 9; tick <= 57; ++tick) p.Timer1_Timer();
  EXPECT_EQ(principalSiExiste(), nullptr);
  p.Timer1_Timer();  // the 58th tick
  ASSERT_NE(principalSiExiste(), nullptr);
  EXPECT_TRUE(principal().cargado());
  EXPECT_TRUE(principal().isVisible());
  // The main window's start-up unloaded the splash.
  EXPECT_EQ(presentacionSiExiste(), nullptr);
}

TEST(Presentacion, EntrarStopsTheTimerSoTheMainWindowOpensOnce) {
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  Presentacion& p = presentacion();
  for (int tick = 1; tick <= 10; ++tick) p.Timer1_Timer();
  p.Command1->click();
  EXPECT_FALSE(p.Timer1->isActive());
  Principal* primera = principalSiExiste();
  ASSERT_NE(primera, nullptr);
  EXPECT_EQ(primera->SSTab1->count(), 5);
}

TEST(Principal, CaptionAndTabs) {
  CarpetaPrograma carpeta;
  Principal& p = principal();
  EXPECT_TRUE(p.windowTitle().startsWith("Bolvanta v.3.4.9991 - Comprueba tus números por internet."));
  const QStringList esperadas{"General", "Último sorteo", "Gestor de peñas", "Estadísticas",
                              "Crear combinación"};
  ASSERT_EQ(p.SSTab1->count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p.SSTab1->tabText(i), esperadas[i]);
}
