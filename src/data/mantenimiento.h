#pragma once
// The draws file as a whole: rewriting an open data file without ever leaving half of it, the
// older 24-byte layout of numeros.dat and the checks a draws file passes before it is imported.
#include <QByteArray>
#include <QString>

namespace plataforma {
class Error;
}

// Replaces the data file open as `numero` (random access, records of `longitud` bytes) with
// `contenido`, by way of the file `temporal`, and opens it again under the same number. Error 75
// when it cannot be written; the file then stays as it was, and open.
void reescribeArchivo(int numero, int longitud, const QString& temporal, const QByteArray& contenido);

// Whether a draws file has the older 24-byte layout: its first whole records, read as 24-byte
// records, are mostly draws that can be real, and more of them than read as 32-byte records. The
// length of the file decides nothing, so a last record cut short does not hide the layout, and a
// current file whose length happens to be a multiple of 24 is not taken for the older one.
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

// Examines a file's bytes: in the older layout when its first records say so (its whole records;
// a cut last record is no draw), otherwise in the current one, or in the older one when only that
// layout fits its length. `hoy` is today as a date of the files.
Importacion revisaImportacion(const QByteArray& bytes, double hoy);

// The reason of a refusal, as a sentence for the user; empty for Valido and PrimerSorteo, which the
// program's own message already explains.
QString motivo(const Importacion& importacion);

// The older layout kept is the record length to read numeros.dat with.
constexpr int LONGITUD_ANTIGUA = 24;

// The message that the draws file could not be converted, with the reason.
QString avisoSinConvertir();
// Whether the draws file may be changed: not while it keeps the older layout; the user is told why.
bool permiteCambiarSorteos();
// The most bytes a draws file can take: one current record for every Monday, Thursday and Saturday
// from 1900 to `hoy` (a date of the files), which is more than any file that passes
// revisaImportacion holds.
qint64 maximoImportable(double hoy);

// The bytes of a file chosen for import. Only a regular file of at most maximoImportable bytes is
// read; a folder, a device or a pipe is refused without reading it (error 54), as is a larger file
// (7), a missing one (53) and one that may not be read (70), each with its reason as a Spanish
// sentence for the user.
QByteArray leeImportable(const QString& ruta, double hoy);

// What follows the program's message when an import ends on `error`: the reason on a line of its
// own when leeImportable refused the chosen file, otherwise " Error " and its number.
QString detalleImportacion(const plataforma::Error& error);
