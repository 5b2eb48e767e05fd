// The check of the simple and reduced syndicates against the newest draws: one block of rows per
// draw and syndicate in ListView2, the prizes counted once per draw into the syndicate's counters,
// and the prize alert after a download.
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>

#include "checking/filas.h"
#include "checking/listado.h"
#include "checking/premios.h"
#include "checking/recorrido.h"
#include "data/estado.h"
#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "ui/Principal.h"

using comprobacion::Jugada;

namespace {

// Steps the bar once per draw but draws it only now and then: over thousands of draws, drawing it
// every time would cost more than the check.
class Avance {
 public:
  explicit Avance(QProgressBar* barra) : barra_(barra) { reloj_.start(); }
  void paso() {
    barra_->setValue(barra_->value() + 1);
    if (reloj_.elapsed() >= 40) {
      barra_->repaint();
      reloj_.restart();
    }
  }

 private:
  QProgressBar* barra_;
  QElapsedTimer reloj_;
};

// One run of the check over the simple and reduced syndicates: for each one that plays a draw,
// the hits of its bets, their block in ListView2, its lines in the printed listing and its count.
class Sencillas {
 public:
  explicit Sencillas(Principal& v) : v_(v), soloPremios_(v.Check2->isChecked()), imprimir_(v.modoimpresion == 1) {
    for (int c = premios::TRES; c <= premios::CINCO_MAS_C; ++c) mensajes_[c] = premios::mensajeSencilla(c);
  }
  void juega(Jugada& jugada);

 private:
  bool aciertos(const Jugada& jugada);
  void bloque(const Jugada& jugada);
  int filaApuesta(const Pena& p, int b);
  void imprimeApuesta(const Jugada& jugada, int b, int categoria);
  void avisa();
  int categoria(int b) const { return premios::categoriaSencilla(resultados_[b].aciertos, resultados_[b].complementario); }

  Principal& v_;
  const bool soloPremios_;  // "Ver sólo si hay premio"
  const bool imprimir_;
  std::array<QString, 8> mensajes_;
  int apuestas_ = 0;  // bets of the current syndicate
  std::array<premios::Resultado, Pena::MAX_APUESTAS + 1> resultados_;
  // The printed listing: the first printed bet opens a group, and the title stands once at the top.
  int sorteoImpreso_ = 0;
  qint64 penaImpresa_ = 0;
  bool tituloImpreso_ = false;
};

void Sencillas::juega(Jugada& jugada) {
  const bool premio = aciertos(jugada);
  // "Ver sólo si hay premio" keeps a block only when it has a prize, and then only its prize rows;
  // rows it would take away are never added. A syndicate without bets has no prize.
  try {
    if (!soloPremios_ || premio) bloque(jugada);
  } catch (const plataforma::Error&) {
    v_.fila = v_.ListView2->Count();
    if (imprimir_) v_.errorlistado = true;
  }
  if (premio && jugada.real()) avisa();
}

// The hits of every bet; true when one of them has a prize.
bool Sencillas::aciertos(const Jugada& jugada) {
  const Pena& p = jugada.p;
  // A type between 206 and 500 would reach past the 205 bets a record holds.
  apuestas_ = std::clamp<int>(p.tipo, 0, Pena::MAX_APUESTAS);
  bool premio = false;
  for (int b = 1; b <= apuestas_; ++b) {
    resultados_[b] = premios::cuentaAciertos(&p.apuestas[b][1], 6, jugada.sorteo());
    if (resultados_[b].aciertos > 2) premio = true;
  }
  return premio;
}

// Spacer, header and date rows, then a row per bet shown, each printed in print mode.
void Sencillas::bloque(const Jugada& jugada) {
  comprobacion::cabeceraBloque(*v_.ListView2, v_.fila, 6, jugada.p.nombre, jugada.lineaFecha());
  for (int b = 1; b <= apuestas_; ++b) {
    if (soloPremios_ && resultados_[b].aciertos < 3) continue;
    const int c = filaApuesta(jugada.p, b);
    if (imprimir_) imprimeApuesta(jugada, b, c);
  }
}

// The six numbers, the winning ones in red, and the prize message; the bet's category.
int Sencillas::filaApuesta(const Pena& p, int b) {
  plataforma::ListView& lista = *v_.ListView2;
  const premios::Resultado& r = resultados_[b];
  int& fila = v_.fila;
  fila += 1;
  lista.Add(QString());
  for (int k = 0; k < 6; ++k) {
    lista.addSubItem(fila, premios::textoNumero(p.apuestas[b][k + 1]));
    if (r.acertados & (1u << k)) lista.setSubForeColor(fila, k + 1, premios::COLOR_ACERTADO);
  }
  const int c = categoria(b);
  if (c != premios::SIN_PREMIO) {
    lista.addSubItem(fila, mensajes_[c]);
    lista.setSubForeColor(fila, 7, premios::colorCategoria(c));
  }
  return c;
}

// The bet's line of the listing, after the draw's heading and the syndicate's line when it opens
// a group.
void Sencillas::imprimeApuesta(const Jugada& jugada, int b, int categoria) {
  plataforma::Impresora& pr = plataforma::Printer();
  const Pena& p = jugada.p;
  if (jugada.numpena != penaImpresa_ || jugada.numsorteo != sorteoImpreso_) {
    if (jugada.numsorteo != sorteoImpreso_) {
      v_.impreso = 1;
      if (!tituloImpreso_) {
        listado::titulo(pr, QStringLiteral("PEÑAS SENCILLAS / REDUCIDAS"), 50);
        tituloImpreso_ = true;
      }
      listado::cabeceraSorteo(pr, jugada.sorteo());
      sorteoImpreso_ = jugada.numsorteo;
    }
    pr.Print();
    pr.CurrentX = 30;
    pr.Print(premios::lineaPena(p.nombre));
    penaImpresa_ = jugada.numpena;
  }
  QString linea;
  for (int k = 1; k <= 6; ++k) {
    const int x = p.apuestas[b][k];
    listado::agregaNumero(linea, premios::textoNumero(x), x);
  }
  if (categoria != premios::SIN_PREMIO) linea += QStringLiteral("  ") + mensajes_[categoria];
  pr.CurrentX = 30;
  pr.Print(linea);
}

// A prize in the draws a download brought starts the alert; the counters are the walk's (see
// cuentas::pendientes).
void Sencillas::avisa() {
  if (!v_.Timer3->isActive() && !v_.Label59->text().isEmpty()) {
    v_.avisopremio = 1;
    v_.Timer3->start();
  }
}

}  // namespace

void Principal::compruebasencillas(int N) {
  ProgressBar2->setMaximum(std::max(N, 1));
  fila = 0;
  ListView2->Clear();
  multiplescomprobadas = false;

  if (estado().numsorteos <= 1) {
    // No draws: a print run tells the user the listing is empty.
    if (modoimpresion == 1) {
      modoimpresion = 0;
      plataforma::MsgBox(QStringLiteral("Listado vacío. No hay datos para imprimir,"),
                         plataforma::vbInformation, QStringLiteral("No hay datos"));
      plataforma::Printer().KillDoc();
    }
    return;
  }

  // The draws newest first, and in each the syndicates the view chooses, in record order.
  const int elegida = Combo2->currentIndex();
  comprobacion::Eleccion eleccion;
  eleccion.una = elegida >= 1;
  if (eleccion.una) eleccion.nombre = Combo2->itemText(elegida);
  eleccion.historico = Check1->isChecked();
  Avance avance(ProgressBar2);
  Sencillas sencillas(*this);
  bool hayMultiples = false;
  comprobacion::Pasos pasos;
  pasos.nuevoSorteo = [&] { avance.paso(); };
  pasos.otraClase = [&] { hayMultiples = true; };
  pasos.elegida = [&](qint64) {
    if (cambiovista == 1 && !ListView2->Visible() && elegida >= 1) Command1_Click(0);
  };
  pasos.juega = [&](Jugada& jugada) { sencillas.juega(jugada); };
  comprobacion::Recorrido(sorteo, eleccion).recorre(N, pasos);

  multiplescomprobadas = hayMultiples;
  if (hayMultiples) compruebamultiples(N);
  // The printed listing ends here: sent, or dropped when nothing was printed.
  if (modoimpresion == 1) terminalistado();
  cambiovista = 0;
  ProgressBar2->setValue(0);
  ListView2->refresca();
}
