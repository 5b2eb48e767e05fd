// The main window's copy of the settings.
#include "data/ajustes.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "ui/Principal.h"

void Principal::leeconfiguracion() {
  configuracion = cargaConfiguracion(estado().ruta);
  // The sliders start at the settings value. Start-up counts the statistics and writes their summary
  // itself a few steps on, so bringing the sliders to it runs no count of its own.
  fijaMeses(configuracion.meses);
}

void Principal::Label9_Click(int /*Index*/) { Label9[5]->setText(configuracion.direccionweb); }
