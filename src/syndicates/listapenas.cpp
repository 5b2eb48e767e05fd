// The syndicate list of the tab "Gestor de peñas", the syndicate chooser of the check view and the
// effectiveness of all syndicates together: everything that follows the set of stored syndicates.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "syndicates/efectividad.h"
#include "syndicates/grafico.h"
#include "ui/Principal.h"

using plataforma::archivos;
using plataforma::sinErrores;

namespace {

const char* const TODAS = "TODAS LAS PEÑAS";

// Whether the last read of the syndicates file reached its end. A file that cannot be asked
// counts as ended, so that a closed file shows an empty list instead of a list that never ends.
bool alFinal() {
  bool fin = true;
  sinErrores([&] { fin = archivos().fin(ARCH_APUESTAS); });
  return fin;
}

// The prize total T of all syndicates against the draws that some syndicate played.
void muestraEfectividad(Principal& v, qint64 T) {
  const qint64 D = v.sorteosjugados;
  const Efectividad ef = efectividad(T, D);
  v.Label13->setText(QString::number(T));
  v.Text4->setText(unDecimal(ef.porcentaje) + QStringLiteral("% de efectividad en premios"));
  v.MSChart2->fijaFila({QStringLiteral(" "), double(ef.sinPremio), double(T)});
  v.Text5->setText(QStringLiteral("en ") + QString::number(D) + QStringLiteral(" sorteos"));
}

}  // namespace

// Every step goes on whatever the one before it failed: a list half filled is better than none.
void Principal::listapenas() {
  Estado& e = estado();
  sinErrores([&] { ListView1->Clear(); });
  e.numpenas = 0;
  sinErrores([&] { e.penaactual = leePena(1); });
  // Refilling the chooser is no choice of the user's: no check runs for it.
  Combo2->blockSignals(true);
  Combo2->clear();
  Combo2->setPlaceholderText(QString::fromUtf8(TODAS));

  if (alFinal()) {
    Combo2->addItem(QString::fromUtf8("No hay Peñas creadas"));
    Combo2->setCurrentIndex(-1);
    Combo2->blockSignals(false);
    ListView1->Add(QString::fromUtf8("VACÍO"));
    Image2[1]->setEnabled(false);
    Image2[1]->setPicture(ImageList1, 5);
    Label9[2]->setText(QStringLiteral("0"));
    Command3->setEnabled(false);
    Command2->setEnabled(false);
    Command7->setEnabled(false);
    ListView5->Clear();
    for (QLabel* l : Label3) l->setText(QStringLiteral("0"));
    Text4->setText(QString::fromUtf8("¡Nunca has acertado nada!"));
    Label13->setText(QStringLiteral("0"));
    Text5->setText(QString());
    MSChart2->fijaFila({QStringLiteral(" "), 1.0, QVariant()});
    muestrapena(1);
    return;
  }

  Image2[1]->setEnabled(true);
  Image2[1]->setPicture(ImageList1, 4);
  Command3->setEnabled(true);
  Command2->setEnabled(true);
  Command7->setEnabled(true);
  Combo2->addItem(QString::fromUtf8(TODAS));

  qint64 T = 0;
  while (true) {
    ++e.numpenas;
    sinErrores([&] { e.penaactual = leePena(e.numpenas); });
    if (alFinal()) {
      Label9[2]->setText(QString::number(e.numpenas - 1));
      break;
    }
    const Pena& p = e.penaactual;
    Combo2->addItem(p.nombre);
    const int fila = ListView1->Add(p.nombre);
    ListView1->addSubItem(fila, QString::number(apuestasDe(p.tipo)));
    ListView1->addSubItem(fila, plataforma::fechaCorta(plataforma::fechaDe(p.fechacreacion)));
    ListView1->addSubItem(fila, p.dias);
    T += sumaAciertos(p);
    Label9[2]->setText(QString::number(e.numpenas - 1));
  }
  Combo2->setCurrentIndex(-1);
  Combo2->blockSignals(false);

  // The details show the syndicate the commands act on: the one the user chose, while a record
  // still holds it, otherwise the first.
  const int elegida = e.penaelegida >= 1 && e.penaelegida < e.numpenas ? e.penaelegida : 1;
  sinErrores([&] { ListView1->seleccionaFila(elegida); });
  muestrapena(elegida);
  muestraEfectividad(*this, T);
}

void Principal::refrescaaciertos() {
  // An empty list has no counters to show; a check finds no syndicate to count into either.
  if (ListView1->Text(1) == QString::fromUtf8("VACÍO")) return;
  qint64 T = 0;
  bool difiere = false;
  for (qint64 j = 1;; ++j) {
    Pena p;
    sinErrores([&] { p = leePena(j); });
    if (alFinal()) break;
    T += sumaAciertos(p);
    if (j == penamostrada)
      for (int k = 0; k < 5; ++k) difiere = difiere || Label3[k]->text() != QString::number(p.aciertos[k + 3]);
  }
  muestraEfectividad(*this, T);
  // The details are read again, with their fact sheet, only when the counters shown are not the
  // file's: the user's chosen syndicate stays the one shown.
  if (difiere) muestrapena(penamostrada);
}
