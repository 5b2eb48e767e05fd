// The ranking of the numbers and the figures of a reduced system, without windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "statistics/clasificacion.h"

namespace {

// Counts as the statistics leave them: number r in row r of the first half, number r + 24 in row
// r of the second, so 25 stands in both; a number never drawn keeps its cell empty.
void ponVeces(Frecuencias& primera, Frecuencias& segunda, const std::map<int, int>& veces) {
  primera.vacia();
  segunda.vacia();
  for (const auto& [numero, cuenta] : veces) {
    if (numero <= 25) primera.ponCuenta(numero, 1, cuenta);
    if (numero >= 25) segunda.ponCuenta(numero - 24, 1, cuenta);
  }
}

TEST(Clasificacion, EqualCountsKeepAscendingOrderAndEveryNumberComesOnce) {
  Frecuencias primera(1), segunda(1);
  ponVeces(primera, segunda, {{1, 5}, {2, 5}, {3, 7}, {25, 6}, {49, 5}, {26, 0}});
  const auto veces = vecesDe(primera, segunda);
  EXPECT_EQ(veces[3], 7);
  EXPECT_EQ(veces[25], 6);
  EXPECT_EQ(veces[26], 0);
  EXPECT_EQ(veces[48], 0);  // never drawn: an empty cell

  const auto lista = ordenaNumeros(veces);
  EXPECT_EQ(lista[0], 0);
  const std::vector<int> cabeza(lista.begin() + 1, lista.begin() + 8);
  EXPECT_EQ(cabeza, (std::vector<int>{3, 25, 1, 2, 49, 4, 5}));
  EXPECT_EQ(lista[49], 48);
  std::vector<int> todos(lista.begin() + 1, lista.end());
  std::sort(todos.begin(), todos.end());
  EXPECT_EQ(std::adjacent_find(todos.begin(), todos.end()), todos.end());
  EXPECT_EQ(todos.front() + todos.back() + int(todos.size()), 1 + 49 + 49);

  // Number 25 is read from the first half whatever the second's first row says.
  segunda.ponCuenta(1, 1, 40);
  EXPECT_EQ(vecesDe(primera, segunda)[25], 6);
}

TEST(Clasificacion, FactorialCombinationsAndChanceOfSix) {
  EXPECT_EQ(Factorial(0), 1.0);
  EXPECT_EQ(Factorial(-4), 1.0);
  EXPECT_EQ(Factorial(10), 3628800.0);
  struct Caso {
    int N, B;
    double C;
    const char* porcentaje;
  };
  const Caso casos[] = {{6, 1, 1, "100,00%"},     {7, 7, 7, "100,00%"},      {10, 14, 210, "6,67%"},
                        {12, 40, 924, "4,33%"},    {16, 29, 8008, "0,36%"},   {5, 1, 0, "-"}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.N);
    EXPECT_EQ(combinaciones(c.N), c.C);
    EXPECT_EQ(porcentajeSeis(c.B, combinaciones(c.N)), QString::fromUtf8(c.porcentaje));
  }
}

}  // namespace
