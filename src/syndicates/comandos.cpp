// The commands on the syndicates: print slips, delete, edit and create. Print, delete and edit act
// on the syndicate the user clicked in the list (record penaelegida), read afresh from the file:
// the checks and the list refresh load other records into penaactual meanwhile.
#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "syndicates/Imprimir.h"
#include "syndicates/efectividad.h"
#include "ui/Principal.h"

using plataforma::archivos;

namespace {

// The selected syndicate, when one was clicked and its record is still stored. A selection left
// past the end of the file by deletions names no syndicate: asking about it would show an empty
// name, and editing it would write a record beyond the end, leaving a gap of zeros in the file.
bool seleccionada(Pena& pena) {
  const int n = estado().penaelegida;
  bool guardada = false;
  if (n > 0 && archivos().abierto(ARCH_APUESTAS)) {
    try {
      pena = leePena(n);
      guardada = !archivos().fin(ARCH_APUESTAS);
    } catch (const plataforma::Error&) {
    }
  }
  if (!guardada)
    plataforma::MsgBox(QStringLiteral("Seleccione una peña primero..."), plataforma::vbInformation,
                       QStringLiteral("¡Nooooo!"));
  return guardada;
}

// apuestas.dat without record `quitar`, the records after it moved down one place. The file is
// replaced whole (by way of apuestas.tmp), so that a failure at any point leaves either the old
// file or the new one, never part of either.
void quitaRegistro(const QString& ruta, qint64 quitar) {
  QByteArray penas = archivos().contenido(ARCH_APUESTAS);
  penas.truncate(penas.size() / Pena::LONGITUD * Pena::LONGITUD);
  if (quitar >= 1 && quitar <= penas.size() / Pena::LONGITUD)
    penas.remove((quitar - 1) * Pena::LONGITUD, Pena::LONGITUD);
  reescribeArchivo(ARCH_APUESTAS, Pena::LONGITUD, ruta + QStringLiteral("apuestas.tmp"), penas);
}

}  // namespace

void Principal::Command2_Click() {
  Pena pena;
  if (!seleccionada(pena)) return;
  imprimir().Show();
}

void Principal::Command3_Click() {
  TareaBD tarea;
  Estado& e = estado();
  Pena pena;
  if (!seleccionada(pena)) return;
  // Read-only data: refused before the question, whose answer could change nothing.
  if (!permiteCambios()) return;
  if (plataforma::MsgBox(QString::fromUtf8("¿Seguro que quieres eliminar la Peña ") +
                             sinBlancosFinales(pena.nombre) + QStringLiteral("?"),
                         plataforma::vbYesNo + plataforma::vbQuestion, QStringLiteral("Borrar...")) !=
      plataforma::vbYes)
    return;
  try {
    quitaRegistro(e.ruta, e.penaelegida);
  } catch (const plataforma::Error& error) {
    avisoescritura(error);
    return;
  }
  estadosorteos();
  // The newest draw is checked again over the syndicates left, and the statistics chart goes back
  // to its first half.
  pasoComprobacion();
}

void Principal::Command4_Click() {
  if (!permiteCambios()) return;
  estado().numapuestas = 0;
  creamenu().Show();
}

void Principal::Crearp_Click() { Command4_Click(); }

void Principal::Command7_Click() {
  Estado& e = estado();
  Pena pena;
  if (!seleccionada(pena)) return;
  if (!permiteCambios()) return;
  e.editando = 1;
  e.numapuestas = 0;
  e.solouna = 1;
  // The editor changes this record; the next list refresh puts the cursor back past the last one.
  e.numpenas = e.penaelegida;
  if (pena.reducida != 0)
    plataforma::MsgBox(QString::fromUtf8("Si modifica algún número de esta peña, dejará de ser Reducida y "
                                         "pasará a ser de apuestas sencillas."),
                       plataforma::vbInformation, QStringLiteral("Atención!"));
  e.modalidad = pena.tipo >= 500 ? pena.tipo - 500 : 0;
  crea().Show();
}
