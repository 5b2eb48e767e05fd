#pragma once
// The walk both checks share: the N newest draws, newest first, and in each of them the syndicates
// of one kind in record order. Each syndicate the view chooses that plays the draw goes to the
// check of its kind; at the last draw the walk counts what each one has not counted yet and writes
// its counters and date counted back together.
#include <QString>
#include <functional>
#include <map>
#include <optional>

#include "data/registros.h"

namespace comprobacion {

// Which syndicates a check looks at, as the check view chooses them.
struct Eleccion {
  bool multiples = false;  // the multiple bets (tipo above 500), or the simple and reduced ones
  bool una = false;        // one syndicate chosen in Combo2, not "TODAS LAS PEÑAS"
  QString nombre;          // its 20-character name
  bool historico = false;  // "Histórico": also the draws before a syndicate's creation
};

class Recorrido;

// A chosen syndicate that plays a draw.
class Jugada {
 public:
  Jugada(Recorrido& recorrido, int sorteo, qint64 pena, const Pena& p)
      : numsorteo(sorteo), numpena(pena), p(p), recorrido_(recorrido) {}
  const int numsorteo;   // record of numeros.dat
  const qint64 numpena;  // record of apuestas.dat
  const Pena& p;         // the record as the file holds it
  const Sorteo& sorteo() const;
  // Whether the draw can be real: a draw that cannot be is listed but counted nowhere.
  bool real() const;
  // The draw's date row, "02/12/2026 Miércoles", made once per draw.
  const QString& lineaFecha() const;
  // penaactual holding this record, for the steps that read the syndicate from there.
  Pena& propia();

 private:
  Recorrido& recorrido_;
};

// What differs between the two kinds of check, step by step.
struct Pasos {
  std::function<void()> nuevoSorteo;             // a draw was read, before its syndicates
  std::function<void()> otraClase;               // a syndicate of the other kind was met
  std::function<void(qint64 numpena)> elegida;   // the view chose this syndicate
  // The syndicate plays the draw: list it.
  std::function<void(Jugada&)> juega;
};

class Recorrido {
 public:
  // `sorteo` receives each draw as it is read (the main window's working draw record).
  Recorrido(Sorteo& sorteo, const Eleccion& eleccion);
  // Walks the N newest draws (never more than are stored). At the last of them every chosen
  // syndicate counts the draws it has not counted yet, listed or not, and its date counted moves to
  // the newest draw (see cuentas::pendientes). penaactual ends as the record read last.
  void recorre(int N, const Pasos& pasos);

 private:
  friend class Jugada;
  void penas(int i, bool ultimoSorteo, const Pasos& pasos);
  bool elige(const Pena& p, const Pasos& pasos) const;
  bool juega(const Pena& p) const;
  void cuenta(qint64 j, const Pena& p);
  Pena& propia();

  Sorteo& sorteo_;
  const Eleccion eleccion_;
  const double hoy_;     // no draw later than today is counted
  std::optional<std::map<double, Sorteo>> sorteos_;  // the stored draws by date, for counting
  bool real_ = false;
  QString dia_;          // the weekday of the current draw
  QString lineaFecha_;   // its date row, made when first listed
  const Pena* leida_ = nullptr;
  qint64 ultimaLeida_ = 0;
  bool copiada_ = false;  // penaactual already holds the record read last
};

// For tests: runs after each record the walk writes. What it throws ends the check there, as a crash
// would, with the files as they stand. Empty to remove.
void fijaTrasEscribir(std::function<void()> paso);

}  // namespace comprobacion
