#pragma once
// The prize rules of La Primitiva as the checks apply them: the hits of a bet against a draw, the
// prize of a simple bet, and the fixed breakdown of a multiple bet into the simple bets it stands
// for. Colours are values &HBBGGRR (red in the low byte), the form the result lists take.
#include <QString>
#include <array>

#include "data/registros.h"

namespace premios {

constexpr quint32 COLOR_ACERTADO = 0xFF;    // a number of the bet that is a winning number
constexpr quint32 COLOR_CABECERA = 0x80;    // "PEÑA " and the name
constexpr quint32 COLOR_FECHA = 0x8000;     // the draw's date and weekday

// Prize categories, numbered as the element of `aciertos` that counts them.
enum Categoria { SIN_PREMIO = 0, TRES = 3, CUATRO = 4, CINCO = 5, SEIS = 6, CINCO_MAS_C = 7 };

// The colour of a category everywhere it is shown; 0 for no prize.
quint32 colorCategoria(int categoria);

// The hits of a bet of `cuantos` numbers (at most 20) against a draw.
struct Resultado {
  int aciertos = 0;             // numbers of the bet among the six winning numbers
  bool complementario = false;  // some number of the bet is the complementario
  quint32 acertados = 0;        // bit k set: number k + 1 of the bet is a winning number
};
// Each winning number is matched once at most and only numbers 1 to 49 match, so a damaged draw or
// bet (repeated numbers, zeros) never counts more hits than there are winning numbers.
Resultado cuentaAciertos(const qint16* numeros, int cuantos, const Sorteo& sorteo);

// The category of a simple bet of six numbers: the complementario counts only with five hits.
int categoriaSencilla(int aciertos, bool complementario);
// "¡¡ Premio !! ..." for a prize category of a simple bet; empty for no prize.
QString mensajeSencilla(int categoria);

// One line of a multiple bet's breakdown: so many simple bets of a category.
struct Linea {
  int cuantas = 0;
  int categoria = 0;
  bool singular = false;  // reads " apuesta de " although cuantas is above 1, as the program shows it
};

// The breakdown of one kind of multiple bet for one hit count and complementario flag.
struct Desglose {
  int tipo = 0;
  int aciertos = 0;
  int complementario = -1;  // -1: the flag is not consulted
  int lineas = 0;
  std::array<Linea, 5> linea{};
};

// The 35 rows, in the order of the kinds 501 to 506 and of the hit counts.
const std::array<Desglose, 35>& tablaDesglose();
// The row for a multiple bet, or null when the bet has no prize (or the kind is not 501..506).
const Desglose* desglose(int tipo, int aciertos, int complementario);
// What a row adds to each element 3..7 of `aciertos`.
std::array<int, 8> sumas(const Desglose& d);
// "¡¡ Premio !! Tienes ..." for one line.
QString textoLinea(const Linea& l);

// Texts of the check lists: "PEÑA " and the name as stored (blanks kept), the draw's date and
// weekday ("02/12/2026 Miércoles"), and a number of a bet.
QString lineaPena(const QString& nombre);
QString lineaFecha(double fecha);
QString textoNumero(int numero);

// Adds to a prize counter without leaving its 16 bits: past 32767 it stays at 32767.
void sumaAcierto(qint16& contador, int cuanto);

}  // namespace premios
