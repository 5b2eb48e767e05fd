// The check of multiple-bet syndicates and the breakdown of their prizes: the rows of ListView4,
// the counters added per draw, the prize alert, and the record written back.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include "checking/comun.h"
#include "checking/premios.h"
#include "plataforma/msgbox.h"

using namespace comprobacion;
using plataforma::oleDe;

namespace {


// A multiple syndicate of one bet.
Pena multiple(const QString& nombre, int tipo, const std::vector<int>& numeros, const QString& dias = TODOS,
              const QDate& creacion = QDate(2025, 1, 1)) {
  Pena p = penaDe(nombre, dias, creacion, {numeros});
  p.tipo = qint16(tipo);
  return p;
}

std::vector<int> primeros(int n) {
  std::vector<int> r;
  for (int k = 1; k <= n; ++k) r.push_back(k);
  return r;
}

QStringList vacias(int n) { return QStringList(n, QString()); }

class Multiples : public comprobacion::Comprobacion {};

}  // namespace

// One syndicate of each kind, three of its numbers drawn: separator, header, date, the bet row with
// the first line, one row per further line and, for the 5-number bet, an empty row.
TEST_F(Multiples, EveryKindWithThreeHits) {
  const int tipos[] = {501, 502, 503, 504, 505, 506};
  std::vector<Pena> penas;
  for (int tipo : tipos) penas.push_back(multiple(QString::number(tipo), tipo, primeros(cuantos(tipo))));
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 40, 41, 42}, 49)}, penas);
  p.compruebasencillas(1);  // hands over to the multiple check
  EXPECT_EQ(p.ListView2->Count(), 0);

  plataforma::ListView* l = p.ListView4;
  int r = 1;
  for (int j = 0; j < 6; ++j) {
    const int tipo = tipos[j];
    const int n = cuantos(tipo);
    SCOPED_TRACE(tipo);
    const premios::Desglose* d = premios::desglose(tipo, 3, 0);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(l->subCount(r), 0);
    EXPECT_EQ(subTextos(l, r + 1), vacias(11) << cabecera(QString::number(tipo)));
    EXPECT_EQ(l->subForeColor(r + 1, 12), 0x80u);
    EXPECT_EQ(subTextos(l, r + 2), vacias(11) << QString::fromUtf8("06/03/2025 Jueves"));
    EXPECT_EQ(l->subForeColor(r + 2, 12), 0x8000u);
    QStringList bet;
    for (int k = 1; k <= n; ++k) bet << QString::number(k);
    EXPECT_EQ(subTextos(l, r + 3), bet + vacias(11 - n) << premios::textoLinea(d->linea[0]));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(l->subForeColor(r + 3, k), 0xFFu);
    EXPECT_EQ(l->subForeColor(r + 3, 4), 0u);
    EXPECT_EQ(l->subForeColor(r + 3, 12), 0xC000u);
    for (int k = 1; k < d->lineas; ++k) {
      EXPECT_EQ(subTextos(l, r + 3 + k), vacias(11) << premios::textoLinea(d->linea[k]));
      EXPECT_EQ(l->subForeColor(r + 3 + k, 12), premios::colorCategoria(d->linea[k].categoria));
    }
    r += 3 + d->lineas;
    if (tipo == 503) {
      EXPECT_EQ(subTextos(l, r), vacias(11));
      ++r;
    }
    // Counted: the draw is later than the date found and not before the creation.
    const std::array<int, 8> suma = premios::sumas(*d);
    const Pena escrita = enDisco(carpeta, j + 1);
    for (int c = 3; c <= 7; ++c) EXPECT_EQ(escrita.aciertos[c], suma[c]) << c;
    EXPECT_EQ(escrita.fechacomprobado, oleDe(JUEVES));
  }
  EXPECT_EQ(l->Count(), r - 1);
  EXPECT_EQ(p.fila, r - 1);
  EXPECT_EQ(l->subText(4, 12), QString::fromUtf8("¡¡ Premio !! Tienes 4 apuestas de 3 aciertos."));
  EXPECT_EQ(l->subText(12, 12), QString::fromUtf8("¡¡ Premio !! Tienes 41 apuestas de 3 aciertos."));
  EXPECT_EQ(l->subText(13, 12), QString::fromUtf8("¡¡ Premio !! Tienes 3 apuestas de 4 aciertos."));
}

TEST_F(Multiples, OnlyPrizesAndTheFiveNumberBetWithTwoHits) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 30, 40, 41, 42}, 5)},
                         {multiple("SIETE", 501, primeros(7)), multiple("CINCO", 503, primeros(5))});
  p.compruebamultiples(1);
  plataforma::ListView* l = p.ListView4;
  // Seven numbers, two hits: no prize, two empty cells after the eleventh.
  ASSERT_EQ(l->Count(), 4 + 5);
  EXPECT_EQ(subTextos(l, 4), (QStringList{"1", "2", "3", "4", "5", "6", "7"} + vacias(6)));
  EXPECT_EQ(l->subForeColor(4, 2), 0xFFu);
  EXPECT_EQ(l->subForeColor(4, 3), 0u);
  // Five numbers, two hits: four bets of three, then an empty row.
  EXPECT_EQ(subTextos(l, 8), (QStringList{"1", "2", "3", "4", "5"} + vacias(6)
                                                               << QString::fromUtf8("¡¡ Premio !! Tienes 4 apuestas de 3 aciertos.")));
  EXPECT_EQ(subTextos(l, 9), vacias(11));
  EXPECT_EQ(enDisco(carpeta, 2).aciertos[3], 4);

  p.Check2->setChecked(true);  // checks again: the prize-less block goes, and the empty row
  EXPECT_EQ(l->Count(), 4);
  EXPECT_EQ(p.fila, 4);
  EXPECT_EQ(l->subText(2, 12), cabecera("CINCO"));
  EXPECT_EQ(enDisco(carpeta, 2).aciertos[3], 4);  // not counted again
}

TEST_F(Multiples, CountingFollowsTheDatesAndOnlyTheWalkWrites) {
  Pena contado = multiple("CONTADO", 501, primeros(7));
  contado.fechacomprobado = oleDe(JUEVES);
  Pena hoy = multiple("HOY", 501, primeros(7), TODOS, JUEVES);
  Pena luego = multiple("LUEGO", 501, primeros(7), TODOS, JUEVES.addDays(1));
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6}, 7)}, {contado, hoy, luego});
  p.Check1->setChecked(true);  // "Histórico"
  plataforma::ListView* l = p.ListView4;
  // All three show 6 x 5 + C and 1 x 6; only the one created that day counts them.
  EXPECT_EQ(columna(l, 12).count(QString::fromUtf8("¡¡ Premio !! Tienes 6 apuestas de 5 aciertos + C.")), 3);
  EXPECT_EQ(l->subForeColor(4, 6), 0xFFu);
  EXPECT_EQ(l->subForeColor(4, 7), 0u);  // the complementario is not coloured
  EXPECT_EQ(enDisco(carpeta, 1).aciertos, (std::array<qint16, 8>{}));
  EXPECT_EQ(enDisco(carpeta, 2).aciertos, (std::array<qint16, 8>{0, 0, 0, 0, 0, 0, 1, 6}));
  EXPECT_EQ(enDisco(carpeta, 3).aciertos, (std::array<qint16, 8>{}));

  // premiosmultiple lists; the counters and the date counted are written together by the walk, so
  // a breakdown writes nothing of its own.
  estado().penaactual = leePena(3);
  estado().penaactual.nombre = "OTRO";
  p.numpena = 3;
  const int filas = l->Count();
  p.premiosmultiple(1);
  EXPECT_EQ(enDisco(carpeta, 3).nombre, QStringLiteral("LUEGO").leftJustified(20));
  EXPECT_EQ(l->Count(), filas);
}

TEST_F(Multiples, CountersStayWithinSixteenBits) {
  Pena llena = multiple("LLENA", 506, primeros(11));
  llena.aciertos[3] = 32700;
  llena.aciertos[4] = 32767;
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6}, 40)}, {llena});
  p.compruebamultiples(1);
  const QByteArray b = apuestas();
  EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 8264), 32767);  // 32700 + 200
  EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 8266), 32767);  // 32767 + 150
  EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 8268), 30);
  EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 8270), 1);
}

TEST_F(Multiples, PrizeAlertStates) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})}, {multiple("UNO", 501, primeros(7))});
  estado().penaactual = leePena(1);
  p.numpena = 1;
  p.ListView4->Clear();
  p.fila = 0;
  p.nuevafila();
  EXPECT_EQ(p.ListView4->subCount(1), 11);

  p.premiosmultiple(6);  // no new draws: no alert whatever the prize
  EXPECT_EQ(p.avisopremio, 0);
  EXPECT_FALSE(p.Timer3->isActive());

  p.Label59->setText("2");
  const int esperado[4] = {2, 3, 2, 3};  // from 0, 1, 2, 3
  for (int antes = 0; antes <= 3; ++antes) {
    p.Timer3->stop();
    p.avisopremio = antes;
    p.premiosmultiple(3);
    EXPECT_EQ(p.avisopremio, esperado[antes]) << antes;
    EXPECT_EQ(p.Timer3->isActive(), antes == 0) << antes;  // only the first alert starts the timer
  }
}

TEST_F(Multiples, RunsTwiceCountsOnceAndMarksEverySyndicateChecked) {
  const std::vector<Pena> penas = {penaDe("SENCILLA", TODOS, QDate(2025, 1, 1), {{1, 2, 3, 7, 8, 9}}),
                                   multiple("OCHO", 502, primeros(8)),
                                   multiple("LUNES", 505, primeros(10), "Lunes"),
                                   multiple("MARTES", 506, primeros(11), "Martes")};
  Principal& p = arranca({sorteoDe(LUNES, {1, 2, 3, 4, 40, 41}), sorteoDe(JUEVES, {1, 2, 3, 4, 5, 40}, 6),
                          sorteoDe(SABADO, {1, 2, 3, 40, 41, 42})},
                         penas);
  p.compruebasencillas(3);
  EXPECT_EQ(p.ListView2->Count(), 3 * 4);
  const QStringList lineas = columna(p.ListView4, 12);
  const QByteArray primera = apuestas();
  // 502: Saturday 10 x 3; Thursday 5 hits with the complementario; Monday 16 x 3 and 6 x 4.
  EXPECT_EQ(enDisco(carpeta, 2).aciertos, (std::array<qint16, 8>{0, 0, 0, 36, 21, 2, 0, 1}));
  EXPECT_EQ(enDisco(carpeta, 3).aciertos, (std::array<qint16, 8>{0, 0, 0, 80, 15, 0, 0, 0}));
  for (int j = 1; j <= 4; ++j) EXPECT_EQ(enDisco(carpeta, j).fechacomprobado, oleDe(SABADO)) << j;

  p.compruebasencillas(3);
  EXPECT_EQ(columna(p.ListView4, 12), lineas);
  EXPECT_EQ(apuestas(), primera);
}

TEST_F(Multiples, UnknownKindsAndOddNumbersAreShownWithoutBreakdown) {
  std::vector<int> muchos = primeros(20);
  muchos[0] = 0;
  muchos[1] = -3;
  muchos[2] = 32767;
  const std::vector<Pena> penas = {multiple("SIETE", 507, muchos), multiple("ENORME", 32767, primeros(11)),
                                   multiple("CERO", 513, primeros(6))};
  Principal& p = arranca({sorteoDe(JUEVES, {4, 5, 6, 7, 8, 9}, 10)}, penas);
  const QByteArray antes = apuestas();
  p.compruebamultiples(5);
  plataforma::ListView* l = p.ListView4;
  // cuantos(507) is 7: seven numbers; 32767 and 513 have none to show.
  EXPECT_EQ(subTextos(l, 4).mid(0, 11), (QStringList{"0", "-3", "32767", "4", "5", "6", "7"} + vacias(4)));
  EXPECT_EQ(l->subForeColor(4, 4), 0xFFu);
  EXPECT_EQ(subTextos(l, 8).mid(0, 11), vacias(11));
  EXPECT_EQ(l->subCount(8), 13);
  const QByteArray despues = apuestas();
  ASSERT_EQ(despues.size(), antes.size());
  for (int j = 0; j < 3; ++j) {
    const qint64 r = qint64(j) * Pena::LONGITUD;
    EXPECT_EQ(despues.mid(r, 8264), antes.mid(r, 8264)) << j;
    EXPECT_EQ(despues.mid(r + 8274, 25), antes.mid(r + 8274, 25)) << j;
  }
  EXPECT_EQ(enDisco(carpeta, 1).aciertos, (std::array<qint16, 8>{}));
}
