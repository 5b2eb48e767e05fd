// The check of the multiple-bet syndicates against the newest draws, in ListView4: one block per
// draw and syndicate, and for a bet with a prize the count of its simple bets in each category.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
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
#include "ui/Principal.h"

using plataforma::archivos;

namespace {

constexpr int NUMEROS = 11;  // number columns of the list, the numbers of the largest bet

}  // namespace

void Principal::compruebamultiples(int N) {
  Estado& e = estado();
  fila = 0;
  ListView4->Clear();
  if (e.numsorteos <= 1) return;

  const int ultimo = e.numsorteos - 1;
  const int primero = e.numsorteos - std::min(N, ultimo);
  const int elegida = Combo2->currentIndex();
  const QString nombreElegido = elegida >= 1 ? Combo2->itemText(elegida) : QString();
  const bool historico = Check1->isChecked();
  const bool soloPremios = Check2->isChecked();
  const QString vacio;

  double masNueva = 0;
  qint64 ultimaLeida = 0;
  bool ultimaCopiada = false;
  plataforma::Impresora& pr = plataforma::Printer();
  const bool imprimir = modoimpresion == 1;
  int sorteoImpreso = 0;
  bool tituloImpreso = false;

  for (int i = ultimo; i >= primero; --i) {
    plataforma::sinErrores([&] { sorteo = leeSorteo(i); });
    const double fecha = sorteo.fecha;
    // A damaged record is listed as it stands, but counted nowhere, and its date moves no syndicate.
    if (sorteoReal(sorteo)) masNueva = std::max(masNueva, fecha);
    const QString dia = diasemana(fecha);
    QString textoFecha;

    for (int j = 1; j <= e.numpenas - 1; ++j) {
      const Pena* leida = nullptr;
      try {
        leida = &leePena(j);
      } catch (const plataforma::Error&) {
        continue;
      }
      ultimaLeida = j;
      ultimaCopiada = false;
      if (archivos().fin(ARCH_APUESTAS)) continue;
      const Pena& p = *leida;
      auto propia = [&]() -> Pena& {
        if (!ultimaCopiada) {
          e.penaactual = p;
          ultimaCopiada = true;
        }
        return e.penaactual;
      };

      if (p.tipo <= 500 || (elegida > 0 && p.nombre != nombreElegido)) continue;
      numpena = j;
      if (cambiovista == 1 && elegida > 0 && !ListView4->Visible()) Command1_Click(1);

      if ((historico || p.fechacreacion <= fecha) && juega(p.dias, dia)) {
        // A kind beyond 506 is shown with the numbers the list has room for, and no breakdown.
        const int n = std::clamp(cuantos(p.tipo), 0, NUMEROS);
        const premios::Resultado r = premios::cuentaAciertos(&p.apuestas[1][1], n, sorteo);
        const int h = r.aciertos;
        concomplementario = r.complementario ? 1 : 0;
        const bool desglose = h > 2 || (h == 2 && p.tipo == 503);
        // Under "Ver sólo si hay premio" a block without a breakdown would be removed whole as
        // soon as it was added: it is not added at all.
        try {
          if (!soloPremios || desglose) {
            if (textoFecha.isEmpty()) textoFecha = premios::lineaFecha(fecha);
            fila += 2;
            ListView4->Add(vacio);
            ListView4->Add(vacio);
            for (int k = 1; k <= NUMEROS; ++k) ListView4->addSubItem(fila, vacio);
            ListView4->addSubItem(fila, premios::lineaPena(p.nombre));
            ListView4->setSubForeColor(fila, NUMEROS + 1, premios::COLOR_CABECERA);
            fila += 1;
            ListView4->Add(vacio);
            for (int k = 1; k <= NUMEROS; ++k) ListView4->addSubItem(fila, vacio);
            ListView4->addSubItem(fila, textoFecha);
            ListView4->setSubForeColor(fila, NUMEROS + 1, premios::COLOR_FECHA);

            fila += 1;
            ListView4->Add(vacio);
            const int filaApuesta = fila;
            QString linea2;
            for (int k = 0; k < n; ++k) {
              ListView4->addSubItem(fila, premios::textoNumero(p.apuestas[1][k + 1]));
              if (imprimir) listado::agregaNumero(linea2, premios::textoNumero(p.apuestas[1][k + 1]), p.apuestas[1][k + 1]);
              if (r.acertados & (1u << k)) ListView4->setSubForeColor(fila, k + 1, premios::COLOR_ACERTADO);
            }
            for (int k = n + 1; k <= NUMEROS; ++k) ListView4->addSubItem(fila, vacio);

            if (desglose) {
              propia();
              premiosmultiple(h);
            } else {
              ListView4->addSubItem(fila, vacio);
              ListView4->addSubItem(fila, vacio);
            }
            // The 5-number bet with two hits keeps its breakdown but not the empty row after it.
            if (soloPremios && h < 3) {
              ListView4->Remove(fila);
              fila -= 1;
            }
            if (imprimir) {
              if (i != sorteoImpreso) {
                if (!tituloImpreso) {
                  // After the simple section the multiple one starts a page of its own.
                  if (impreso == 1) {
                    pr.NewPage();
                    pr.PaintPicture(ImageList1.imagen(12).toImage(), 0, 5);
                    pr.CurrentY = 40;
                  }
                  listado::titulo(pr, QStringLiteral("PEÑAS MÚLTIPLES"), 70);
                  tituloImpreso = true;
                }
                impreso = 1;
                listado::cabeceraSorteo(pr, sorteo);
                sorteoImpreso = i;
              }
              pr.Print();
              pr.CurrentX = 30;
              pr.Print(premios::lineaPena(p.nombre));
              pr.CurrentX = 30;
              for (int r = filaApuesta; r <= fila; ++r) {
                const QString texto = ListView4->subCount(r) > NUMEROS ? ListView4->subText(r, NUMEROS + 1) : QString();
                if (r == filaApuesta) {
                  pr.Print(linea2 + QStringLiteral("  ") + texto);
                } else {
                  pr.CurrentX = 83.3;
                  pr.Print(texto);
                }
                pr.CurrentX = 30;
              }
            }
          }
        } catch (const plataforma::Error&) {
          fila = ListView4->Count();
          if (imprimir) errorlistado = true;
        }
      }

      // Only the last draw of the loop moves the date of the newest draw counted, and only forward.
      if (i == primero && p.fechacomprobado < masNueva) {
        propia().fechacomprobado = masNueva;
        if (!e.sololectura) plataforma::sinErrores([&] { escribePena(j, e.penaactual); });
      }
    }
  }
  if (ultimaLeida != 0 && !ultimaCopiada)
    plataforma::sinErrores([&] { e.penaactual = leePena(ultimaLeida); });

  ListView4->refresca();
  cambiovista = 0;
}

void Principal::premiosmultiple(int h) {
  Pena& p = estado().penaactual;

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
      if (sorteo.fecha > p.fechacomprobado && sorteo.fecha >= p.fechacreacion && sorteoReal(sorteo)) {
        const std::array<int, 8> suma = premios::sumas(*d);
        for (int c = premios::TRES; c <= premios::CINCO_MAS_C; ++c)
          if (suma[c] != 0) premios::sumaAcierto(p.aciertos[c], suma[c]);
      }
    }
    if (p.tipo == 503) nuevafila();
  }

  // Read-only data keeps its counters as they stand (see compruebasencillas).
  if (!estado().sololectura) escribePena(numpena, p);
}

void Principal::nuevafila() {
  fila += 1;
  ListView4->Add(QString());
  for (int k = 1; k <= NUMEROS; ++k) ListView4->addSubItem(fila, QString());
}
