// The prize rules without windows: hits and categories of a simple bet, and the breakdown table of
// the multiple bets checked against every simple bet each kind stands for.
#include <QSet>
#include <gtest/gtest.h>
#include <map>
#include <vector>

#include "checking/premios.h"
#include "checking/sencillas_de.h"

using namespace premios;

namespace {

Sorteo sorteo(std::vector<int> ganadores, int complementario) {
  Sorteo s;
  for (int m = 1; m <= 6; ++m) s.ganadores[m] = qint16(ganadores[m - 1]);
  s.complementario = qint16(complementario);
  return s;
}

Resultado aciertos(std::vector<int> bet, const Sorteo& s) {
  std::vector<qint16> n(bet.begin(), bet.end());
  return cuentaAciertos(n.data(), int(n.size()), s);
}

int categoria(std::vector<int> bet, const Sorteo& s) {
  const Resultado r = aciertos(bet, s);
  return categoriaSencilla(r.aciertos, r.complementario);
}

}  // namespace

TEST(Premios, SimpleBetCategoriesMessagesAndColours) {
  const Resultado cincoC = aciertos({1, 2, 3, 4, 5, 6}, sorteo({1, 2, 3, 4, 5, 40}, 6));
  EXPECT_EQ(cincoC.aciertos, 5);
  EXPECT_TRUE(cincoC.complementario);
  EXPECT_EQ(cincoC.acertados, 0b011111u);  // the 6 is the complementario, not a hit
  EXPECT_EQ(categoriaSencilla(5, true), CINCO_MAS_C);

  EXPECT_EQ(categoria({6, 5, 4, 3, 2, 1}, sorteo({1, 2, 3, 4, 5, 6}, 7)), SEIS);
  EXPECT_EQ(categoria({1, 2, 7, 8, 9, 10}, sorteo({1, 2, 3, 4, 5, 6}, 1)), SIN_PREMIO);

  EXPECT_EQ(mensajeSencilla(TRES), QString::fromUtf8("¡¡ Premio !! Has acertado 3 números."));
  EXPECT_EQ(mensajeSencilla(CUATRO), QString::fromUtf8("¡¡ Premio !! Has acertado 4 números."));
  EXPECT_EQ(mensajeSencilla(CINCO), QString::fromUtf8("¡¡ Premio !! Has acertado 5 números."));
  EXPECT_EQ(mensajeSencilla(CINCO_MAS_C), QString::fromUtf8("¡¡ Premio !! 5 + COMPLEMENTARIO"));
  EXPECT_EQ(mensajeSencilla(SEIS), QString::fromUtf8("¡¡ Premio !! Has acertado 6 números."));
  EXPECT_EQ(mensajeSencilla(SIN_PREMIO), QString());

  EXPECT_EQ(colorCategoria(TRES), 0xC000u);
  EXPECT_EQ(colorCategoria(CUATRO), 0xFF0000u);
  EXPECT_EQ(colorCategoria(CINCO), 0x400040u);
  EXPECT_EQ(colorCategoria(CINCO_MAS_C), 0x40C0u);
  EXPECT_EQ(colorCategoria(SEIS), 0xFFu);
}

TEST(Premios, DamagedNumbersNeverMakeAPrize) {
  // A missing draw reads as zeros; an empty place of a bet is 0: no match.
  EXPECT_EQ(aciertos({0, 0, 0, 0, 0, 0}, sorteo({0, 0, 0, 0, 0, 0}, 0)).aciertos, 0);
  EXPECT_FALSE(aciertos({0, 0, 0, 0, 0, 0}, sorteo({0, 0, 0, 0, 0, 0}, 0)).complementario);
  // A draw repeating a number, or a bet repeating one, counts it once.
  EXPECT_EQ(aciertos({5, 6, 7, 8, 9, 10}, sorteo({5, 5, 5, 5, 5, 5}, 1)).aciertos, 1);
  EXPECT_EQ(aciertos({5, 5, 5, 5, 5, 5}, sorteo({5, 6, 7, 8, 9, 10}, 1)).aciertos, 1);
  // Out of range everywhere: no hit, no crash.
  const Resultado r = aciertos({-7, 50, 32767, -32768, 64, 49}, sorteo({-7, 50, 32767, -32768, 64, 49}, 50));
  EXPECT_EQ(r.aciertos, 1);
  EXPECT_EQ(r.acertados, 0b100000u);
  EXPECT_FALSE(r.complementario);
  EXPECT_EQ(aciertos({1, 2, 3}, sorteo({1, 2, 3, 4, 5, 6}, 7)).aciertos, 3);
}

namespace {

const char* const LINEAS[44] = {
    "¡¡ Premio !! Tienes 4 apuestas de 3 aciertos.",   "¡¡ Premio !! Tienes 3 apuestas de 4 aciertos.",
    "¡¡ Premio !! Tienes 5 apuestas de 4 aciertos.",   "¡¡ Premio !! Tienes 2 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos.",    "¡¡ Premio !! Tienes 1 apuesta de 5 aciertos + C.",
    "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos.",   "¡¡ Premio !! Tienes 1 apuesta de 6 aciertos.",
    "¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C.", "¡¡ Premio !! Tienes 10 apuestas de 3 aciertos.",
    "¡¡ Premio !! Tienes 16 apuestas de 3 aciertos.",  "¡¡ Premio !! Tienes 6 apuestas de 4 aciertos.",
    "¡¡ Premio !! Tienes 15 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 3 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 2 apuesta de 5 aciertos.",    "¡¡ Premio !! Tienes 12 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 41 apuestas de 3 aciertos.",  "¡¡ Premio !! Tienes 42 apuestas de 4 aciertos.",
    "¡¡ Premio !! Tienes 2 apuesta de 5 aciertos + C.", "¡¡ Premio !! Tienes 42 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 20 apuestas de 3 aciertos.",  "¡¡ Premio !! Tienes 40 apuestas de 3 aciertos.",
    "¡¡ Premio !! Tienes 10 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 30 apuestas de 4 aciertos.",
    "¡¡ Premio !! Tienes 4 apuestas de 5 aciertos.",   "¡¡ Premio !! Tienes 3 apuesta de 5 aciertos.",
    "¡¡ Premio !! Tienes 45 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 18 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 35 apuestas de 3 aciertos.",  "¡¡ Premio !! Tienes 80 apuestas de 3 aciertos.",
    "¡¡ Premio !! Tienes 100 apuestas de 3 aciertos.", "¡¡ Premio !! Tienes 50 apuestas de 4 aciertos.",
    "¡¡ Premio !! Tienes 5 apuestas de 5 aciertos.",   "¡¡ Premio !! Tienes 4 apuesta de 5 aciertos.",
    "¡¡ Premio !! Tienes 90 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 24 apuestas de 5 aciertos.",
    "¡¡ Premio !! Tienes 56 apuestas de 3 aciertos.",  "¡¡ Premio !! Tienes 140 apuestas de 3 aciertos.",
    "¡¡ Premio !! Tienes 21 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 200 apuestas de 3 aciertos.",
    "¡¡ Premio !! Tienes 75 apuestas de 4 aciertos.",  "¡¡ Premio !! Tienes 5 apuesta de 5 aciertos.",
    "¡¡ Premio !! Tienes 150 apuestas de 4 aciertos.", "¡¡ Premio !! Tienes 30 apuestas de 5 aciertos.",
};

}  // namespace

// Every kind, every hit count, with and without the complementario among the bet's numbers: the
// simple bets counted one by one must give the row of the table, line by line, and the rows the
// enumeration reaches must be all 35.
TEST(Desglose, TableMatchesEverySimpleBetOfEveryKind) {
  const std::map<int, int> numeros = {{501, 7}, {502, 8}, {503, 5}, {504, 9}, {505, 10}, {506, 11}};
  const int orden[] = {TRES, CUATRO, CINCO, CINCO_MAS_C, SEIS};
  QSet<const Desglose*> usadas;
  for (const auto& [tipo, n] : numeros) {
    std::vector<int> bet;
    for (int k = 1; k <= n; ++k) bet.push_back(k * 4);  // 4, 8, ..., 44
    for (int h = 0; h <= std::min(n, 6); ++h) {
      for (int c = 0; c <= (n - h >= 1 ? 1 : 0); ++c) {
        SCOPED_TRACE(testing::Message() << "tipo " << tipo << " h " << h << " c " << c);
        // h winning numbers from the bet, the rest from outside it; the complementario is one of
        // the bet's other numbers or a number outside both.
        std::vector<int> ganadores(bet.begin(), bet.begin() + h);
        for (int x = 1; int(ganadores.size()) < 6; ++x)
          if (x % 4 != 0) ganadores.push_back(x);
        const Sorteo s = sorteo(ganadores, c ? bet[h] : 49);

        std::array<int, 8> cuenta{};
        for (const auto& sencilla : sencillasDe(bet)) cuenta[categoria(sencilla, s)] += 1;
        cuenta[SIN_PREMIO] = 0;

        const Resultado r = aciertos(bet, s);
        ASSERT_EQ(r.aciertos, h);
        ASSERT_EQ(r.complementario, c == 1);
        const Desglose* d = desglose(tipo, h, c);
        if (cuenta == std::array<int, 8>{}) {
          EXPECT_EQ(d, nullptr);
          continue;
        }
        ASSERT_NE(d, nullptr);
        usadas.insert(d);
        EXPECT_EQ(sumas(*d), cuenta);
        int k = 0;
        for (int cat : orden) {
          if (cuenta[cat] == 0) continue;
          ASSERT_LT(k, d->lineas);
          EXPECT_EQ(d->linea[k].categoria, cat);
          EXPECT_EQ(d->linea[k].cuantas, cuenta[cat]);
          ++k;
        }
        EXPECT_EQ(k, d->lineas);
      }
    }
  }
  EXPECT_EQ(usadas.size(), 35);
  EXPECT_EQ(desglose(507, 3, 0), nullptr);
  EXPECT_EQ(desglose(205, 6, 0), nullptr);
}

TEST(Desglose, LineTextsAreTheProgramsOwn) {
  QSet<QString> esperadas;
  for (const char* t : LINEAS) esperadas.insert(QString::fromUtf8(t));
  ASSERT_EQ(esperadas.size(), 44);
  QSet<QString> dadas;
  for (const Desglose& d : tablaDesglose())
    for (int k = 0; k < d.lineas; ++k) dadas.insert(textoLinea(d.linea[k]));
  EXPECT_EQ(dadas, esperadas);

  // The singular wording belongs to these rows only, not to every line of the same count.
  auto linea = [](int tipo, int h, int c, int k) { return textoLinea(desglose(tipo, h, c)->linea[k]); };
  EXPECT_EQ(linea(502, 5, 1, 2), QString::fromUtf8("¡¡ Premio !! Tienes 2 apuesta de 5 aciertos."));
  EXPECT_EQ(linea(504, 5, 1, 2), QString::fromUtf8("¡¡ Premio !! Tienes 3 apuesta de 5 aciertos."));
  EXPECT_EQ(linea(505, 5, 1, 2), QString::fromUtf8("¡¡ Premio !! Tienes 4 apuesta de 5 aciertos."));
  EXPECT_EQ(linea(506, 5, 1, 2), QString::fromUtf8("¡¡ Premio !! Tienes 5 apuesta de 5 aciertos."));
  EXPECT_EQ(linea(503, 4, 1, 1), QString::fromUtf8("¡¡ Premio !! Tienes 2 apuesta de 5 aciertos + C."));
  EXPECT_EQ(linea(501, 5, 0, 1), QString::fromUtf8("¡¡ Premio !! Tienes 2 apuestas de 5 aciertos."));
  EXPECT_EQ(linea(502, 5, 0, 2), QString::fromUtf8("¡¡ Premio !! Tienes 3 apuestas de 5 aciertos."));
  EXPECT_EQ(linea(504, 5, 0, 2), QString::fromUtf8("¡¡ Premio !! Tienes 4 apuestas de 5 aciertos."));
  EXPECT_EQ(linea(505, 5, 0, 2), QString::fromUtf8("¡¡ Premio !! Tienes 5 apuestas de 5 aciertos."));
}
