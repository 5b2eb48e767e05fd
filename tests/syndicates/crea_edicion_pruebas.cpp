// The editor changing a stored syndicate: bets written when complete, added and deleted bets,
// play days and name written at once, and the closing check.
#include <QLabel>
#include <QRadioButton>

#include "syndicates/crea_comun.h"

namespace {

using namespace editor;

class CreaEdicion : public Ventanas {
 protected:
  // Record 2 of three, three bets, a reduced syndicate once, nothing in its fourth place.
  void abre() {
    editada = penaDe("EDITADA", "Jueves", HOY.addDays(-20),
                     {{1, 2, 3, 4, 5, 6}, {10, 11, 12, 13, 14, 15}, {20, 21, 22, 23, 24, 25}});
    editada.reducida = 8;
    editada.aciertos[3] = 2;
    const Pena otra = penaDe("OTRA", "Lunes", HOY.addDays(-40), {{7, 8, 9, 10, 11, 12}});
    abreDatos({otra, editada, otra});
    vecinas = apuestasDat();
    editaPena(2);
  }
  Pena registro() const { return penas().at(1); }
  quint64 escrituras() const { return plataforma::archivos().generacion(ARCH_APUESTAS); }
  void vecinasIntactas() const {
    EXPECT_EQ(apuestasDat().left(Pena::LONGITUD), vecinas.left(Pena::LONGITUD));
    EXPECT_EQ(apuestasDat().mid(2 * Pena::LONGITUD), vecinas.mid(2 * Pena::LONGITUD));
  }
  QStringList textos() const {
    QStringList r;
    for (const auto& caja : respuestas.cajas()) r << caja.texto;
    return r;
  }
  static void navega(int valor) { crea().HScroll1->setValue(valor); }

  Pena editada;
  QByteArray vecinas;
};

TEST_F(CreaEdicion, OpeningAndWalkingThroughTheBetsChangeNothing) {
  abre();
  Crea& c = crea();
  EXPECT_EQ(apuestasDat(), vecinas);
  EXPECT_EQ(marcadas(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(c.ListView5->Text(1), " 1- 2- 3- 4- 5- 6");
  EXPECT_EQ(c.Text1->text(), "EDITADA");
  EXPECT_TRUE(c.Option[1]->isChecked());
  EXPECT_EQ(c.HScroll1->maximum(), 3);
  EXPECT_TRUE(c.Command1->isHidden() && c.Command2->isHidden());
  EXPECT_FALSE(c.Label6->isHidden() || c.Label7->isHidden());
  EXPECT_FALSE(c.Command4->isEnabled());
  navega(2);
  EXPECT_EQ(marcadas(), (std::vector<int>{10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(c.Text2->text(), "2");
  navega(3);
  EXPECT_TRUE(c.Command4->isEnabled());
  EXPECT_EQ(apuestasDat(), vecinas);
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(estado().penascambiadas, 1);
}

TEST_F(CreaEdicion, ABetIsWrittenOnlyWhenCompleteAndCannotBeLeftIncomplete) {
  abre();
  Crea& c = crea();
  navega(2);
  const quint64 antes = escrituras();
  pulsa(13);
  EXPECT_EQ(escrituras(), antes);
  pulsa(40);
  Pena esperada = editada;
  esperada.reducida = 0;
  esperada.apuestas[2] = {0, 10, 11, 12, 14, 15, 40};
  EXPECT_EQ(registro().codifica(), esperada.codifica());
  vecinasIntactas();

  // A seventh number is allowed on the grid, but not left behind; nor are five.
  pulsa(41);
  navega(1);
  EXPECT_EQ(c.HScroll1->value(), 2);
  pulsa({41, 10});
  navega(3);
  EXPECT_EQ(c.HScroll1->value(), 2);
  QTest::mouseClick(c.Label5, Qt::LeftButton);
  EXPECT_EQ(creaSiExiste(), &c);
  EXPECT_EQ(textos(), (QStringList{QString::fromUtf8("¡¡ Sobran números !!. Por favor, completa la apuesta."),
                                   QString::fromUtf8("¡¡ Faltan números !!. Por favor, completa la apuesta."),
                                   QString::fromUtf8("¡¡ 5 números !!. Por favor, rectifica la apuesta. Ha de ser "
                                                     "de 6 números")}));
  EXPECT_EQ(registro().codifica(), esperada.codifica());
  pulsa(10);
  QTest::mouseClick(c.Label5, Qt::LeftButton);
  EXPECT_EQ(creaSiExiste(), nullptr);
}

TEST_F(CreaEdicion, AnAddedBetIsStoredWithTheLargerCountOnceComplete) {
  abre();
  Crea& c = crea();
  navega(3);
  pulsa(c.Command4);
  EXPECT_EQ(c.HScroll1->value(), 4);
  EXPECT_TRUE(marcadas().empty());
  pulsa({49, 48, 47, 46, 45});
  pulsa(c.Command4);
  EXPECT_EQ(textos(), QStringList{QString::fromUtf8("¡¡ 5 números !!. Por favor, completa la apuesta.")});
  EXPECT_EQ(registro().tipo, 3);
  pulsa(44);
  const Pena p = registro();
  EXPECT_EQ(p.tipo, 4);
  EXPECT_EQ(apuesta(p, 4), (std::vector<int>{44, 45, 46, 47, 48, 49}));
  EXPECT_EQ(apuesta(p, 3), (std::vector<int>{20, 21, 22, 23, 24, 25}));
  vecinasIntactas();
  navega(1);
  navega(4);
  EXPECT_EQ(marcadas(), (std::vector<int>{44, 45, 46, 47, 48, 49}));
}

TEST_F(CreaEdicion, AnUnfinishedAddedBetIsGivenUpForGood) {
  abre();
  Crea& c = crea();
  navega(3);
  pulsa(c.Command4);
  pulsa({30, 31});
  const quint64 antes = escrituras();
  navega(3);
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(escrituras(), antes);
  EXPECT_EQ(c.HScroll1->maximum(), 3);
  EXPECT_EQ(marcadas(), (std::vector<int>{20, 21, 22, 23, 24, 25}));
  // A change to another bet afterwards still stores three bets.
  pulsa({25, 26});
  EXPECT_EQ(registro().tipo, 3);
  EXPECT_EQ(apuesta(registro(), 3), (std::vector<int>{20, 21, 22, 23, 24, 26}));

  // "Eliminar apuesta" on an added bet not yet stored gives it up too, and deletes no stored one.
  pulsa(c.Command4);
  pulsa(30);
  const QByteArray guardado = apuestasDat();
  pulsa(c.Command5);
  EXPECT_EQ(apuestasDat(), guardado);
  EXPECT_EQ(c.HScroll1->value(), 3);
  EXPECT_EQ(c.HScroll1->maximum(), 3);
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(CreaEdicion, DeletingBetTwoOfThreeMovesTheLastDown) {
  abre();
  Crea& c = crea();
  navega(2);
  pulsa(c.Command5);
  Pena esperada = editada;
  esperada.reducida = 0;
  esperada.tipo = 2;
  esperada.apuestas[2] = editada.apuestas[3];
  esperada.apuestas[3][1] = 0;
  EXPECT_EQ(registro().codifica(), esperada.codifica());
  vecinasIntactas();
  EXPECT_EQ(c.HScroll1->value(), 1);
  EXPECT_EQ(c.HScroll1->maximum(), 2);
  EXPECT_EQ(marcadas(), (std::vector<int>{1, 2, 3, 4, 5, 6}));

  pulsa(c.Command5);
  EXPECT_EQ(registro().tipo, 1);
  EXPECT_TRUE(c.Command4->isEnabled());
  const QByteArray uno = apuestasDat();
  pulsa(c.Command5);
  EXPECT_EQ(textos(), QStringList{QString::fromUtf8("¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar "
                                                    "la Peña, hazlo desde la pestaña GESTOR DE PEÑAS.")});
  EXPECT_EQ(apuestasDat(), uno);
}

TEST_F(CreaEdicion, PlayDaysAndNameAreWrittenAtOnce) {
  abre();
  Crea& c = crea();
  pulsa(3);  // an incomplete bet does not hold them back
  QTest::mouseClick(c.Option[4], Qt::LeftButton);
  Pena esperada = editada;
  esperada.dias = "Lunes";
  EXPECT_EQ(registro().codifica(), esperada.codifica());
  c.Text1->selectAll();
  escribe(QString::fromUtf8("la peña"));
  esperada.nombre = QString::fromUtf8("LA PEÑA");
  EXPECT_EQ(registro().codifica(), esperada.codifica());
  // Too long a name never reaches the record.
  c.Text1->insert("ABCDEFGHIJKLMN");
  EXPECT_EQ(registro().nombre, QString::fromUtf8("AYYYYYY!!           "));
  vecinasIntactas();
}

TEST_F(CreaEdicion, AMultipleKeepsItsOneBet) {
  Pena multiple = penaDe("MULTIPLE", "Todos (L+J+S)", HOY.addDays(-5), {{1, 5, 9, 13, 17, 21, 25, 29}});
  multiple.tipo = 502;
  abreDatos({multiple});
  Crea& c = editaPena(1);
  EXPECT_EQ(marcadas(), (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 29}));
  EXPECT_FALSE(c.Command3->isEnabled());
  pulsa(c.Command4);
  pulsa(c.Command5);
  EXPECT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith(QString::fromUtf8("No puedes añadir más apuestas.")));
  pulsa({29, 30});
  EXPECT_EQ(apuesta(penas()[0], 1, 8), (std::vector<int>{1, 5, 9, 13, 17, 21, 25, 30}));
  EXPECT_EQ(penas()[0].tipo, 502);
}

}  // namespace
