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
#include <optional>
#include <random>
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

std::vector<Sorteo> sin(std::vector<Sorteo> sorteos, size_t i) {
  sorteos.erase(sorteos.begin() + qsizetype(i));
  return sorteos;
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

// The rule's count for a syndicate over the draws of a file dated after `desde`.
std::array<qint16, 8> esperado(const Pena& p, const std::vector<Sorteo>& guardados, const QDate& hoy = HOY,
                               double desde = -1) {
  std::map<double, Sorteo> porFecha;  // a date counts once, the first record holding it
  for (const Sorteo& s : guardados)
    if (puedeSerReal(s)) porFecha.emplace(s.fecha, s);
  std::array<qint16, 8> r{};
  const auto apuestas = apuestasDe(p);
  for (const auto& [fecha, s] : porFecha) {
    const QDate d = plataforma::fechaDe(fecha);
    if (fecha <= desde || d < plataforma::fechaDe(p.fechacreacion) || d > hoy || !juegaDia(p.dias.trimmed(), d))
      continue;
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
    // A reduced system, stored as its simple bets: every six of eight numbers, five of them drawn.
    r.push_back(penaDe("REDUCIDA", QString::fromUtf8("Jueves y Sábado"), creada,
                       sencillasDe(apuesta(w(46, 5) + std::vector<int>{base[46].complementario} + w(30, 6), 8))));
    r.back().reducida = 8;
    r.back().garantia = 5;
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
  // A file of the current layout, or of the older one with records of 24 bytes.
  void importa(const std::vector<Sorteo>& sorteos, int longitud = Sorteo::LONGITUD) {
    QByteArray bytes;
    for (const Sorteo& s : sorteos) bytes += s.codifica().left(longitud);
    QDir(carpeta.ruta()).mkpath("otra");
    carpeta.escribe("otra/NUMEROS.DAT", bytes);
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
    std::vector<Sorteo> contados;  // what an earlier run counted, up to the newest of them
    std::function<void()> pasos;
    size_t sorteos = 60;  // draws in the file at the end
    bool enCero = false;  // the counters since put back to zero by hand
    double desde = -1;    // the rule counts the draws after this date
  } casos[] = {
      {"números equivocados, borrada y bajada bien", primeros(K) + std::vector{numeros}, {},
       [&] { borraUltima(); descarga(); }},
      {"fecha equivocada, borrada y bajada bien", primeros(K) + std::vector{fecha}, {},
       [&] { borraUltima(); descarga(); }},
      {"fecha futura contada antes, borrada y bajada", primeros(K - 1) + std::vector{futura},
       primeros(K - 1) + std::vector{futura}, [&] { borraUltima(); descarga(); }},
      {"números equivocados, borrada e importado el archivo bueno", primeros(K) + std::vector{numeros}, {},
       [&] { borraUltima(); importa(base); }},
      {"importado uno antiguo y luego el entero", primeros(K), {},
       [&] { importa(primeros(K - 10)); importa(base); }},
      {"borrada la más nueva y bajada otra vez", primeros(K), {}, [&] { borraUltima(); descarga(); }},
      {"borrado cortado entre sus dos escrituras", primeros(K) + std::vector{numeros}, {},
       [&] { cortaElSegundo(); borraUltima(); plataforma::fijaAntesDeRenombrar({}); reinicia(); }, K + 1},
      {"borrado cortado, repetido y bajado", primeros(K) + std::vector{numeros}, {},
       [&] { cortaElSegundo(); borraUltima(); plataforma::fijaAntesDeRenombrar({}); reinicia();
             borraUltima(); descarga(); }},
      // The newest draw won a 6; the counters had been put to zero: taking it back leaves them at
      // zero, and it counts once when it comes back.
      {"aciertos a cero, la más nueva borrada y bajada", primeros(51), primeros(51),
       [&] { borraUltima(); descarga(); }, 60, true, base[49].fecha},
      // Counted up to draw 53 without draw 40 (deleted then), kept by "Borrar todos los sorteos",
      // a copy with the same hole imported, then the whole history: draw 40 fills a gap and counts,
      // 48 to 53 stand as counted.
      {"aciertos guardados, un hueco rellenado", sin(primeros(K), 40), sin(primeros(54), 40),
       [&] { importa(base); }},
  };
  for (Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    CarpetaPrograma otra;
    renombrados = 0;
    std::vector<Pena> creadas = penas();
    std::vector<Pena> guardadas = creadas;
    if (!c.contados.empty())
      for (Pena& p : guardadas) {
        p.aciertos = c.enCero ? std::array<qint16, 8>{} : esperado(p, c.contados, QDate(9999, 1, 1));
        p.fechacomprobado = c.contados.back().fecha;
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
      EXPECT_EQ(escritas[j].aciertos, esperado(creadas[j], guardados, HOY, c.desde)) << creadas[j].nombre.toStdString();
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

namespace {

// What the rule knows of a syndicate beyond the draws the file holds: its creation day and, after
// "Borrar todos los sorteos" kept its counters, those counters and the date it had counted.
struct Regla {
  QDate creada;
  bool guardada = false;
  std::array<qint16, 8> aciertos{};
  double hasta = 0;
};

// The draws where the syndicates of the fixture win.
const int GANADORES[] = {20, 30, 33, 40, 46, 49, 50, 51, 52, 53};

class Secuencias : public Cuentas, public ::testing::WithParamInterface<int> {
 protected:
  int al(int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); }
  bool cara(int porciento) { return al(100) < porciento; }
  void reloj() { plataforma::fijaReloj(QDateTime(hoy, QTime(22, 0))); }
  QDate dia(int i) const { return plataforma::fechaDe(base[size_t(i)].fecha); }
  std::vector<Sorteo> hastaHoy(size_t n = 60) const {
    std::vector<Sorteo> r;
    for (size_t i = 0; i < n; ++i)
      if (dia(int(i)) <= hoy) r.push_back(base[i]);
    return r;
  }
  std::vector<Sorteo> guardados() const { return sorteosDe(otra->lee("numeros.dat")); }
  bool guardada() const {
    return std::any_of(reglas.begin(), reglas.end(), [](const Regla& r) { return r.guardada; });
  }

  // The command runs; the program dies at the n-th write of a check or before the m-th rename of a
  // file (0: never), and starts again on what the files hold.
  void orden(const std::function<void()>& que, int escritura = 0, int renombrado = 0) {
    int n = 0, m = 0;
    if (escritura) fijaTrasEscribir([&] { if (++n == escritura) throw Corte{}; });
    if (renombrado) plataforma::fijaAntesDeRenombrar([&] { if (++m == renombrado) throw Corte{}; });
    bool cortada = false;
    try {
      que();
    } catch (const Corte&) {
      cortada = true;
      anota("  cortada");
    }
    fijaTrasEscribir({});
    plataforma::fijaAntesDeRenombrar({});
    if (cortada) reinicia();
  }
  // The operator answers with the draws of the last 100 days.
  void baja() {
    std::vector<Sorteo> respuesta;
    for (const Sorteo& s : hastaHoy())
      if (plataforma::fechaDe(s.fecha) > hoy.addDays(-100)) respuesta.insert(respuesta.begin(), s);
    for (Sorteo& s : respuesta) s.joker = 1000000 + s.ganadores[1];
    servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(respuesta, 0));
    principal().Picture2_Click();
    principal().Timer1_Timer();
  }
  // Another program writes numeros.dat while this one is closed.
  void otroPrograma(const std::vector<Sorteo>& sorteos) {
    descargaPrincipal();
    procesaDescargas();
    plataforma::archivos().cierraTodos();
    escribeSorteos(*otra, sorteos);
    reinicia();
  }
  // A real draw stored wrong: the next one with another draw's numbers, or on a later draw day.
  Sorteo equivocado(const Sorteo& bueno) {
    Sorteo s = bueno;
    if (cara(50)) {
      const Sorteo& otro = base[size_t(GANADORES[al(10)])];
      s.ganadores = otro.ganadores;
      s.complementario = otro.complementario;
    } else {
      const int w = plataforma::fechaDe(s.fecha).dayOfWeek();
      s.fecha += w == 4 ? 2 : w == 6 ? 2 : 3;
    }
    return s;
  }
  void borraTodo(int sorteos, int aciertos) {
    const std::vector<Sorteo> antes = guardados();
    const std::vector<Pena> escritas = penasDe(*otra);
    plataforma::Respondedor respuestas{sorteos, aciertos};
    anota(std::string("borra todo ") + (sorteos == vbYes ? "si " : "no ") + (aciertos == vbYes ? "si" : "no"));
    principal().Command5_Click();
    if (aciertos == vbYes) {
      for (Regla& r : reglas) r = Regla{hoy};
    } else if (sorteos == vbYes) {
      // Kept: what the syndicate had counted of the draws now gone, up to the date it had counted.
      for (size_t j = 0; j < reglas.size(); ++j) {
        Regla& r = reglas[j];
        const double hasta = escritas[j].fechacomprobado;
        const QDate tope = std::min(hoy, plataforma::fechaDe(hasta));
        const std::array<qint16, 8> contados = esperado(creada(j), antes, tope, r.guardada ? r.hasta : -1);
        if (!r.guardada) r.aciertos = {};
        for (int c = 3; c <= 7; ++c) r.aciertos[c] = qint16(r.aciertos[c] + contados[c]);
        r.guardada = true;
        r.hasta = hasta;
      }
    }
  }
  Pena creada(size_t j) const {
    Pena p = creadas[j];
    p.fechacreacion = plataforma::oleDe(reglas[j].creada);
    return p;
  }
  // One command of the user, at random; those that take draws away only while no counters are kept.
  void paso() {
    Principal& p = principal();
    const std::vector<Sorteo> ahora = guardados();
    const bool libre = !guardada();
    switch (al(9)) {
      case 0:
        anota("baja");
        orden([&] { baja(); }, cara(25) ? 1 + al(int(creadas.size())) : 0);
        break;
      case 1:
        anota("importa todo");
        orden([&] { importa(hastaHoy()); }, 0, cara(25) ? 1 + al(3) : 0);
        break;
      case 2: {
        if (!libre && !ahora.empty()) break;
        std::vector<Sorteo> parte = hastaHoy(size_t(20 + al(41)));
        anota("importa " + std::to_string(parte.size()));
        const int longitud = cara(30) ? 24 : Sorteo::LONGITUD;
        orden([&] { importa(parte, longitud); }, 0, cara(25) ? 1 + al(3) : 0);
        break;
      }
      case 3: {  // a wrong draw, or a second record of a stored date
        if (!libre || ahora.empty()) break;
        std::vector<Sorteo> sorteos = ahora;
        const double ultima = std::max_element(ahora.begin(), ahora.end(), [](const Sorteo& x, const Sorteo& y) {
                                return x.fecha < y.fecha;
                              })->fecha;
        const auto siguiente =
            std::find_if(base.begin(), base.end(), [&](const Sorteo& s) { return s.fecha > ultima; });
        if (cara(30) || siguiente == base.end()) {
          // Somewhere after the record it repeats: the draw counted stays the first stored.
          Sorteo otro = equivocado(ahora[size_t(al(int(ahora.size())))]);
          const int repite = al(int(ahora.size()));
          otro.fecha = ahora[size_t(repite)].fecha;
          repetidas.insert(otro.fecha);
          sorteos.insert(sorteos.begin() + repite + 1 + al(int(sorteos.size()) - repite), otro);
          anota("repetida " + plataforma::fechaDe(otro.fecha).toString().toStdString());
          otroPrograma(sorteos);
        } else {
          sorteos.push_back(equivocado(*siguiente));
          anota("equivocada " + plataforma::fechaDe(sorteos.back().fecha).toString().toStdString());
          if (cara(50))
            orden([&] { importa(sorteos); }, 0, cara(25) ? 1 + al(3) : 0);
          else
            otroPrograma(sorteos);
        }
        break;
      }
      case 4: {  // a draw deleted from the statistics list, most often one with prizes
        if (!libre || p.sorteoslistados.empty()) break;
        if (p.borrasorteos != 1) borraTodo(vbNo, vbNo);
        const auto& filas = p.sorteoslistados;
        const double premiado = base[size_t(GANADORES[al(10)])].fecha;
        const auto elegida = std::find_if(filas.begin(), filas.end(), [&](int r) {
          return r <= int(ahora.size()) && ahora[size_t(r - 1)].fecha == premiado;
        });
        const int fila = elegida != filas.end() && cara(60) ? int(elegida - filas.begin()) + 1 : 1 + al(int(filas.size()));
        plataforma::Respondedor respuestas{vbYes};
        anota("borra fila " + std::to_string(fila));
        orden([&] { p.ListView3_ItemClick(fila); }, 0, cara(25) ? 1 + al(2) : 0);
        break;
      }
      case 5:
        if (cara(70)) borraTodo(cara(60) ? vbYes : vbNo, cara(50) ? vbYes : vbNo);
        break;
      case 6: {  // a check of some draws, of one syndicate, or with "Histórico"
        if (estado().numsorteos <= 1) break;
        const int n = 1 + al(estado().numsorteos - 1);
        anota("comprueba " + std::to_string(n));
        if (cara(30)) {
          p.Combo2->setCurrentIndex(al(p.Combo2->count()));
        } else if (cara(20)) {
          p.Check1->setChecked(!p.Check1->isChecked());
        } else if (cara(50)) {
          orden([&] { p.compruebasencillas(n); }, 1 + al(int(creadas.size())));
        } else {
          p.HScroll1->setValue(std::min(n, p.HScroll1->maximum()));
        }
        break;
      }
      default:  // the program closed, and opened again a few days later or the same day
        if (cara(50)) hoy = std::min(hoy.addDays(1 + al(4)), HOY);
        anota("reinicia " + hoy.toString().toStdString());
        reloj();
        reinicia();
        break;
    }
  }

  void anota(const std::string& que) { hechos += que + "\n"; }
  std::string hechos;
  std::set<double> repetidas;  // the dates another program stored twice
  std::optional<CarpetaPrograma> otra;
  std::mt19937 azar;
  QDate hoy;
  std::vector<Pena> creadas;
  std::vector<Regla> reglas;
};

}  // namespace

// Random sequences of the user's commands (downloads; imports of the whole history, of part of it
// and of an older-layout file; wrong draws and second records of a date written by another program
// or imported; draws deleted; every answer of "Borrar todos los sorteos"; checks of any size, of one
// syndicate or with "Histórico"; the program killed at any write; restarts on later days). After
// each sequence every syndicate holds the rule's count: the prizes of every stored draw from its
// creation up to today on its play days, one record per date; after its counters were kept, those
// counters and the prizes of the draws dated after the date it had counted.
TEST_P(Secuencias, EverySequenceEndsOnTheRulesCount) {
  constexpr int POR_TANDA = 30;
  for (int n = 0; n < POR_TANDA; ++n) {
    const int semilla = GetParam() * POR_TANDA + n;
    SCOPED_TRACE(testing::Message() << "semilla " << semilla);
    azar.seed(unsigned(semilla));
    hechos.clear();
    repetidas.clear();
    otra.reset();
    otra.emplace();
    hoy = dia(44 + al(11)).addDays(al(2));
    creadas = penas();
    reglas.clear();
    for (Pena& pena : creadas) {
      const QDate d = cara(30) ? dia(0).addDays(-1) : dia(GANADORES[al(5)]);
      pena.fechacreacion = plataforma::oleDe(d);
      reglas.push_back(Regla{d});
    }
    reloj();
    escribeSorteos(*otra, hastaHoy(size_t(al(45))));
    escribePenas(*otra, creadas);
    principal().Form_Load();
    for (int k = 0, pasos = 4 + al(9); k < pasos; ++k) paso();
    reloj();
    reinicia();
    const std::vector<Sorteo> ahora = guardados();
    // A download never brings a date the file holds, wherever its newest draw stands.
    std::set<double> fechas;
    for (const Sorteo& s : ahora)
      if (!fechas.insert(s.fecha).second) EXPECT_EQ(repetidas.count(s.fecha), 1u) << hechos;
    const std::vector<Pena> escritas = penasDe(*otra);
    ASSERT_EQ(escritas.size(), creadas.size());
    for (size_t j = 0; j < creadas.size(); ++j) {
      const Regla& r = reglas[j];
      std::array<qint16, 8> cuenta = esperado(creada(j), ahora, hoy, r.guardada ? r.hasta : -1);
      if (r.guardada)
        for (int c = 3; c <= 7; ++c) cuenta[c] = qint16(cuenta[c] + r.aciertos[c]);
      EXPECT_EQ(escritas[j].aciertos, cuenta) << creadas[j].nombre.toStdString() << "\n" << hechos;
      EXPECT_LE(escritas[j].fechacomprobado, plataforma::oleDe(hoy));
    }
    descargaPrincipal();
    procesaDescargas();
  }
}

INSTANTIATE_TEST_SUITE_P(Tandas, Secuencias, ::testing::Range(0, 8));
