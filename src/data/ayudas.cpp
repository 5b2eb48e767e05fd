#include "ayudas.h"

#include <QtEndian>
#include <cstring>
#include <memory>
#include <vector>

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"
#include "plataforma/texto.h"

using plataforma::archivos;

int cuantos(int son) {
  switch (son) {
    case 501: return 7;
    case 502: return 8;
    case 503: return 5;
    case 504: return 9;
    case 505: return 10;
    case 506: return 11;
    case 507: return 7;
    case 508: return 28;
    case 509: return 44;
    case 510: return 84;
    case 511: return 210;
    case 512: return 462;
    default: return son < 500 ? son - 6 : 0;
  }
}

QString diasemana(double fecha) { return plataforma::nombreDia(plataforma::fechaDe(fecha)); }

bool sorteoReal(const Sorteo& s) {
  quint64 vistos = 0;
  for (int i = 1; i <= 7; ++i) {
    const int n = i <= 6 ? s.ganadores[i] : s.complementario;
    if (n < 1 || n > 49 || (vistos >> n & 1)) return false;
    vistos |= quint64(1) << n;
  }
  // 31/12/9999 is the last day an OLE date holds; NaN fails both comparisons.
  return s.fecha > 1 && s.fecha < 2958466;
}

bool juega(const QString& dias, double fecha) { return juega(dias, diasemana(fecha)); }

bool juega(const QString& dias, const QString& dia) {
  // Trimmed in place: a check asks this once for every syndicate and draw.
  QStringView p(dias);
  while (!p.isEmpty() && p.front() == QLatin1Char(' ')) p = p.mid(1);
  while (!p.isEmpty() && p.back() == QLatin1Char(' ')) p.chop(1);
  if (p == u"Todos (L+J+S)") return true;
  if (p == u"Jueves y Sábado") return dia == u"Jueves" || dia == u"Sábado";
  return !dia.isEmpty() && p == dia;
}

QString rutaDe(const QString& carpeta) {
  if (carpeta.endsWith(QLatin1Char('/')) || carpeta.endsWith(QLatin1Char('\\'))) return carpeta;
  return carpeta + QLatin1Char('/');
}

Sorteo leeSorteo(qint64 n) { return Sorteo::decodifica(archivos().lee(ARCH_NUMEROS, n)); }

Sorteo ultimoSorteo() {
  Sorteo r{};
  if (!archivos().abierto(ARCH_NUMEROS)) return r;
  // By date, not by place: a file whose dates go back somewhere still has its newest draw shown,
  // and a download does not bring a date the file already holds.
  for (qint64 n = 1; n <= estado().numsorteos - 1; ++n) {
    const Sorteo s = leeSorteo(n);
    if (sorteoReal(s) && s.fecha > r.fecha) r = s;
  }
  return r;
}

void escribeSorteo(qint64 n, const Sorteo& s) { archivos().escribe(ARCH_NUMEROS, n, s.codifica()); }

namespace {

// The syndicates decoded once and kept. A check reads every syndicate again for every draw, and
// decoding 8307 bytes each time would cost more than the check itself. The entries are good while
// the file's generation is the one they were decoded under: any write, open or close of file 1
// changes it and drops them all, except that escribePena keeps its own record's entry up to date.
// Entries are never freed, so a reference handed out stays valid.
class PenasLeidas {
 public:
  const Pena& lee(qint64 n) {
    const char* bytes = archivos().registro(ARCH_APUESTAS, n);
    if (!bytes) return vacia();
    al_dia();
    Pena& p = entrada(n);
    if (!validas_[n - 1]) {
      p = Pena::decodifica(QByteArray::fromRawData(bytes, Pena::LONGITUD));
      validas_[n - 1] = 1;
    }
    return p;
  }

  // After record n was written from p while the entries stood at generation `antes`.
  void escrita(qint64 n, const Pena& p, quint64 antes) {
    if (generacion_ != antes) return;  // stale already: the next read starts afresh
    generacion_ = archivos().generacion(ARCH_APUESTAS);
    Pena& e = entrada(n);
    if (&e != &p) e = p;
    // What a decoding would give: the texts as the file holds them (cut or padded, characters
    // outside Windows-1252 as '?') and zeros in the places that have no field on disk.
    const char* bytes = archivos().contenido(ARCH_APUESTAS).constData() + (n - 1) * Pena::LONGITUD;
    e.nombre = plataforma::deAnsi(QByteArray(bytes, 20));
    e.dias = plataforma::deAnsi(QByteArray(bytes + desplazamiento::PENA_DIAS, 15));
    e.numerosbase[0] = 0;
    e.apuestas[0].fill(0);
    for (auto& apuesta : e.apuestas) apuesta[0] = 0;
    e.aciertos[0] = e.aciertos[1] = e.aciertos[2] = 0;
    validas_[n - 1] = 1;
  }

  // The entry of record n when it holds what the file holds now; null otherwise.
  const Pena* vigente(qint64 n) const {
    if (generacion_ != archivos().generacion(ARCH_APUESTAS)) return nullptr;
    if (n < 1 || n > qint64(penas_.size()) || !validas_[n - 1]) return nullptr;
    return penas_[n - 1].get();
  }

 private:
  static const Pena& vacia() {
    static const Pena ceros = Pena::decodifica(QByteArray(Pena::LONGITUD, '\0'));
    return ceros;
  }

  void al_dia() {
    const quint64 g = archivos().generacion(ARCH_APUESTAS);
    if (g == generacion_) return;
    std::fill(validas_.begin(), validas_.end(), 0);
    generacion_ = g;
  }

  Pena& entrada(qint64 n) {
    if (qint64(penas_.size()) < n) {
      penas_.resize(n);
      validas_.resize(n, 0);
    }
    if (!penas_[n - 1]) penas_[n - 1] = std::make_unique<Pena>();
    return *penas_[n - 1];
  }

  quint64 generacion_ = 0;
  std::vector<std::unique_ptr<Pena>> penas_;
  std::vector<char> validas_;
};

PenasLeidas& penasLeidas() {
  static PenasLeidas unica;
  return unica;
}

}  // namespace

const Pena& leePena(qint64 n) { return penasLeidas().lee(n); }

namespace {

// Whether record n differs from p only from the counters on (counters, play days, type, dates).
// Numbers round-trip exactly through the record; the name is compared as the bytes it would become.
bool soloCambiaLaCola(qint64 n, const Pena& p) {
  const Pena* d = penasLeidas().vigente(n);
  if (!d) return false;
  if (p.reducida != d->reducida || p.garantia != d->garantia ||
      std::memcmp(p.numerosbase.data(), d->numerosbase.data(), sizeof p.numerosbase) != 0 ||
      std::memcmp(p.apuestas.data(), d->apuestas.data(), sizeof p.apuestas) != 0)
    return false;
  const char* disco = archivos().contenido(ARCH_APUESTAS).constData() + (n - 1) * Pena::LONGITUD;
  return plataforma::aAnsi(plataforma::fijo(p.nombre, 20)) == QByteArray::fromRawData(disco, 20);
}

}  // namespace

void escribePena(qint64 n, const Pena& p) {
  using namespace desplazamiento;
  const quint64 antes = archivos().generacion(ARCH_APUESTAS);
  if (!soloCambiaLaCola(n, p)) {
    archivos().escribe(ARCH_APUESTAS, n, p.codifica());
  } else {
    // The checks write a syndicate back after every winning draw with new counters only; the
    // 8 KB of bets already stand on disk as they are, so only the end of the record is written.
    QByteArray cola(Pena::LONGITUD - PENA_ACIERTOS, '\0');
    char* c = cola.data();
    for (int k = 3; k <= 7; ++k) qToLittleEndian<qint16>(p.aciertos[k], c + 2 * (k - 3));
    std::memcpy(c + (PENA_DIAS - PENA_ACIERTOS), plataforma::aAnsi(plataforma::fijo(p.dias, 15)).constData(), 15);
    qToLittleEndian<qint16>(p.tipo, c + (PENA_TIPO - PENA_ACIERTOS));
    qToLittleEndian<double>(p.fechacreacion, c + (PENA_CREACION - PENA_ACIERTOS));
    qToLittleEndian<double>(p.fechacomprobado, c + (PENA_COMPROBADO - PENA_ACIERTOS));
    archivos().escribeBytes(ARCH_APUESTAS, (n - 1) * Pena::LONGITUD + PENA_ACIERTOS + 1, cola);
  }
  penasLeidas().escrita(n, p, antes);
}

Configuracion leeConfiguracionArchivo() {
  return Configuracion::decodifica(archivos().lee(ARCH_NUMS_INI, 1));
}

void escribeConfiguracionArchivo(const Configuracion& c) {
  archivos().escribe(ARCH_NUMS_INI, 1, c.codifica());
}
