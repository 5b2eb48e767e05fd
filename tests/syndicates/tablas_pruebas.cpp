// tablas.bin as the build makes it, and the reader the program judges it with.
#include "syndicates/tablas.h"

#include <QFile>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

QByteArray tablasGeneradas() {
  QFile archivo(QStringLiteral(BOLVANTA_CARPETA_CONSTRUCCION "/tablas.bin"));
  if (!archivo.open(QIODevice::ReadOnly)) return {};
  return archivo.readAll();
}

TablaReducida tabla(int n, int g, std::vector<std::array<int, 6>> apuestas) {
  TablaReducida t;
  t.totalnumeros = n;
  t.garantia = g;
  t.totalapuestas = static_cast<int>(apuestas.size());
  t.indices = std::move(apuestas);
  return t;
}

TEST(TablasGeneradas, TodasLasLineasAcabanEnCrLf) {
  const QByteArray bytes = tablasGeneradas();
  ASSERT_FALSE(bytes.isEmpty()) << "no se encuentra tablas.bin en la carpeta de construcción";
  ASSERT_TRUE(bytes.endsWith("\r\n"));
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "LF sin CR en el byte " << i;
    }
    if (bytes[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "CR suelto en el byte " << i;
    }
  }
}

TEST(TablasGeneradas, CadaSistemaEsUtilizableYCumpleSuGarantia) {
  const std::vector<TablaReducida> tablas = leeTablas(tablasGeneradas());
  ASSERT_GE(tablas.size(), 20u);

  std::set<int> bases;
  std::pair<int, int> anterior{0, 0};
  for (const TablaReducida& t : tablas) {
    SCOPED_TRACE(testing::Message() << "N=" << t.totalnumeros << " G=" << t.garantia);
    EXPECT_EQ(validaTabla(t), QString());
    EXPECT_LE(t.totalnumeros, 20);
    EXPECT_LE(t.totalapuestas, 205);
    EXPECT_EQ(static_cast<int>(t.indices.size()), t.totalapuestas);
    EXPECT_GE(garantiaReal(t), t.garantia);
    // Ordered by N then G, and no (N, G) twice: the program looks a system up by the pair.
    EXPECT_LT(anterior, std::make_pair(t.totalnumeros, t.garantia));
    anterior = {t.totalnumeros, t.garantia};
    for (const auto& a : t.indices) EXPECT_TRUE(std::is_sorted(a.begin(), a.end()));
    EXPECT_TRUE(std::is_sorted(t.indices.begin(), t.indices.end()));
    bases.insert(t.totalnumeros);
  }
  for (int n = 7; n <= 16; ++n) EXPECT_TRUE(bases.count(n)) << "no hay sistemas de " << n << " números";
}

TEST(TablasGeneradas, CortadasEnCualquierPuntoNoRompenNada) {
  const QByteArray bytes = tablasGeneradas();
  const std::vector<TablaReducida> enteras = leeTablas(bytes);
  ASSERT_FALSE(enteras.empty());
  for (qsizetype corte = 1; corte < bytes.size(); corte += 13) {
    const std::vector<TablaReducida> tablas = leeTablas(bytes.left(corte));
    ASSERT_FALSE(tablas.empty());
    ASSERT_LE(tablas.size(), enteras.size());
    // Every system before the cut is read as if the file were whole.
    for (std::size_t i = 0; i + 1 < tablas.size(); ++i) {
      EXPECT_EQ(tablas[i].totalnumeros, enteras[i].totalnumeros);
      EXPECT_EQ(tablas[i].indices, enteras[i].indices);
    }
    const TablaReducida& ultima = tablas.back();
    EXPECT_LE(ultima.indices.size(), enteras[tablas.size() - 1].indices.size());
    if (ultima.indices.size() < enteras[tablas.size() - 1].indices.size()) {
      EXPECT_FALSE(validaTabla(ultima).isEmpty()) << "corte en el byte " << corte;
    }
    if (ultima.totalnumeros <= 10) {
      EXPECT_LE(garantiaReal(ultima), 6);
    }
  }
}

TEST(LeeNumero, LeeElEnteroDelPrincipio) {
  EXPECT_EQ(leeNumero(QStringLiteral(" 7")), 7);
  EXPECT_EQ(leeNumero(QStringLiteral("07")), 7);
  EXPECT_EQ(leeNumero(QStringLiteral("12\r")), 12);
  EXPECT_EQ(leeNumero(QStringLiteral("3x")), 3);
  EXPECT_EQ(leeNumero(QStringLiteral("1 2")), 1);
  EXPECT_EQ(leeNumero(QStringLiteral("-4")), -4);
  EXPECT_EQ(leeNumero(QStringLiteral("+4")), 4);
  EXPECT_EQ(leeNumero(QString()), 0);
  EXPECT_EQ(leeNumero(QStringLiteral("  ")), 0);
  EXPECT_EQ(leeNumero(QStringLiteral("x")), 0);
  EXPECT_EQ(leeNumero(QStringLiteral("-")), 0);
  // A damaged file's huge figure must stay huge, not wrap to something that passes the limits.
  EXPECT_GT(leeNumero(QStringLiteral("99999999999999999999")), 205);
}

TEST(LeeTablas, FormatoDelArchivo) {
  // Two systems; blank-padded and zero-padded fields; text after the twelfth character ignored.
  const QByteArray crlf = "7\r\n5\r\n1\r\n 1 2 3 4 5 6 comentario\r\n"
                          "8\r\n4\r\n2\r\n010203040506\r\n030405060708\r\n";
  const std::vector<TablaReducida> tablas = leeTablas(crlf);
  ASSERT_EQ(tablas.size(), 2u);
  EXPECT_EQ(tablas[0].totalnumeros, 7);
  EXPECT_EQ(tablas[0].garantia, 5);
  EXPECT_EQ(tablas[0].indices, (std::vector<std::array<int, 6>>{{1, 2, 3, 4, 5, 6}}));
  EXPECT_EQ(tablas[1].indices, (std::vector<std::array<int, 6>>{{1, 2, 3, 4, 5, 6}, {3, 4, 5, 6, 7, 8}}));

  QByteArray lf = crlf;
  lf.replace("\r\n", "\n");
  const std::vector<TablaReducida> otras = leeTablas(lf);
  ASSERT_EQ(otras.size(), 2u);
  EXPECT_EQ(otras[1].indices, tablas[1].indices);

  EXPECT_EQ(leeTablas(crlf + "\r\n\r\n").size(), 2u);  // trailing blank lines are no system
  EXPECT_TRUE(leeTablas(QByteArray()).empty());
}

TEST(LeeTablas, ArchivoCortadoConservaLoQueHay) {
  std::vector<TablaReducida> t = leeTablas("8\r\n5\r\n4\r\n010203040506\r\n0102030407");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].totalapuestas, 4);
  ASSERT_EQ(t[0].indices.size(), 2u);
  EXPECT_EQ(t[0].indices[1], (std::array<int, 6>{1, 2, 3, 4, 7, 0}));
  EXPECT_EQ(validaTabla(t[0]), QStringLiteral("La reducción tiene menos líneas de apuestas de las que indica."));

  t = leeTablas("8\r\n5");  // cut inside the header: the count of bets reads as none
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(validaTabla(t[0]), QStringLiteral("La reducción no tiene apuestas."));

  // A stated count far beyond the file takes only the lines there are.
  t = leeTablas("8\r\n5\r\n999999999\r\n010203040506\r\n");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].indices.size(), 1u);
  EXPECT_EQ(validaTabla(t[0]), QStringLiteral("La reducción tiene más de 205 apuestas."));
}

TEST(ValidaTabla, Mensajes) {
  const std::array<int, 6> primera{1, 2, 3, 4, 5, 6};
  EXPECT_EQ(validaTabla(tabla(7, 5, {primera})), QString());
  EXPECT_EQ(validaTabla(tabla(6, 6, {primera})), QString());
  EXPECT_EQ(validaTabla(tabla(21, 3, {primera})), QStringLiteral("La reducción tiene más de 20 números base."));
  EXPECT_EQ(validaTabla(tabla(5, 3, {primera})), QStringLiteral("La reducción tiene menos de 6 números base."));
  EXPECT_EQ(validaTabla(tabla(8, 0, {primera})), QStringLiteral("La reducción tiene una garantía fuera de 1 a 6."));
  EXPECT_EQ(validaTabla(tabla(8, 7, {primera})), QStringLiteral("La reducción tiene una garantía fuera de 1 a 6."));
  EXPECT_EQ(validaTabla(tabla(20, 3, std::vector<std::array<int, 6>>(206, primera))),
            QStringLiteral("La reducción tiene más de 205 apuestas."));
  EXPECT_EQ(validaTabla(tabla(20, 3, std::vector<std::array<int, 6>>(205, primera))), QString());
  EXPECT_EQ(validaTabla(tabla(8, 4, {})), QStringLiteral("La reducción no tiene apuestas."));
  const QString fuera = QStringLiteral("La reducción tiene posiciones fuera de 1 a N.");
  EXPECT_EQ(validaTabla(tabla(8, 4, {{0, 2, 3, 4, 5, 6}})), fuera);
  EXPECT_EQ(validaTabla(tabla(8, 4, {{1, 2, 3, 4, 5, 9}})), fuera);
  EXPECT_EQ(validaTabla(tabla(8, 4, {{-1, 2, 3, 4, 5, 6}})), fuera);
  EXPECT_EQ(validaTabla(tabla(8, 4, {{3, 2, 3, 4, 5, 6}})),
            QStringLiteral("La reducción tiene apuestas con posiciones repetidas."));
}

TEST(GarantiaReal, SistemasConocidos) {
  // Any two sixes among 7 numbers share 5; among 8, 4.
  EXPECT_EQ(garantiaReal(tabla(7, 5, {{1, 2, 3, 4, 5, 6}})), 5);
  EXPECT_EQ(garantiaReal(tabla(8, 5, {{1, 2, 3, 4, 5, 6}})), 4);
  EXPECT_EQ(garantiaReal(tabla(6, 6, {{1, 2, 3, 4, 5, 6}})), 6);
  // Twelve numbers split in two halves: six winners put at least three in one half.
  EXPECT_EQ(garantiaReal(tabla(12, 3, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}})), 3);
  // One bet among 12 numbers: the winners may be exactly the other six.
  EXPECT_EQ(garantiaReal(tabla(12, 3, {{1, 2, 3, 4, 5, 6}})), 0);
  // Full development of 7 numbers holds every six; drop one bet and that six gets 5 at best.
  std::vector<std::array<int, 6>> completo;
  for (int fuera = 7; fuera >= 1; --fuera) {
    std::array<int, 6> a{};
    for (int i = 1, k = 0; i <= 7; ++i)
      if (i != fuera) a[k++] = i;
    completo.push_back(a);
  }
  EXPECT_EQ(garantiaReal(tabla(7, 6, completo)), 6);
  completo.pop_back();
  EXPECT_EQ(garantiaReal(tabla(7, 6, completo)), 5);
  // A position outside 1..N stands for no number: only five real ones left in the bet.
  EXPECT_EQ(garantiaReal(tabla(6, 6, {{1, 2, 3, 4, 5, 7}})), 5);
  // Sizes no record holds are not searched.
  EXPECT_EQ(garantiaReal(tabla(21, 3, {{1, 2, 3, 4, 5, 6}})), 0);
  EXPECT_EQ(garantiaReal(tabla(5, 3, {{1, 2, 3, 4, 5, 6}})), 0);
  EXPECT_EQ(garantiaReal(tabla(20, 3, {})), 0);
}

}  // namespace
