// The check view over a long history: 4,000 draws and 50 syndicates (40 of ten simple bets, 10 of
// one bet of eleven numbers, all playing every day since before the first draw), checked whole
//   (a) with "Ver sólo si hay premio" ticked,
//   (b) unticked, listing about two million rows,
//   (c) against a bare count of the same hits over the same numbers held in memory.
// Before (a) and (b) the syndicates are put back as they were written, so that both runs count and
// write back every prize of every draw, the heaviest case.
// The last line reads: ratio <a/c> listed_rows_per_s <rows listed by b per second> peak_rss_mb <MB>.
#include "comun.h"
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "data/ayudas.h"
#include "data/estado.h"
#include "data/registros.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/sistema.h"
#include "ui/Principal.h"

namespace {

int SORTEOS = 4000;
constexpr int SENCILLAS = 40;
constexpr int APUESTAS = 10;
constexpr int MULTIPLES = 10;

std::vector<Sorteo> sorteos;
std::vector<Pena> penas;

// Totals over the iterations, for means: a later iteration of (b) also clears the two million
// rows of the one before, as a user's second check does.
double segundosA = 0, segundosB = 0, segundosC = 0;
int vecesA = 0, vecesC = 0;
qint64 filasB = 0;

std::vector<int> distintos(std::mt19937& azar, int cuantos) {
  std::vector<int> todos(49);
  for (int i = 0; i < 49; ++i) todos[i] = i + 1;
  std::shuffle(todos.begin(), todos.end(), azar);
  todos.resize(cuantos);
  return todos;
}

// Draws on Mondays, Thursdays and Saturdays from January 2000, and the syndicates, written to a
// fresh program folder.
void preparaCarpeta(const QString& carpeta) {
  std::mt19937 azar(20240607);
  QDate dia(2000, 1, 3);
  QByteArray numeros;
  while (int(sorteos.size()) < SORTEOS) {
    const int semana = dia.dayOfWeek();
    if (semana == 1 || semana == 4 || semana == 6) {
      const std::vector<int> n = distintos(azar, 7);
      Sorteo s;
      for (int k = 1; k <= 6; ++k) s.ganadores[k] = qint16(n[k - 1]);
      s.complementario = qint16(n[6]);
      s.reintegro = qint16(azar() % 10);
      s.fecha = plataforma::oleDe(dia);
      s.joker = -1;
      sorteos.push_back(s);
      numeros += s.codifica();
    }
    dia = dia.addDays(1);
  }
  const double creacion = sorteos.front().fecha - 1;
  QByteArray apuestas;
  for (int j = 0; j < SENCILLAS + MULTIPLES; ++j) {
    Pena p;
    p.dias = QStringLiteral("Todos (L+J+S)");
    p.fechacreacion = creacion;
    if (j < SENCILLAS) {
      p.nombre = QStringLiteral("SENCILLA %1").arg(j + 1);
      p.tipo = APUESTAS;
      for (int b = 1; b <= APUESTAS; ++b) {
        const std::vector<int> n = distintos(azar, 6);
        for (int k = 1; k <= 6; ++k) p.apuestas[b][k] = qint16(n[k - 1]);
      }
    } else {
      p.nombre = QStringLiteral("MULTIPLE %1").arg(j + 1);
      p.tipo = 506;
      const std::vector<int> n = distintos(azar, 11);
      for (int k = 1; k <= 11; ++k) p.apuestas[1][k] = qint16(n[k - 1]);
    }
    penas.push_back(Pena::decodifica(p.codifica()));
    apuestas += p.codifica();
  }
  for (const auto& [nombre, datos] : {std::pair{QStringLiteral("numeros.dat"), numeros},
                                       std::pair{QStringLiteral("apuestas.dat"), apuestas}}) {
    QFile f(carpeta + "/" + nombre);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(datos);
  }
}

// The syndicates as written: no counters, no draw counted yet.
void restauraPenas() {
  for (int j = 0; j < int(penas.size()); ++j) escribePena(j + 1, penas[j]);
}

double segundosDe(void (*trabajo)()) {
  const auto antes = std::chrono::steady_clock::now();
  trabajo();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - antes).count();
}

void ponSoloPremios(bool si) {
  Principal& p = principal();
  p.Check2->blockSignals(true);
  p.Check2->setChecked(si);
  p.Check2->blockSignals(false);
}

void SoloPremios(benchmark::State& estadoBanco) {
  ponSoloPremios(true);
  for (auto _ : estadoBanco) {
    restauraPenas();
    const double s = segundosDe([] { principal().compruebasencillas(SORTEOS); });
    estadoBanco.SetIterationTime(s);
    segundosA += s;
    ++vecesA;
  }
  Principal& p = principal();
  estadoBanco.counters["filas"] = p.ListView2->Count() + p.ListView4->Count();
}

void TodasLasFilas(benchmark::State& estadoBanco) {
  ponSoloPremios(false);
  for (auto _ : estadoBanco) {
    restauraPenas();
    const double s = segundosDe([] { principal().compruebasencillas(SORTEOS); });
    estadoBanco.SetIterationTime(s);
    Principal& p = principal();
    const int filas = p.ListView2->Count() + p.ListView4->Count();
    segundosB += s;
    filasB += filas;
    estadoBanco.counters["filas"] = filas;
  }
}

// The same comparisons as the check makes (each number against the six winning numbers and the
// complementario), with the prizes tallied, on plain arrays.
void CuentaDesnuda(benchmark::State& estadoBanco) {
  std::vector<std::array<qint16, 7>> ganadores;
  for (const Sorteo& s : sorteos) {
    std::array<qint16, 7> g{};
    for (int k = 1; k <= 6; ++k) g[k - 1] = s.ganadores[k];
    g[6] = s.complementario;
    ganadores.push_back(g);
  }
  struct Apuesta {
    std::array<qint16, 11> n{};
    int cuantos = 0;
  };
  std::vector<Apuesta> apuestas;
  for (const Pena& p : penas) {
    const int bets = p.tipo > 500 ? 1 : p.tipo;
    for (int b = 1; b <= bets; ++b) {
      Apuesta a;
      a.cuantos = p.tipo > 500 ? cuantos(p.tipo) : 6;
      for (int k = 0; k < a.cuantos; ++k) a.n[k] = p.apuestas[b][k + 1];
      apuestas.push_back(a);
    }
  }
  for (auto _ : estadoBanco) {
    const auto antes = std::chrono::steady_clock::now();
    std::array<long, 8> premios{};
    for (const auto& g : ganadores) {
      for (const Apuesta& a : apuestas) {
        int aciertos = 0;
        bool complementario = false;
        for (int k = 0; k < a.cuantos; ++k) {
          for (int m = 0; m < 6; ++m) aciertos += a.n[k] == g[m];
          complementario |= a.n[k] == g[6];
        }
        if (aciertos >= 3) ++premios[aciertos == 5 && complementario ? 7 : std::min(aciertos, 7)];
      }
    }
    benchmark::DoNotOptimize(premios);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - antes).count();
    estadoBanco.SetIterationTime(s);
    segundosC += s;
    ++vecesC;
  }
}


}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const bool corto = modoCorto(argc, argv);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (corto) SORTEOS = 60;
  const int veces = corto ? 1 : 0;

  QTemporaryDir carpeta;
  preparaCarpeta(carpeta.path());
  if (!copiaArchivosPrograma(carpeta.path())) return 1;
  plataforma::fijaCarpetaPrograma(carpeta.path());
  // A box would wait for a click that never comes: the benchmark stops and says which box it was.
  plataforma::fijaRespondedor([](const plataforma::Caja& caja) -> int {
    std::fprintf(stderr, "Mensaje inesperado: %s: %s\n", qPrintable(caja.titulo), qPrintable(caja.texto));
    std::exit(1);
  });
  principal().Form_Load();
  if (estado().numpenas != SENCILLAS + MULTIPLES + 1) {
    std::fprintf(stderr, "Se esperaban %d peñas y hay %d\n", SENCILLAS + MULTIPLES, estado().numpenas - 1);
    return 1;
  }

  benchmark::RegisterBenchmark("compruebasencillas/solo_premios", SoloPremios)
      ->Iterations(veces ? veces : 3)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("compruebasencillas/todas_las_filas", TodasLasFilas)
      ->Iterations(veces ? veces : 2)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("cuenta_desnuda", CuentaDesnuda)
      ->Iterations(veces ? veces : 5)->UseManualTime()->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const double ratio = (segundosA / std::max(vecesA, 1)) / (segundosC / std::max(vecesC, 1));
  std::printf("ratio %.1f listed_rows_per_s %.0f peak_rss_mb %.0f\n", ratio, filasB / segundosB, picoMegas());
  std::fflush(stdout);
  plataforma::fijaCarpetaPrograma(QString());
  return 0;
}
