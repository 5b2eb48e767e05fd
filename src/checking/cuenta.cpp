#include "checking/cuenta.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include <QtEndian>

#include "checking/premios.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"

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

bool mismosNumeros(const Sorteo& a, const Sorteo& b) {
  return a.ganadores == b.ganadores && a.complementario == b.complementario;
}

}  // namespace

PorFecha porFecha(const std::vector<Sorteo>& sorteos) {
  PorFecha r;
  for (const Sorteo& s : sorteos)
    if (sorteoReal(s)) r.emplace(s.fecha, s);
  return r;
}

Cuenta cuentaDe(const Pena& p) { return Cuenta{p.aciertos, p.fechacomprobado}; }

Cuenta pendientes(const Pena& p, const PorFecha& sorteos, double hoy) {
  Cuenta r = cuentaDe(p);
  const double antes = p.fechacomprobado;
  const auto finHoy = sorteos.upper_bound(hoy);
  const double ultima = finHoy == sorteos.begin() ? 0 : std::prev(finHoy)->first;
  const double masTarde = sorteos.empty() ? 0 : sorteos.rbegin()->first;
  if (!std::isfinite(antes) || (antes > hoy && masTarde < antes)) {
    r.fechacomprobado = ultima;
    return r;
  }
  for (auto s = sorteos.upper_bound(antes); s != sorteos.end() && s->first <= hoy; ++s)
    if (cuenta(p, s->second)) suma(r.aciertos, premiosDe(p, s->second), +1);
  r.fechacomprobado = std::max(antes, ultima);
  return r;
}

Cambio cambioDe(const std::vector<Sorteo>& antes, const std::vector<Sorteo>& despues) {
  Cambio c{porFecha(antes), porFecha(despues), {}, {}};
  for (const auto& [fecha, s] : c.antes) {
    const auto n = c.despues.find(fecha);
    if (n == c.despues.end() || !mismosNumeros(s, n->second)) c.idas.push_back(fecha);
  }
  for (const auto& [fecha, s] : c.despues)
    if (c.antes.find(fecha) == c.antes.end()) c.nuevas.push_back(fecha);
  return c;
}

bool retira(Pena& p, const Cambio& cambio) {
  const double comprobado = p.fechacomprobado;
  if (!std::isfinite(comprobado) || cambio.antes.empty()) return false;
  const double primera = cambio.antes.begin()->first, ultima = cambio.antes.rbegin()->first;
  // The oldest draw gone or changed, and the oldest new one between the first and the last draws
  // stored before; a new one outside them stands as counted when the date counted is past it.
  double desde = std::numeric_limits<double>::infinity();
  if (!cambio.idas.empty()) desde = cambio.idas.front();
  for (double fecha : cambio.nuevas)
    if (fecha > primera && fecha < ultima) {
      desde = std::min(desde, fecha);
      break;
    }
  if (!(desde <= comprobado)) return false;
  const auto quita = [&](const Sorteo& s) {
    if (cuenta(p, s)) suma(p.aciertos, premiosDe(p, s), -1);
  };
  for (auto v = cambio.antes.lower_bound(desde); v != cambio.antes.end() && v->first <= comprobado; ++v)
    quita(v->second);
  // Draws that came after the last one stored while the date counted was past them stood as
  // counted; they are counted again from the date the syndicate goes back to.
  for (auto v = cambio.despues.upper_bound(ultima); v != cambio.despues.end() && v->first <= comprobado; ++v)
    quita(v->second);
  const auto previo = cambio.despues.lower_bound(desde);
  p.fechacomprobado = previo == cambio.despues.begin() ? 0 : std::prev(previo)->first;
  return true;
}

void reemplazaSorteos(const QByteArray& nuevos) {
  plataforma::Archivos& a = plataforma::archivos();
  const QString ruta = estado().ruta;
  if (a.abierto(ARCH_APUESTAS)) {
    const Cambio cambio = cambioDe(sorteosDe(a.contenido(ARCH_NUMEROS)), sorteosDe(nuevos));
    QByteArray penas = a.contenido(ARCH_APUESTAS);
    bool cambia = false;
    for (qint64 k = 1; !(cambio.idas.empty() && cambio.nuevas.empty()) && k <= penas.size() / Pena::LONGITUD; ++k) {
      Pena p = leePena(k);
      if (!retira(p, cambio)) continue;
      // Only the counters and the date counted change; every other byte stays as it is.
      char* r = penas.data() + (k - 1) * Pena::LONGITUD;
      for (int c = 3; c <= 7; ++c) qToLittleEndian<qint16>(p.aciertos[c], r + desplazamiento::PENA_ACIERTOS + 2 * (c - 3));
      qToLittleEndian<double>(p.fechacomprobado, r + desplazamiento::PENA_COMPROBADO);
      cambia = true;
    }
    if (cambia) reescribeArchivo(ARCH_APUESTAS, Pena::LONGITUD, ruta + QStringLiteral("apuestas.tmp"), penas);
  }
  reescribeArchivo(ARCH_NUMEROS, Sorteo::LONGITUD, ruta + QStringLiteral("numeros.tmp"), nuevos);
}

std::vector<Sorteo> sorteosDe(const QByteArray& contenido, int longitud) {
  std::vector<Sorteo> r;
  const qint64 n = contenido.size() / longitud;
  r.reserve(size_t(n));
  for (qint64 i = 0; i < n; ++i) r.push_back(Sorteo::decodifica(contenido.mid(i * longitud, longitud)));
  return r;
}

}  // namespace cuentas
