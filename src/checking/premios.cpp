#include "premios.h"

#include <algorithm>

#include "data/ayudas.h"
#include "plataforma/fechas.h"

namespace premios {

quint32 colorCategoria(int categoria) {
  switch (categoria) {
    case TRES: return 0xC000;
    case CUATRO: return 0xFF0000;
    case CINCO: return 0x400040;
    case CINCO_MAS_C: return 0x40C0;
    case SEIS: return 0xFF;
    default: return 0;
  }
}

Resultado cuentaAciertos(const qint16* numeros, int cuantos, const Sorteo& sorteo) {
  // Numbers outside 1..49 are no lottery numbers: an empty place (0) of a bet never matches the
  // zeros of a missing draw.
  auto bit = [](qint16 x) -> quint64 { return x >= 1 && x <= 49 ? quint64(1) << x : 0; };
  quint64 restantes = 0;  // winning numbers not matched yet: each counts once
  for (int m = 1; m <= 6; ++m) restantes |= bit(sorteo.ganadores[m]);
  const quint64 complementario = bit(sorteo.complementario);
  Resultado r;
  cuantos = std::clamp(cuantos, 0, 20);
  for (int k = 0; k < cuantos; ++k) {
    const quint64 b = bit(numeros[k]);
    if (restantes & b) {
      restantes &= ~b;
      ++r.aciertos;
      r.acertados |= 1u << k;
    }
    if (complementario & b) r.complementario = true;
  }
  return r;
}

int categoriaSencilla(int aciertos, bool complementario) {
  switch (aciertos) {
    case 3: return TRES;
    case 4: return CUATRO;
    case 5: return complementario ? CINCO_MAS_C : CINCO;
    case 6: return SEIS;
    default: return SIN_PREMIO;
  }
}

QString mensajeSencilla(int categoria) {
  switch (categoria) {
    case TRES:
    case CUATRO:
    case SEIS:
      return QStringLiteral("¡¡ Premio !! Has acertado ") + QString::number(categoria) +
             QStringLiteral(" números.");
    case CINCO: return QStringLiteral("¡¡ Premio !! Has acertado 5 números.");
    case CINCO_MAS_C: return QStringLiteral("¡¡ Premio !! 5 + COMPLEMENTARIO");
    default: return QString();
  }
}

namespace {

constexpr Linea L(int cuantas, int categoria) { return Linea{cuantas, categoria, false}; }
// The five lines that the program words in the singular although they count several bets.
constexpr Linea Ls(int cuantas, int categoria) { return Linea{cuantas, categoria, true}; }

constexpr Desglose D(int tipo, int aciertos, int complementario, std::initializer_list<Linea> lineas) {
  Desglose d;
  d.tipo = tipo;
  d.aciertos = aciertos;
  d.complementario = complementario;
  for (const Linea& l : lineas) d.linea[d.lineas++] = l;
  return d;
}

constexpr int C = CINCO_MAS_C;

// A bet of n = 7 to 11 numbers with h of them winning and c = the complementario among them has
// C(h, k) x C(n - h, 6 - k) simple bets of k hits, C(h, 5) x c of 5 + C and C(h, 5) x (n - h - c)
// of plain 5. The bet of five numbers stands for those five with each of the other 44 numbers.
constexpr std::array<Desglose, 35> TABLA = {{
    D(501, 3, -1, {L(4, 3)}),
    D(501, 4, -1, {L(4, 3), L(3, 4)}),
    D(501, 5, 0, {L(5, 4), L(2, 5)}),
    D(501, 5, 1, {L(5, 4), L(1, 5), L(1, C)}),
    D(501, 6, 0, {L(6, 5), L(1, 6)}),
    D(501, 6, 1, {L(6, C), L(1, 6)}),
    D(502, 3, -1, {L(10, 3)}),
    D(502, 4, -1, {L(16, 3), L(6, 4)}),
    D(502, 5, 0, {L(10, 3), L(15, 4), L(3, 5)}),
    D(502, 5, 1, {L(10, 3), L(15, 4), Ls(2, 5), L(1, C)}),
    D(502, 6, 0, {L(15, 4), L(12, 5), L(1, 6)}),
    D(502, 6, 1, {L(15, 4), L(6, 5), L(6, C), L(1, 6)}),
    D(503, 2, -1, {L(4, 3)}),
    D(503, 3, -1, {L(41, 3), L(3, 4)}),
    D(503, 4, 0, {L(42, 4), L(2, 5)}),
    D(503, 4, 1, {L(42, 4), Ls(2, C)}),
    D(503, 5, -1, {L(42, 5), L(1, C), L(1, 6)}),
    D(504, 3, -1, {L(20, 3)}),
    D(504, 4, -1, {L(40, 3), L(10, 4)}),
    D(504, 5, 0, {L(40, 3), L(30, 4), L(4, 5)}),
    D(504, 5, 1, {L(40, 3), L(30, 4), Ls(3, 5), L(1, C)}),
    D(504, 6, 0, {L(20, 3), L(45, 4), L(18, 5), L(1, 6)}),
    D(504, 6, 1, {L(20, 3), L(45, 4), L(12, 5), L(6, C), L(1, 6)}),
    D(505, 3, -1, {L(35, 3)}),
    D(505, 4, -1, {L(80, 3), L(15, 4)}),
    D(505, 5, 0, {L(100, 3), L(50, 4), L(5, 5)}),
    D(505, 5, 1, {L(100, 3), L(50, 4), Ls(4, 5), L(1, C)}),
    D(505, 6, 0, {L(80, 3), L(90, 4), L(24, 5), L(1, 6)}),
    D(505, 6, 1, {L(80, 3), L(90, 4), L(18, 5), L(6, C), L(1, 6)}),
    D(506, 3, -1, {L(56, 3)}),
    D(506, 4, -1, {L(140, 3), L(21, 4)}),
    D(506, 5, 0, {L(200, 3), L(75, 4), L(6, 5)}),
    D(506, 5, 1, {L(200, 3), L(75, 4), Ls(5, 5), L(1, C)}),
    D(506, 6, 0, {L(200, 3), L(150, 4), L(30, 5), L(1, 6)}),
    D(506, 6, 1, {L(200, 3), L(150, 4), L(24, 5), L(6, C), L(1, 6)}),
}};

}  // namespace

const std::array<Desglose, 35>& tablaDesglose() { return TABLA; }

const Desglose* desglose(int tipo, int aciertos, int complementario) {
  const int flag = complementario != 0 ? 1 : 0;
  for (const Desglose& d : TABLA) {
    if (d.tipo == tipo && d.aciertos == aciertos && (d.complementario < 0 || d.complementario == flag))
      return &d;
  }
  return nullptr;
}

std::array<int, 8> sumas(const Desglose& d) {
  std::array<int, 8> r{};
  for (int i = 0; i < d.lineas; ++i) r[d.linea[i].categoria] += d.linea[i].cuantas;
  return r;
}

QString textoLinea(const Linea& l) {
  const bool una = l.cuantas == 1 || l.singular;
  const int aciertos = l.categoria == CINCO_MAS_C ? 5 : l.categoria;
  return QStringLiteral("¡¡ Premio !! Tienes ") + QString::number(l.cuantas) +
         (una ? QStringLiteral(" apuesta de ") : QStringLiteral(" apuestas de ")) +
         QString::number(aciertos) +
         (l.categoria == CINCO_MAS_C ? QStringLiteral(" aciertos + C.") : QStringLiteral(" aciertos."));
}

QString lineaPena(const QString& nombre) { return QStringLiteral("PEÑA ") + nombre; }

QString lineaFecha(double fecha) {
  return plataforma::fechaCorta(plataforma::fechaDe(fecha)) + QLatin1Char(' ') + diasemana(fecha);
}

QString textoNumero(int numero) {
  // Millions of cells hold these few texts; shared copies spare building each one again.
  static const std::array<QString, 100> comunes = [] {
    std::array<QString, 100> r;
    for (int i = 0; i < 100; ++i) r[i] = QString::number(i);
    return r;
  }();
  return numero >= 0 && numero < 100 ? comunes[numero] : QString::number(numero);
}

void sumaAcierto(qint16& contador, int cuanto) {
  contador = static_cast<qint16>(std::clamp<qint64>(qint64(contador) + cuanto, -32768, 32767));
}

}  // namespace premios
