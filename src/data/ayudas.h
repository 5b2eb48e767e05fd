#pragma once
// Helpers that every part of the program shares: bet-type counts, weekday names, the play-day
// rule, the program folder and whole-record access to the open data files.
#include <QString>

#include "data/registros.h"

// From a bet-type code to the count of numbers of a multiple bet (501..506) or, called with the
// code plus 6, to the count of simple bets of any syndicate.
int cuantos(int son);

// The Spanish name of a date's weekday, "Domingo" to "Sábado"; empty for a date out of range.
QString diasemana(double fecha);

// Whether a draw record can be a real draw: six different numbers and a complementario from 1 to
// 49, and a date between 1900 and 9999. Nothing is counted or written from a draw that cannot be.
bool sorteoReal(const Sorteo& s);

// Whether a syndicate with these play days plays a draw held on this date, or on a day of this
// name (as diasemana gives it; for checks that test many syndicates against one draw).
bool juega(const QString& dias, double fecha);
bool juega(const QString& dias, const QString& dia);

// The folder with one trailing separator, ready to prefix file names.
QString rutaDe(const QString& carpeta);

// Whole records of the open files 3 (numeros.dat), 1 (apuestas.dat) and 5 (nums.ini). Reading past
// the end gives a record of zeros and sets end of file.
Sorteo leeSorteo(qint64 n);
// The stored draw that can be real with the latest date (the first stored of that date), whatever
// draw a check read last; all zeros when there is none. Damaged records are passed over, so that
// what is shown and what a download adds go on from the newest draw the file really holds.
Sorteo ultimoSorteo();
void escribeSorteo(qint64 n, const Sorteo& s);
// The syndicate as the file holds it now. The reference stays valid for the whole run and shows
// the record's latest content; copy it to keep it as it is.
const Pena& leePena(qint64 n);
void escribePena(qint64 n, const Pena& p);
Configuracion leeConfiguracionArchivo();
void escribeConfiguracionArchivo(const Configuracion& c);
