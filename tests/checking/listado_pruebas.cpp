// The printed check listing: its sections, headings, draw and bet lines and where they stand, the
// empty listing, and a printer that is cancelled or fails.
#include <QCheckBox>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QScrollBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "checking/comun.h"
#include "plataforma/impresora.h"

using namespace comprobacion;
using plataforma::Grabadora;
using plataforma::Trabajo;
using plataforma::Trazo;

namespace {

class Listado : public comprobacion::Comprobacion {
 protected:
  // The check view over `n` draws, without the check its change would run.
  static void sorteos(Principal& p, int n) {
    const bool antes = p.HScroll1->blockSignals(true);
    p.HScroll1->setMaximum(n);
    p.HScroll1->setValue(n);
    p.HScroll1->blockSignals(antes);
  }
  // Prints the listing to the recorder; the job it got, if any.
  const Trabajo* imprime(Principal& p) {
    plataforma::GuionImpresora guion{grabadora};
    p.Image5_Click();
    EXPECT_EQ(p.modoimpresion, 0);
    EXPECT_EQ(p.impreso, 0);
    return grabadora->trabajos.empty() ? nullptr : &grabadora->trabajos.back();
  }
  static QStringList textos(const Trabajo& t, int pagina = 0) {
    QStringList r;
    for (const Trazo* z : t.textos(pagina)) r << z->texto;
    return r;
  }
  static const Trazo* busca(const Trabajo& t, const QString& texto) {
    for (const Trazo* z : t.textos())
      if (z->texto == texto) return z;
    return nullptr;
  }
  static double alto(double puntos, bool negrita = false) {
    plataforma::Impresora i;
    i.FontSize = puntos;
    i.FontBold = negrita;
    return i.TextHeight();
  }
  std::shared_ptr<Grabadora> grabadora = std::make_shared<Grabadora>();
};

const QString VACIO = "Listado vacío. No hay datos para imprimir,";

TEST_F(Listado, DrawHeadingsGroupTheSyndicatesAndBetsKeepTheirBlanks) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6}, 7, 2), sorteoDe(SABADO, {3, 14, 22, 31, 40, 45}, 7, -1)},
                         {penaDe("ANA", TODOS, LUNES, {{5, 12, 19, 23, 31, 47}, {3, 14, 22, 1, 2, 9}, {9, 10, 11, 20, 48, 49}}),
                          penaDe("BEA", TODOS, LUNES, {{1, 2, 3, 4, 5, 40}})});
  sorteos(p, 2);
  const Trabajo* t = imprime(p);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(textos(*t), (QStringList{"PEÑAS SENCILLAS / REDUCIDAS",
                                     "Sorteo del 08/03/2025  3-14-22-31-40-45  C:7  R:-1",
                                     cabecera("ANA"),
                                     "    5  12  19  23  31  47",
                                     "    3  14  22    1    2    9  ¡¡ Premio !! Has acertado 3 números.",
                                     "    9  10  11  20  48  49",
                                     cabecera("BEA"),
                                     "    1    2    3    4    5  40",
                                     "Sorteo del 06/03/2025  1-2-3-4-5-6  C:7  R:2",
                                     cabecera("ANA"),
                                     "    5  12  19  23  31  47",
                                     "    3  14  22    1    2    9  ¡¡ Premio !! Has acertado 3 números.",
                                     "    9  10  11  20  48  49",
                                     cabecera("BEA"),
                                     "    1    2    3    4    5  40  ¡¡ Premio !! Has acertado 5 números."}));
  EXPECT_EQ(t->paginas, 1);

  // The logo, then the title from 40 mm; each heading follows an empty line of the size before it.
  EXPECT_EQ(t->trazos[0].tipo, Trazo::Imagen);
  EXPECT_EQ(t->trazos[0].x, 0);
  EXPECT_EQ(t->trazos[0].y, 5);
  const auto z = t->textos();
  EXPECT_EQ(z[0]->x, 50);
  EXPECT_EQ(z[0]->y, 40);
  EXPECT_EQ(z[0]->tamano, 22);
  EXPECT_TRUE(z[0]->negrita);
  const double ySorteo = 40 + alto(22, true) + alto(22);
  EXPECT_NEAR(z[1]->y, ySorteo, 1e-6);
  EXPECT_EQ(z[1]->x, 20);
  EXPECT_EQ(z[1]->tamano, 18);
  EXPECT_FALSE(z[1]->negrita);
  EXPECT_NEAR(z[2]->y, ySorteo + alto(18) + alto(8.2), 1e-6);
  for (int i : {2, 3, 4, 5, 6, 7}) {
    EXPECT_EQ(z[i]->x, 30) << i;
    EXPECT_DOUBLE_EQ(z[i]->tamano, 8.2) << i;
    EXPECT_FALSE(z[i]->negrita) << i;
  }
  EXPECT_NEAR(z[3]->y, z[2]->y + alto(8.2), 1e-6);
  EXPECT_NEAR(z[5]->y, z[4]->y + alto(8.2), 1e-6);
  EXPECT_NEAR(z[6]->y, z[5]->y + 2 * alto(8.2), 1e-6);  // an empty line before each syndicate
  // The second draw: an empty line in 8.2 points, then its heading in 18; the title only once.
  EXPECT_EQ(z[8]->x, 20);
  EXPECT_EQ(z[8]->tamano, 18);
  EXPECT_NEAR(z[8]->y, z[7]->y + alto(8.2) + alto(8.2), 1e-6);
  EXPECT_NEAR(z[9]->y, z[8]->y + alto(18) + alto(8.2), 1e-6);
}

TEST_F(Listado, OnlyPrizesPrintsOnlyWinningBetsAndNothingIsAnEmptyListing) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})},
                         {penaDe("ANA", TODOS, LUNES, {{1, 2, 3, 40, 41, 42}, {10, 11, 12, 13, 14, 15}}),
                          penaDe("BEA", TODOS, LUNES, {{20, 21, 22, 23, 24, 25}})});
  {
    const QSignalBlocker b(p.Check2);
    p.Check2->setChecked(true);
  }
  const Trabajo* t = imprime(p);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(textos(*t), (QStringList{"PEÑAS SENCILLAS / REDUCIDAS", "Sorteo del 06/03/2025  1-2-3-4-5-6  C:7  R:0",
                                     cabecera("ANA"),
                                     "    1    2    3  40  41  42  ¡¡ Premio !! Has acertado 3 números."}));

  // Another draw without a prize for anyone: the empty listing, and nothing sent.
  grabadora->trabajos.clear();
  escribeSorteo(2, sorteoDe(SABADO, {30, 31, 32, 33, 34, 35}));
  estado().numsorteos = 3;
  EXPECT_EQ(imprime(p), nullptr);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].texto, VACIO);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "No hay datos");
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
  EXPECT_FALSE(plataforma::Printer().abierto());
}

TEST_F(Listado, NoDrawsOrNoSyndicatesGiveTheEmptyListing) {
  for (bool conSorteos : {false, true}) {
    CarpetaPrograma carpeta;
    plataforma::Respondedor respuestas;
    auto grabadora = std::make_shared<Grabadora>();
    Principal& p = comprobacion::arranca(carpeta, conSorteos ? std::vector<Sorteo>{sorteoDe(JUEVES)} : std::vector<Sorteo>{}, {});
    plataforma::GuionImpresora guion{grabadora};
    p.Image5_Click();
    EXPECT_TRUE(grabadora->trabajos.empty()) << conSorteos;
    ASSERT_EQ(respuestas.cajas().size(), 1u) << conSorteos;
    EXPECT_EQ(respuestas.cajas()[0].texto, VACIO);
    EXPECT_EQ(p.modoimpresion, 0);
    EXPECT_FALSE(plataforma::Printer().abierto());
  }
}

TEST_F(Listado, TheMultipleSectionStartsItsOwnPageWithTheLogo) {
  Pena m = penaDe("MULTI", TODOS, LUNES, {{1, 2, 3, 4, 30, 31, 32, 33, 34}});
  m.tipo = 504;
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})},
                         {penaDe("ANA", TODOS, LUNES, {{1, 2, 3, 40, 41, 42}}), m});
  const Trabajo* t = imprime(p);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->paginas, 2);
  EXPECT_EQ(textos(*t, 1).first(), "PEÑAS SENCILLAS / REDUCIDAS");
  const QStringList segunda = textos(*t, 2);
  ASSERT_GE(segunda.size(), 4);
  EXPECT_EQ(segunda[0], "PEÑAS MÚLTIPLES");
  EXPECT_EQ(segunda[1], "Sorteo del 06/03/2025  1-2-3-4-5-6  C:7  R:0");
  EXPECT_EQ(segunda[2], cabecera("MULTI"));

  // The bet row with its first prize line; each further line of the breakdown at 83.3 mm.
  const plataforma::ListView* l = p.ListView4;
  ASSERT_GE(l->Count(), 5);
  EXPECT_EQ(segunda[3], "    1    2    3    4  30  31  32  33  34  " + l->subText(4, 12));
  ASSERT_EQ(segunda.size(), 4 + (l->Count() - 4));
  const auto z = t->textos(2);
  for (int r = 5; r <= l->Count(); ++r) {
    EXPECT_EQ(z[r - 1]->texto, l->subText(r, 12));
    EXPECT_DOUBLE_EQ(z[r - 1]->x, 83.3);
  }
  const Trazo* titulo = busca(*t, "PEÑAS MÚLTIPLES");
  EXPECT_EQ(titulo->x, 70);
  EXPECT_EQ(titulo->y, 40);
  EXPECT_TRUE(titulo->negrita);
  const auto logos = std::count_if(t->trazos.begin(), t->trazos.end(), [](const Trazo& z) {
    return z.tipo == Trazo::Imagen && z.x == 0 && z.y == 5;
  });
  EXPECT_EQ(logos, 2);
}

TEST_F(Listado, CancelledOrFailingPrinterLeavesNothingAndTheProgramUsable) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})}, {penaDe("ANA", TODOS, LUNES, {{1, 2, 3, 40, 41, 42}})});
  {
    plataforma::GuionImpresora guion{nullptr};  // Cancel
    p.Image5_Click();
    EXPECT_EQ(guion.mostrados(), 1);
  }
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(p.modoimpresion, 0);
  EXPECT_FALSE(plataforma::Printer().abierto());

  grabadora->falla = true;
  EXPECT_EQ(imprime(p), nullptr);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "Error de impresora");
  EXPECT_FALSE(plataforma::Printer().abierto());

  // The check view goes on as before, and the next listing prints whole.
  p.compruebasencillas(1);
  EXPECT_EQ(p.ListView2->Count(), 4);
  grabadora->falla = false;
  const Trabajo* t = imprime(p);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(textos(*t).size(), 4);
}

// A listing of many draws runs over several pages: every line keeps its margin on the page it is
// carried to, and the job goes by the listing's name.
TEST_F(Listado, LinesCarriedToANewPageKeepTheirMargin) {
  std::vector<Sorteo> lista;  // ten weeks of Monday, Thursday and Saturday draws
  for (int w = 0; w < 10; ++w)
    for (const QDate& dia : {LUNES, JUEVES, SABADO}) lista.push_back(sorteoDe(dia.addDays(7 * w), {1, 2, 3, 4, 5, 6}));
  std::vector<Pena> penas;
  for (const char* n : {"ANA", "BEA", "CRIS"})
    penas.push_back(penaDe(n, TODOS, LUNES, {{1, 2, 3, 40, 41, 42}, {10, 11, 12, 13, 14, 15}}));
  Principal& p = arranca(lista, penas);
  sorteos(p, 30);
  const Trabajo* t = imprime(p);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->nombre, "Listado de comprobación");
  EXPECT_GE(t->paginas, 3);
  int arriba = 0;  // lines that open a page after the first
  for (const Trazo* z : t->textos()) {
    const double x = z->texto.startsWith("PEÑAS") ? 50 : z->texto.startsWith("Sorteo del") ? 20 : 30;
    EXPECT_EQ(z->x, x) << z->texto.toStdString() << " page " << z->pagina << " y " << z->y;
    if (z->pagina > 1 && z->y == 0) ++arriba;
  }
  EXPECT_GE(arriba, 2);
}

TEST_F(Listado, APdfOfTheListingHoldsItsText) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})}, {penaDe("ANA", TODOS, LUNES, {{1, 2, 3, 40, 41, 42}})});
  QTemporaryDir dir;
  const QString archivo = dir.filePath("listado.pdf");
  {
    plataforma::GuionImpresora guion{std::make_shared<plataforma::DestinoPdf>(archivo)};
    p.Image5_Click();
  }
  QPdfDocument pdf;
  ASSERT_EQ(pdf.load(archivo), QPdfDocument::Error::None);
  ASSERT_EQ(pdf.pageCount(), 1);
  // The extracted text keeps one blank where the line had several.
  const QString texto = pdf.getAllText(0).text().simplified();
  for (const QString& s : {QString("PEÑAS SENCILLAS / REDUCIDAS"), QString("Sorteo del 06/03/2025"),
                           QString("1-2-3-4-5-6  C:7  R:0"), QString("PEÑA ANA"),
                           QString("¡¡ Premio !! Has acertado 3 números.")})
    EXPECT_TRUE(texto.contains(s.simplified())) << s.toStdString() << "\n" << texto.toStdString();
  // BOLVANTA_CAPTURAS=/tmp/x keeps the printout as /tmp/x-listado.pdf, to look at.
  if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) QFile::copy(archivo, qEnvironmentVariable("BOLVANTA_CAPTURAS") + "-listado.pdf");
}

}  // namespace
