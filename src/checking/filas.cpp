#include "checking/filas.h"

#include "checking/premios.h"
#include "plataforma/listview.h"

namespace comprobacion {

void cabeceraBloque(plataforma::ListView& lista, int& fila, int numeros, const QString& nombre,
                    const QString& lineaFecha) {
  const QString vacio;
  fila += 2;
  lista.Add(vacio);
  lista.Add(vacio);
  for (int k = 1; k <= numeros; ++k) lista.addSubItem(fila, vacio);
  lista.addSubItem(fila, premios::lineaPena(nombre));
  lista.setSubForeColor(fila, numeros + 1, premios::COLOR_CABECERA);
  fila += 1;
  lista.Add(vacio);
  for (int k = 1; k <= numeros; ++k) lista.addSubItem(fila, vacio);
  lista.addSubItem(fila, lineaFecha);
  lista.setSubForeColor(fila, numeros + 1, premios::COLOR_FECHA);
}

}  // namespace comprobacion
