// Reading systems through file 7, spreading them over the base numbers, and the quick pick.
#include "syndicates/reduccion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "apoyo/carpeta.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"

namespace {

TEST(ReduccionArchivo, EachReadStartsFromTheFirstSystem) {
  CarpetaPrograma carpeta;
  // Positions written " 7" and "07"; a last system claiming more lines than the file has; a
  // header cut short is no system.
  carpeta.escribe("tablas.bin",
                  "7\r\n5\r\n2\r\n010203040507\r\n 2 3 4 5 6 7   resto\r\n"
                  "8\r\n3\r\n99999\r\n010203040506\r\n030405060708\r\n12\r\n5\r\n");
  estado().ruta = carpeta.ruta();
  abreTablas();
  const auto cabeceras = cabecerasDeTablas();
  ASSERT_EQ(cabeceras.size(), 2u);
  EXPECT_EQ(cabeceras[1].totalapuestas, 99999);

  EXPECT_EQ(sistemaDeTablas(1).indices.size(), 4u);  // every line left, none invented
  const TablaReducida primero = sistemaDeTablas(0);
  EXPECT_EQ(primero.indices, (std::vector<std::array<int, 6>>{{1, 2, 3, 4, 5, 7}, {2, 3, 4, 5, 6, 7}}));
  try {
    sistemaDeTablas(2);
    FAIL() << "a system past the end of the file was read";
  } catch (const plataforma::Error& error) {
    EXPECT_EQ(error.numero(), plataforma::ERR_FIN_ARCHIVO);
  }
}

TEST(ReduccionExpansion, TheWorkedExample) {
  Pena p;
  p.reducida = 7;
  const std::vector<int> base{3, 8, 15, 22, 30, 41, 47};
  for (int i = 0; i < 7; ++i) p.apuestas[1][i + 1] = qint16(base[i]);
  TablaReducida t;
  t.totalnumeros = 7;
  t.garantia = 5;
  t.totalapuestas = 2;
  t.indices = {{1, 2, 3, 4, 5, 7}, {2, 3, 4, 5, 6, 7}};
  ASSERT_EQ(expandeReducida(p, t), QString());
  auto apuesta = [&](int b) { return std::vector<int>(p.apuestas[b].begin() + 1, p.apuestas[b].begin() + 7); };
  EXPECT_EQ(apuesta(1), (std::vector<int>{3, 8, 15, 22, 30, 47}));
  // Bet 2 comes from the base numbers as marked, not from bet 1 as rewritten.
  EXPECT_EQ(apuesta(2), (std::vector<int>{8, 15, 22, 30, 41, 47}));
  EXPECT_EQ(std::vector<int>(p.numerosbase.begin() + 1, p.numerosbase.begin() + 8), base);
}

TEST(ReduccionExpansion, WhatTheRecordCannotHoldChangesNothing) {
  auto sistema = [](int n, int b, int posicion) {
    TablaReducida t;
    t.totalnumeros = n;
    t.garantia = 3;
    t.totalapuestas = b;
    t.indices.assign(b, {1, 2, 3, 4, 5, 6});
    t.indices.back()[5] = posicion;
    return t;
  };
  const std::pair<TablaReducida, int> casos[] = {
      {sistema(21, 4, 21), 21}, {sistema(12, 206, 6), 12}, {sistema(12, 4, 13), 12},
      {sistema(12, 4, 0), 12},  {sistema(12, 4, 12), 11},  // N other than the numbers marked
  };
  for (const auto& [tabla, reducida] : casos) {
    Pena p;
    p.reducida = qint16(reducida);
    for (int i = 1; i <= 20; ++i) p.apuestas[1][i] = qint16(i + 20);
    const QByteArray antes = p.codifica();
    EXPECT_FALSE(expandeReducida(p, tabla).isEmpty()) << tabla.totalnumeros << " " << tabla.totalapuestas;
    EXPECT_EQ(p.codifica(), antes);
  }
}

TEST(ReduccionAleatorio, OneToFortyNineWithoutRepeats) {
  EXPECT_EQ(bolaDe(0.0), 1);
  EXPECT_EQ(bolaDe(0.5 / 48), 2);  // 1.5 and 2.5 both go to 2
  EXPECT_EQ(bolaDe(1.5 / 48), 2);
  EXPECT_EQ(bolaDe(2.5 / 48), 4);
  EXPECT_EQ(bolaDe(std::nextafter(1.0, 0.0)), 49);

  std::set<int> vistos;
  for (std::uint64_t semilla = 0; semilla < 300; ++semilla) {
    std::array<qint16, 50> lista{};
    const int n = int(semilla % 20) + 1;
    sorteaNumeros(lista, n, semilla);
    const std::set<int> estos(lista.begin() + 1, lista.begin() + 1 + n);
    EXPECT_EQ(int(estos.size()), n);
    EXPECT_GE(*estos.begin(), 1);
    EXPECT_LE(*estos.rbegin(), 49);
    vistos.insert(estos.begin(), estos.end());
  }
  EXPECT_EQ(vistos.size(), 49u);
  std::array<qint16, 50> todos{};
  sorteaNumeros(todos, 60, 7);  // more than there are cannot loop for ever
  EXPECT_EQ(std::set<int>(todos.begin() + 1, todos.end()).size(), 49u);
}

}  // namespace
