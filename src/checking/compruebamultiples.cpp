// The check of the multiple-bet syndicates against the newest draws, in ListView4: one block per
// draw and syndicate, and for a bet with a prize the count of its simple bets in each category.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "checking/filas.h"
#include "checking/listado.h"
#include "checking/premios.h"
#include "checking/recorrido.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/listview.h"
#include "ui/Principal.h"

using comprobacion::Jugada;

namespace {

constexpr int NUMEROS = 11;  // number columns of the list, the numbers of the largest bet

// One run of the check over the multiple-bet syndicates: for each one that plays a draw, the hits
// of its bet, its block in ListView4 with the breakdown of premiosmultiple, and its lines in the
// printed listing.
class Multiples {
 public:
  explicit Multiples(Principal& v) : v_(v), soloPremios_(v.Check2->isChecked()), imprimir_(v.modoimpresion == 1) {}
  void juega(Jugada& jugada);

 private:
  void bloque(Jugada& jugada, const premios::Resultado& r, int n);
  void filaApuesta(const Pena& p, const premios::Resultado& r, int n);
  void imprimeBloque(const Jugada& jugada);
  void tituloSeccion(plataforma::Impresora& pr);

  Principal& v_;
  const bool soloPremios_;  // "Ver sólo si hay premio"
  const bool imprimir_;
  int filaApuesta_ = 0;  // the row of the current bet
  QString lineaApuesta_;  // its numbers as printed
  int sorteoImpreso_ = 0;
  bool tituloImpreso_ = false;
};

void Multiples::juega(Jugada& jugada) {
  const Pena& p = jugada.p;
  // A kind beyond 506 is shown with the numbers the list has room for, and no breakdown.
  const int n = std::clamp(cuantos(p.tipo), 0, NUMEROS);
  const premios::Resultado r = premios::cuentaAciertos(&p.apuestas[1][1], n, jugada.sorteo());
  v_.concomplementario = r.complementario ? 1 : 0;
  const bool desglose = r.aciertos > 2 || (r.aciertos == 2 && p.tipo == 503);
  // Under "Ver sólo si hay premio" a block without a breakdown would be removed whole as soon as it
  // was added: it is not added at all.
  try {
    if (!soloPremios_ || desglose) bloque(jugada, r, n);
  } catch (const plataforma::Error&) {
    v_.fila = v_.ListView4->Count();
    if (imprimir_) v_.errorlistado = true;
  }
}

// Spacer, header and date rows, the bet's row and its breakdown, then the block printed.
void Multiples::bloque(Jugada& jugada, const premios::Resultado& r, int n) {
  plataforma::ListView& lista = *v_.ListView4;
  const int h = r.aciertos;
  comprobacion::cabeceraBloque(lista, v_.fila, NUMEROS, jugada.p.nombre, jugada.lineaFecha());
  filaApuesta(jugada.p, r, n);
  if (h > 2 || (h == 2 && jugada.p.tipo == 503)) {
    // The breakdown reads the syndicate from penaactual.
    jugada.propia();
    v_.premiosmultiple(h);
  } else {
    lista.addSubItem(v_.fila, QString());
    lista.addSubItem(v_.fila, QString());
  }
  // The 5-number bet with two hits keeps its breakdown but not the empty row after it.
  if (soloPremios_ && h < 3) {
    lista.Remove(v_.fila);
    v_.fila -= 1;
  }
  if (imprimir_) imprimeBloque(jugada);
}

// The bet's numbers, the winning ones in red, in the first of the eleven number columns.
void Multiples::filaApuesta(const Pena& p, const premios::Resultado& r, int n) {
  plataforma::ListView& lista = *v_.ListView4;
  int& fila = v_.fila;
  fila += 1;
  lista.Add(QString());
  filaApuesta_ = fila;
  lineaApuesta_.clear();
  for (int k = 0; k < n; ++k) {
    const int x = p.apuestas[1][k + 1];
    lista.addSubItem(fila, premios::textoNumero(x));
    if (imprimir_) listado::agregaNumero(lineaApuesta_, premios::textoNumero(x), x);
    if (r.acertados & (1u << k)) lista.setSubForeColor(fila, k + 1, premios::COLOR_ACERTADO);
  }
  for (int k = n + 1; k <= NUMEROS; ++k) lista.addSubItem(fila, QString());
}

// The draw's heading when it changes, the syndicate's line, the bet's line with the first prize
// line, and the further prize lines under the first.
void Multiples::imprimeBloque(const Jugada& jugada) {
  plataforma::Impresora& pr = plataforma::Printer();
  plataforma::ListView& lista = *v_.ListView4;
  if (jugada.numsorteo != sorteoImpreso_) {
    tituloSeccion(pr);
    v_.impreso = 1;
    listado::cabeceraSorteo(pr, jugada.sorteo());
    sorteoImpreso_ = jugada.numsorteo;
  }
  pr.Print();
  pr.CurrentX = 30;
  pr.Print(premios::lineaPena(jugada.p.nombre));
  pr.CurrentX = 30;
  for (int r = filaApuesta_; r <= v_.fila; ++r) {
    const QString texto = lista.subCount(r) > NUMEROS ? lista.subText(r, NUMEROS + 1) : QString();
    if (r == filaApuesta_) {
      pr.Print(lineaApuesta_ + QStringLiteral("  ") + texto);
    } else {
      pr.CurrentX = 83.3;
      pr.Print(texto);
    }
    pr.CurrentX = 30;
  }
}

// "PEÑAS MÚLTIPLES" once; after the simple section the multiple one starts a page of its own.
void Multiples::tituloSeccion(plataforma::Impresora& pr) {
  if (tituloImpreso_) return;
  if (v_.impreso == 1) {
    pr.NewPage();
    pr.PaintPicture(v_.ImageList1.imagen(12).toImage(), 0, 5);
    pr.CurrentY = 40;
  }
  listado::titulo(pr, QStringLiteral("PEÑAS MÚLTIPLES"), 70);
  tituloImpreso_ = true;
}

}  // namespace

void Principal::compruebamultiples(int N) {
  fila = 0;
  ListView4->Clear();
  if (estado().numsorteos <= 1) return;

  // The draws newest first, and in each the multiple syndicates the view chooses, in record order.
  const int elegida = Combo2->currentIndex();
  comprobacion::Eleccion eleccion;
  eleccion.multiples = true;
  eleccion.una = elegida > 0;
  if (eleccion.una) eleccion.nombre = Combo2->itemText(elegida);
  eleccion.historico = Check1->isChecked();
  Multiples multiples(*this);
  comprobacion::Pasos pasos;
  pasos.elegida = [&](qint64 j) {
    numpena = int(j);
    if (cambiovista == 1 && elegida > 0 && !ListView4->Visible()) Command1_Click(1);
  };
  pasos.juega = [&](Jugada& jugada) { multiples.juega(jugada); };
  comprobacion::Recorrido(sorteo, eleccion).recorre(N, pasos);

  ListView4->refresca();
  cambiovista = 0;
}

void Principal::premiosmultiple(int h) {
  const Pena& p = estado().penaactual;

  // A prize in the draws a download brought makes the buttons blink.
  if (!Label59->text().isEmpty()) {
    if (avisopremio == 0) {
      Timer3->start();
      avisopremio = 2;
    } else if (avisopremio == 1 || avisopremio == 3) {
      avisopremio = 3;
    } else {
      avisopremio = 2;
    }
  }

  if (p.tipo >= 501 && p.tipo <= 506) {
    if (const premios::Desglose* d = premios::desglose(p.tipo, h, concomplementario)) {
      for (int k = 0; k < d->lineas; ++k) {
        if (k > 0) nuevafila();
        const int sub = ListView4->addSubItem(fila, premios::textoLinea(d->linea[k]));
        ListView4->setSubForeColor(fila, sub, premios::colorCategoria(d->linea[k].categoria));
      }
    }
    if (p.tipo == 503) nuevafila();
  }
}

void Principal::nuevafila() {
  fila += 1;
  ListView4->Add(QString());
  for (int k = 1; k <= NUMEROS; ++k) ListView4->addSubItem(fila, QString());
}
