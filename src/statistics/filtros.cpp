// The statistics filters: the weekday and period boxes and the months slider, twice over (the tab
// "Estadísticas" and the generator's first step), always showing the same choice.
#include <QCheckBox>
#include <QGroupBox>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>

#include "data/avisobloqueo.h"
#include "plataforma/fechas.h"
#include "statistics/estadisticas.h"
#include "ui/Principal.h"

namespace {

double ahora() { return plataforma::oleDe(plataforma::ahora()); }

}  // namespace

void Principal::Slider1_Change(int Index) {
  TareaBD tarea;
  const int m = Slider1[Index]->value();
  Check3[6]->setText(rotuloMeses(m));
  Check3[8]->setText(rotuloMeses(m));
  // The count is the period the boxes show: with "Todos" ticked a slider moved by the program
  // changes the months on offer, not the draws counted.
  estadisticas(Check3[5]->isChecked() ? 0 : corteMeses(ahora(), m));
  // The other slider's own change event counts once more with the same months and writes back
  // the value this one already holds.
  Slider1[Index == 0 ? 1 : 0]->setValue(m);
  resumensorteos();
}

void Principal::Check3_Click(int Index) {
  if (cambiandofiltros != 0) return;
  cambiandofiltros = 1;
  TareaBD tarea;
  // Every write below raises its box's own click, which stops at the guard above.

  // "Comparativa" charts the three weekdays side by side, so all three are counted while it is on.
  const bool comparativa = Check3[2]->isChecked();
  for (int k : {9, 0, 1}) {
    if (comparativa) Check3[k]->setChecked(true);
    Check3[k]->setEnabled(!comparativa);
  }
  Frame5->setVisible(comparativa);

  auto copia = [this](int destino, int origen) { Check3[destino]->setChecked(Check3[origen]->isChecked()); };
  // "Todos" and the months box are one choice shown as two boxes, in both groups.
  auto periodo = [&](int origen, int gemelo, int otro1, int otro2) {
    copia(gemelo, origen);
    const bool marcado = Check3[origen]->isChecked();
    Check3[otro1]->setChecked(!marcado);
    Check3[otro2]->setChecked(!marcado);
  };
  switch (Index) {
    case 0: copia(3, 0); break;
    case 1: copia(4, 1); break;
    case 3: copia(0, 3); break;
    case 4: copia(1, 4); break;
    case 9: copia(10, 9); break;
    case 10: copia(9, 10); break;
    case 5: periodo(5, 7, 6, 8); break;
    case 6: periodo(6, 8, 5, 7); break;
    case 7: periodo(7, 5, 8, 6); break;
    case 8: periodo(8, 6, 7, 5); break;
    default: break;
  }
  periodoestadisticas(Check3[5]->isChecked() ? 0 : 1);
}

void Principal::periodoestadisticas(int modo) {
  if (modo != 1) {
    Slider1[0]->hide();
    Slider1[1]->hide();
    estadisticas(0);
  } else {
    estadisticas(corteMeses(ahora(), Slider1[0]->value()));
    Slider1[0]->show();
    Slider1[1]->show();
  }
  if (modo == 1)
    Check3[8]->setChecked(Check3[6]->isChecked());
  else
    Check3[7]->setChecked(Check3[5]->isChecked());
  // The boxes are settled: the next click is the user's.
  cambiandofiltros = 0;
  resumensorteos();
}

void Principal::cuentaperiodo() {
  estadisticas(Check3[5]->isChecked() ? 0 : corteMeses(ahora(), Slider1[0]->value()));
}

void Principal::fijaMeses(int meses) {
  // Each slider's own change would count once more; the caller knows whether a count is due. A
  // settings record that holds no months still offers the last month.
  meses = std::max(meses, 1);
  // A tick a month up to three years; beyond, whole years, some twenty ticks along the slider.
  const int marcas = meses <= 36 ? 1 : 12 * ((meses + 287) / 288);
  for (QSlider* s : Slider1) {
    const QSignalBlocker quieto(s);
    s->setRange(1, meses);
    s->setValue(meses);
    s->setTickInterval(marcas);
  }
  Check3[6]->setText(rotuloMeses(Slider1[0]->value()));
  Check3[8]->setText(rotuloMeses(Slider1[0]->value()));
}

void Principal::ponMeses(int meses) {
  TareaBD tarea;
  fijaMeses(meses);
  if (Check3[5]->isChecked()) return;  // every draw is counted, whatever the months
  cuentaperiodo();
  resumensorteos();
}
