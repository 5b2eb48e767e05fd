// The check of simple and reduced syndicates: rows, colours, counters counted once per draw,
// filters, and what it writes back to apuestas.dat.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include "checking/comun.h"
#include "plataforma/archivos.h"
#include "plataforma/msgbox.h"

using namespace comprobacion;
using plataforma::oleDe;

namespace {

class Sencillas : public comprobacion::Comprobacion {};

// "fecha|name" for every block of the list, in order.
QStringList bloques(const plataforma::ListView* lista, int sub = 7) {
  QStringList r;
  for (int f = 2; f <= lista->Count(); ++f) {
    if (lista->subCount(f) >= sub && lista->subForeColor(f, sub) == 0x8000)
      r << lista->subText(f, sub).left(10) + "|" + lista->subText(f - 1, sub).mid(5).trimmed();
  }
  return r;
}

}  // namespace

TEST_F(Sencillas, FiveWithComplementarioAndThreeThatIgnoreIt) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 40, 41, 42}, 6), sorteoDe(SABADO, {1, 2, 3, 4, 5, 40}, 6)},
                         {penaDe("UNO", TODOS, QDate(2025, 3, 1), {{1, 2, 3, 4, 5, 6}})});
  p.compruebasencillas(2);
  plataforma::ListView* l = p.ListView2;

  ASSERT_EQ(l->Count(), 8);
  EXPECT_EQ(p.fila, 8);
  EXPECT_EQ(l->subCount(1), 0);  // spacer
  EXPECT_EQ(l->Text(2), QString());
  EXPECT_EQ(subTextos(l, 2), (QStringList{"", "", "", "", "", "", cabecera("UNO")}));
  EXPECT_EQ(l->subForeColor(2, 7), 0x80u);
  EXPECT_EQ(subTextos(l, 3), (QStringList{"", "", "", "", "", "", QString::fromUtf8("08/03/2025 Sábado")}));
  EXPECT_EQ(l->subForeColor(3, 7), 0x8000u);
  EXPECT_EQ(subTextos(l, 4),
            (QStringList{"1", "2", "3", "4", "5", "6", QString::fromUtf8("¡¡ Premio !! 5 + COMPLEMENTARIO")}));
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(l->subForeColor(4, k), 0xFFu) << k;
  EXPECT_EQ(l->subForeColor(4, 6), 0u);
  EXPECT_EQ(l->subForeColor(4, 7), 0x40C0u);

  EXPECT_EQ(l->subText(7, 7), QString::fromUtf8("06/03/2025 Jueves"));
  EXPECT_EQ(subTextos(l, 8),
            (QStringList{"1", "2", "3", "4", "5", "6", QString::fromUtf8("¡¡ Premio !! Has acertado 3 números.")}));
  EXPECT_EQ(l->subForeColor(8, 3), 0xFFu);
  EXPECT_EQ(l->subForeColor(8, 4), 0u);
  EXPECT_EQ(l->subForeColor(8, 7), 0xC000u);

  // Both draws counted in one run; the file holds the counters and the newest date.
  const QByteArray b = apuestas();
  ASSERT_EQ(b.size(), Pena::LONGITUD);
  const qint16 esperados[5] = {1, 0, 0, 0, 1};  // 3, 4, 5, 6, 5 + C
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(qFromLittleEndian<qint16>(b.constData() + 8264 + 2 * k), esperados[k]) << k;
  EXPECT_EQ(qFromLittleEndian<double>(b.constData() + 8299), oleDe(SABADO));
  EXPECT_EQ(estado().penaactual.aciertos[7], 1);
  EXPECT_EQ(p.ProgressBar2->value(), 0);
  EXPECT_EQ(p.ProgressBar2->maximum(), 2);

  // Again: the same rows, and nothing counted twice.
  const QStringList mensajes = columna(l, 7);
  p.compruebasencillas(2);
  EXPECT_EQ(columna(l, 7), mensajes);
  EXPECT_EQ(apuestas(), b);
}

TEST_F(Sencillas, CreationDayCountsAndLaterCreationOnlyShowsInHistory) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 41, 42})},
                         {penaDe("HOY", TODOS, JUEVES, {{1, 2, 3, 4, 5, 6}}),
                          penaDe("MAÑANA", TODOS, JUEVES.addDays(1), {{1, 2, 3, 4, 5, 6}})});
  p.Label59->setText("1");
  p.compruebasencillas(1);
  EXPECT_EQ(bloques(p.ListView2), QStringList{"06/03/2025|HOY"});
  EXPECT_EQ(enDisco(carpeta, 1).aciertos[4], 1);
  EXPECT_EQ(enDisco(carpeta, 2).aciertos[4], 0);
  // The later syndicate is not listed, but its counted date still moves.
  EXPECT_EQ(enDisco(carpeta, 2).fechacomprobado, oleDe(JUEVES));

  p.Check1->setChecked(true);  // "Histórico" checks again at once
  EXPECT_EQ(p.Label59->text(), QString());
  EXPECT_EQ(bloques(p.ListView2), (QStringList{"06/03/2025|HOY", QString::fromUtf8("06/03/2025|MAÑANA")}));
  EXPECT_EQ(p.ListView2->subText(8, 7), QString::fromUtf8("¡¡ Premio !! Has acertado 4 números."));
  EXPECT_EQ(enDisco(carpeta, 1).aciertos[4], 1);
  EXPECT_EQ(enDisco(carpeta, 2).aciertos[4], 0);
}

TEST_F(Sencillas, PlayDaysAndNewestDrawFirst) {
  const std::vector<std::pair<const char*, const char*>> dias = {
      {"L", "Lunes"}, {"J", "Jueves"}, {"S", "Sábado"}, {"JS", "Jueves y Sábado"}, {"T", "Todos (L+J+S)"},
      {"JB", "  Jueves"}, {"M", "Martes"}, {"N", ""}};
  std::vector<Pena> penas;
  for (const auto& [nombre, d] : dias)
    penas.push_back(penaDe(nombre, QString::fromUtf8(d), QDate(2025, 1, 1), {{1, 2, 3, 7, 8, 9}}));
  Principal& p = arranca({sorteoDe(LUNES), sorteoDe(JUEVES), sorteoDe(SABADO)}, penas);
  p.compruebasencillas(3);
  EXPECT_EQ(bloques(p.ListView2), (QStringList{"08/03/2025|S", "08/03/2025|JS", "08/03/2025|T", "06/03/2025|J",
                                               "06/03/2025|JS", "06/03/2025|T", "06/03/2025|JB", "03/03/2025|L",
                                               "03/03/2025|T"}));
  // Every syndicate that passed the chooser has the newest draw as counted, played or not.
  for (int j = 1; j <= int(penas.size()); ++j) EXPECT_EQ(enDisco(carpeta, j).fechacomprobado, oleDe(SABADO)) << j;
  EXPECT_EQ(enDisco(carpeta, 4).aciertos[3], 2);
  EXPECT_EQ(enDisco(carpeta, 7).aciertos[3], 0);
}

TEST_F(Sencillas, OnlyPrizesRemovesWholeBlocksAndSingleRows) {
  Principal& p = arranca({sorteoDe(JUEVES, {1, 2, 3, 4, 5, 6})},
                         {penaDe("NADA", TODOS, LUNES, {{10, 11, 12, 13, 14, 15}, {1, 2, 20, 21, 22, 23}}),
                          penaDe("ALGO", TODOS, LUNES,
                                 {{10, 11, 12, 13, 14, 15}, {1, 2, 3, 20, 21, 22}, {30, 31, 32, 33, 34, 35},
                                  {1, 2, 3, 4, 21, 22}, {40, 41, 42, 43, 44, 45}}),
                          penaDe("VACIA", TODOS, LUNES, {}),
                          penaDe("ULTIMA", TODOS, LUNES, {{10, 11, 12, 13, 14, 15}, {1, 2, 3, 4, 5, 20}})});
  p.compruebasencillas(1);
  EXPECT_EQ(p.ListView2->Count(), 3 + 2 + (3 + 5) + 3 + (3 + 2));  // a syndicate without bets shows its head

  p.Check2->setChecked(true);  // "Ver sólo si hay premio" checks again at once
  plataforma::ListView* l = p.ListView2;
  EXPECT_EQ(bloques(l), (QStringList{"06/03/2025|ALGO", "06/03/2025|ULTIMA"}));
  ASSERT_EQ(l->Count(), 9);
  EXPECT_EQ(p.fila, 9);
  EXPECT_EQ(subTextos(l, 4).mid(0, 6), (QStringList{"1", "2", "3", "20", "21", "22"}));
  EXPECT_EQ(subTextos(l, 5).mid(0, 6), (QStringList{"1", "2", "3", "4", "21", "22"}));
  EXPECT_EQ(l->subCount(6), 0);  // the next block's spacer
  EXPECT_EQ(subTextos(l, 9).mid(0, 6), (QStringList{"1", "2", "3", "4", "5", "20"}));
  EXPECT_EQ(l->subText(9, 7), QString::fromUtf8("¡¡ Premio !! Has acertado 5 números."));
  EXPECT_EQ(l->subForeColor(9, 7), 0x400040u);
  // The filter hides; it does not change what is counted.
  EXPECT_EQ(enDisco(carpeta, 2).aciertos, (std::array<qint16, 8>{0, 0, 0, 1, 1, 0, 0, 0}));
}

TEST_F(Sencillas, ChooserChecksOneSyndicateAndBringsItsListForward) {
  Pena multiple = penaDe("MULTIPLE", TODOS, LUNES, {{1, 2, 3, 4, 5, 6, 7}});
  multiple.tipo = 501;
  const std::vector<Pena> penas = {penaDe("UNO", TODOS, LUNES, {{1, 2, 3, 7, 8, 9}}),
                                   penaDe("DOS", TODOS, LUNES, {{1, 2, 3, 7, 8, 9}}), multiple};
  Principal& p = arranca({sorteoDe(JUEVES)}, penas);
  llenaCombo(p, penas);
  const QByteArray antes = apuestas();
  p.Command1_Click(1);
  ASSERT_FALSE(p.ListView2->Visible());

  p.Combo2->setCurrentIndex(2);
  EXPECT_TRUE(p.ListView2->Visible());
  EXPECT_FALSE(p.ListView4->Visible());
  EXPECT_EQ(p.cambiovista, 0);
  EXPECT_EQ(bloques(p.ListView2), QStringList{"06/03/2025|DOS"});
  EXPECT_EQ(apuestas().left(Pena::LONGITUD), antes.left(Pena::LONGITUD));  // UNO untouched
  EXPECT_EQ(enDisco(carpeta, 2).aciertos[3], 1);
  EXPECT_EQ(enDisco(carpeta, 2).fechacomprobado, oleDe(JUEVES));
  EXPECT_EQ(p.ListView4->Count(), 0);  // the multiple syndicate was not chosen

  p.Combo2->setCurrentIndex(3);
  EXPECT_TRUE(p.ListView4->Visible());
  EXPECT_FALSE(p.ListView2->Visible());
  EXPECT_EQ(p.cambiovista, 0);
  EXPECT_EQ(p.ListView2->Count(), 0);
  EXPECT_EQ(p.ListView4->subText(2, 12), cabecera("MULTIPLE"));
  EXPECT_EQ(apuestas().left(Pena::LONGITUD), antes.left(Pena::LONGITUD));
}

TEST_F(Sencillas, PrizeAfterADownloadStartsTheAlertOnce) {
  Principal& p = arranca({sorteoDe(JUEVES)}, {penaDe("UNO", TODOS, LUNES, {{1, 2, 3, 7, 8, 9}})});
  p.compruebasencillas(1);
  EXPECT_EQ(p.avisopremio, 0);
  EXPECT_FALSE(p.Timer3->isActive());

  p.Label59->setText("1");
  p.compruebasencillas(1);
  EXPECT_EQ(p.avisopremio, 1);
  EXPECT_TRUE(p.Timer3->isActive());

  p.avisopremio = 2;  // a running alert is left as it is
  p.compruebasencillas(1);
  EXPECT_EQ(p.avisopremio, 2);
}

TEST_F(Sencillas, NoDrawsInPrintModeSaysTheListingIsEmpty) {
  Principal& p = arranca({}, {penaDe("UNO", TODOS, LUNES, {{1, 2, 3, 7, 8, 9}})});
  p.compruebasencillas(1);
  EXPECT_TRUE(respuestas.cajas().empty());

  p.cambiovista = 1;
  p.modoimpresion = 1;
  p.compruebasencillas(1);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].texto, QString::fromUtf8("Listado vacío. No hay datos para imprimir,"));
  EXPECT_EQ(respuestas.cajas()[0].titulo, QStringLiteral("No hay datos"));
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
  EXPECT_EQ(p.modoimpresion, 0);
  EXPECT_EQ(p.cambiovista, 1);  // the run ends before its end steps
  EXPECT_EQ(p.ListView2->Count(), 0);

  // The multiple check only clears its list.
  p.ListView4->Add(QString());
  p.fila = 7;
  p.compruebamultiples(1);
  EXPECT_EQ(p.ListView4->Count(), 0);
  EXPECT_EQ(p.fila, 0);
  EXPECT_EQ(p.cambiovista, 1);
}

TEST_F(Sencillas, DamagedRecordsNeitherCrashNorSpreadIntoOtherBytes) {
  std::vector<std::vector<int>> muchas;
  for (int b = 0; b < 205; ++b) muchas.push_back({b % 40 + 1, b % 40 + 2, b % 40 + 3, 45, 46, 47});
  Pena larga = penaDe("LARGA", TODOS, LUNES, muchas);
  larga.tipo = 300;  // more bets than a record holds
  Pena negativa = penaDe("NEGATIVA", TODOS, LUNES, {{1, 2, 3, 4, 5, 6}});
  negativa.tipo = -3;
  Pena raros = penaDe("RAROS", TODOS, LUNES, {{0, -7, 50, 32767, 49, 1}});
  Pena dias = penaDe("DIAS", "xyz", LUNES, {{1, 2, 3, 4, 5, 6}});
  Pena futura = penaDe("FUTURA", TODOS, LUNES, {{1, 2, 3, 4, 5, 6}});
  futura.fechacreacion = 1e9;
  futura.fechacomprobado = 1e12;
  const std::vector<Pena> penas = {larga, negativa, raros, dias, futura};

  Sorteo cero = sorteoDe(LUNES, {0, 0, 0, 0, 0, 0}, 0);
  cero.fecha = 0;
  Sorteo lejana = sorteoDe(LUNES, {1, 2, 3, 4, 5, 49}, 7);
  lejana.fecha = 1e7;  // beyond any calendar
  Principal& p = arranca({cero, lejana}, penas);
  const QByteArray antes = apuestas();
  estado().numpenas = int(penas.size()) + 4;  // a cursor past the end of the file

  p.compruebasencillas(50);
  p.Check1->setChecked(true);
  p.compruebasencillas(2);

  const QByteArray despues = apuestas();
  ASSERT_EQ(despues.size(), antes.size());
  for (int j = 0; j < int(penas.size()); ++j) {
    const qint64 r = qint64(j) * Pena::LONGITUD;
    // Only the counters and the counted date may change.
    EXPECT_EQ(despues.mid(r, 8264), antes.mid(r, 8264)) << j;
    EXPECT_EQ(despues.mid(r + 8274, 25), antes.mid(r + 8274, 25)) << j;
  }
  // The 205 bets of the long record are listed, then its prize rows of the far draw.
  plataforma::ListView* l = p.ListView2;
  EXPECT_EQ(l->subText(2, 7), cabecera("LARGA"));
  EXPECT_EQ(l->subText(3, 7), QStringLiteral(" "));  // a date beyond the calendar has no text
  EXPECT_EQ(l->subText(3 + 205, 6), "47");
  EXPECT_EQ(l->subText(3 + 205 + 2, 7), cabecera("NEGATIVA"));
  EXPECT_EQ(l->subCount(3 + 205 + 4), 0);  // no bets: the next spacer follows the date
  EXPECT_EQ(subTextos(l, 3 + 205 + 7).mid(0, 6), (QStringList{"0", "-7", "50", "32767", "49", "1"}));
  EXPECT_EQ(l->subForeColor(3 + 205 + 7, 5), 0xFFu);
  EXPECT_EQ(l->subForeColor(3 + 205 + 7, 6), 0xFFu);
  EXPECT_EQ(l->subForeColor(3 + 205 + 7, 1), 0u);
  // Zeros of the empty draw never match the empty places of a bet.
  for (int f = 1; f <= l->Count(); ++f)
    if (l->subText(f, 7).contains("6 n")) ADD_FAILURE() << "six hits in row " << f;
  EXPECT_EQ(enDisco(carpeta, 5).aciertos, (std::array<qint16, 8>{}));  // created after every draw

  p.compruebasencillas(0);
  EXPECT_EQ(l->Count(), 0);
  EXPECT_EQ(apuestas(), despues);
}
