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

  sinErrores([&] { ListView1->seleccionaFila(1); });
  muestrapena(1);

  // Effectiveness over the draws that some syndicate played.
  const qint64 D = sorteosjugados;
  const Efectividad ef = efectividad(T, D);
  Label13->setText(QString::number(T));
  Text4->setText(unDecimal(ef.porcentaje) + QStringLiteral("% de efectividad en premios"));
  MSChart2->fijaFila({QStringLiteral(" "), double(ef.sinPremio), double(T)});
  Text5->setText(QStringLiteral("en ") + QString::number(D) + QStringLiteral(" sorteos"));
}
