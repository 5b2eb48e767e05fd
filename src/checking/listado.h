#pragma once
// The printed check listing: the texts and headings that the two checks print in print mode.
#include <QString>

#include "data/registros.h"

namespace plataforma {
class Impresora;
}

namespace listado {

// The draw as printed after its date: "3-14-22-31-40-45  C:7  R:2" (a missing reintegro is -1).
QString lineaSorteo(const Sorteo& s);
// Appends a number to a printed bet line: four blanks before a number of one digit, two before two.
void agregaNumero(QString& linea, const QString& numero, int valor);
// A section title in 22 points, bold, at `x` mm.
void titulo(plataforma::Impresora& pr, const QString& texto, double x);
// An empty line, then "Sorteo del " with the date and the draw line in 18 points at 20 mm; the
// lines that follow are in 8.2 points.
void cabeceraSorteo(plataforma::Impresora& pr, const Sorteo& s);

}  // namespace listado
