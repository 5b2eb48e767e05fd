// The statistics count over the real history of La Primitiva (4,176 draws): estadisticas run for
// every combination of the weekday boxes (none ticked included) and both periods (every draw, the
// last 24 months), with the draws list, the total, the report text and the chart data, as a change
// of the filters runs it.
// "--corto" runs one small iteration, to show that the benchmark still runs.
// The last line reads: ms_per_count <mean milliseconds of one count> peak_rss_mb <MB>.
#include "comun.h"
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/estado.h"
#include "data/registros.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/sistema.h"
#include "statistics/estadisticas.h"
#include "ui/Principal.h"

namespace {

double segundos = 0;
long cuentas = 0;

// The history as numeros.dat holds it, oldest first; false when the file is not there.
bool escribeHistoria(const QString& carpeta) {
  QFile csv(QStringLiteral(BOLVANTA_FIXTURES "real/primitiva-history.csv"));
  if (!csv.open(QIODevice::ReadOnly)) return false;
  std::vector<QByteArray> registros;
  csv.readLine();  // header
  while (!csv.atEnd()) {
    const QList<QByteArray> c = csv.readLine().trimmed().split(',');
    if (c.size() < 9) continue;
    Sorteo s;
    for (int k = 1; k <= 6; ++k) s.ganadores[k] = qint16(c[k].toInt());
    s.complementario = qint16(c[7].toInt());
    s.reintegro = qint16(c[8].toInt());
    s.fecha = plataforma::oleDe(QDate::fromString(QString::fromLatin1(c[0]), Qt::ISODate));
    s.joker = -1;
    registros.push_back(s.codifica());
  }
  std::reverse(registros.begin(), registros.end());
  QFile numeros(carpeta + QStringLiteral("/numeros.dat"));
  if (!numeros.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  for (const QByteArray& r : registros) numeros.write(r);
  return true;
}

void ponDias(int combinacion) {
  Principal& p = principal();
  const int cajas[] = {9, 0, 1};
  for (int k = 0; k < 3; ++k) {
    p.Check3[cajas[k]]->blockSignals(true);
    p.Check3[cajas[k]]->setChecked(combinacion & (1 << k));
    p.Check3[cajas[k]]->blockSignals(false);
  }
}

void Cuenta(benchmark::State& estadoBanco, int combinaciones) {
  Principal& p = principal();
  const double desde24 = corteMeses(plataforma::oleDe(plataforma::ahora()), 24);
  for (auto _ : estadoBanco) {
    const auto antes = std::chrono::steady_clock::now();
    for (int c = 0; c < combinaciones; ++c) {
      ponDias(7 - c);
      for (double desde : {0.0, desde24}) {
        p.estadisticas(desde);
        p.ListView3->refresca();
        ++cuentas;
      }
    }
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - antes).count();
    estadoBanco.SetIterationTime(s);
    segundos += s;
  }
  estadoBanco.counters["sorteos"] = p.sorteoscontados;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bool corto = false;
  std::vector<char*> argumentos;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--corto") == 0)
      corto = true;
    else
      argumentos.push_back(argv[i]);
  }
  int n = int(argumentos.size());
  QApplication app(n, argumentos.data());
  benchmark::Initialize(&n, argumentos.data());

  QTemporaryDir carpeta;
  if (!escribeHistoria(carpeta.path())) {
    std::fprintf(stderr, "No se encuentra tests/fixtures/real/primitiva-history.csv\n");
    return 1;
  }
  // The program's own files, from the folder the build puts them in.
  const QString programa = QCoreApplication::applicationDirPath() + QStringLiteral("/../");
  QFile::copy(programa + QStringLiteral("Bolvanta.mdb"), carpeta.path() + QStringLiteral("/Bolvanta.mdb"));
  QFile::copy(programa + QStringLiteral("tablas.bin"), carpeta.path() + QStringLiteral("/tablas.bin"));
  plataforma::Respondedor respuestas;  // no box may wait for a click here
  plataforma::fijaCarpetaPrograma(carpeta.path());
  principal().Form_Load();

  benchmark::RegisterBenchmark("estadisticas/dias_y_periodos", Cuenta, corto ? 1 : 8)
      ->Iterations(corto ? 1 : 10)
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  std::printf("ms_per_count %.2f peak_rss_mb %.0f\n", 1000.0 * segundos / std::max(cuentas, 1L), picoMegas());
  std::fflush(stdout);
  descargaPrincipal();
  plataforma::fijaCarpetaPrograma(QString());
  return 0;
}
