#pragma once
// Draws and syndicates written straight into a test's program folder.
#include <QDate>
#include <initializer_list>
#include <vector>

#include "apoyo/carpeta.h"
#include "data/registros.h"

Sorteo sorteoDe(const QDate& dia, std::initializer_list<int> ganadores = {1, 2, 3, 4, 5, 6},
                int complementario = 7, int reintegro = 0);
// Simple bets of six numbers each; the syndicate is created on `creacion`.
Pena penaDe(const QString& nombre, const QString& dias, const QDate& creacion,
            const std::vector<std::vector<int>>& apuestas);
void escribeSorteos(const CarpetaPrograma& carpeta, const std::vector<Sorteo>& sorteos);
void escribePenas(const CarpetaPrograma& carpeta, const std::vector<Pena>& penas);
// Every draw of the real history in tests/fixtures/real/primitiva-history.csv, oldest first, as
// numeros.dat keeps them (no Joker: -1); empty when the file cannot be read.
std::vector<Sorteo> historiaReal();
// Each record of a file decoded as it stands on disk.
std::vector<Pena> penasDe(const CarpetaPrograma& carpeta);
