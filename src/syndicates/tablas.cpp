#include "tablas.h"

#include "data/registros.h"

#include <QList>

#include <algorithm>
#include <bit>
#include <climits>
#include <cstdint>

int leeNumero(const QString& texto) {
  qsizetype i = 0;
  while (i < texto.size() && (texto[i] == u' ' || texto[i] == u'\t')) ++i;
  bool negativo = false;
  if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+')) {
    negativo = texto[i] == u'-';
    ++i;
  }
  // Saturated rather than wrapped, so that an absurd figure in a damaged file still reads as too
  // large instead of turning into a small or negative one that looks plausible.
  long long valor = 0;
  for (; i < texto.size() && texto[i] >= u'0' && texto[i] <= u'9'; ++i)
    valor = std::min<long long>(valor * 10 + (texto[i].unicode() - u'0'), INT_MAX);
  return static_cast<int>(negativo ? -valor : valor);
}

std::vector<TablaReducida> leeTablas(const QByteArray& contenido) {
  QList<QByteArray> lineas = contenido.split('\n');
  for (QByteArray& linea : lineas)
    if (linea.endsWith('\r')) linea.chop(1);
  // Blank lines after the last system (a final line end, an editor's extra newline) are no system.
  while (!lineas.isEmpty() && lineas.last().trimmed().isEmpty()) lineas.removeLast();

  std::vector<TablaReducida> tablas;
  qsizetype i = 0;
  auto siguiente = [&]() { return i < lineas.size() ? QString::fromLatin1(lineas[i++]) : QString(); };
  while (i < lineas.size()) {
    TablaReducida tabla;
    tabla.totalnumeros = leeNumero(siguiente());
    tabla.garantia = leeNumero(siguiente());
    tabla.totalapuestas = leeNumero(siguiente());
    for (int b = 0; b < tabla.totalapuestas && i < lineas.size(); ++b) {
      const QString linea = siguiente();
      std::array<int, 6> apuesta{};
      for (int k = 0; k < 6; ++k) apuesta[k] = leeNumero(linea.mid(2 * k, 2));
      tabla.indices.push_back(apuesta);
    }
    tablas.push_back(std::move(tabla));
  }
  return tablas;
}

QString validaTabla(const TablaReducida& tabla) {
  if (tabla.totalnumeros > Pena::MAX_BASE) return QStringLiteral("La reducción tiene más de 20 números base.");
  if (tabla.totalnumeros < 6) return QStringLiteral("La reducción tiene menos de 6 números base.");
  if (tabla.garantia < 1 || tabla.garantia > 6)
    return QStringLiteral("La reducción tiene una garantía fuera de 1 a 6.");
  if (tabla.totalapuestas > Pena::MAX_APUESTAS) return QStringLiteral("La reducción tiene más de 205 apuestas.");
  if (tabla.totalapuestas < 1) return QStringLiteral("La reducción no tiene apuestas.");
  if (static_cast<int>(tabla.indices.size()) < tabla.totalapuestas)
    return QStringLiteral("La reducción tiene menos líneas de apuestas de las que indica.");
  for (const auto& apuesta : tabla.indices)
    for (int posicion : apuesta)
      if (posicion < 1 || posicion > tabla.totalnumeros)
        return QStringLiteral("La reducción tiene posiciones fuera de 1 a N.");
  for (auto apuesta : tabla.indices) {
    std::sort(apuesta.begin(), apuesta.end());
    if (std::adjacent_find(apuesta.begin(), apuesta.end()) != apuesta.end())
      return QStringLiteral("La reducción tiene apuestas con posiciones repetidas.");
  }
  return {};
}

int garantiaReal(const TablaReducida& tabla) {
  const int n = tabla.totalnumeros;
  if (n < 6 || n > Pena::MAX_BASE || tabla.indices.empty()) return 0;
  // A position outside 1..N stands for no base number, so it can never be among the winners.
  std::vector<std::uint32_t> apuestas;
  for (const auto& apuesta : tabla.indices) {
    std::uint32_t m = 0;
    for (int posicion : apuesta)
      if (posicion >= 1 && posicion <= n) m |= std::uint32_t{1} << (posicion - 1);
    apuestas.push_back(m);
  }
  int peor = 6;
  const std::uint32_t limite = std::uint32_t{1} << n;
  for (std::uint32_t w = 0x3F; w < limite && peor > 0;) {
    int mejor = 0;
    for (std::uint32_t a : apuestas) {
      mejor = std::max(mejor, std::popcount(a & w));
      if (mejor >= peor) break;  // this draw cannot lower the figure any more
    }
    peor = std::min(peor, mejor);
    // Next mask with the same number of bits set: every draw of six, each once.
    const std::uint32_t menor = w & (~w + 1);
    const std::uint32_t subida = w + menor;
    w = subida | (((w ^ subida) >> 2) / menor);
  }
  return peor;
}
