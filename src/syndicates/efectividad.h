#pragma once
// The figures the syndicate list and a syndicate's fact sheet show: how often the syndicates won,
// what a week of play costs, and how a syndicate's bets are written out.
#include <QString>

#include "data/registros.h"

// The prize total of all syndicates (T winning bets) set against the draws they played (D).
struct Efectividad {
  qint64 sinPremio = 0;   // the other value of the chart beside T
  float porcentaje = 0;   // 0 to 100: more winning bets than draws (multiple bets) count as 100
};
Efectividad efectividad(qint64 T, qint64 D);

// T winning bets of one syndicate over the P draws it played, in percent; 0 without draws.
float porcentajePremios(qint64 T, qint64 P);

// A figure rounded to one decimal, halves to the even digit, with a decimal comma and without a
// trailing zero: 12,5 or 100 or 33,3.
QString unDecimal(double valor);

// A figure as the user reads it: up to seven significant digits, decimal comma, no grouping.
QString numeroEs(double valor);

// The winning bets a syndicate has counted: the five prize counters together.
qint64 sumaAciertos(const Pena& p);

// What the list shows under "Apuestas": the simple bets of the syndicate.
int apuestasDe(int tipo);

// Numbers in each bet of a syndicate of this kind (6, or 5 to 11 for a multiple bet; 0 for a code
// no syndicate has) and how many bets it holds.
int numerosPorApuesta(int tipo);
int apuestasListadas(int tipo);

// Height in twips of the bets list for B bets: it grows with its rows up to 23 of them.
int altoListaApuestas(int B);
// Width in twips of the bets list's column as the window lays it out.
constexpr int ANCHO_LISTA_APUESTAS = 2100;
// The bets list stands above the frame "Tipo de Peña:" (top 4550): it is never taller than the room
// between them, and scrolls where its usual height is more.
constexpr int ALTO_MAXIMO_LISTA_APUESTAS = 4250;

// Bet b of the syndicate, its first m numbers each two characters wide (a blank before a single
// digit) joined by "-". A bet or a number outside the record is error 9, as a damaged record's
// counts can ask for.
QString textoApuesta(const Pena& p, int b, int m);

// The base numbers of a reduced syndicate joined by "-"; error 9 for a count beyond the record.
QString numerosBase(const Pena& p);

// Draws a week for the play days ("Jueves y Sábado" 2, a single day 1, every other value 3), and
// the cost of a week of play, each simple bet costing `precio` a draw.
int sorteosSemana(const QString& diasajugar);
float gastoSemanal(int tipo, float precio, const QString& diasajugar);

// The text without the blanks at its end.
QString sinBlancosFinales(const QString& texto);
