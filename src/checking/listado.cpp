// The printed check listing: the print icon of the check view starts a print-mode check, which prints
// the simple section and then the multiple section while it fills its lists.
#include "checking/listado.h"

#include <QScrollBar>

#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/impresora.h"
#include "plataforma/msgbox.h"
#include "ui/Principal.h"

namespace listado {

QString lineaSorteo(const Sorteo& s) {
  QString r;
  for (int k = 1; k <= 6; ++k) {
    r += QString::number(s.ganadores[k]);
    if (k < 6) r += QLatin1Char('-');
  }
  return r + QStringLiteral("  C:") + QString::number(s.complementario) + QStringLiteral("  R:") +
         QString::number(s.reintegro);
}

void agregaNumero(QString& linea, const QString& numero, int valor) {
  if (valor < 10) linea += QStringLiteral("  ");
  linea += QStringLiteral("  ") + numero;
}

void titulo(plataforma::Impresora& pr, const QString& texto, double x) {
  pr.FontSize = 22;
  pr.FontBold = true;
  pr.CurrentX = x;
  pr.Print(texto);
  pr.FontBold = false;
}

void cabeceraSorteo(plataforma::Impresora& pr, const Sorteo& s) {
  pr.Print();
  pr.FontSize = 18;
  pr.CurrentX = 20;
  pr.Print(QStringLiteral("Sorteo del ") + plataforma::fechaCorta(plataforma::fechaDe(s.fecha)) +
           QStringLiteral("  ") + lineaSorteo(s));
  pr.FontSize = 8.2;
}

}  // namespace listado

void Principal::Image5_Click() {
  Image5->setPicture(ImageList1, 13);
  plataforma::Impresora& pr = plataforma::Printer();
  modoimpresion = 1;
  errorlistado = false;
  try {
    plataforma::ShowPrinter(this);
    pr.Titulo = QStringLiteral("Listado de comprobación");
    pr.PaintPicture(ImageList1.imagen(12).toImage(), 0, 5);
    pr.CurrentY = 40;
  } catch (const plataforma::Error&) {
    // Cancelled, or no printer: nothing is printed and nothing is said.
    pr.KillDoc();
    modoimpresion = 0;
    return;
  }
  compruebasencillas(HScroll1->value());
}

void Principal::terminalistado() {
  plataforma::Impresora& pr = plataforma::Printer();
  modoimpresion = 0;
  if (impreso == 0) {
    plataforma::MsgBox(QStringLiteral("Listado vacío. No hay datos para imprimir,"), plataforma::vbInformation,
                       QStringLiteral("No hay datos"));
    pr.KillDoc();
    return;
  }
  impreso = 0;
  // A step that failed during the check may have left the listing incomplete: it is not sent.
  if (errorlistado) {
    pr.KillDoc();
  } else {
    plataforma::terminaDocumento();
  }
  errorlistado = false;
}
