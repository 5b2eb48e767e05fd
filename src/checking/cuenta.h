#pragma once
// The prize counters of a syndicate as an account of the stored draws: a syndicate has counted every
// draw it plays, from its creation up to its date counted, and nothing else. A check counts what
// came after that date; a change of the draws file takes back what it removes.
#include <array>
#include <map>
#include <vector>

#include "data/registros.h"

namespace cuentas {

// What a syndicate wins in a draw, counter by counter (elements 3..7 of `aciertos`): one per simple
// bet with a prize, or a multiple bet's breakdown. Whether the syndicate plays the draw is not asked.
std::array<int, 8> premiosDe(const Pena& p, const Sorteo& s);

// Whether the syndicate counts this draw once its date counted has reached it: a draw that can be
// real, on one of its play days, not before its creation.
bool cuenta(const Pena& p, const Sorteo& s);

// The draws of a file that can be real, by date. Where a date stands in several records (a file
// written by another program), the first stored holds it, for counting and for taking back alike.
using PorFecha = std::map<double, Sorteo>;
PorFecha porFecha(const std::vector<Sorteo>& sorteos);

// A syndicate's counters and date counted.
struct Cuenta {
  std::array<qint16, 8> aciertos{};
  double fechacomprobado = 0;
  bool operator==(const Cuenta&) const = default;
};
Cuenta cuentaDe(const Pena& p);

// The account of p once every draw it plays that is later than its date counted and not later
// than `hoy` is counted, also those older than the draws a view lists; the date counted moves to the
// newest draw that can be real up to `hoy` (whether it plays it or not). A date counted that cannot
// be right (not a number, or later than today with no stored draw that late) is taken as the newest
// such draw, counting nothing, as what it stood for is unknown.
Cuenta pendientes(const Pena& p, const PorFecha& sorteos, double hoy);

// The draws file going from one content to another (a draw deleted, a file imported): the real
// draws of each by date, the dates whose draw is gone or changed and the dates that are new, each
// oldest first.
struct Cambio {
  PorFecha antes, despues;
  std::vector<double> idas, nuevas;
};
Cambio cambioDe(const std::vector<Sorteo>& antes, const std::vector<Sorteo>& despues);

// A syndicate stands as having counted every draw up to its date counted, also one that came when
// that date was already past it and no draw stored before came later (the counters kept when every
// draw was cleared). A draw gone or changed on or before that date, or a new one that fills a gap
// between the draws stored before, takes the syndicate back: from the oldest of them on, what it
// stood as having counted is taken back (no counter below zero) and the date counted goes back to
// the newest draw left before it, whether it plays that draw or not, so that the next check counts
// those draws once, as they now stand. True when p changed.
bool retira(Pena& p, const Cambio& cambio);

// Replaces the draws file (open as number 3) with `nuevos`, the syndicates file first: what each
// syndicate counted of a draw that goes or changes is taken back (see retira). A crash between the
// two writes, or a draws file that cannot be written after the syndicates were, leaves syndicates
// that count the old draws again at the next check, never prizes kept for draws that are gone.
// Error 75 when a file cannot be written; the draws then stay as they were.
void reemplazaSorteos(const QByteArray& nuevos);

// The draws of a file's content, whole records in file order.
std::vector<Sorteo> sorteosDe(const QByteArray& contenido, int longitud = Sorteo::LONGITUD);

}  // namespace cuentas
