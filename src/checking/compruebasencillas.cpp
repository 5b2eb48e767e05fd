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

#include "checking/listado.h"
#include "checking/premios.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "ui/Principal.h"

using plataforma::archivos;

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

}  // namespace

void Principal::compruebasencillas(int N) {
  Estado& e = estado();
  ProgressBar2->setMaximum(std::max(N, 1));
  fila = 0;
  ListView2->Clear();

  if (e.numsorteos <= 1) {
    // No draws: a print run tells the user the listing is empty.
    if (modoimpresion == 1) {
      modoimpresion = 0;
      plataforma::MsgBox(QStringLiteral("Listado vacío. No hay datos para imprimir,"),
                         plataforma::vbInformation, QStringLiteral("No hay datos"));
      plataforma::Printer().KillDoc();
    }
    return;
  }

  // Never more draws than are stored: a record before the first would be checked in place of a draw.
  const int ultimo = e.numsorteos - 1;
  const int primero = e.numsorteos - std::min(N, ultimo);
  const int elegida = Combo2->currentIndex();
  const QString nombreElegido = elegida >= 1 ? Combo2->itemText(elegida) : QString();
  const bool historico = Check1->isChecked();
  const bool soloPremios = Check2->isChecked();
  const QString vacio;
  std::array<QString, 8> mensajes;
  for (int c = premios::TRES; c <= premios::CINCO_MAS_C; ++c) mensajes[c] = premios::mensajeSencilla(c);

  Avance avance(ProgressBar2);
  double masNueva = 0;  // the date of the newest draw of the run
  bool hayMultiples = false;
  qint64 ultimaLeida = 0;
  bool ultimaCopiada = false;  // penaactual already holds that record
  std::array<premios::Resultado, Pena::MAX_APUESTAS + 1> resultados;
  // Print mode: the first printed bet opens a group, and the title stands once at the top.
  plataforma::Impresora& pr = plataforma::Printer();
  const bool imprimir = modoimpresion == 1;
  int sorteoImpreso = 0;
  int penaImpresa = 0;
  bool tituloImpreso = false;

  for (int i = ultimo; i >= primero; --i) {
    avance.paso();
    // A draw that cannot be read leaves the previous one in place, as the program always did.
    plataforma::sinErrores([&] { sorteo = leeSorteo(i); });
    const double fecha = sorteo.fecha;
    // A damaged record is listed as it stands, but counted nowhere, and its date moves no syndicate.
    const bool real = sorteoReal(sorteo);
    if (real) masNueva = std::max(masNueva, fecha);
    const QString dia = diasemana(fecha);
    QString textoFecha;

    for (int j = 1; j <= e.numpenas - 1; ++j) {
      const Pena* leida = nullptr;
      try {
        leida = &leePena(j);
      } catch (const plataforma::Error&) {
        continue;  // the file is not open: nothing to check, nothing to write
      }
      ultimaLeida = j;
      ultimaCopiada = false;
      // A record past the end of the file is no syndicate; writing its date back would add one.
      if (archivos().fin(ARCH_APUESTAS)) continue;
      const Pena& p = *leida;
      // The record is copied into penaactual only when it is to change.
      auto propia = [&]() -> Pena& {
        if (!ultimaCopiada) {
          e.penaactual = p;
          ultimaCopiada = true;
        }
        return e.penaactual;
      };

      if (p.tipo > 500) {
        hayMultiples = true;
        continue;
      }
      if (elegida >= 1 && p.nombre != nombreElegido) continue;
      if (cambiovista == 1 && !ListView2->Visible() && elegida >= 1) Command1_Click(0);

      bool escribir = false;
      if ((historico || p.fechacreacion <= fecha) && juega(p.dias, dia)) {
        // A type between 206 and 500 would reach past the 205 bets a record holds.
        const int apuestas = std::clamp<int>(p.tipo, 0, Pena::MAX_APUESTAS);
        bool premio = false;
        for (int b = 1; b <= apuestas; ++b) {
          resultados[b] = premios::cuentaAciertos(&p.apuestas[b][1], 6, sorteo);
          if (resultados[b].aciertos > 2) premio = true;
        }

        // "Ver sólo si hay premio" keeps a block only when it has a prize, and then only its prize
        // rows; rows it would take away are never added. A syndicate without bets has no prize.
        try {
          if (!soloPremios || premio) {
            if (textoFecha.isEmpty()) textoFecha = premios::lineaFecha(fecha);
            fila += 2;
            ListView2->Add(vacio);
            ListView2->Add(vacio);
            for (int k = 1; k <= 6; ++k) ListView2->addSubItem(fila, vacio);
            ListView2->addSubItem(fila, premios::lineaPena(p.nombre));
            ListView2->setSubForeColor(fila, 7, premios::COLOR_CABECERA);
            // modoimpresion = 1: the printed listing takes this header as its syndicate line.
            fila += 1;
            ListView2->Add(vacio);
            for (int k = 1; k <= 6; ++k) ListView2->addSubItem(fila, vacio);
            ListView2->addSubItem(fila, textoFecha);
            ListView2->setSubForeColor(fila, 7, premios::COLOR_FECHA);

            for (int b = 1; b <= apuestas; ++b) {
              const premios::Resultado& r = resultados[b];
              if (soloPremios && r.aciertos < 3) continue;
              fila += 1;
              ListView2->Add(vacio);
              for (int k = 0; k < 6; ++k) {
                ListView2->addSubItem(fila, premios::textoNumero(p.apuestas[b][k + 1]));
                if (r.acertados & (1u << k)) ListView2->setSubForeColor(fila, k + 1, premios::COLOR_ACERTADO);
              }
              const int categoria = premios::categoriaSencilla(r.aciertos, r.complementario);
              if (categoria != premios::SIN_PREMIO) {
                ListView2->addSubItem(fila, mensajes[categoria]);
                ListView2->setSubForeColor(fila, 7, premios::colorCategoria(categoria));
              }
              if (imprimir) {
                if (j != penaImpresa || i != sorteoImpreso) {
                  if (i != sorteoImpreso) {
                    impreso = 1;
                    if (!tituloImpreso) {
                      listado::titulo(pr, QStringLiteral("PEÑAS SENCILLAS / REDUCIDAS"), 50);
                      tituloImpreso = true;
                    }
                    listado::cabeceraSorteo(pr, sorteo);
                    sorteoImpreso = i;
                  }
                  pr.Print();
                  pr.CurrentX = 30;
                  pr.Print(premios::lineaPena(p.nombre));
                  penaImpresa = j;
                }
                QString linea;
                for (int k = 1; k <= 6; ++k) {
                  const int x = p.apuestas[b][k];
                  listado::agregaNumero(linea, premios::textoNumero(x), x);
                }
                if (categoria != premios::SIN_PREMIO) linea += QStringLiteral("  ") + mensajes[categoria];
                pr.CurrentX = 30;
                pr.Print(linea);
              }
            }
          }
        } catch (const plataforma::Error&) {
          fila = ListView2->Count();
          if (imprimir) errorlistado = true;
        }

        if (premio && real) {
          // Counted only for a draw later than the last one counted and not before the creation.
          if (p.fechacomprobado < fecha && p.fechacreacion <= fecha) {
            Pena& cuenta = propia();
            for (int b = 1; b <= apuestas; ++b) {
              const int categoria = premios::categoriaSencilla(resultados[b].aciertos, resultados[b].complementario);
              if (categoria != premios::SIN_PREMIO) premios::sumaAcierto(cuenta.aciertos[categoria], 1);
            }
          }
          if (!Timer3->isActive() && !Label59->text().isEmpty()) {
            avisopremio = 1;
            Timer3->start();
          }
          escribir = true;
        }
      }

      // The draws of a run are counted against the date they found; only the last draw of the
      // loop moves it, to the newest draw. It never moves back: after an older file was imported,
      // or the newest draw deleted, the draws that come back were counted already.
      if (i == primero && p.fechacomprobado < masNueva) {
        propia().fechacomprobado = masNueva;
        escribir = true;
      }
      // On read-only data nothing is counted into the file: the counters stay as they stand and
      // these draws are counted once the data can be written again.
      if (escribir && !e.sololectura) plataforma::sinErrores([&] { escribePena(j, propia()); });
    }
  }
  // penaactual ends as the record read last, as after reading every record into it.
  if (ultimaLeida != 0 && !ultimaCopiada)
    plataforma::sinErrores([&] { e.penaactual = leePena(ultimaLeida); });

  if (hayMultiples) compruebamultiples(N);
  // The printed listing ends here: sent, or dropped when nothing was printed.
  if (modoimpresion == 1) terminalistado();
  cambiovista = 0;
  ProgressBar2->setValue(0);
  ListView2->refresca();
}
