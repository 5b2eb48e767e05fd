#pragma once
// The report layouts (Bolvanta.net, Bolvanta1.net) and the report they give once filled from the
// report database. The format of a layout is described at the top of disenoinforme.cpp.
//
// Failures are plataforma::Error with the report engine's own numbers, which the program's
// report run tells apart (Principal::Image2_Click).
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace informes {

// The engine's error numbers. The report commands tell failures apart by number (a report asked
// for while one is being produced ends silently) and show the others to the user, so each failure
// keeps its number for good.
constexpr int ERR_NOMBRE_INFORME = 20507;  // no layout file by that name
constexpr int ERR_TRABAJO_EMPEZADO = 20520;  // a report was asked for while one is being produced
constexpr int ERR_ARCHIVO_INFORME = 20525;  // the layout is empty, malformed, not a layout, or names
                                            // a table or column the database lacks
constexpr int ERR_ARCHIVO_BASE = 20533;     // the database will not open (missing, damaged, key)
constexpr int ERR_BASE_DATOS = 20534;       // the database failed while it was read, or is held
                                            // by another program

// The longest layout the engine reads; the shipped ones are a few hundred bytes.
constexpr qint64 LONGITUD_MAXIMA = 64 * 1024;

struct Campo {
  QString columna;
  QString rotulo;
};

struct Seccion {
  enum Tipo { Texto, Ficha, Lista };
  Tipo tipo = Texto;
  QString titulo;  // the paragraph itself for a Texto section
  QString tabla;
  QString orden;   // the recordset's sort of a Lista, "Veces DESC, Numero ASC"
  std::vector<Campo> campos;
};

struct Diseno {
  QString archivo;  // the layout file's name, for the messages; empty for a layout read from text
  QString titulo;
  std::vector<Seccion> secciones;
};

// Reads a layout file; a missing file gives ERR_NOMBRE_INFORME, anything else that is not a
// layout ERR_ARCHIVO_INFORME with the line at fault in the description.
Diseno leeDiseno(const QString& archivo);
Diseno interpretaDiseno(const QByteArray& texto);

// A report with its values written out as the reader sees them.
struct SeccionLlena {
  Seccion::Tipo tipo = Seccion::Texto;
  QString titulo;
  QStringList rotulos;
  std::vector<QStringList> filas;  // a Ficha has one row at most
};

struct InformeLleno {
  QString titulo;
  std::vector<SeccionLlena> secciones;
};

// Fills the layout from the database file `baseDatos` keyed with `clave`. The database is only
// read: it is opened, read table by table and closed before this returns. A table or column the
// database lacks gives ERR_ARCHIVO_INFORME, saying which; a database held by another program
// ERR_BASE_DATOS. A report is given whole or not at all.
InformeLleno llenaInforme(const Diseno& diseno, const QString& baseDatos, const QString& clave);

// A value as a report prints it: a date dd/MM/yyyy, a fraction with a decimal comma and two
// decimals, a text without its trailing blanks, a NULL as nothing.
QString textoValor(const QVariant& valor);

// The report as HTML, for the report window and for printing.
QString htmlInforme(const InformeLleno& informe);

}  // namespace informes
