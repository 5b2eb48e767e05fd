// The check view's list switch, filters from the menus, and the blinking prize alert.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/datos.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/twips.h"
#include "ui/Principal.h"

using plataforma::COLOR_BOTON;
using plataforma::px;

namespace {

class Vistas : public ::testing::Test {
 protected:
  void SetUp() override {
    escribeSorteos(carpeta, {sorteoDe(QDate(2025, 3, 3))});
    principal().Form_Load();
  }
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

}  // namespace

TEST_F(Vistas, StartUpShowsTheSimpleListAndTheButtonsSwitch) {
  Principal& p = principal();
  EXPECT_TRUE(p.ListView2->Visible());
  EXPECT_FALSE(p.ListView4->Visible());

  p.Command1_Click(1);
  EXPECT_TRUE(p.ListView4->Visible());
  EXPECT_FALSE(p.ListView2->Visible());
  EXPECT_EQ(p.ListView4->width(), px(8801));
  EXPECT_EQ(p.ProgressBar2->width(), p.ListView4->width());
  EXPECT_EQ(p.Shape2->width(), px(8800));

  p.Command1_Click(0);
  EXPECT_TRUE(p.ListView2->Visible());
  EXPECT_FALSE(p.ListView4->Visible());
  EXPECT_EQ(p.ListView2->width(), px(7601));
  EXPECT_EQ(p.Shape2->width(), px(7600));
}

TEST_F(Vistas, AlertBlinksTheButtonsOfItsState) {
  Principal& p = principal();
  auto estado = [&](int k) { return std::make_pair(p.Command1[k]->BackColor(), p.Command1[k]->text()); };
  const auto normal0 = std::make_pair(COLOR_BOTON, QString("S E N C I L L A"));
  const auto normal1 = std::make_pair(COLOR_BOTON, QString("M Ú L T I P L E"));
  const auto premio = std::make_pair(quint32(0xFF), QString("P R E M I O"));

  p.avisopremio = 1;
  p.Timer3_Timer();
  EXPECT_EQ(estado(0), premio);
  EXPECT_EQ(estado(1), normal1);
  p.Timer3_Timer();
  EXPECT_EQ(estado(0), normal0);

  p.avisopremio = 2;
  p.Timer3_Timer();
  EXPECT_EQ(estado(0), normal0);
  EXPECT_EQ(estado(1), premio);
  p.Timer3_Timer();
  EXPECT_EQ(estado(1), normal1);

  p.avisopremio = 3;
  p.Timer3_Timer();
  EXPECT_EQ(estado(0), premio);
  EXPECT_EQ(estado(1), premio);
  p.Timer3_Timer();
  EXPECT_EQ(estado(0), normal0);
  EXPECT_EQ(estado(1), normal1);
}

TEST_F(Vistas, SwitchingListsStopsTheAlertEvenOnTheListShown) {
  Principal& p = principal();
  p.avisopremio = 3;
  p.Label59->setText("3");
  p.Timer3->start();
  p.Timer3_Timer();
  p.Command1_Click(0);  // already shown: only the alert stops
  EXPECT_FALSE(p.Timer3->isActive());
  EXPECT_TRUE(p.Label59->text().isEmpty());
  EXPECT_EQ(p.Command1[0]->BackColor(), COLOR_BOTON);
  EXPECT_EQ(p.Command1[1]->text(), "M Ú L T I P L E");
  EXPECT_EQ(p.avisopremio, 3);
  EXPECT_TRUE(p.ListView2->Visible());

  // A stopped alert leaves the count of new draws alone.
  p.Label59->setText("2");
  p.paraparpadeo();
  EXPECT_EQ(p.Label59->text(), "2");
}

TEST_F(Vistas, HistoryBoxClearsTheNewDrawsCount) {
  Principal& p = principal();
  p.Label59->setText("3");
  p.Check1->setChecked(true);
  EXPECT_TRUE(p.Label59->text().isEmpty());
}

TEST_F(Vistas, MenuEntriesSetTabListAndFilters) {
  Principal& p = principal();
  p.SSTab1->setCurrentIndex(2);
  p.verprehi_Click();
  EXPECT_EQ(p.SSTab1->currentIndex(), 0);
  EXPECT_TRUE(p.Check2->isChecked());
  EXPECT_TRUE(p.Check1->isChecked());
  EXPECT_TRUE(p.ListView2->Visible());

  p.verpremiom_Click();
  EXPECT_TRUE(p.ListView4->Visible());
  EXPECT_TRUE(p.Check2->isChecked());
  EXPECT_FALSE(p.Check1->isChecked());

  p.verhistom_Click();
  EXPECT_FALSE(p.Check2->isChecked());
  EXPECT_TRUE(p.Check1->isChecked());

  p.sencillas_Click();  // leaves the filters as they are
  EXPECT_TRUE(p.ListView2->Visible());
  EXPECT_TRUE(p.Check1->isChecked());

  p.ultimo_Click();
  EXPECT_EQ(p.SSTab1->currentIndex(), 1);
}

TEST_F(Vistas, MovingOverAListPutsThePrintIconBack) {
  Principal& p = principal();
  p.Image5->setPicture(p.ImageList1, 14);
  p.ListView4_MouseMove();
  EXPECT_EQ(p.Image5->Picture(), 13);
}
