// The whole real history of La Primitiva checked at once for a simple, an eleven-number and a
// five-number syndicate: every counter must be what the simple bets they stand for win, counted
// here the plain way, held to 16 bits.
#include <QCheckBox>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

#include "checking/comun.h"
#include "checking/sencillas_de.h"
#include "plataforma/msgbox.h"

using namespace comprobacion;

TEST(Reales, WholeHistoryCountsWhatEverySimpleBetWins) {
  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  const std::vector<Sorteo> sorteos = historiaReal();
  ASSERT_GT(sorteos.size(), 4000u);
  const QDate antes = plataforma::fechaDe(sorteos.front().fecha).addDays(-1);

  const std::vector<std::vector<int>> sencillas = {{1, 9, 20, 22, 37, 45}, {2, 4, 19, 28, 46, 48},
                                                   {8, 13, 17, 23, 33, 47}, {3, 11, 13, 15, 34, 35},
                                                   {5, 16, 18, 29, 43, 44}, {6, 12, 24, 30, 36, 42}};
  const std::vector<int> once = {3, 7, 11, 15, 19, 23, 27, 31, 35, 39, 43};
  const std::vector<int> cinco = {5, 10, 20, 30, 40};
  Pena p11 = penaDe("ONCE", "Todos (L+J+S)", antes, {once});
  p11.tipo = 506;
  Pena p5 = penaDe("CINCO", "Todos (L+J+S)", antes, {cinco});
  p5.tipo = 503;
  Principal& p = arranca(carpeta, sorteos, {penaDe("SENCILLA", "Todos (L+J+S)", antes, sencillas), p11, p5});

  std::array<qint64, 8> esperado1{}, esperado11{}, esperado5{};
  int filas = 0;
  const auto sencillas11 = sencillasDe(once);
  const auto sencillas5 = sencillasDe(cinco);
  for (const Sorteo& s : sorteos) {
    int premiadas = 0;
    for (const auto& b : sencillas) {
      const int c = categoriaLlana(b, s);
      esperado1[c] += 1;
      premiadas += c ? 1 : 0;
    }
    if (premiadas) filas += 3 + premiadas;
    for (const auto& b : sencillas11) esperado11[categoriaLlana(b, s)] += 1;
    for (const auto& b : sencillas5) esperado5[categoriaLlana(b, s)] += 1;
  }
  EXPECT_GT(esperado11[3], 32767);  // the history is long enough to fill a counter

  p.Check2->blockSignals(true);
  p.Check2->setChecked(true);
  p.Check2->blockSignals(false);
  p.compruebasencillas(int(sorteos.size()));
  EXPECT_EQ(p.ListView2->Count(), filas);

  const std::array<qint64, 8>* esperados[3] = {&esperado1, &esperado11, &esperado5};
  for (int j = 1; j <= 3; ++j) {
    const Pena escrita = enDisco(carpeta, j);
    for (int c = 3; c <= 7; ++c)
      EXPECT_EQ(escrita.aciertos[c], std::min<qint64>((*esperados[j - 1])[c], 32767)) << j << " " << c;
    EXPECT_EQ(escrita.fechacomprobado, sorteos.back().fecha);
  }

  const QByteArray despues = carpeta.lee("apuestas.dat");
  p.compruebasencillas(int(sorteos.size()));
  EXPECT_EQ(carpeta.lee("apuestas.dat"), despues);
}
