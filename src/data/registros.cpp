#include "registros.h"

#include <QtEndian>
#include <cstring>

#include "plataforma/texto.h"

namespace {

// Writes and reads fields at fixed offsets of a zero-filled record. A short input record reads as
// zeros beyond its end, as a read past the end of a file does.
class Escritor {
 public:
  explicit Escritor(int longitud) : b_(longitud, '\0') {}
  void entero(int pos, qint16 v) { qToLittleEndian<qint16>(v, b_.data() + pos); }
  void real4(int pos, float v) { qToLittleEndian<float>(v, b_.data() + pos); }
  void real8(int pos, double v) { qToLittleEndian<double>(v, b_.data() + pos); }
  void texto(int pos, const QString& t, int n) {
    const QByteArray a = plataforma::aAnsi(plataforma::fijo(t, n));
    std::memcpy(b_.data() + pos, a.constData(), n);
  }
  void bytes(int pos, const QByteArray& a, int n) {
    std::memcpy(b_.data() + pos, a.constData(), std::min<qsizetype>(n, a.size()));
  }
  QByteArray resultado() const { return b_; }

 private:
  QByteArray b_;
};

class Lector {
 public:
  Lector(const QByteArray& b, int longitud) : b_(b) {
    if (b_.size() < longitud) b_.append(QByteArray(longitud - b_.size(), '\0'));
  }
  qint16 entero(int pos) const { return qFromLittleEndian<qint16>(b_.constData() + pos); }
  float real4(int pos) const { return qFromLittleEndian<float>(b_.constData() + pos); }
  double real8(int pos) const { return qFromLittleEndian<double>(b_.constData() + pos); }
  QString texto(int pos, int n) const { return plataforma::deAnsi(b_.mid(pos, n)); }
  QByteArray bytes(int pos, int n) const { return b_.mid(pos, n); }

 private:
  QByteArray b_;
};

}  // namespace

QByteArray Sorteo::codifica() const {
  Escritor e(LONGITUD);
  for (int i = 1; i <= 6; ++i) e.entero(2 * (i - 1), ganadores[i]);
  e.entero(12, complementario);
  e.entero(14, reintegro);
  e.real8(16, fecha);
  e.real8(24, joker);
  return e.resultado();
}

Sorteo Sorteo::decodifica(const QByteArray& bytes) {
  Lector l(bytes, LONGITUD);
  Sorteo s;
  for (int i = 1; i <= 6; ++i) s.ganadores[i] = l.entero(2 * (i - 1));
  s.complementario = l.entero(12);
  s.reintegro = l.entero(14);
  s.fecha = l.real8(16);
  s.joker = l.real8(24);
  return s;
}

QByteArray Pena::codifica() const {
  Escritor e(LONGITUD);
  e.texto(0, nombre, 20);
  e.entero(20, reducida);
  e.entero(22, garantia);
  for (int j = 1; j <= MAX_BASE; ++j) e.entero(24 + 2 * (j - 1), numerosbase[j]);
  for (int b = 1; b <= MAX_APUESTAS; ++b)
    for (int j = 1; j <= MAX_BASE; ++j)
      e.entero(desplazamiento::PENA_APUESTAS + 2 * ((j - 1) + 20 * (b - 1)), apuestas[b][j]);
  for (int k = 3; k <= 7; ++k) e.entero(desplazamiento::PENA_ACIERTOS + 2 * (k - 3), aciertos[k]);
  e.texto(desplazamiento::PENA_DIAS, dias, 15);
  e.entero(desplazamiento::PENA_TIPO, tipo);
  e.real8(desplazamiento::PENA_CREACION, fechacreacion);
  e.real8(desplazamiento::PENA_COMPROBADO, fechacomprobado);
  return e.resultado();
}

Pena Pena::decodifica(const QByteArray& bytes) {
  Lector l(bytes, LONGITUD);
  Pena p;
  p.nombre = l.texto(0, 20);
  p.reducida = l.entero(20);
  p.garantia = l.entero(22);
  for (int j = 1; j <= MAX_BASE; ++j) p.numerosbase[j] = l.entero(24 + 2 * (j - 1));
  for (int b = 1; b <= MAX_APUESTAS; ++b)
    for (int j = 1; j <= MAX_BASE; ++j)
      p.apuestas[b][j] = l.entero(desplazamiento::PENA_APUESTAS + 2 * ((j - 1) + 20 * (b - 1)));
  for (int k = 3; k <= 7; ++k) p.aciertos[k] = l.entero(desplazamiento::PENA_ACIERTOS + 2 * (k - 3));
  p.dias = l.texto(desplazamiento::PENA_DIAS, 15);
  p.tipo = l.entero(desplazamiento::PENA_TIPO);
  p.fechacreacion = l.real8(desplazamiento::PENA_CREACION);
  p.fechacomprobado = l.real8(desplazamiento::PENA_COMPROBADO);
  return p;
}

QByteArray Configuracion::codifica() const {
  Escritor e(LONGITUD);
  e.entero(0, reservado1);
  e.real4(2, correccionx);
  e.real4(6, correcciony);
  e.entero(10, reservado2);
  e.real4(12, precio);
  e.entero(16, meses);
  e.texto(18, direccionweb, 60);
  e.bytes(78, reservado3, 8);
  return e.resultado();
}

Configuracion Configuracion::decodifica(const QByteArray& bytes) {
  Lector l(bytes, LONGITUD);
  Configuracion c;
  c.reservado1 = l.entero(0);
  c.correccionx = l.real4(2);
  c.correcciony = l.real4(6);
  c.reservado2 = l.entero(10);
  c.precio = l.real4(12);
  c.meses = l.entero(16);
  c.direccionweb = l.texto(18, 60);
  c.reservado3 = l.bytes(78, 8);
  return c;
}
