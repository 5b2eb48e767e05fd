// Activation of the main window with real windows and real message boxes: it runs when the main
// window comes back from one of the program's own windows, never when a message box closes.
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include "apoyo/cajas.h"
#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/fechas.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "ui/Principal.h"

namespace {

class Activacion : public ::testing::Test {
 protected:
  // The main window on the screen, active, with four draws and one syndicate, the check view over
  // three draws.
  Principal& arranca() {
    plataforma::fijaReloj(QDateTime(QDate(2025, 3, 11), QTime(10, 0)));
    escribeSorteos(carpeta, {sorteoDe(QDate(2025, 3, 1)), sorteoDe(QDate(2025, 3, 3)),
                             sorteoDe(QDate(2025, 3, 6)), sorteoDe(QDate(2025, 3, 8))});
    escribePenas(carpeta, {penaDe("UNA", "Todos (L+J+S)", QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})});
    Principal& p = principal();
    p.Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&p));
    EXPECT_EQ(p.activaciones, 1);
    p.HScroll1->setValue(3);
    return p;
  }
  void TearDown() override {
    descargaCrea();
    descargaCreamenu();
    procesaDescargas();
  }
  CarpetaPrograma carpeta;
};

// "Editar Peña" with no syndicate chosen answers with a box; closing it leaves the view as it was.
TEST_F(Activacion, ClosingARealBoxLeavesTheCheckViewAlone) {
  Principal& p = arranca();
  CajasReales cajas;
  estado().penaelegida = 0;
  p.Command7_Click();
  QTest::qWait(100);
  EXPECT_EQ(cajas.textos(), QStringList{"Seleccione una peña primero..."});
  EXPECT_TRUE(QTest::qWaitForWindowActive(&p));
  EXPECT_EQ(p.activaciones, 1);
  EXPECT_EQ(p.HScroll1->value(), 3);
  EXPECT_EQ(p.Text3->text(), "3");
}

// Back from the editor, the main window runs its activation: the editor is unloaded and the check
// view goes back to the newest draw. A box the editor showed on the way changes nothing of that.
TEST_F(Activacion, ComingBackFromTheEditorActivates) {
  Principal& p = arranca();
  CajasReales cajas;
  estado().penaelegida = 1;
  p.Command7_Click();
  Crea* c = creaSiExiste();
  ASSERT_NE(c, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowActive(c));
  QTest::mouseClick(c->Image1[39], Qt::LeftButton);  // the bet loses its 40: a box on closing
  c->close();
  QTest::qWait(100);
  EXPECT_EQ(cajas.textos().size(), 1);
  EXPECT_EQ(creaSiExiste(), c);
  EXPECT_EQ(p.activaciones, 1);
  QTest::mouseClick(c->Image1[39], Qt::LeftButton);
  c->close();
  p.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
  QTest::qWait(50);
  EXPECT_EQ(p.activaciones, 2);
  EXPECT_EQ(creaSiExiste(), nullptr);
  EXPECT_EQ(p.HScroll1->value(), 1);
  EXPECT_EQ(cajas.textos().size(), 1);
}

}  // namespace
