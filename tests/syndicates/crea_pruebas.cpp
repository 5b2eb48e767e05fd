// The editor entering and storing new syndicates: the grid, "Grabar", the reduced expansion, the
// quick pick and the name.
#include <QApplication>
#include <QClipboard>
#include <QRadioButton>

#include <set>

#include "syndicates/crea_comun.h"

namespace {

using namespace editor;
using plataforma::vbExclamation;

class CreaNueva : public Ventanas {
 protected:
  static QStringList filas() {
    QStringList r;
    for (int i = 1; i <= crea().ListView5->Count(); ++i) r << crea().ListView5->Text(i);
    return r;
  }
  QStringList textos() const {
    QStringList r;
    for (const auto& caja : respuestas.cajas()) r << caja.texto;
    return r;
  }
};

TEST_F(CreaNueva, ThreeSimpleBetsAreStoredAtTheNextFreeRecord) {
  const Pena vieja = penaDe("VIEJA", "Lunes", HOY.addDays(-30), {{1, 2, 3, 4, 5, 6}});
  abreDatos({vieja, vieja}, {sorteoDe(HOY)});
  Crea& c = abreEditor(0);
  // Five marks are no bet; the sixth completes it, in ascending order, and clears the grid.
  pulsa({47, 3, 30, 8, 22});
  EXPECT_EQ(c.ListView5->Count(), 0);
  pulsa(15);
  EXPECT_EQ(filas(), QStringList{" 3- 8-15-22-30-47"});
  EXPECT_TRUE(marcadas().empty());
  EXPECT_TRUE(c.Command1->isEnabled());
  // A marked cell clears; a full bet takes no seventh number before it is read.
  pulsa({10, 11, 12, 11, 49, 13, 14, 11});
  pulsa({1, 2, 4, 5, 6, 7});
  EXPECT_EQ(filas(), (QStringList{" 3- 8-15-22-30-47", "10-11-12-13-14-49", " 1- 2- 4- 5- 6- 7"}));
  EXPECT_EQ(c.Label3->text(), "3");

  QTest::mouseClick(c.Option[2], Qt::LeftButton);
  escribe("la primera");
  pulsa(c.Command1);
  EXPECT_TRUE(respuestas.cajas().empty());
  const QByteArray datos = apuestasDat();
  ASSERT_EQ(datos.size(), 3 * Pena::LONGITUD);
  const QByteArray r = datos.mid(2 * Pena::LONGITUD);
  EXPECT_EQ(r.left(20), QByteArray("LA PRIMERA          "));
  EXPECT_EQ(entero16(r, desplazamiento::PENA_TIPO), 3);
  EXPECT_EQ(r.mid(desplazamiento::PENA_ACIERTOS, 10), QByteArray(10, '\0'));
  EXPECT_EQ(r.mid(desplazamiento::PENA_DIAS, 15), QByteArray("S\xe1" "bado         "));
  EXPECT_EQ(r.mid(desplazamiento::PENA_COMPROBADO, 8), QByteArray(8, '\0'));
  const Pena p = penas()[2];
  EXPECT_EQ(p.fechacreacion, plataforma::oleDe(HOY));
  EXPECT_EQ(apuesta(p, 2), (std::vector<int>{10, 11, 12, 13, 14, 49}));
  EXPECT_EQ(apuesta(p, 3), (std::vector<int>{1, 2, 4, 5, 6, 7}));
  EXPECT_EQ(estado().numpenas, 4);
  EXPECT_EQ(estado().penascambiadas, 1);

  // Opened from the chooser, the editor stays for the next syndicate, empty but for the days.
  ASSERT_EQ(creaSiExiste(), &c);
  EXPECT_EQ(c.Text1->text(), "");
  EXPECT_EQ(c.ListView5->Count(), 0);
  EXPECT_TRUE(c.Option[2]->isChecked());
  // A cursor left behind by an edit never overwrites a stored syndicate.
  estado().numpenas = 2;
  pulsa({21, 22, 23, 24, 25, 26});
  escribe("OTRA");
  pulsa(c.Command1);
  ASSERT_EQ(penas().size(), 4u);
  EXPECT_EQ(penas()[1].codifica(), vieja.codifica());
}

TEST_F(CreaNueva, AMultipleOfNineIsStoredAs504) {
  abreDatos();
  Crea& c = abreEditor(4);
  pulsa({49, 1, 9, 18, 27, 36, 45, 2, 3});
  pulsa(10);
  EXPECT_EQ(textos(), QStringList{QString::fromUtf8(
                          "¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! ")});
  EXPECT_TRUE(marcadas().empty());
  escribe("NUEVE");
  pulsa(c.Command1);
  const QByteArray r = apuestasDat();
  ASSERT_EQ(r.size(), Pena::LONGITUD);
  EXPECT_EQ(entero16(r, desplazamiento::PENA_TIPO), 504);
  EXPECT_EQ(apuesta(penas()[0], 1, 9), (std::vector<int>{1, 2, 3, 9, 18, 27, 36, 45, 49}));
}

QByteArray sistema(int n, int b, const QByteArray& linea) {
  QByteArray t = QByteArray::number(n) + "\r\n5\r\n" + QByteArray::number(b) + "\r\n";
  for (int i = 0; i < b; ++i) t += linea + "\r\n";
  return t;
}
const QByteArray PRIMERO = sistema(8, 2, "010203040506");

TEST_F(CreaNueva, AReducedSystemIsExpandedFromTheFileWhenStored) {
  carpeta.escribe("tablas.bin", PRIMERO + "7\r\n5\r\n3\r\n010203040507\r\n 2 3 4 5 6 7\r\n010304050607\r\n");
  abreDatos();
  Crea& c = abreEditor(7, 1);
  EXPECT_EQ(c.Label4->text(), QString::fromUtf8("INTRODUZCA EL NOMBRE Y 7 NÚMEROS:"));
  pulsa({47, 41, 30, 22, 15, 8, 3});
  EXPECT_EQ(filas(), QStringList{" 3- 8-15-22-30-41-47"});
  pulsa(5);
  EXPECT_EQ(textos(), QStringList{QString::fromUtf8("¡¡ Sólo puedes poner 7 números en este tipo de reducida !! ")});
  // The main window closes file 7 whenever it becomes active; the store reads the system again.
  plataforma::archivos().cierra(ARCH_TABLAS);
  escribe("REDUCIDA");
  pulsa(c.Command1);
  ASSERT_EQ(penas().size(), 1u);
  const Pena p = penas()[0];
  EXPECT_EQ(p.tipo, 3);
  EXPECT_EQ(p.reducida, 7);
  EXPECT_EQ(p.garantia, 5);
  EXPECT_EQ(p.numerosbase[7], 47);
  EXPECT_EQ(apuesta(p, 1), (std::vector<int>{3, 8, 15, 22, 30, 47}));
  EXPECT_EQ(apuesta(p, 2), (std::vector<int>{8, 15, 22, 30, 41, 47}));
  EXPECT_EQ(apuesta(p, 3), (std::vector<int>{3, 15, 22, 30, 41, 47}));
}

TEST_F(CreaNueva, SystemsARecordCannotHoldAreRefusedAndNothingIsStored) {
  abreDatos();
  auto cambia = [&](const QByteArray& segundo) {
    plataforma::archivos().cierra(ARCH_TABLAS);
    carpeta.escribe("tablas.bin", PRIMERO + segundo);
  };
  const std::pair<QByteArray, const char*> casos[] = {
      {sistema(21, 3, "010203040521"), "La reducción tiene más de 20 números base."},
      {sistema(12, 206, "010203040506"), "La reducción tiene más de 205 apuestas."},
      {sistema(12, 4, "000203040513"), "La reducción tiene posiciones fuera de 1 a N."},
  };
  for (const auto& [segundo, motivo] : casos) {
    cambia(segundo);
    respuestas.agrega(0);
    abreEditor(7, 1);
    EXPECT_EQ(respuestas.cajas().back().texto, QString::fromUtf8("No se puede usar la reducción elegida. ") + motivo);
    EXPECT_EQ(respuestas.cajas().back().estilo, vbExclamation);
    EXPECT_EQ(creaSiExiste(), nullptr);
    procesaDescargas();
  }

  // Good when the editor opened, changed before "Grabar": refused, the bet kept for a retry.
  cambia(sistema(12, 3, "010203040506"));
  Crea& c = abreEditor(7, 1);
  pulsa({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  escribe("MALA");
  cambia(sistema(12, 3, "010203040599"));
  pulsa(c.Command1);
  EXPECT_EQ(respuestas.cajas().back().texto,
            QString::fromUtf8("No se ha grabado la peña. La reducción tiene posiciones fuera de 1 a N."));
  cambia(sistema(12, 4, "010203040506"));
  pulsa(c.Command1);
  EXPECT_EQ(respuestas.cajas().back().texto,
            QString::fromUtf8("No se ha grabado la peña. La reducción de tablas.bin ya no es la que se eligió."));
  EXPECT_EQ(apuestasDat().size(), 0);
  cambia(sistema(12, 3, "010203040506"));
  pulsa(c.Command1);
  ASSERT_EQ(penas().size(), 1u);
  EXPECT_EQ(penas()[0].tipo, 3);
}

TEST_F(CreaNueva, QuickPickNeverRepeatsANumberUpTo205Bets) {
  abreDatos();
  Crea& c = abreEditor(0);
  std::set<QString> distintas;
  for (int i = 1; i <= 205; ++i) {
    pulsa(c.Command3);
    ASSERT_EQ(c.ListView5->Count(), i);
    std::set<int> numeros;
    for (const QString& n : c.ListView5->Text(i).split('-')) numeros.insert(n.trimmed().toInt());
    ASSERT_EQ(numeros.size(), 6u) << c.ListView5->Text(i).toStdString();
    EXPECT_TRUE(*numeros.begin() >= 1 && *numeros.rbegin() <= 49);
    distintas.insert(c.ListView5->Text(i));
  }
  EXPECT_GT(distintas.size(), 200u);  // the test's clock stands still; the picks differ anyway
  pulsa(c.Command3);
  EXPECT_EQ(textos(), QStringList{QString::fromUtf8("Máximo de apuestas sencillas por peña : 205.")});
  // One bet less, and the quick pick fills the place again.
  pulsa(c.Command2);
  pulsa(c.Command3);
  EXPECT_EQ(c.ListView5->Count(), 205);
  escribe("MUCHAS");
  pulsa(c.Command1);
  EXPECT_EQ(penas().at(0).tipo, 205);
}

TEST_F(CreaNueva, GrabarRefusalsComeInOrderAndStoreNothing) {
  abreDatos({penaDe("FUTURA", "Lunes", HOY.addDays(1), {{1, 2, 3, 4, 5, 6}})},
            {sorteoDe(HOY.addDays(-3)), sorteoDe(HOY.addDays(2))});
  Crea& c = abreEditor(0);
  pulsa({1, 2, 3, 4, 5, 6});
  pulsa(c.Command1);  // the first syndicate was created after today
  plataforma::archivos().cierra(ARCH_APUESTAS);
  carpeta.escribe("apuestas.dat", {});
  plataforma::archivos().abre(ARCH_APUESTAS, carpeta.archivo("apuestas.dat"), plataforma::Acceso::Aleatorio,
                              Pena::LONGITUD);
  pulsa(c.Command1);  // the newest draw is after today
  estado().numsorteos = 2;
  pulsa(c.Command1);  // no name
  pulsa(9);
  EXPECT_EQ(textos(),
            (QStringList{QString::fromUtf8("¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. "
                                           "Borre dicha peña antes de crear ésta."),
                         QString::fromUtf8("Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise "
                                           "la fecha de su ordenador. ¡No se puede crear una peña con fecha anterior "
                                           "a la del último sorteo!"),
                         QString::fromUtf8("¡¡¡No ha escrito el nombre de la peña!!!"),
                         QString::fromUtf8("Sólo tienes que poner un nombre. No puedes añadir más números.")}));
  EXPECT_EQ(apuestasDat().size(), 0);
  EXPECT_EQ(c.ListView5->Count(), 1);
  EXPECT_TRUE(marcadas().empty());
  // Blanks are a name.
  escribe("   ");
  pulsa(c.Command1);
  EXPECT_EQ(penas().at(0).nombre, QString(20, ' '));
}

TEST_F(CreaNueva, NamesAreCapitalsOfAtMostTwentyLettersTypedOrPasted) {
  abreDatos();
  Crea& c = abreEditor(0);
  escribe(QString::fromUtf8("peña de los jueves 1"));
  EXPECT_EQ(c.Text1->text(), QString::fromUtf8("PEÑA DE LOS JUEVES 1"));
  EXPECT_TRUE(respuestas.cajas().empty());
  escribe("x");
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("¡¡¡El nombre no puede tener más de 20 letras!!!"));
  EXPECT_EQ(respuestas.cajas()[0].estilo, vbExclamation);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "Error");
  EXPECT_EQ(c.Text1->text(), "AYYYYYY!!");

  c.Text1->clear();
  QApplication::clipboard()->setText("abcdefghijklmnopqrst");
  c.Text1->paste();
  EXPECT_EQ(c.Text1->text(), "ABCDEFGHIJKLMNOPQRST");
  c.Text1->clear();
  QApplication::clipboard()->setText("abcdefghijklmnopqrstu");
  c.Text1->paste();
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_EQ(respuestas.cajas()[1].texto, QString::fromUtf8("¡¡¡El nombre no puede tener más de 20 letras!!!"));
  EXPECT_EQ(c.Text1->text(), "AYYYYYY!!");
}

}  // namespace
