#include "checking/cuenta.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "checking/premios.h"
#include "data/ayudas.h"

namespace cuentas {

std::array<int, 8> premiosDe(const Pena& p, const Sorteo& s) {
  std::array<int, 8> r{};
  if (p.tipo > 500) {
    // Only the kinds 501..506 have a breakdown; a kind past them is shown but wins nothing.
    if (p.tipo > 506) return r;
    const premios::Resultado h = premios::cuentaAciertos(&p.apuestas[1][1], cuantos(p.tipo), s);
    if (h.aciertos > 2 || (h.aciertos == 2 && p.tipo == 503))
      if (const premios::Desglose* d = premios::desglose(p.tipo, h.aciertos, h.complementario ? 1 : 0))
        r = premios::sumas(*d);
    return r;
  }
  // A type between 206 and 500 would reach past the 205 bets a record holds.
  const int apuestas = std::clamp<int>(p.tipo, 0, Pena::MAX_APUESTAS);
  for (int b = 1; b <= apuestas; ++b) {
    const premios::Resultado h = premios::cuentaAciertos(&p.apuestas[b][1], 6, s);
    ++r[premios::categoriaSencilla(h.aciertos, h.complementario)];
  }
  r[premios::SIN_PREMIO] = 0;
  return r;
}

bool cuenta(const Pena& p, const Sorteo& s) {
  return sorteoReal(s) && p.fechacreacion <= s.fecha && juega(p.dias, s.fecha);
}

namespace {

void suma(std::array<qint16, 8>& aciertos, const std::array<int, 8>& r, int signo) {
  for (int c = premios::TRES; c <= premios::CINCO_MAS_C; ++c) {
    if (r[c] == 0) continue;
    premios::sumaAcierto(aciertos[c], signo * r[c]);
    // A prize taken back that was never counted (a counter reset by hand, one held at its top)
    // leaves the counter at nothing, never below.
    if (aciertos[c] < 0) aciertos[c] = 0;
  }
}

// The real draws by date; where a date stands twice, the last record holds it.
std::map<double, const Sorteo*> porFecha(const std::vector<Sorteo>& sorteos) {
  std::map<double, const Sorteo*> r;
  for (const Sorteo& s : sorteos)
    if (sorteoReal(s)) r[s.fecha] = &s;
  return r;
}

bool mismosNumeros(const Sorteo& a, const Sorteo& b) {
  return a.ganadores == b.ganadores && a.complementario == b.complementario;
}

}  // namespace

Cuenta cuentaDe(const Pena& p) { return Cuenta{p.aciertos, p.fechacomprobado}; }

Cuenta pendientes(const Pena& p, const Sorteos& sorteos, int cuantos, double hoy) {
  Cuenta r = cuentaDe(p);
  const double antes = p.fechacomprobado;
  // The newest draw up to today, and the newest of all.
  double ultima = 0, masTarde = 0;
  for (int k = cuantos; k >= 1; --k) {
    const Sorteo s = sorteos(k);
    if (!sorteoReal(s)) continue;
    masTarde = std::max(masTarde, s.fecha);
    if (s.fecha <= hoy) {
      ultima = s.fecha;
      break;
    }
  }
  if (!std::isfinite(antes) || (antes > hoy && masTarde < antes)) {
    r.fechacomprobado = ultima;
    return r;
  }
  // From the newest draw down to the first one counted already: the file keeps its draws in date
  // order, so everything older was counted too.
  double previa = std::numeric_limits<double>::infinity();
  for (int k = cuantos; k >= 1; --k) {
    const Sorteo s = sorteos(k);
    if (!sorteoReal(s) || s.fecha > hoy) continue;
    if (s.fecha <= antes) break;
    if (!(s.fecha < previa)) continue;
    previa = s.fecha;
    if (s.fecha < p.fechacreacion) break;
    if (juega(p.dias, s.fecha)) suma(r.aciertos, premiosDe(p, s), +1);
  }
  r.fechacomprobado = std::max(antes, ultima);
  return r;
}

bool retira(Pena& p, const std::vector<Sorteo>& antes, const std::vector<Sorteo>& despues) {
  const double comprobado = p.fechacomprobado;
  if (!std::isfinite(comprobado)) return false;
  const auto viejos = porFecha(antes), nuevos = porFecha(despues);
  // The oldest counted draw that is gone or changed...
  double desde = std::numeric_limits<double>::infinity();
  for (const auto& [fecha, s] : viejos) {
    if (fecha > comprobado) break;
    if (!cuenta(p, *s)) continue;
    const auto n = nuevos.find(fecha);
    if (n == nuevos.end() || !mismosNumeros(*s, *n->second)) {
      desde = fecha;
      break;
    }
  }
  // ...or the oldest one it would count that is new below its date counted.
  for (const auto& [fecha, s] : nuevos) {
    if (fecha > comprobado || fecha >= desde) break;
    if (!cuenta(p, *s)) continue;
    if (viejos.find(fecha) == viejos.end()) {
      desde = fecha;
      break;
    }
  }
  if (!std::isfinite(desde)) return false;
  for (auto v = viejos.lower_bound(desde); v != viejos.end() && v->first <= comprobado; ++v)
    if (cuenta(p, *v->second)) suma(p.aciertos, premiosDe(p, *v->second), -1);
  const auto previo = nuevos.lower_bound(desde);
  p.fechacomprobado = previo == nuevos.begin() ? 0 : std::prev(previo)->first;
  return true;
}

std::vector<Sorteo> sorteosDe(const QByteArray& contenido, int longitud) {
  std::vector<Sorteo> r;
  const qint64 n = contenido.size() / longitud;
  r.reserve(size_t(n));
  for (qint64 i = 0; i < n; ++i) r.push_back(Sorteo::decodifica(contenido.mid(i * longitud, longitud)));
  return r;
}

}  // namespace cuentas
