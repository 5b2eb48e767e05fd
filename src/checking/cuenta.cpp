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

std::map<double, Sorteo> porFecha(const std::vector<Sorteo>& sorteos) {
  std::map<double, Sorteo> r;
  for (const Sorteo& s : sorteos)
    if (sorteoReal(s)) r[s.fecha] = s;
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

Cambio cambioDe(const std::vector<Sorteo>& antes, const std::vector<Sorteo>& despues) {
  Cambio c{porFecha(antes), porFecha(despues), {}};
  for (const auto& [fecha, s] : c.antes) {
    const auto n = c.despues.find(fecha);
    if (n == c.despues.end() || !mismosNumeros(s, n->second)) c.fechas.push_back(fecha);
  }
  for (const auto& [fecha, s] : c.despues)
    if (c.antes.find(fecha) == c.antes.end()) c.fechas.push_back(fecha);
  std::sort(c.fechas.begin(), c.fechas.end());
  return c;
}

bool retira(Pena& p, const Cambio& cambio) {
  const double comprobado = p.fechacomprobado;
  if (!std::isfinite(comprobado)) return false;
  const auto cuentaEn = [&](const std::map<double, Sorteo>& m, double fecha) {
    const auto s = m.find(fecha);
    return s != m.end() && cuenta(p, s->second);
  };
  const auto desde = std::find_if(cambio.fechas.begin(), cambio.fechas.end(), [&](double fecha) {
    return fecha <= comprobado && (cuentaEn(cambio.antes, fecha) || cuentaEn(cambio.despues, fecha));
  });
  if (desde == cambio.fechas.end()) return false;
  for (auto v = cambio.antes.lower_bound(*desde); v != cambio.antes.end() && v->first <= comprobado; ++v)
    if (cuenta(p, v->second)) suma(p.aciertos, premiosDe(p, v->second), -1);
  const auto previo = cambio.despues.lower_bound(*desde);
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
    for (qint64 k = 1; !cambio.fechas.empty() && k <= penas.size() / Pena::LONGITUD; ++k) {
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
