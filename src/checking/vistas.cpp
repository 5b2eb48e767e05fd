// The check view's two lists, their filters, and the prize alert that blinks on the list buttons.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include "plataforma/listview.h"
#include "plataforma/twips.h"
#include "ui/Principal.h"

using plataforma::COLOR_BOTON;

namespace {

const char* const SENCILLA = "S E N C I L L A";
const char* const MULTIPLE = "M Ú L T I P L E";
const char* const PREMIO = "P R E M I O";
constexpr quint32 ROJO = 0xFF;

}  // namespace

void Principal::refrescavistas() {
  compruebasencillas(HScroll1->value());
  // The check may have counted prizes into the syndicates, and the statistics follow the period
  // their boxes show.
  refrescaaciertos();
  cuentaperiodo();
}

void Principal::Check1_Click() {
  Check1->repaint();
  Label59->clear();
  refrescavistas();
}

void Principal::Check2_Click() {
  Check2->repaint();
  refrescavistas();
}

void Principal::Combo2_Click() {
  Combo2->repaint();
  cambiovista = 1;
  compruebasencillas(HScroll1->value());
  refrescaaciertos();
}

void Principal::Command1_Click(int Index) {
  paraparpadeo();
  plataforma::ListView* mostrar = Index == 1 ? ListView4 : ListView2;
  plataforma::ListView* ocultar = Index == 1 ? ListView2 : ListView4;
  if (mostrar->Visible()) return;
  mostrar->fijaVisible(true);
  ocultar->fijaVisible(false);
  // The list slides in from nothing, 100 twips a step.
  const int limite = Index == 1 ? 8895 : 7695;
  for (int ancho = 1; ancho <= limite; ancho += 100) {
    mostrar->fijaAncho(ancho);
    if (mostrar->isVisible()) mostrar->repaint();
  }
  ProgressBar2->resize(plataforma::px(mostrar->Width()), ProgressBar2->height());
  Shape2->resize(plataforma::px(Index == 1 ? 8800 : 7600), Shape2->height());
}

void Principal::paraparpadeo() {
  if (!Timer3->isActive()) return;
  Timer3->stop();
  Label59->clear();
  Command1[0]->setBackColor(COLOR_BOTON);
  Command1[1]->setBackColor(COLOR_BOTON);
  Command1[0]->setText(QString::fromUtf8(SENCILLA));
  Command1[1]->setText(QString::fromUtf8(MULTIPLE));
}

void Principal::Timer3_Timer() {
  if (avisopremio == 3) {
    const bool rojo = Command1[0]->BackColor() == ROJO;
    for (int k = 0; k < 2; ++k) {
      Command1[k]->setBackColor(rojo ? COLOR_BOTON : ROJO);
      Command1[k]->setText(QString::fromUtf8(rojo ? (k == 0 ? SENCILLA : MULTIPLE) : PREMIO));
    }
    return;
  }
  const int k = avisopremio - 1;
  if (k < 0 || k > 1) return;
  if (Command1[k]->BackColor() == ROJO) {
    Command1[k]->setBackColor(COLOR_BOTON);
    Command1[k]->setText(QString::fromUtf8(avisopremio == 1 ? SENCILLA : MULTIPLE));
  } else {
    Command1[k]->setBackColor(ROJO);
    Command1[k]->setText(QString::fromUtf8(PREMIO));
  }
}

void Principal::ListView2_MouseMove() {
  if (Image5->Picture() == 14) Image5->setPicture(ImageList1, 13);
}

void Principal::ListView4_MouseMove() { ListView2_MouseMove(); }

namespace {

// A menu entry of the results: the list to show, then the two filters in this order, each change
// redrawing the view.
void entradaResultados(Principal& p, int lista, int soloPremios, int historico) {
  p.SSTab1->setCurrentIndex(0);
  p.Command1_Click(lista);
  if (soloPremios >= 0) p.Check2->setChecked(soloPremios == 1);
  if (historico >= 0) p.Check1->setChecked(historico == 1);
}

}  // namespace

void Principal::sencillas_Click() { entradaResultados(*this, 0, -1, -1); }
void Principal::verpremio_Click() { entradaResultados(*this, 0, 1, 0); }
void Principal::verhisto_Click() { entradaResultados(*this, 0, 0, 1); }
void Principal::verprehi_Click() { entradaResultados(*this, 0, 1, 1); }
void Principal::Multiples_Click() { entradaResultados(*this, 1, -1, -1); }
void Principal::verpremiom_Click() { entradaResultados(*this, 1, 1, 0); }
void Principal::verhistom_Click() { entradaResultados(*this, 1, 0, 1); }
void Principal::verpreim_Click() { entradaResultados(*this, 1, 1, 1); }
void Principal::ultimo_Click() { SSTab1->setCurrentIndex(1); }
