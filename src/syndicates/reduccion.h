#pragma once
// Reduced systems as the editor uses them: walking tablas.bin through file 7, spreading a system
// over the player's base numbers, and the quick pick.
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

#include "data/registros.h"
#include "syndicates/tablas.h"

// Opens ruta & "tablas.bin" as file 7 for text input unless it is open already (the generator
// may have left it open). Errors as plataforma::Error: 53 when the file is missing.
void abreTablas();

// N, G and B of every system of file 7, in file order, so that a system's place in the list is its
// ordinal. Rewinds the file first. A system whose three header lines are not all there is no
// system; bet lines missing at the end are not looked for.
std::vector<TablaReducida> cabecerasDeTablas();

// The system with this 0-based ordinal, bet lines included, read from the start of file 7. Leaves
// the file on the line after the system. Error 62 when the file ends before the system starts.
TablaReducida sistemaDeTablas(int ordinal);

// Spreads the system over the base numbers, which stand as numbers 1..N of bet 1 in ascending
// order: they become numerosbase, and bet b of the result holds, for each of the six positions of
// bet line b, the base number at that position. Bet 1 is read before any bet is overwritten.
// Nothing changes and the reason is returned when the system does not fit the record or does not
// match the N base numbers marked; empty when the syndicate was expanded.
QString expandeReducida(Pena& pena, const TablaReducida& tabla);

// The quick pick's mapping of a pseudo-random r, 0 <= r < 1, to a number 1..49: the whole number
// nearest to r * 48 + 1, halves going to the even one.
int bolaDe(double r);

// Fills entries 1..n of the list with distinct numbers 1..49 drawn with bolaDe; n is cut to 49.
// The generator is seeded by the caller.
void sorteaNumeros(std::array<qint16, 50>& lista, int n, std::uint64_t semilla);
