// The walk both checks share: which syndicate plays which draw and in what order, and the count at
// the last draw of the walk: every draw not counted yet, counters and date counted in one write.
#include <gtest/gtest.h>

#include "checking/comun.h"
#include "checking/recorrido.h"

using namespace comprobacion;

namespace {

class Recorre : public Comprobacion {
 protected:
  // Draws 1 Monday, 2 Thursday, 3 Saturday; syndicates A (every day), M (multiple), J (Thursdays),
  // B (every day, created on the Saturday).
  void SetUp() override {
    Pena m = penaDe("M", TODOS, LUNES, {{1, 2, 3, 4, 5, 6, 7}});
    m.tipo = 501;
    arranca({sorteoDe(LUNES), sorteoDe(JUEVES), sorteoDe(SABADO)},
            {penaDe("A", TODOS, LUNES, {{1, 2, 3, 10, 11, 12}}), m, penaDe("J", "Jueves", LUNES, {{1, 2, 3, 10, 11, 12}}),
             penaDe("B", TODOS, SABADO, {{1, 2, 3, 10, 11, 12}})});
  }
  // "draw:syndicate" of each play handed over; counts of the other kind met and of syndicates chosen.
  QString recorre(const Eleccion& eleccion, int N) {
    QStringList jugadas;
    otras = elegidas = 0;
    Pasos pasos;
    pasos.otraClase = [&] { ++otras; };
    pasos.elegida = [&](qint64) { ++elegidas; };
    pasos.juega = [&](Jugada& j) { jugadas << QStringLiteral("%1:%2").arg(j.numsorteo).arg(j.numpena); };
    Recorrido(principal().sorteo, eleccion).recorre(N, pasos);
    return jugadas.join(' ');
  }
  int otras = 0, elegidas = 0;
};

TEST_F(Recorre, NewestDrawFirstAndTheSyndicatesTheViewChoosesInRecordOrder) {
  const Eleccion sencillas, historico{false, false, QString(), true}, multiples{true};
  const Eleccion soloB{false, true, plataforma::fijo("B", 20)};
  struct Caso {
    Eleccion eleccion;
    int N;
    QString jugadas;
    int otras, elegidas;
  } casos[] = {
      {sencillas, 3, "3:1 3:4 2:1 2:3 1:1", 3, 9},  // J plays Thursdays, B from its creation on
      {historico, 3, "3:1 3:4 2:1 2:3 2:4 1:1 1:4", 3, 9},
      {multiples, 3, "3:2 2:2 1:2", 9, 3},
      {soloB, 2, "3:4", 2, 2},
      {sencillas, 1, "3:1 3:4", 1, 3},
      {sencillas, 10, "3:1 3:4 2:1 2:3 1:1", 3, 9},  // never more draws than are stored
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(recorre(c.eleccion, c.N), c.jugadas) << c.N << " " << c.eleccion.nombre.trimmed().toStdString();
    EXPECT_EQ(otras, c.otras) << c.jugadas.toStdString();
    EXPECT_EQ(elegidas, c.elegidas) << c.jugadas.toStdString();
  }
  EXPECT_EQ(estado().penaactual.nombre.trimmed(), "B");  // the record read last
}

TEST_F(Recorre, EveryDrawNotCountedYetIsCountedOnceWithItsDateInOneWrite) {
  const double sabado = plataforma::oleDe(SABADO);
  int escrituras = 0;
  fijaTrasEscribir([&] { ++escrituras; });
  // Only B chosen: the others keep their date and counters.
  recorre({false, true, plataforma::fijo("B", 20)}, 2);
  EXPECT_EQ(enDisco(carpeta, 4).fechacomprobado, sabado);
  EXPECT_EQ(enDisco(carpeta, 4).aciertos[3], 1);
  EXPECT_EQ(enDisco(carpeta, 1).fechacomprobado, 0);
  EXPECT_EQ(escrituras, 1);
  // A view of the newest draw alone still counts the two older ones A and J never counted: A wins
  // 3 hits in each of the three draws, J plays the Thursday only. One write each; B has nothing new.
  recorre({}, 1);
  EXPECT_EQ(enDisco(carpeta, 1).aciertos[3], 3);
  EXPECT_EQ(enDisco(carpeta, 3).aciertos[3], 1);
  EXPECT_EQ(enDisco(carpeta, 4).aciertos[3], 1);
  for (int j : {1, 3, 4}) EXPECT_EQ(enDisco(carpeta, j).fechacomprobado, sabado) << j;
  EXPECT_EQ(enDisco(carpeta, 2).fechacomprobado, 0);  // the multiple one is not of this kind
  EXPECT_EQ(escrituras, 3);
  // Again: nothing is new, nothing is written.
  recorre({}, 3);
  EXPECT_EQ(enDisco(carpeta, 1).aciertos[3], 3);
  EXPECT_EQ(escrituras, 3);

  // Read-only data: nothing reaches the file.
  Pena c = leePena(2);
  c.tipo = 1;
  escribePena(2, c);
  const QByteArray antes = apuestas();
  estado().sololectura = true;
  recorre({}, 3);
  EXPECT_EQ(apuestas(), antes);
  fijaTrasEscribir({});
}

}  // namespace
