#pragma once
// The draws file as a whole: rewriting an open data file without ever leaving half of it, the
// older 24-byte layout of numeros.dat and the checks a draws file passes before it is imported.
#include <QByteArray>
#include <QString>

// Replaces the data file open as `numero` (random access, records of `longitud` bytes) with
// `contenido`, by way of the file `temporal`, and opens it again under the same number. Error 75
// when it cannot be written; the file then stays as it was, and open.
void reescribeArchivo(int numero, int longitud, const QString& temporal, const QByteArray& contenido);

// Whether a draws file has the older 24-byte layout: record 1, read with the 32-byte layout, has a
// Joker that is not 0 and whose text takes 8 characters or more (in the older layout those bytes
// are the first four numbers of record 2, a tiny number written in exponent form). A damaged file
// is left alone rather than rewritten: the file must also hold whole 24-byte records, the first of
// them with six numbers from 1 to 49.
bool esFormatoAntiguo(const QByteArray& archivo);

// A draws file of the older layout in the current one: every whole 24-byte record followed by a
// Joker of 0. A partial last record is dropped, as reading the file never saw it.
QByteArray convierteAntiguo(const QByteArray& antiguo);

// What is wrong with a draws file chosen for import.
enum class Revision {
  Valido,
  Vacio,         // no record at all
  Tamano,        // not a whole number of records of either layout
  PrimerSorteo,  // record 1 is no real Thursday or Saturday draw
  Numeros,       // a number outside 1..49, repeated, or a reintegro or Joker that cannot be
  Fechas,        // a date that is no Monday, Thursday or Saturday, or later than today
  Orden,         // a draw not later than the one before it
};

struct Importacion {
  Revision revision = Revision::Vacio;
  int registro = 0;      // the first record at fault
  QByteArray contenido;  // the draws in the current layout, when valid
};

// Examines a file's bytes: in the current layout, or in the older one when its record 1 says so or
// only that layout fits its length. `hoy` is today as a date of the files.
Importacion revisaImportacion(const QByteArray& bytes, double hoy);

// The reason of a refusal, as a sentence for the user; empty for Valido and PrimerSorteo, which the
// program's own message already explains.
QString motivo(const Importacion& importacion);
