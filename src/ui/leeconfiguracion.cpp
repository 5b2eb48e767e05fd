// The main window's copy of the settings.
#include <QCheckBox>
#include <QSignalBlocker>
#include <QSlider>

#include "data/ajustes.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "statistics/estadisticas.h"
#include "ui/Principal.h"

void Principal::leeconfiguracion() {
  configuracion = cargaConfiguracion(estado().ruta);
  // The sliders start at the settings value. Start-up counts the statistics and writes their summary
  // itself a few steps on, so bringing the sliders down to it runs no count of its own.
  for (QSlider* s : Slider1) {
    const QSignalBlocker bloqueo(s);
    s->setMaximum(configuracion.meses);
  }
  Check3[6]->setText(rotuloMeses(Slider1[0]->value()));
  Check3[8]->setText(rotuloMeses(Slider1[0]->value()));
}

void Principal::Label9_Click(int /*Index*/) { Label9[5]->setText(configuracion.direccionweb); }
