// The commands on the syndicates: print slips, delete, edit and create. Print, delete and edit act
// on the syndicate the user clicked in the list (record penaelegida), read afresh from the file:
// the checks and the list refresh load other records into penaactual meanwhile.
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
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

[[noreturn]] void sinAcceso() {
  throw plataforma::Error(plataforma::ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
}

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

// Writes what the system holds of a file onto the disk.
void aDisco(const QString& ruta, int banderas) {
  const int fd = ::open(QFile::encodeName(ruta).constData(), banderas | O_CLOEXEC);
  if (fd < 0) sinAcceso();
  const bool bien = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
  ::close(fd);
  if (!bien) sinAcceso();
}

// apuestas.dat without record `quitar`, the records after it moved down one place. The new file is
// written whole beside the old one as apuestas.tmp and renamed over it only once it is on the disk,
// so that a failure at any point leaves either the old file or the new one, never part of either.
void quitaRegistro(const QString& ruta, qint64 quitar) {
  const QString temporal = ruta + QStringLiteral("apuestas.tmp");
  const QString datos = ruta + QStringLiteral("apuestas.dat");
  auto& a = archivos();
  // A file left by an interrupted deletion would lend its last records to this one.
  if (QFileInfo(temporal).isFile()) QFile::remove(temporal);
  a.abre(ARCH_APUESTAS_TMP, temporal, plataforma::Acceso::Aleatorio, Pena::LONGITUD);
  try {
    qint64 escritos = 0;
    for (qint64 i = 1;; ++i) {
      const QByteArray registro = a.lee(ARCH_APUESTAS, i);
      if (a.fin(ARCH_APUESTAS)) break;
      if (i != quitar) a.escribe(ARCH_APUESTAS_TMP, ++escritos, registro);
    }
    a.cierra(ARCH_APUESTAS_TMP);
    // A syndicates file the user marked read-only stays as it is.
    if (::access(QFile::encodeName(datos).constData(), W_OK) != 0) sinAcceso();
    QFile::setPermissions(temporal, QFile::permissions(datos));
    aDisco(temporal, O_RDONLY);
    if (::rename(QFile::encodeName(temporal).constData(), QFile::encodeName(datos).constData()) != 0)
      sinAcceso();
  } catch (...) {
    a.cierra(ARCH_APUESTAS_TMP);
    QFile::remove(temporal);
    throw;
  }
  // The rename itself reaches the disk with the folder.
  try {
    aDisco(ruta, O_RDONLY | O_DIRECTORY);
  } catch (const plataforma::Error&) {
  }
  a.cierra(ARCH_APUESTAS);
  a.abre(ARCH_APUESTAS, datos, plataforma::Acceso::Aleatorio, Pena::LONGITUD);
}

}  // namespace

void Principal::Command2_Click() {
  Pena pena;
  if (!seleccionada(pena)) return;
  imprimir().Show();
}

void Principal::Command3_Click() {
  Estado& e = estado();
  Pena pena;
  if (!seleccionada(pena)) return;
  if (plataforma::MsgBox(QString::fromUtf8("¿Seguro que quieres eliminar la Peña ") +
                             sinBlancosFinales(pena.nombre) + QStringLiteral("?"),
                         plataforma::vbYesNo + plataforma::vbQuestion, QStringLiteral("Borrar...")) !=
      plataforma::vbYes)
    return;
  try {
    quitaRegistro(e.ruta, e.penaelegida);
  } catch (const plataforma::Error& error) {
    if (error.numero() == plataforma::ERR_ACCESO) avisopermiso();
    return;
  }
  estadosorteos();
  // The newest draw is checked again over the syndicates left. The statistics period scroll bar
  // goes back to 1 here too once the statistics tab has it.
  pasoComprobacion();
}

void Principal::Command4_Click() {
  estado().numapuestas = 0;
  creamenu().Show();
}

void Principal::Crearp_Click() { Command4_Click(); }

void Principal::Command7_Click() {
  Estado& e = estado();
  Pena pena;
  if (!seleccionada(pena)) return;
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
