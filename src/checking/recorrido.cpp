#include "checking/recorrido.h"

#include <algorithm>

#include "checking/cuenta.h"
#include "checking/premios.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"

namespace comprobacion {

namespace {

std::function<void()>& trasEscribir() {
  static std::function<void()> paso;
  return paso;
}

}  // namespace

void fijaTrasEscribir(std::function<void()> paso) { trasEscribir() = std::move(paso); }

const Sorteo& Jugada::sorteo() const { return recorrido_.sorteo_; }
bool Jugada::real() const { return recorrido_.real_; }
Pena& Jugada::propia() { return recorrido_.propia(); }

const QString& Jugada::lineaFecha() const {
  QString& linea = recorrido_.lineaFecha_;
  if (linea.isEmpty()) linea = premios::lineaFecha(recorrido_.sorteo_.fecha);
  return linea;
}

Recorrido::Recorrido(Sorteo& sorteo, const Eleccion& eleccion)
    : sorteo_(sorteo), eleccion_(eleccion), hoy_(plataforma::oleDe(plataforma::hoy())) {}

void Recorrido::recorre(int N, const Pasos& pasos) {
  Estado& e = estado();
  if (e.numsorteos <= 1) return;
  // Never more draws than are stored: a record before the first would be checked in place of a draw.
  const int ultimo = e.numsorteos - 1;
  const int primero = e.numsorteos - std::min(N, ultimo);
  for (int i = ultimo; i >= primero; --i) {
    if (pasos.nuevoSorteo) pasos.nuevoSorteo();
    // A draw that cannot be read leaves the previous one in place: the list shows it again rather
    // than stop the whole check on one damaged record.
    plataforma::sinErrores([&] { sorteo_ = leeSorteo(i); });
    // A damaged record is listed as it stands, but counted nowhere, and its date moves no syndicate.
    real_ = sorteoReal(sorteo_);
    dia_ = diasemana(sorteo_.fecha);
    lineaFecha_.clear();
    penas(i, i == primero, pasos);
  }
  // penaactual ends as the record read last, as after reading every record into it.
  if (ultimaLeida_ != 0 && !copiada_) plataforma::sinErrores([&] { e.penaactual = leePena(ultimaLeida_); });
}

// The syndicates of one draw, in record order.
void Recorrido::penas(int i, bool ultimoSorteo, const Pasos& pasos) {
  Estado& e = estado();
  for (int j = 1; j <= e.numpenas - 1; ++j) {
    try {
      leida_ = &leePena(j);
    } catch (const plataforma::Error&) {
      continue;  // the file is not open: nothing to check, nothing to write
    }
    ultimaLeida_ = j;
    copiada_ = false;
    // A record past the end of the file is no syndicate; writing its date back would add one.
    if (plataforma::archivos().fin(ARCH_APUESTAS)) continue;
    const Pena& p = *leida_;
    if (!elige(p, pasos)) continue;
    if (pasos.elegida) pasos.elegida(j);

    if (juega(p)) {
      Jugada jugada(*this, i, j, p);
      pasos.juega(jugada);
    }
    if (ultimoSorteo) cuenta(j, p);
  }
}

// The syndicate's counters and its date counted move together, in one write: a check cut at any
// point leaves each syndicate counted whole or untouched. Read-only data keeps them as they stand;
// those draws are counted once the data can be written.
void Recorrido::cuenta(qint64 j, const Pena& p) {
  Estado& e = estado();
  if (e.sololectura) return;
  if (!sorteos_) {
    // Read once for every syndicate of the walk.
    std::vector<Sorteo> guardados;
    for (int n = 1; n <= e.numsorteos - 1; ++n) plataforma::sinErrores([&] { guardados.push_back(leeSorteo(n)); });
    sorteos_ = cuentas::porFecha(guardados);
  }
  const cuentas::Cuenta c = cuentas::pendientes(p, *sorteos_, hoy_);
  if (c == cuentas::cuentaDe(p)) return;
  Pena& propia = this->propia();
  propia.aciertos = c.aciertos;
  propia.fechacomprobado = c.fechacomprobado;
  plataforma::sinErrores([&] { escribePena(j, propia); });
  if (trasEscribir()) trasEscribir()();
}

// The kind, then the name chosen in Combo2; a syndicate not chosen is not even dated.
bool Recorrido::elige(const Pena& p, const Pasos& pasos) const {
  if ((p.tipo > 500) != eleccion_.multiples) {
    if (pasos.otraClase) pasos.otraClase();
    return false;
  }
  return !eleccion_.una || p.nombre == eleccion_.nombre;
}

// Created by the draw's day (or "Histórico" ticked) and playing on its weekday.
bool Recorrido::juega(const Pena& p) const {
  return (eleccion_.historico || p.fechacreacion <= sorteo_.fecha) && ::juega(p.dias, dia_);
}

// The record is copied into penaactual only when it is to change.
Pena& Recorrido::propia() {
  Estado& e = estado();
  if (!copiada_) {
    e.penaactual = *leida_;
    copiada_ = true;
  }
  return e.penaactual;
}

}  // namespace comprobacion
