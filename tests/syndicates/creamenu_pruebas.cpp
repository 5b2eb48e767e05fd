// The bet-mode chooser: its lists, the hand-over of the choice to the editor, and its marks.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include "syndicates/crea_comun.h"
#include "syndicates/tablas.h"

namespace {

using namespace editor;

class CreamenuVentana : public Ventanas {
 protected:
  Creamenu& abre() {
    abreDatos();
    creamenu().Show();
    return creamenu();
  }
  static QStringList elementos(const QComboBox* combo) {
    QStringList r;
    for (int i = 0; i < combo->count(); ++i) r << combo->itemText(i);
    return r;
  }
  static void elige(Creamenu& m, int indice) {
    m.Combo1->setCurrentIndex(indice);
    Q_EMIT m.Combo1->activated(indice);
  }
};

TEST_F(CreamenuVentana, ListsEverySystemEachTimeReducedIsChosen) {
  Creamenu& m = abre();
  EXPECT_TRUE(m.Combo1->isHidden());
  QStringList esperados;
  const auto tablas = leeTablas(carpeta.lee("tablas.bin"));
  for (const TablaReducida& t : tablas)
    esperados << QString::fromUtf8("%1 números al %2, %3 apuestas.").arg(t.totalnumeros).arg(t.garantia).arg(t.totalapuestas);
  ASSERT_EQ(esperados.size(), 29);
  // Reduced, multiple, reduced again: refilled from the first system, and nothing chosen meanwhile.
  QTest::mouseClick(m.Option1[2], Qt::LeftButton);
  QTest::mouseClick(m.Option1[0], Qt::LeftButton);
  QTest::mouseClick(m.Option1[2], Qt::LeftButton);
  EXPECT_EQ(elementos(m.Combo1), esperados);
  EXPECT_EQ(m.Combo1->placeholderText(), QString::fromUtf8("Seleccione Reducción"));
  EXPECT_TRUE(m.Combo1->isVisible());
  EXPECT_EQ(creaSiExiste(), nullptr);

  elige(m, 2);
  EXPECT_EQ(estado().modalidad, 7);
  EXPECT_EQ(estado().sistemareducido, 2);
  ASSERT_NE(creaSiExiste(), nullptr);
  EXPECT_EQ(crea().numerosporapuesta, tablas[2].totalnumeros);
}

TEST_F(CreamenuVentana, TheFourthMultipleIsKind4AndTheEditorClosesTheChooser) {
  Creamenu& m = abre();
  QTest::mouseClick(m.Option1[0], Qt::LeftButton);
  EXPECT_EQ(elementos(m.Combo1),
            QString::fromUtf8("7 números (7 apuestas)|8 números (28 apuestas)|5 números (44 apuestas)|"
                              "9 números (84 apuestas)|10 números (210 apuestas)|11 números (462 apuestas)")
                .split('|'));
  EXPECT_EQ(m.Combo1->placeholderText(), QString::fromUtf8("Seleccione Múltiple"));
  elige(m, 3);
  EXPECT_EQ(estado().modalidad, 4);
  EXPECT_EQ(crea().Label4->text(), QString::fromUtf8("INTRODUZCA EL NOMBRE Y 9 NÚMEROS:"));
  EXPECT_NE(creamenuSiExiste(), nullptr);
  crea().Form_Activate();
  EXPECT_EQ(creamenuSiExiste(), nullptr);
}

TEST_F(CreamenuVentana, SimpleOpensTheEditorAtOnceAndAnEmptyFileListsNothing) {
  carpeta.escribe("tablas.bin", "");
  Creamenu& m = abre();
  QTest::mouseClick(m.Option1[2], Qt::LeftButton);
  EXPECT_EQ(m.Combo1->count(), 0);
  EXPECT_EQ(m.Combo1->placeholderText(), QString::fromUtf8("Seleccione Reducción"));

  estado().modalidad = 3;
  estado().sistemareducido = 4;
  QTest::mouseClick(m.Option1[1], Qt::LeftButton);
  EXPECT_EQ(estado().modalidad, 0);
  EXPECT_EQ(estado().sistemareducido, 4);
  EXPECT_EQ(creamenuSiExiste(), nullptr);
  EXPECT_EQ(crea().Label4->text(), QString::fromUtf8("INTRODUZCA EL NOMBRE Y 6 NÚMEROS:"));
}

TEST_F(CreamenuVentana, EighteenMarksOneByOneThenTheTimerStops) {
  Creamenu& m = abre();
  EXPECT_TRUE(m.Timer1->isActive());
  for (int k = 0; k < 18; ++k) {
    EXPECT_FALSE(m.Label1[k]->isVisible());
    m.Timer1_Timer();
    EXPECT_TRUE(m.Label1[k]->isVisible());
  }
  EXPECT_FALSE(m.Timer1->isActive());

  // "X" closes the chooser; the next one starts without marks.
  QTest::mouseClick(m.Label3, Qt::LeftButton);
  EXPECT_EQ(creamenuSiExiste(), nullptr);
  procesaDescargas();
  creamenu().Show();
  EXPECT_EQ(creamenu().marcas, 0);
  for (QLabel* marca : creamenu().Label1) EXPECT_FALSE(marca->isVisible());
}

}  // namespace
