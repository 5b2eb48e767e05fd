#include "statistics/frecuencias.h"

void Frecuencias::vacia() {
  for (auto& e : etiquetas_) e.clear();
  for (auto& c : cuentas_) c.reset();
}
