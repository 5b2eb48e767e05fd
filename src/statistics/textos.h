#pragma once
// Texts that the statistics write: the selection summary of the generator's first step and the
// draw-report information of the report database.
#include <QDate>
#include <QString>

// What resumensorteos shows and stores for a selection.
struct Seleccion {
  bool todos = false;  // "Todos": every stored draw, whatever the months slider shows
  int meses = 1;       // the months slider
  bool lunes = false, jueves = false, sabado = false;
  QDate dia1, dia2;    // oldest and newest counted draw as the report table holds them
  int sorteoscontados = 0;
};

struct Resumen {
  QString Label21;
  QString Label27;
  QString Diasajugar;  // empty when no weekday is ticked: the stored text then stays
};

Resumen resumenSeleccion(const Seleccion& s);

// The text with every run from "<" through ">" dropped. The character after a run is kept
// whatever it is, so "<b><i>x" gives "<i>x"; a text ending inside a run keeps its last character.
QString sinEtiquetas(const QString& texto);
