// The syndicate list: rows, chooser, counts and buttons, and the effectiveness of all syndicates.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include "data/ayudas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/efectividad.h"
#include "syndicates/grafico.h"
#include "syndicates/lista_comun.h"

using namespace penas;

namespace {

class Lista : public ::testing::Test {
 protected:
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

QStringList elementos(const QComboBox* combo) {
  QStringList r;
  for (int i = 0; i < combo->count(); ++i) r << combo->itemText(i);
  return r;
}

QStringList fila(const plataforma::ListView* lista, int f) {
  QStringList r{lista->Text(f)};
  for (int k = 1; k <= lista->subCount(f); ++k) r << lista->subText(f, k);
  return r;
}

}  // namespace

TEST_F(Lista, EmptyFileShowsVacioAndDisablesTheCommands) {
  Principal& p = arranca(carpeta, {}, {});
  EXPECT_EQ(estado().numpenas, 0);
  EXPECT_EQ(fila(p.ListView1, 1), QStringList{"VACÍO"});
  EXPECT_EQ(p.ListView1->Count(), 1);
  EXPECT_EQ(elementos(p.Combo2), QStringList{"No hay Peñas creadas"});
  EXPECT_EQ(p.Combo2->placeholderText(), "TODAS LAS PEÑAS");
  EXPECT_EQ(p.Label9[2]->text(), "0");
  for (QWidget* w : {static_cast<QWidget*>(p.Command2), static_cast<QWidget*>(p.Command3),
                     static_cast<QWidget*>(p.Command7), static_cast<QWidget*>(p.Image2[1])})
    EXPECT_FALSE(w->isEnabled());
  EXPECT_EQ(p.Image2[1]->Picture(), 5);
  EXPECT_EQ(p.Text4->text(), "¡Nunca has acertado nada!");
  EXPECT_EQ(p.Label13->text(), "0");
  EXPECT_EQ(p.Text5->text(), "");
  EXPECT_EQ(p.MSChart2->fila(), (QVariantList{" ", 1.0, QVariant()}));

  escribePena(1, sencilla("UNA", 2));
  p.listapenas();
  EXPECT_EQ(estado().numpenas, 2);
  EXPECT_TRUE(p.Command3->isEnabled());
  EXPECT_EQ(p.Image2[1]->Picture(), 4);
}

TEST_F(Lista, RowsAndChooserHoldEverySyndicateAsStored) {
  Principal& p = arranca(carpeta, {},
                         {sencilla("LA DOCE", 12, "Lunes", QDate(2025, 2, 3)), multiple("CINCO", 503),
                          sencilla("TRES", 3, "Jueves y Sábado", QDate(2024, 11, 30))});
  EXPECT_EQ(estado().numpenas, 4);
  EXPECT_EQ(p.Label9[2]->text(), "3");
  ASSERT_EQ(p.ListView1->Count(), 3);
  EXPECT_EQ(fila(p.ListView1, 1), (QStringList{"LA DOCE             ", "12", "03/02/2025", "Lunes          "}));
  EXPECT_EQ(fila(p.ListView1, 2), (QStringList{"CINCO               ", "44", "02/01/2025", "Jueves         "}));
  EXPECT_EQ(fila(p.ListView1, 3), (QStringList{"TRES                ", "3", "30/11/2024", "Jueves y Sábado"}));
  EXPECT_EQ(elementos(p.Combo2), (QStringList{"TODAS LAS PEÑAS", "LA DOCE             ",
                                              "CINCO               ", "TRES                "}));
  EXPECT_EQ(p.ListView1->SelectedItem(), 1);
  EXPECT_EQ(p.ListView5->Count(), 12);  // row 1's details
}

TEST_F(Lista, RefreshRunsNoCheckAndKeepsTheSelectedSyndicate) {
  Principal& p = arranca(carpeta, {sorteoDe(QDate(2025, 3, 8))},
                         {sencilla("UNA", 1), sencilla("DOS", 1), sencilla("TRES", 1)});
  p.ListView1_ItemClick(3);
  p.Combo2->setCurrentIndex(2);  // the user's choice checks that syndicate
  EXPECT_GT(p.ListView2->Count(), 0);
  QSignalSpy cambios(p.Combo2, &QComboBox::currentIndexChanged);
  p.listapenas();
  EXPECT_EQ(cambios.count(), 0);  // the check runs on this signal
  EXPECT_EQ(p.Combo2->currentIndex(), -1);
  EXPECT_EQ(estado().penaelegida, 3);
}

// T winning bets over all syndicates and their five counters, against D played draws.
TEST_F(Lista, EffectivenessOverPlayedDraws) {
  struct Caso {
    Pena a, b;
    int D;
    QString total, texto4, texto5;
    QVariantList grafico;
  };
  const Caso casos[] = {
      {conAciertos(sencilla("A", 1), {2, 0, 0, 0, 1}), conAciertos(sencilla("B", 1), {0, 1, 0, 1, 0}), 40,
       "5", "12,5% de efectividad en premios", "en 40 sorteos", {" ", 35.0, 5.0}},
      {conAciertos(sencilla("A", 1), {30, 0, 0, 0, 0}), conAciertos(multiple("B", 505), {0, 0, 20, 0, 0}), 40,
       "50", "100% de efectividad en premios", "en 40 sorteos", {" ", 0.0, 50.0}},
      {sencilla("A", 1), sencilla("B", 1), 0, "0", "0% de efectividad en premios", "en 0 sorteos",
       {" ", 1.0, 0.0}},
      {sencilla("A", 1), conAciertos(sencilla("B", 1), {0, 0, 0, 0, 1}), 3, "1",
       "33,3% de efectividad en premios", "en 3 sorteos", {" ", 2.0, 1.0}},
  };
  Principal& p = arranca(carpeta, {}, {});
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto4.toStdString());
    escribePena(1, c.a);
    escribePena(2, c.b);
    p.sorteosjugados = c.D;
    p.listapenas();
    EXPECT_EQ(p.Label13->text(), c.total);
    EXPECT_EQ(p.Text4->text(), c.texto4);
    EXPECT_EQ(p.Text5->text(), c.texto5);
    EXPECT_EQ(p.MSChart2->fila(), c.grafico);
  }
}

TEST(Efectividad, HalvesRoundToTheEvenDigit) {
  EXPECT_EQ(unDecimal(efectividad(1, 400).porcentaje), "0,2");
  EXPECT_EQ(unDecimal(efectividad(3, 400).porcentaje), "0,8");
  EXPECT_EQ(unDecimal(efectividad(2, 3).porcentaje), "66,7");
  EXPECT_EQ(unDecimal(efectividad(1, 100000).porcentaje), "0");
}
