#pragma once
// What the user is told when the data may not be changed, could not be written or could not be
// read: one message for each case, shared by every command that changes the data.
#include <QString>

#include "plataforma/archivos.h"

namespace plataforma {
class Error;
}

// Tells the user that a data file could not be rewritten for lack of permission (error 75), and how
// to run the program so that it can.
void avisopermiso();

// Whether the data may be changed; when the program runs on read-only data it says so with the
// permission message and answers false, and the caller changes nothing.
bool permiteCambios();
// The same for a window whose every keystroke is a change: the message comes the first time only,
// while `avisado` (the window's own flag, false when it loads) stays set.
bool permiteCambios(bool& avisado);

// Whether the program folder, its data files or the report database cannot be written, from the
// files as start-up opened them.
bool datosSoloLectura();

// Tells why a change could not be written: the disk is full (error 61), the data may not be
// written (75: the permission message) or the disk failed (57). Answers false, and tells nothing,
// for any other error, which the caller handles as its own. `consecuencia`, when given, is a last
// line on what the unwritten change means for the work under way.
bool avisoescritura(const plataforma::Error& error, const QString& consecuencia = QString());

// While one lives (start-up, which writes several files), a failed write is told once however many
// writes it stops.
class UnSoloAviso {
 public:
  UnSoloAviso();
  ~UnSoloAviso();
  UnSoloAviso(const UnSoloAviso&) = delete;
  UnSoloAviso& operator=(const UnSoloAviso&) = delete;
};

// Opens a data file that stays open for the whole run (`ruta` is its full name); a missing one is
// created empty. One that is there but cannot be read (a folder of that name, a file without
// read permission, a device) is opened with nothing in it and read-only, so that the program works
// without its data and writes nothing over it; avisolectura names it. Other errors are ignored, as
// start-up expects.
void abreDatos(int numero, const QString& ruta, plataforma::Acceso acceso, int longitud = 0);

// Tells which data files could not be read and why, and that nothing will be changed; false, and
// nothing told, when every one was read.
bool avisolectura();
