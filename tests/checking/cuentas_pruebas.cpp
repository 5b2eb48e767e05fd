// The prize counters as an account of the stored draws, over sequences of the user's commands on
// real draws: downloads, imports, deleted draws, restarts, and checks cut short as a crash would cut
// them. After each sequence every syndicate's counters are compared with a count written here from
// the rule: every draw the file holds that can be real, that the syndicate plays, from its creation
// up to today, counted once.
#include <QCheckBox>
#include <QDir>
#include <QScrollBar>
#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <set>

#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "checking/comun.h"
#include "checking/recorrido.h"
#include "checking/sencillas_de.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
#include "plataforma/reemplazo.h"

using namespace comprobacion;
using plataforma::vbNo;
using plataforma::vbYes;

namespace {

const QDate HOY(2026, 8, 21);  // the day after the newest draw of the history

template <typename T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A bet of `cuantos` different numbers: these first, then the highest numbers not among them.
std::vector<int> apuesta(const std::vector<int>& numeros, int cuantos = 6) {
  std::vector<int> r;
  for (int x : numeros)
    if (int(r.size()) < cuantos && std::find(r.begin(), r.end(), x) == r.end()) r.push_back(x);
  for (int x = 49; int(r.size()) < cuantos; --x)
    if (std::find(r.begin(), r.end(), x) == r.end()) r.push_back(x);
  return r;
}

// Weekdays played, by Qt's numbering (1 Monday, 4 Thursday, 6 Saturday).
bool juegaDia(const QString& dias, const QDate& d) {
  const int w = d.dayOfWeek();
  if (dias == TODOS) return w == 1 || w == 4 || w == 6;
  if (dias == QString::fromUtf8("Jueves y Sábado")) return w == 4 || w == 6;
  if (dias == QStringLiteral("Lunes")) return w == 1;
  if (dias == QStringLiteral("Jueves")) return w == 4;
  return dias == QString::fromUtf8("Sábado") && w == 6;
}

bool puedeSerReal(const Sorteo& s) {
  std::set<int> vistos;
  for (int i = 1; i <= 6; ++i) vistos.insert(s.ganadores[i]);
  vistos.insert(s.complementario);
  return vistos.size() == 7 && *vistos.begin() >= 1 && *vistos.rbegin() <= 49 && std::isfinite(s.fecha) &&
         plataforma::fechaDe(s.fecha).isValid() && plataforma::fechaDe(s.fecha).year() >= 1900;
}

// The six-number bets a syndicate stands for.
std::vector<std::vector<int>> apuestasDe(const Pena& p) {
  const std::map<int, int> numeros = {{501, 7}, {502, 8}, {503, 5}, {504, 9}, {505, 10}, {506, 11}};
  if (p.tipo > 500) {
    std::vector<int> bet(p.apuestas[1].begin() + 1, p.apuestas[1].begin() + 1 + numeros.at(p.tipo));
    return sencillasDe(bet);
  }
  std::vector<std::vector<int>> r;
  for (int b = 1; b <= p.tipo; ++b) r.emplace_back(p.apuestas[b].begin() + 1, p.apuestas[b].begin() + 7);
  return r;
}

// The rule's count for a syndicate over the draws of a file.
std::array<qint16, 8> esperado(const Pena& p, const std::vector<Sorteo>& guardados, const QDate& hoy = HOY) {
  std::map<double, Sorteo> porFecha;  // a date counts once, the last record holding it
  for (const Sorteo& s : guardados)
    if (puedeSerReal(s)) porFecha[s.fecha] = s;
  std::array<qint16, 8> r{};
  const auto apuestas = apuestasDe(p);
  for (const auto& [fecha, s] : porFecha) {
    const QDate d = plataforma::fechaDe(fecha);
    if (d < plataforma::fechaDe(p.fechacreacion) || d > hoy || !juegaDia(p.dias.trimmed(), d)) continue;
    for (const auto& b : apuestas) {
      const int c = categoriaLlana(b, s);
      if (c) ++r[c];
    }
  }
  return r;
}

std::vector<Sorteo> sorteosDe(const QByteArray& bytes) {
  std::vector<Sorteo> r;
  for (qint64 i = 0; i + Sorteo::LONGITUD <= bytes.size(); i += Sorteo::LONGITUD)
    r.push_back(Sorteo::decodifica(bytes.mid(i, Sorteo::LONGITUD)));
  return r;
}

std::vector<int> ganadores(const Sorteo& s, int cuantos) {
  return std::vector<int>(s.ganadores.begin() + 1, s.ganadores.begin() + 1 + cuantos);
}

// A check cut short: what the hook throws at the n-th write of the walk.
struct Corte {};

class Cuentas : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<Sorteo> h = historiaReal();
    ASSERT_GT(h.size(), 60u);
    base.assign(h.end() - 60, h.end());
    ASSERT_EQ(plataforma::fechaDe(base.back().fecha), HOY.addDays(-1));
  }
  void TearDown() override {
    fijaTrasEscribir({});
    plataforma::fijaAntesDeRenombrar({});
    plataforma::fijaEleccionArchivo({});
  }

  // Syndicates of every kind, created the day before the first draw, whose bets win somewhere.
  std::vector<Pena> penas() const {
    const QDate creada = plataforma::fechaDe(base[0].fecha).addDays(-1);
    const auto w = [&](int i, int cuantos) { return ganadores(base[size_t(i)], cuantos); };
    std::vector<Pena> r = {
        penaDe("SENCILLA", TODOS, creada,
               {apuesta(w(50, 6)), apuesta(w(20, 5) + std::vector<int>{base[20].complementario}),
                apuesta(w(30, 4) + w(33, 2)), apuesta(w(40, 3))}),
        penaDe("JUEVES", "Jueves", creada, {apuesta(w(49, 4)), apuesta(w(52, 5))}),
    };
    for (const auto& [tipo, cuantos, dias, de] : {std::tuple{506, 11, TODOS, 51}, std::tuple{503, 5, TODOS, 46},
                                                  std::tuple{501, 7, QString::fromUtf8("Sábado"), 53}}) {
      Pena p = penaDe(QStringLiteral("MULTIPLE %1").arg(tipo), dias, creada,
                      {apuesta(w(de, std::min(cuantos, 6)) + std::vector<int>{base[size_t(de)].complementario}, cuantos)});
      p.tipo = qint16(tipo);
      r.push_back(p);
    }
    return r;
  }

  std::vector<Sorteo> primeros(int n) const { return {base.begin(), base.begin() + n}; }

  // Starts the program on these draws and syndicates, with the start-up check.
  Principal& arranca(const std::vector<Sorteo>& sorteos, const std::vector<Pena>& guardadas) {
    plataforma::fijaReloj(QDateTime(HOY, QTime(22, 0)));
    escribeSorteos(carpeta, sorteos);
    escribePenas(carpeta, guardadas);
    principal().Form_Load();
    return principal();
  }
  // Closes the program, as a crash or an exit would, and starts it again on what the files hold.
  Principal& reinicia() {
    descargaPrincipal();
    procesaDescargas();
    plataforma::archivos().cierraTodos();
    reiniciaEstado();
    principal().Form_Load();
    return principal();
  }
  // The operator answers with every draw of the history it has, newest first.
  void descarga(int hasta = 60) {
    std::vector<Sorteo> respuesta(base.begin(), base.begin() + hasta);
    std::reverse(respuesta.begin(), respuesta.end());
    // The service gives every draw its Joker.
    for (Sorteo& s : respuesta) s.joker = 1000000 + s.ganadores[1];
    servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(respuesta));
    principal().Picture2_Click();
    principal().Timer1_Timer();
  }
  void importa(const std::vector<Sorteo>& sorteos) {
    QDir(carpeta.ruta()).mkpath("otra");
    carpeta.escribe("otra/NUMEROS.DAT", bytesDe(sorteos));
    const QString archivo = carpeta.archivo("otra/NUMEROS.DAT");
    plataforma::fijaEleccionArchivo([archivo](const plataforma::DialogoArchivo&) { return archivo; });
    principal().Command8_Click();
  }
  // The newest stored draw, from the row of the statistics list that shows it.
  void borraUltima() {
    Principal& p = principal();
    if (p.borrasorteos != 1) {
      respuestas.agrega(vbNo);
      respuestas.agrega(vbNo);
      p.Command5_Click();
    }
    const auto& filas = p.sorteoslistados;
    const auto fila = std::find(filas.begin(), filas.end(), estado().numsorteos - 1);
    ASSERT_NE(fila, filas.end());
    respuestas.agrega(vbYes);
    p.ListView3_ItemClick(int(fila - filas.begin()) + 1);
  }
  // Every syndicate holds what the rule counts over the draws the file holds now.
  void cuadra(const std::vector<Pena>& creadas, const char* donde) {
    const std::vector<Sorteo> guardados = sorteosDe(carpeta.lee("numeros.dat"));
    const std::vector<Pena> escritas = penasDe(carpeta);
    ASSERT_EQ(escritas.size(), creadas.size()) << donde;
    for (size_t j = 0; j < creadas.size(); ++j) {
      EXPECT_EQ(escritas[j].aciertos, esperado(creadas[j], guardados)) << donde << " " << creadas[j].nombre.toStdString();
      EXPECT_LE(escritas[j].fechacomprobado, plataforma::oleDe(HOY)) << donde;
    }
  }
  static QByteArray bytesDe(const std::vector<Sorteo>& sorteos) {
    QByteArray r;
    for (const Sorteo& s : sorteos) r += s.codifica();
    return r;
  }

  std::vector<Sorteo> base;  // the last 60 draws of the history
  CarpetaPrograma carpeta;
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  plataforma::Respondedor respuestas;
};

}  // namespace

// A wrong newest draw, counted, deleted and brought back right; older files imported over newer
// ones; a deletion cut between its two writes. Each ends with the rule's count.
TEST_F(Cuentas, AfterEverySequenceTheCountersAreTheRulesCount) {
  const int K = 48;  // draws stored at the start; the operator has all 60
  Sorteo numeros = base[K];
  for (int i = 1; i <= 6; ++i) numeros.ganadores[i] = qint16(base[50].ganadores[i]);  // SENCILLA's six
  Sorteo fecha = base[K];
  fecha.fecha += 7;
  Sorteo futura = base[K - 1];
  futura.fecha = plataforma::oleDe(QDate(2031, 3, 6));
  int renombrados = 0;
  const auto cortaElSegundo = [&] {
    plataforma::fijaAntesDeRenombrar([&] {
      if (++renombrados == 2) throw plataforma::Error(plataforma::ERR_ACCESO, QStringLiteral("corte"));
    });
  };
  struct Caso {
    const char* nombre;
    std::vector<Sorteo> guardados;
    bool contadaAntes;  // an earlier run counted the whole file, the future draw included
    std::function<void()> pasos;
    size_t sorteos = 60;  // draws in the file at the end
  } casos[] = {
      {"números equivocados, borrada y bajada bien", primeros(K) + std::vector{numeros}, false,
       [&] { borraUltima(); descarga(); }},
      {"fecha equivocada, borrada y bajada bien", primeros(K) + std::vector{fecha}, false,
       [&] { borraUltima(); descarga(); }},
      {"fecha futura contada antes, borrada y bajada", primeros(K - 1) + std::vector{futura}, true,
       [&] { borraUltima(); descarga(); }},
      {"números equivocados, borrada e importado el archivo bueno", primeros(K) + std::vector{numeros}, false,
       [&] { borraUltima(); importa(base); }},
      {"importado uno antiguo y luego el entero", primeros(K), false,
       [&] { importa(primeros(K - 10)); importa(base); }},
      {"borrada la más nueva y bajada otra vez", primeros(K), false, [&] { borraUltima(); descarga(); }},
      {"borrado cortado entre sus dos escrituras", primeros(K) + std::vector{numeros}, false,
       [&] { cortaElSegundo(); borraUltima(); plataforma::fijaAntesDeRenombrar({}); reinicia(); }, K + 1},
      {"borrado cortado, repetido y bajado", primeros(K) + std::vector{numeros}, false,
       [&] { cortaElSegundo(); borraUltima(); plataforma::fijaAntesDeRenombrar({}); reinicia();
             borraUltima(); descarga(); }},
  };
  for (Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrograma otra;
    renombrados = 0;
    std::vector<Pena> creadas = penas();
    std::vector<Pena> guardadas = creadas;
    if (c.contadaAntes)
      for (Pena& p : guardadas) {
        p.aciertos = esperado(p, c.guardados, QDate(9999, 1, 1));
        p.fechacomprobado = c.guardados.back().fecha;
      }
    plataforma::fijaReloj(QDateTime(HOY, QTime(22, 0)));
    escribeSorteos(otra, c.guardados);
    escribePenas(otra, guardadas);
    principal().Form_Load();
    c.pasos();
    const std::vector<Sorteo> guardados = sorteosDe(otra.lee("numeros.dat"));
    ASSERT_EQ(guardados.size(), c.sorteos);
    const std::vector<Pena> escritas = penasDe(otra);
    for (size_t j = 0; j < creadas.size(); ++j) {
      EXPECT_EQ(escritas[j].aciertos, esperado(creadas[j], guardados)) << creadas[j].nombre.toStdString();
      EXPECT_LE(escritas[j].fechacomprobado, plataforma::oleDe(HOY));
    }
  }
}

// The check that follows a download of 42 draws, cut after each of its writes: every syndicate is
// counted whole or not at all, and the next start counts the rest once.
TEST_F(Cuentas, ACheckCutAfterAnyWriteIsMadeGoodByTheNextOne) {
  const std::vector<Pena> creadas = penas();
  int escrituras = 0;
  fijaTrasEscribir([&] { ++escrituras; });
  arranca(primeros(18), creadas);
  escrituras = 0;
  descarga();

  // One write per syndicate: counters and date counted together.
  ASSERT_EQ(escrituras, int(creadas.size()));
  cuadra(creadas, "sin corte");

  for (int n = 1; n <= int(creadas.size()); ++n) {
    SCOPED_TRACE(n);
    CarpetaPrograma otra;
    plataforma::fijaReloj(QDateTime(HOY, QTime(22, 0)));
    escribeSorteos(otra, primeros(18));
    escribePenas(otra, creadas);
    principal().Form_Load();
    const std::vector<Pena> antes = penasDe(otra);
    int hechas = 0;
    fijaTrasEscribir([&] {
      if (++hechas == n) throw Corte{};
    });
    EXPECT_THROW(descarga(), Corte);
    fijaTrasEscribir({});
    // Each syndicate is counted whole or untouched.
    const std::vector<Pena> cortadas = penasDe(otra);
    int contadas = 0;
    for (size_t j = 0; j < creadas.size(); ++j) {
      const bool entera = cortadas[j].fechacomprobado == base.back().fecha;
      contadas += entera ? 1 : 0;
      if (!entera) EXPECT_EQ(cortadas[j].codifica(), antes[j].codifica()) << j;
    }
    EXPECT_EQ(contadas, n);
    // The next start counts the rest; a check over every draw then finds nothing more.
    Principal& p = reinicia();
    const QByteArray tras = otra.lee("apuestas.dat");
    p.compruebasencillas(estado().numsorteos - 1);
    EXPECT_EQ(otra.lee("apuestas.dat"), tras);
    const std::vector<Sorteo> guardados = sorteosDe(otra.lee("numeros.dat"));
    ASSERT_EQ(guardados.size(), 60u);
    const std::vector<Pena> escritas = penasDe(otra);
    for (size_t j = 0; j < creadas.size(); ++j)
      EXPECT_EQ(escritas[j].aciertos, esperado(creadas[j], guardados)) << creadas[j].nombre.toStdString();
  }
}

// A newest record that cannot be a draw (a Saturday whose complementario repeats a number, or a
// counted date that is no date at all) counts nothing and moves no date beyond the newest real draw.
TEST_F(Cuentas, NothingIsCountedFromWhatCannotBeRealAndNoDateStaysFrozen) {
  const std::vector<Pena> creadas = penas();
  // The next draw stored damaged, with numbers the multiple and the simple bets win in; the download
  // then brings it right.
  Sorteo repetido = base[54];
  repetido.ganadores = base[51].ganadores;
  repetido.complementario = base[51].ganadores[3];
  Sorteo futuro = base[51];  // wins too, but not before its day comes
  futuro.fecha = plataforma::oleDe(QDate(2031, 3, 6));
  struct Caso {
    const char* nombre;
    std::vector<Sorteo> guardados;
    double comprobado;  // the date counted the syndicates start from
    double fechaFinal;  // the date counted after start-up
    bool baja = true;   // the next draws can be downloaded (no stored draw is later than today)
  } casos[] = {
      {"un sorteo con el complementario repetido", primeros(54) + std::vector{repetido}, 0, base[53].fecha},
      {"fecha contada que no es un número", primeros(54), std::nan(""), base[53].fecha},
      {"fecha contada infinita", primeros(54), std::numeric_limits<double>::infinity(), base[53].fecha},
      {"fecha contada en 2100 sin sorteo tan tardío", primeros(54), plataforma::oleDe(QDate(2100, 1, 2)), base[53].fecha},
      {"un sorteo fechado en 2031", primeros(54) + std::vector{futuro}, 0, base[53].fecha, false},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrograma otra;
    std::vector<Pena> guardadas = creadas;
    for (Pena& p : guardadas) {
      p.fechacomprobado = c.comprobado;
      if (c.comprobado != 0) p.aciertos = {0, 0, 0, 1, 2, 3, 4, 5};
    }
    plataforma::fijaReloj(QDateTime(HOY, QTime(22, 0)));
    escribeSorteos(otra, c.guardados);
    escribePenas(otra, guardadas);
    principal().Form_Load();
    const std::vector<Pena> escritas = penasDe(otra);
    for (size_t j = 0; j < creadas.size(); ++j) {
      SCOPED_TRACE(creadas[j].nombre.toStdString());
      // A start with nothing counted counts the real draws; a date that cannot be right is taken as
      // the newest draw, with the counters left as they were.
      EXPECT_EQ(escritas[j].aciertos, c.comprobado == 0 ? esperado(creadas[j], c.guardados) : guardadas[j].aciertos);
      EXPECT_EQ(escritas[j].fechacomprobado, c.fechaFinal);
    }
    if (!c.baja) continue;
    // The next draws are counted as they come.
    descarga(57);
    const std::vector<Pena> luego = penasDe(otra);
    for (size_t j = 0; j < creadas.size(); ++j) {
      std::array<qint16, 8> suma = escritas[j].aciertos;
      const std::array<qint16, 8> nuevos = esperado(creadas[j], {base[54], base[55], base[56]});
      for (int k = 3; k <= 7; ++k) suma[k] += nuevos[k];
      EXPECT_EQ(luego[j].aciertos, suma) << creadas[j].nombre.toStdString();
    }
  }
}
