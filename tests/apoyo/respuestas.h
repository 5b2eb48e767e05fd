#pragma once
// Answers of the operator's draw search as the program receives them, and www.txt as the program
// stores them, for the tests that parse or download draws.
#include <QByteArray>
#include <QDate>
#include <vector>

#include "data/registros.h"

// One draw object in the service's compact form, keys in its order: fecha_sorteo, dia_semana,
// id_sorteo, game_id, anyo, premio_bote, apuestas, recaudacion, combinacion
// ("02 - 10 - 23 - 29 - 36 - 38 C(33) R(4)"), combinacion_acta, premios, fondo_bote, escrutinio
// (prize rows with tipo, categoria, premio, ganadores), joker (combinacion first; "-" for a joker
// below 0), escrutinio_joker, and contenidosRelacionados with one documentos entry holding
// urlContenido; the object ends with "]}}".
QByteArray objetoSorteo(const Sorteo& s);

// A whole answer: a JSON array of `sorteos` (give them newest first), then `relleno` older padding
// draws a week apart, the first a week before the oldest given draw (or before 6 January 2001 when
// none is given). With relleno = -1 there are as many as make more than 10000 bytes follow the given
// draws, so that the program examines every given date. The text ends with "]}}]".
QByteArray respuestaServicio(const std::vector<Sorteo>& sorteos, int relleno = -1);

// One draw object as the operator's real answer of 17 August 2017 (tests/fixtures/real/
// lapr-answer-1.json, compacted) holds it, with the date, weekday, ids, combination and Joker of `s`,
// and after its breakdowns the documentos entry of the service's answers, so that it ends with
// "]}}" as the service's objects do. About 1,700 bytes, as a real draw takes.
QByteArray objetoReal(const Sorteo& s);
// A whole answer of such objects (give them newest first) and nothing more, ending with "]}}]".
QByteArray respuestaReal(const std::vector<Sorteo>& sorteos);

// The answer as www.txt keeps it: a double quote, the text with every double quote doubled, a
// double quote, CR LF.
QByteArray formaGuardada(const QByteArray& respuesta);

// A pretty-printed JSON text in the service's compact form: whitespace outside strings dropped,
// keys and escapes kept as they are.
QByteArray compacta(const QByteArray& json);
