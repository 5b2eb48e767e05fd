#pragma once
// The ranking of the 49 numbers by how often they were drawn, and the figures of a reduced system
// that the combination generator shows.
#include <QString>
#include <array>
#include <vector>

#include "statistics/frecuencias.h"
#include "syndicates/tablas.h"

// How often each number 1..49 was drawn over the counted draws, taken from column 1 of the two
// halves (row r of the first is number r, row r of the second number r + 24, so 25 is in both and
// read from the first). A number never drawn counts 0. Element 0 is unused.
std::array<int, 50> vecesDe(const Frecuencias& primera, const Frecuencias& segunda);

// The numbers 1..49 from the most often drawn to the least, equal counts in ascending order, in
// elements 1..49 (element 0 is 0), as the syndicate editor reads them.
std::array<qint16, 50> ordenaNumeros(const std::array<int, 50>& veces);

// N! in double precision; 1 for N of 0 or less.
double Factorial(int N);

// The simple bets that play N numbers without reduction: N! / (6! (N - 6)!), 0 below 6.
double combinaciones(int N);

// The chance of the six among the simple bets of N numbers that a system of B bets keeps, B x 100 /
// C in single precision, written "0,00%" the Spanish way; "-" when there is nothing to divide by.
QString porcentajeSeis(int B, double C);

// The 0-based ordinals, within the file, of the systems of exactly n numbers, at most `cabida`.
std::vector<int> sistemasDe(const std::vector<TablaReducida>& tablas, int n, int cabida);
