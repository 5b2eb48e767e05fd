#include "estado.h"

Estado& estado() {
  static Estado unico;
  return unico;
}

void reiniciaEstado() { estado() = Estado{}; }
