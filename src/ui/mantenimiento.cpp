// Maintenance of the draws file from the main window: the older layout converted at start-up, a
// whole draws file imported, every draw cleared (with the syndicates' counters, if the user wants)
// and single draws deleted from the statistics list. Every rewrite replaces the file whole.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtEndian>

#include "checking/cuenta.h"
#include "data/avisopermiso.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"
#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/reemplazo.h"
#include "plataforma/texto.h"
#include "plataforma/twips.h"
#include "plataforma/listview.h"
#include "ui/Principal.h"

using plataforma::archivos;
using plataforma::MsgBox;
using plataforma::px;

namespace {

const char* const NO_VALIDO =
    "Fichero de sorteos no válido. Compruebe que el archivo NUMEROS.DAT sea para Bolvanta.";

QString temporalSorteos() { return estado().ruta + QStringLiteral("numeros.tmp"); }

bool mismoArchivo(const QString& a, const QString& b) {
  const QFileInfo x(a), y(b);
  return x.exists() && y.exists() && x.canonicalFilePath() == y.canonicalFilePath();
}

// The chosen file whole, when it can be a draws file at all: a regular file no larger than every
// draw day since 1900 would make it.
QByteArray leeEntero(const QString& ruta) { return leeImportable(ruta, plataforma::oleDe(plataforma::hoy())); }

}  // namespace

void Principal::creaMantenimiento(QWidget* pestana) {
  Command8 = new QPushButton(QString::fromUtf8("Añadir todos los sorteos"), pestana);
  Command8->setGeometry(px(6700), px(7400), px(2600), px(420));
  connect(Command8, &QPushButton::clicked, this, &Principal::Command8_Click);
  Command5 = new QPushButton(QString::fromUtf8("Borrar todos los sorteos"), pestana);
  Command5->setGeometry(px(9400), px(7400), px(2600), px(420));
  connect(Command5, &QPushButton::clicked, this, &Principal::Command5_Click);
}

void Principal::compruebaformato() {
  Estado& e = estado();
  if (!archivos().abierto(ARCH_NUMEROS)) return;
  if (!esFormatoAntiguo(archivos().contenido(ARCH_NUMEROS))) return;
  // Read-only data cannot be converted: it is read as it is, with no offer at every start and
  // numeros.bak left alone; the permission message of the start-up says why.
  if (e.sololectura) {
    leeAntiguo(QString::fromUtf8("los datos son de solo lectura"));
    return;
  }
  MsgBox(QString::fromUtf8("Se ha encontrado un archivo de Sorteos perteneciente a una versión anterior "
                           "del programa y se va a convertir el fichero a la versión actual."),
         plataforma::vbInformation, QString::fromUtf8("Actualización de datos"));
  convierteformato();
}

void Principal::convierteformato() {
  // The file as it was goes to numeros.bak first, a cut last record with it: the conversion keeps
  // only whole draws. Nothing is converted without that copy.
  const QByteArray antiguo = archivos().contenido(ARCH_NUMEROS);
  QString paso = QString::fromUtf8("no se puede escribir la copia numeros.bak");
  try {
    plataforma::reemplazaArchivo(estado().ruta + QStringLiteral("numeros.bak"), temporalSorteos(), antiguo);
    paso = QString::fromUtf8("no se puede escribir numeros.dat");
    reescribeArchivo(ARCH_NUMEROS, Sorteo::LONGITUD, temporalSorteos(), convierteAntiguo(antiguo));
  } catch (const plataforma::Error& error) {
    leeAntiguo(paso + QStringLiteral(" (") + error.descripcion().toLower() + QStringLiteral(")"));
    MsgBox(avisoSinConvertir(), plataforma::vbExclamation, QString::fromUtf8("Actualización de datos"));
  }
}

// The draws file stays in the older layout and is read in it, never as current records.
void Principal::leeAntiguo(const QString& motivo) {
  Estado& e = estado();
  e.sinconvertir = motivo;
  plataforma::sinErrores([&] {
    const QString ruta = archivos().ruta(ARCH_NUMEROS);
    archivos().cierra(ARCH_NUMEROS);
    archivos().abre(ARCH_NUMEROS, ruta, plataforma::Acceso::Aleatorio, LONGITUD_ANTIGUA);
  });
}

void Principal::Command8_Click() {
  if (!permiteCambios() || !permiteCambiarSorteos()) return;
  Estado& e = estado();
  plataforma::DialogoArchivo dialogo;
  dialogo.InitDir = QStringLiteral("c:\\");
  dialogo.DialogTitle = QStringLiteral("Seleccione el archivo NUMEROS.DAT");
  dialogo.Filter = QStringLiteral("Archivos de sorteos|numeros.dat");
  const QString titulo = QString::fromUtf8("¡Vaya hombre!");
  try {
    try {
      dialogo.ShowOpen(this);
    } catch (const plataforma::Error& error) {
      if (error.numero() != plataforma::ERR_DIALOGO_CANCELADO) throw;
    }
    if (dialogo.FileName.isEmpty()) {
      if (MsgBox(QString::fromUtf8("No se ha seleccionado ningún archivo. Recuerde que puede disponer de "
                                   "TODOS LOS SORTEOS DESDE LA CREACIÓN DE LA PRIMITIVA, obteniéndolo "
                                   "desde nuestra tienda virtual. ¿Quiere ir?"),
                 plataforma::vbYesNo + plataforma::vbQuestion) == plataforma::vbYes) {
        configuracion.direccionweb = plataforma::recorta(configuracion.direccionweb);
        plataforma::abreDireccion(QStringLiteral("http://") + configuracion.direccionweb +
                                  QStringLiteral("/tienda/Product_list_C)%20%20%20%20%20%20%20EXTRAS%20PARA"
                                                 "%20LOS%20PROGRAMAS_1.html"));
      }
      return;
    }
    const QString datos = e.ruta + QStringLiteral("numeros.dat");
    if (mismoArchivo(dialogo.FileName, datos)) {
      MsgBox(QString::fromUtf8("El archivo elegido es el propio archivo de sorteos del programa. Elija "
                               "otro archivo NUMEROS.DAT."),
             plataforma::vbExclamation, titulo);
      return;
    }
    // The draws are checked whole before anything changes: a file that fails leaves the program
    // working on its own draws as they were.
    const Importacion importacion = revisaImportacion(leeEntero(dialogo.FileName),
                                                      plataforma::oleDe(plataforma::hoy()));
    if (importacion.revision != Revision::Valido) {
      const QString porque = motivo(importacion);
      MsgBox(QString::fromUtf8(NO_VALIDO) + (porque.isEmpty() ? QString() : QStringLiteral("\r\n") + porque),
             plataforma::vbExclamation, titulo);
      return;
    }
    // The chosen file may be numeros.bak itself: it was read before the copy replaces it. A file
    // of the older layout comes in converted, so the draws shown at once are the right ones.
    plataforma::reemplazaArchivo(e.ruta + QStringLiteral("numeros.bak"), temporalSorteos(),
                                 archivos().contenido(ARCH_NUMEROS));
    cuentas::reemplazaSorteos(importacion.contenido);
  } catch (const plataforma::Error& error) {
    // numeros.bak, apuestas.dat or numeros.dat could not be written: the disk, not the chosen
    // file, is at fault. The syndicates may have been written before the draws failed: the check
    // counts again what they gave back.
    if (avisoescritura(error)) {
      compruebasencillas(HScroll1->value());
      refrescaaciertos();
      return;
    }
    MsgBox(QString::fromUtf8(NO_VALIDO) + detalleImportacion(error), plataforma::vbExclamation, titulo);
    return;
  }
  MsgBox(QString::fromUtf8("Archivo de sorteos importado con éxito"), plataforma::vbInformation,
         QStringLiteral("Todos los sorteos"));
  sorteoscambiados();
}

void Principal::Command5_Click() {
  if (!permiteCambios()) return;
  Estado& e = estado();
  borrasorteos = 1;
  try {
    if (MsgBox(QString::fromUtf8("¿Seguro que quieres borrar todos los sorteos?"),
               plataforma::vbYesNo + plataforma::vbQuestion, QStringLiteral("Borrar...")) == plataforma::vbYes &&
        permiteCambiarSorteos()) {
      reescribeArchivo(ARCH_NUMEROS, Sorteo::LONGITUD, temporalSorteos(), QByteArray());
      sorteoscambiados();
    }
    if (MsgBox(QString::fromUtf8("¿Quiere borrar también los aciertos de las peñas?. Si ha borrado los "
                                 "sorteos, se aconseja que se resetee también los resultados de las peñas "
                                 "y la fecha de creación pasará a ser la de hoy."),
               plataforma::vbYesNo + plataforma::vbQuestion, QStringLiteral("Borrar...")) == plataforma::vbYes) {
      // Every syndicate at once: a failure half-way must not leave some reset and some not.
      using namespace desplazamiento;
      QByteArray penas = archivos().contenido(ARCH_APUESTAS);
      const double hoy = plataforma::oleDe(plataforma::hoy());
      for (qint64 k = 0; k < penas.size() / Pena::LONGITUD; ++k) {
        char* r = penas.data() + k * Pena::LONGITUD;
        std::fill(r + PENA_ACIERTOS, r + PENA_ACIERTOS + 10, '\0');
        qToLittleEndian<double>(hoy, r + PENA_CREACION);
        qToLittleEndian<double>(0.0, r + PENA_COMPROBADO);
      }
      reescribeArchivo(ARCH_APUESTAS, Pena::LONGITUD, e.ruta + QStringLiteral("apuestas.tmp"), penas);
      // Every view shows the syndicates as they now stand: the check view lists no prize of a draw
      // before their new creation date. The scroll bar comes back to the newest draw quietly, so
      // that the check runs once, after the panel is counted again.
      const bool quieto = HScroll1->blockSignals(true);
      HScroll1->setValue(1);
      HScroll1->blockSignals(quieto);
      Text3->setText(QStringLiteral("1"));
      ListView4->Clear();
      estadosorteos();
      refrescavistas();
    }
  } catch (const plataforma::Error& error) {
    avisoescritura(error);
  }
}

void Principal::ListView3_ItemClick(int Index) {
  Estado& e = estado();
  if (borrasorteos != 1) return;
  if (!permiteCambios() || !permiteCambiarSorteos()) return;
  if (MsgBox(QString::fromUtf8("¿Seguro que quieres eliminar este sorteo?"),
             plataforma::vbYesNo + plataforma::vbQuestion, QStringLiteral("Borrar...")) != plataforma::vbYes)
    return;
  // The draw the row shows, whatever filters chose the rows; a row naming no stored draw deletes
  // nothing.
  if (Index < 1 || Index > int(sorteoslistados.size())) return;
  const int r = sorteoslistados[Index - 1];
  const qint64 guardados = archivos().registros(ARCH_NUMEROS);
  if (r < 1 || r > guardados) return;
  try {
    QByteArray sorteos = archivos().contenido(ARCH_NUMEROS);
    sorteos.remove(qint64(r - 1) * Sorteo::LONGITUD, Sorteo::LONGITUD);
    cuentas::reemplazaSorteos(sorteos);
  } catch (const plataforma::Error& error) {
    avisoescritura(error);
    // The syndicates may have been written before the draws failed: the check counts again what
    // they gave back.
    compruebasencillas(HScroll1->value());
    refrescaaciertos();
    return;
  }
  // The rows below move up, and the draws after the deleted one down one record.
  if (ListView3) ListView3->Remove(Index);
  sorteoslistados.erase(sorteoslistados.begin() + (Index - 1));
  for (int& registro : sorteoslistados)
    if (registro > r) --registro;
  --e.numsorteos;
  sorteoscambiados();
}

void Principal::sorteoscambiados() {
  estadosorteos();
  // The check view, the prize counters, the statistics and the generator's summary all stand on
  // the draws: none of them keeps showing one that is gone, or misses one that came.
  refrescavistas();
  resumensorteos();
}
