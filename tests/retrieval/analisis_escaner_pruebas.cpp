// The marker scanners, the character filter, the number and date readings and the reading of the
// draws out of a stored answer, without the window.
#include <gtest/gtest.h>

#include "apoyo/respuestas.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "retrieval/escaner.h"

using escaner::Escaner;
using plataforma::oleDe;

namespace {

// The number of the error a call raises, 0 when it raises none.
template <typename F>
int errorDe(F&& f) {
  try {
    f();
  } catch (const plataforma::Error& e) {
    return e.numero();
  }
  return 0;
}

// A function, not a constant: the date origin of another file may not be set up yet.
double hoy() { return oleDe(QDate(2025, 3, 10)); }

// Bytes that hold no marker the parse looks for.
QByteArray relleno(qsizetype n) { return ",{\"x\":\"" + QByteArray(n, 'a') + "\"}"; }

// Objects holding only an old date, as many as keep the date scan going to its end.
QByteArray fechasViejas(int n) {
  QByteArray r;
  for (int i = 0; i < n; ++i) r += ",{\"fecha_sorteo\":\"2018-12-30 00:00:00\"}";
  return r;
}

Sorteo sorteo(const QDate& d, std::array<int, 6> n, int c, int r, double joker) {
  Sorteo s;
  for (int j = 0; j < 6; ++j) s.ganadores[j + 1] = static_cast<qint16>(n[j]);
  s.complementario = static_cast<qint16>(c);
  s.reintegro = static_cast<qint16>(r);
  s.joker = joker;
  s.fecha = oleDe(d);
  return s;
}

}  // namespace

TEST(Busca, EdgeCasesWithTheirPositions) {
  {
    Escaner e("zzAB");  // the start marker ends on the last byte
    EXPECT_EQ(e.busca(QStringLiteral("AB"), QStringLiteral("-")), QString());
    EXPECT_EQ(e.posicion(), 4);  // one past the start of the last whole window
  }
  {
    Escaner e("x1 2 3-y");
    EXPECT_EQ(e.busca(QStringLiteral("x"), QStringLiteral("-"), 1), QStringLiteral("123"));
    EXPECT_EQ(e.posicion(), 8);  // one past the first character of the end marker
    e.posiciona(1);
    EXPECT_EQ(e.busca(QStringLiteral("x"), QStringLiteral("-"), 0), QStringLiteral("1 2 3"));
    EXPECT_EQ(e.posicion(), 8);
    e.posiciona(1);
    EXPECT_EQ(e.busca(QStringLiteral(" "), QStringLiteral("-"), 1), QStringLiteral("23"));
  }
  {
    Escaner e("x123");  // the collection stops when its window starts on the second-to-last byte
    EXPECT_EQ(e.busca(QStringLiteral("x"), QStringLiteral("-"), 1), QStringLiteral("1"));
    EXPECT_EQ(e.posicion(), 4);
  }
  {
    Escaner e("web:a b>z");
    EXPECT_EQ(e.busca3(QStringLiteral("web:"), QStringLiteral(">")), QStringLiteral("a/b"));
    EXPECT_EQ(e.posicion(), 9);
    e.posiciona(1);
    EXPECT_EQ(e.busca(QStringLiteral("web:"), QStringLiteral(">")), QStringLiteral("a b"));
    e.posiciona(1);  // only a one-byte window can be a single blank
    EXPECT_EQ(e.busca3(QStringLiteral("web:"), QStringLiteral("b>")), QStringLiteral("a "));
  }
  {
    // A marker right at the position is found there; from further on, the next one is.
    Escaner e("-1-2-3-");
    EXPECT_EQ(e.busca(QStringLiteral("-"), QStringLiteral("-")), QStringLiteral("1"));
    EXPECT_EQ(e.posicion(), 4);
    e.avanza(-1);
    EXPECT_EQ(e.busca(QStringLiteral("-"), QStringLiteral("-")), QStringLiteral("2"));
  }
}

TEST(Busca, MarkersComparedInUpperCaseAndTheEndMarkerInTwoForms) {
  Escaner e("..Joker..ComBINacion\"\":1");
  QString empieza = QStringLiteral("joker");
  EXPECT_EQ(e.busca(empieza, QStringLiteral("on")), QStringLiteral("..ComBINaci"));
  EXPECT_EQ(empieza, QStringLiteral("JOKER"));  // written back to the caller's variable
  e.posiciona(1);
  // "on" and "ON" end the collection, "On" does not.
  EXPECT_EQ(e.busca(QStringLiteral("jo"), QStringLiteral("in")), QStringLiteral("ker..ComB"));
  Escaner f("aOnbcon");
  EXPECT_EQ(f.busca(QStringLiteral("a"), QStringLiteral("on")), QStringLiteral("Onbc"));
  Escaner g("xINa");
  EXPECT_EQ(g.busca(QStringLiteral("x"), QStringLiteral("in")), QString());
  EXPECT_EQ(g.posicion(), 3);
  // Accented letters are upper-cased in the file's code page; ß keeps its single byte.
  Escaner h(QByteArray("caf\xE9 stra\xDF" "e-."));
  EXPECT_EQ(h.busca(QString::fromUtf8("CAFÉ"), QStringLiteral("-")), QString::fromUtf8(" straße"));
  h.posiciona(1);
  QString straße = QString::fromUtf8("straße");
  EXPECT_EQ(h.busca(straße, QStringLiteral("-")), QString());  // found, and the end marker follows
  EXPECT_EQ(straße, QString::fromUtf8("STRAßE"));
}

TEST(Busca, ReadingPastTheEndRaises62AndLeavesThePositionThere) {
  Escaner e("abc");
  e.posiciona(3);
  EXPECT_EQ(errorDe([&] { e.busca(QStringLiteral("cd"), QStringLiteral("-")); }), 62);
  EXPECT_EQ(e.posicion(), 3);
  // An end marker of 3 characters that never comes runs past the end; one of 2 stops before it.
  Escaner f("[abcdef");
  EXPECT_EQ(errorDe([&] { f.busca(QStringLiteral("["), QStringLiteral("]}}]")); }), 62);
  f.posiciona(1);
  EXPECT_EQ(f.busca(QStringLiteral("["), QStringLiteral("]}")), QStringLiteral("abcd"));
  EXPECT_EQ(f.posicion(), 7);
  // A search that starts on the last byte still reads its window; the next one has none to read.
  EXPECT_EQ(f.busca(QStringLiteral("x"), QStringLiteral("-")), QString());
  EXPECT_EQ(f.posicion(), 8);
  EXPECT_EQ(errorDe([&] { f.busca(QStringLiteral("x"), QStringLiteral("-")); }), 62);
  // A start marker on the second-to-last byte collects the last one, then runs past the end.
  Escaner g("ab");
  EXPECT_EQ(errorDe([&] { g.busca(QStringLiteral("a"), QStringLiteral("-")); }), 62);
  EXPECT_EQ(errorDe([&] { Escaner("").busca(QStringLiteral("a"), QStringLiteral("-")); }), 62);
  EXPECT_EQ(errorDe([&] { g.posiciona(0); }), 63);
}

TEST(Raros, KeepsOnlyCodesAbove32AndBelow123) {
  EXPECT_EQ(escaner::raros(QString::fromUtf8("Pr ém{io}")), QStringLiteral("Prmio"));
  EXPECT_EQ(escaner::raros(QString::fromUtf8("!0Az|~\t\r\n1ª (6 Aciertos) ñ€")), QStringLiteral("!0Az1(6Aciertos)"));
  EXPECT_EQ(escaner::raros(QString()), QString());
}

TEST(Numeros, LeadingNumericTextAndSixteenBits) {
  EXPECT_EQ(escaner::valor(QStringLiteral("02 ")), 2);
  EXPECT_EQ(escaner::valor(QStringLiteral(" 1 2 3x4")), 123);  // blanks dropped anywhere
  EXPECT_EQ(escaner::valor(QStringLiteral("0123456")), 123456);
  EXPECT_EQ(escaner::valor(QStringLiteral("-5,5")), -5);
  EXPECT_EQ(escaner::valor(QStringLiteral("2.75.1")), 2.75);
  EXPECT_EQ(escaner::valor(QStringLiteral("")), 0);
  EXPECT_EQ(escaner::valor(QStringLiteral("-")), 0);
  EXPECT_EQ(escaner::valor(QStringLiteral("\"\",\"\"fondo")), 0);
  EXPECT_EQ(errorDe([] { escaner::valor(QString(400, QLatin1Char('9'))); }), 6);
  EXPECT_EQ(escaner::valor(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")), 0);

  EXPECT_EQ(escaner::entero16(2.5), 2);  // halves to the even neighbour
  EXPECT_EQ(escaner::entero16(3.5), 4);
  EXPECT_EQ(escaner::entero16(-2.5), -2);
  EXPECT_EQ(escaner::entero16(32767.4), 32767);
  EXPECT_EQ(escaner::entero16(-32768.5), -32768);
  EXPECT_EQ(errorDe([] { escaner::entero16(32767.5); }), 6);
  EXPECT_EQ(errorDe([] { escaner::entero16(99999); }), 6);
  EXPECT_EQ(errorDe([] { escaner::entero16(-32769); }), 6);
}

TEST(Fechas, DayFirstTextToDateOrNothing) {
  EXPECT_EQ(escaner::fechaDeTexto(QStringLiteral("02/01/2019")), 43467.0);
  EXPECT_EQ(escaner::fechaDeTexto(QStringLiteral("29/02/2020")), oleDe(QDate(2020, 2, 29)));
  EXPECT_EQ(escaner::fechaDeTexto(QStringLiteral("5/1/19")), oleDe(QDate(2019, 1, 5)));
  EXPECT_EQ(escaner::fechaDeTexto(QStringLiteral("5/1/30")), oleDe(QDate(1930, 1, 5)));
  for (const char* mala : {"29/02/2019", "31/04/2025", "00/01/2025", "01/13/2025", "//", "1/2",
                           "1/2/3/4", "a1/01/2025", "01/01/20251", "-1/01/2025", "01/01/0099"})
    EXPECT_FALSE(escaner::fechaDeTexto(QString::fromLatin1(mala))) << mala;
}

TEST(Analisis, DateOfADrawAgainstTheReference) {
  const QByteArray guardada = formaGuardada("[{\"fecha_sorteo\":\"2019-01-02 00:00:00\"}" + fechasViejas(300) + "]}}]");
  ASSERT_TRUE(guardada.contains("\"\"fecha_sorteo\"\":\"\"2019-01-02 00:00:00\"\""));
  escaner::Analisis a;
  Escaner e(guardada);
  a.marcaFinal = escaner::buscaMarcaFinal(e);
  EXPECT_EQ(a.marcaFinal, guardada.indexOf("]}}]") + 2);
  e.posiciona(1);
  escaner::leeFechas(e, oleDe(QDate(2018, 12, 31)), hoy(), a);
  EXPECT_EQ(a.fechas, std::vector<double>{oleDe(QDate(2019, 1, 2))});

  escaner::Analisis b;
  b.marcaFinal = a.marcaFinal;
  e.posiciona(1);
  escaner::leeFechas(e, oleDe(QDate(2019, 1, 2)), hoy(), b);  // equal is not later
  EXPECT_TRUE(b.fechas.empty());
}

TEST(Analisis, CombinationAndJokerOfADraw) {
  const QByteArray guardada = formaGuardada(
      "{\"fecha_sorteo\":\"2019-01-02 00:00:00\",\"combinacion_acta\":\"9\",\"combinacion\":\"02 - 10 - 23 - 29 - "
      "36 - 38 C(33) R(4)\",\"premios\":\"0\",\"joker\":{\"combinacion\":\"8337021\",\"x\":\"-\"}}");
  ASSERT_TRUE(guardada.contains("\"\"combinacion\"\":\"\"02 - 10 - 23 - 29 - 36 - 38 C(33) R(4)\"\""));
  escaner::Analisis a;
  a.fechas = {43467};
  a.posicionesFecha = {1};
  Escaner e(guardada);
  int avisos = 0;
  escaner::leeSorteos(e, a, [&](int k) { avisos += k; });
  ASSERT_EQ(a.sorteos.size(), 1u);
  const Sorteo& s = a.sorteos[0];
  EXPECT_EQ(std::vector<int>(s.ganadores.begin() + 1, s.ganadores.end()), (std::vector<int>{2, 10, 23, 29, 36, 38}));
  EXPECT_EQ(s.complementario, 33);
  EXPECT_EQ(s.reintegro, 4);
  EXPECT_EQ(s.joker, 8337021.0);
  EXPECT_EQ(s.fecha, 43467.0);
  EXPECT_EQ(avisos, 1);
}

// Every date before the end mark is examined, however close to it: the oldest draws of an answer
// come last. A date after the end mark is not.
TEST(Analisis, EveryDateBeforeTheEndMark) {
  const Sorteo nuevo = sorteo(QDate(2025, 3, 8), {2, 10, 23, 29, 36, 38}, 33, 4, 8337021);
  const Sorteo anterior = sorteo(QDate(2025, 3, 6), {5, 14, 22, 31, 40, 47}, 9, 0, 123);
  const QByteArray dos = objetoSorteo(nuevo) + "," + objetoSorteo(anterior);
  struct Caso {
    const char* nombre;
    QByteArray respuesta;
    size_t examinadas, tomados;
  };
  const std::vector<Caso> casos = {
      {"no padding", "[" + dos + "]", 2, 2},
      {"padding after the draws", "[" + dos + relleno(20000) + "]}}]", 2, 2},
      {"one draw, end mark near", "[" + objetoSorteo(nuevo) + relleno(100) + "]}}]", 1, 1},
      {"a draw after the end mark", "[" + objetoSorteo(nuevo) + "]," + objetoSorteo(anterior) + "]}}]", 1, 1},
  };
  for (const Caso& c : casos) {
    escaner::Analisis a;
    EXPECT_EQ(escaner::analizaRespuesta(formaGuardada(c.respuesta), oleDe(QDate(2025, 3, 1)), hoy(), a), 0) << c.nombre;
    EXPECT_EQ(a.posicionesFecha.size(), c.examinadas) << c.nombre;
    EXPECT_EQ(a.sorteos.size(), c.tomados) << c.nombre;
  }
}

// What the program reads out of answers that no honest service sends.
TEST(Analisis, AnswersThatCannotBeTrue) {
  const double referencia = oleDe(QDate(2025, 3, 1));
  const Sorteo a = sorteo(QDate(2025, 3, 8), {2, 10, 23, 29, 36, 38}, 33, 4, 8337021);
  const Sorteo b = sorteo(QDate(2025, 3, 6), {5, 14, 22, 31, 40, 47}, 9, 0, 123);
  const Sorteo viejo = sorteo(QDate(2025, 2, 27), {1, 2, 3, 4, 5, 6}, 7, 0, 1);
  struct Caso {
    const char* nombre;
    QByteArray respuesta;
    int error;
    size_t tomados;
  };
  const QByteArray bueno = respuestaServicio({a, b});
  auto cambia = [&](const char* de, const char* a) { return QByteArray(bueno).replace(de, a); };
  const Sorteo futuro = sorteo(QDate(2025, 3, 11), {1, 2, 3, 4, 5, 6}, 7, 0, 1);
  const std::vector<Caso> casos = {
      {"as sent", bueno, 0, 2},
      {"a number above 49", cambia("05 - 14", "50 - 14"), escaner::ERR_TIPOS, 1},
      {"a negative number", cambia("- 38 C", "- -3 C"), escaner::ERR_TIPOS, 0},
      {"a number twice", cambia("10 - 23", "10 - 10"), escaner::ERR_TIPOS, 0},
      {"complementario among the numbers", cambia("C(33)", "C(38)"), escaner::ERR_TIPOS, 0},
      {"reintegro 10", cambia("R(4)", "R(10)"), escaner::ERR_TIPOS, 0},
      {"a Joker with decimals", cambia("\"8337021\"", "\"833.5\""), escaner::ERR_TIPOS, 0},
      {"a Joker of eight digits", cambia("\"8337021\"", "\"18337021\""), escaner::ERR_TIPOS, 0},
      {"a number beyond 16 bits", cambia("05 - 14", "99999 - 14"), 6, 1},
      {"not a date", cambia("2025-03-06", "2025-02-30"), escaner::ERR_TIPOS, 0},
      {"a draw after today", respuestaServicio({futuro, a}), escaner::ERR_TIPOS, 0},
      {"oldest first", respuestaServicio({b, a}), escaner::ERR_TIPOS, 0},
      {"the same date twice", respuestaServicio({a, a}), escaner::ERR_TIPOS, 0},
      {"a new draw after an old one", respuestaServicio({viejo, a}), escaner::ERR_TIPOS, 0},
      // A draw without its own combination or Joker would take the next draw's: the reading
      // stops before it, as for a draw not yet drawn.
      // The Joker's own key is a combination too: read as the first number, it is beyond 16 bits.
      {"the newest without combination", cambia("\"combinacion\":\"02", "\"combinacio\":\"02"), 6, 0},
      {"the newest without combination and Joker",
       cambia("\"combinacion\":\"02", "\"combinacio\":\"02").replace("{\"combinacion\":\"8337021\"", "{\"c\":\"1\""), 0, 0},
      {"the second without Joker", cambia("{\"combinacion\":\"0000123\"", "{\"combi\":\"0000123\""), 0, 1},
      {"the newest not yet drawn", cambia("\"8337021\"", "\"-\""), 0, 0},
      {"a complementario of 0", cambia("C(09)", "C(00)"), 0, 1},
      {"no end mark", bueno.chopped(1), 62, 0},
  };
  for (const Caso& c : casos) {
    if (&c != &casos.front()) {
      ASSERT_NE(c.respuesta, bueno) << c.nombre;
    }
    escaner::Analisis r;
    EXPECT_EQ(escaner::analizaRespuesta(formaGuardada(c.respuesta), referencia, hoy(), r), c.error) << c.nombre;
    EXPECT_EQ(r.sorteos.size(), c.tomados) << c.nombre;
  }
}
