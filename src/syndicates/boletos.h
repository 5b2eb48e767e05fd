#pragma once
// Where the marks of a syndicate's bets fall on La Primitiva's official slip: eight blocks of 49
// boxes, 18.7 mm apart, each five columns 3.8 mm apart (1-9, 10-19, ..., 40-49) of ten rows 5 mm
// apart (10, 20, 30, 40 on the first row), and under the grid a row that marks the kind of a
// multiple bet and the Joker. Millimetres from the slip's corner as the printer sees it.
#include <array>
#include <optional>

namespace boletos {

// The bets one record holds.
constexpr int MAX_APUESTAS = 205;

// Bets to print: a simple syndicate's count, at most what the record holds; 1 for a multiple one.
int apuestas(int tipo);
// Numbers in each bet: 6, or 7, 8, 5, 9, 10, 11 for the multiple kinds 501 to 506.
int numeros(int tipo);
// Official slips (or participations) needed: eight bets a slip; one for a multiple syndicate.
int cuentaBoletos(int tipo);

struct Casilla {
  float x = 0;
  float y = 0;
};
// The box of each number 1..49 of block `b` (1..8), moved by the corrections (element 0 unused).
std::array<Casilla, 50> posiciones(int b, float correccionx, float correcciony);

// The box, number `numero` of block `bloque` of the grid, whose place 10 mm lower marks the kind of
// a multiple bet; none for a simple syndicate.
struct MarcaTipo {
  int numero = 0;
  int bloque = 0;
};
std::optional<MarcaTipo> marcaTipo(int tipo);

// Millimetres below a grid box of the row that marks the kind and the Joker.
constexpr float FILA_TIPO = 10;

}  // namespace boletos
