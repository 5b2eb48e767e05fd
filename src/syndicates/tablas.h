#pragma once
// tablas.bin, the reduced systems shipped beside the program: reading the file and judging the
// systems it holds. A system lists bets as positions 1..N into the player's base numbers taken in
// ascending order, with a guarantee G: whenever the six winning numbers are all among the base
// numbers, some bet holds at least G of them.
#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

struct TablaReducida {
  int totalnumeros = 0;   // N, how many base numbers the player marks
  int garantia = 0;       // G, as the file states it
  int totalapuestas = 0;  // B, as the file states it; indices holds fewer when the file is cut short
  std::vector<std::array<int, 6>> indices;
};

// The integer a text starts with, the way the file has always been read: leading blanks skipped,
// an optional sign, then digits up to the first other character. No digits at all reads as 0.
int leeNumero(const QString& texto);

// Every system of a whole file, lines ended by CR LF or LF. A system cut short by the end of the
// file keeps the bet lines that are there.
std::vector<TablaReducida> leeTablas(const QByteArray& contenido);

// Empty when the program can use the system; otherwise what is wrong with it, for the user.
QString validaTabla(const TablaReducida& tabla);

// The guarantee the bets truly give, 0 to 6, found by trying every possible draw of six among the
// N base numbers. 0 for a system whose N is outside 6..20, which no record could hold anyway.
int garantiaReal(const TablaReducida& tabla);
