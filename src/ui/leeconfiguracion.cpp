// The main window's copy of the settings.
#include <QSlider>

#include "data/ajustes.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "ui/Principal.h"

void Principal::leeconfiguracion() {
  configuracion = cargaConfiguracion(estado().ruta);
  Slider1[0]->setMaximum(configuracion.meses);
  Slider1[1]->setMaximum(configuracion.meses);
}

void Principal::Label9_Click(int /*Index*/) { Label9[5]->setText(configuracion.direccionweb); }
