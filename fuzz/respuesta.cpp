// Arbitrary bytes as the stored answer www.txt. The reading of the draws must end with its result
// or a platform error, never crash or hang, and whatever it takes must be draws that can be
// appended to numeros.dat: whole records, possible numbers, new dates in the answer's order.
// Run with the dictionary and the seeds beside this file:
//   fuzz_respuesta -dict=fuzz/respuesta.dict fuzz/semillas
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "plataforma/error.h"
#include "retrieval/escaner.h"

namespace {

constexpr double HOY = 45726;  // 10 March 2025

void exige(bool condicion) {
  if (!condicion) abort();
}

void compruebaAnalisis(const QByteArray& guardada, double referencia) {
  escaner::Analisis a;
  const int error = escaner::analizaRespuesta(guardada, referencia, HOY, a);
  exige(error == 0 || error == 6 || error == 9 || error == escaner::ERR_TIPOS || error == 62 || error == 63);
  exige(a.fechas.size() <= size_t(escaner::MAX_NUEVOS) && a.sorteos.size() <= a.fechas.size());
  double anterior = HOY + 1;
  for (const Sorteo& s : a.sorteos) {
    exige(s.fecha > referencia && s.fecha < anterior);
    anterior = s.fecha;
    for (int j = 1; j <= 6; ++j) exige(s.ganadores[j] >= 1 && s.ganadores[j] <= 49);
    exige(s.complementario >= 1 && s.complementario <= 49);
    exige(s.reintegro >= -1 && s.reintegro <= 9);
    exige(s.joker >= 1 && s.joker <= 9999999);
  }
  exige(escaner::registrosNuevos(a).size() == qsizetype(a.sorteos.size()) * Sorteo::LONGITUD);
}

// Scans as the prize breakdown and the news make them, one after another from where each ended,
// and the operator's category rows read by name: texts a label can hold.
void compruebaEscaneres(const QByteArray& guardada) {
  if (const auto textos = escaner::categoriasOficiales(guardada))
    for (const QString& t : *textos) exige(t.size() <= 80);
  escaner::Escaner e(guardada);
  try {
    e.busca(QStringLiteral("escru"), QStringLiteral("\""));
    e.busca(QStringLiteral("cate"), QStringLiteral("\""));
    escaner::raros(e.busca(QStringLiteral("\"\""), QStringLiteral("\""), 1));
    e.busca(QStringLiteral("documentos"), QStringLiteral(":"));
    e.busca3(QStringLiteral("web:"), QStringLiteral(">"));
    exige(e.posicion() >= 1 && e.posicion() <= e.longitud() + 1);
  } catch (const plataforma::Error& error) {
    exige(error.numero() == 62);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  const QByteArray guardada(reinterpret_cast<const char*>(datos), qsizetype(n));
  compruebaAnalisis(guardada, 0);
  compruebaAnalisis(guardada, 45700);  // 12 February 2025
  compruebaEscaneres(guardada);
  return 0;
}
