// Download of the new draws: the request is made at once when the user clicks, and the one-second
// timer takes the answer through storing, parsing and refreshing every view, watching two time-outs.
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>

#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/red.h"
#include "plataforma/reemplazo.h"
#include "plataforma/texto.h"
#include "retrieval/Infor.h"
#include "ui/Principal.h"

using plataforma::archivos;

namespace {

const QString CONECTANDO = QStringLiteral("CONECTANDO AL SERVIDOR");
const QString NO_CONECTADO = QString::fromUtf8(
    "No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya que no es "
    "posible conectar con el servidor de ONLAE.");
const QString ERROR_CONEXION = QString::fromUtf8("Error de conexión");

// The operator's draw search over the last 100 days, dates as yyyymmdd.
QString direccionBusqueda(const QDate& hoy) {
  const QString formato = QStringLiteral("yyyyMMdd");
  return QStringLiteral("https://www.loteriasyapuestas.es/servicios/buscadorSorteos?game_id=LAPR"
                        "&celebrados=true&fechaInicioInclusiva=") +
         hoy.addDays(-100).toString(formato) + QStringLiteral("&fechaFinInclusiva=") +
         hoy.toString(formato);
}

// The answer as www.txt keeps it: between double quotes, inner quotes doubled, then CR LF.
QByteArray formaGuardada(const QByteArray& respuesta) {
  QByteArray r = respuesta;
  r.replace('"', "\"\"");
  return '"' + r + "\"\r\n";
}

}  // namespace

void Principal::Baja_Click() { Picture2_Click(); }

void Principal::Picture2_Click() {
  if (Infor* infor = inforSiExiste(); infor && infor->isVisible()) return;
  // New draws could not be stored.
  if (!permiteCambios() || !permiteCambiarSorteos()) return;
  try {
    const QDate hoy = plataforma::hoy();
    pdfpedido = false;
    Label59->clear();
    paraparpadeo();
    avisopremio = 0;
    descargaInfor();
    errordatos = false;
    const QDate ultimo = plataforma::fechaDe(ultimoSorteo().fecha);
    if (ultimo.isValid() && hoy < ultimo) {
      plataforma::MsgBox(QString::fromUtf8(
                             "La fecha de tu ordenador parece incorrecta. Existen sorteos en la base "
                             "de datos con fechas porsteriores a la actual. Comprueba la fecha de tu "
                             "ordenador."),
                         plataforma::vbInformation, QStringLiteral("Error de fechas"));
      return;
    }
    segundos = 0;
    pasodescarga = 2;
    ProgressBar1->setValue(1);
    SSTab1->setCurrentIndex(0);
    Label6->setText(CONECTANDO);
    Label6->repaint();
    respuesta = trae(direccionBusqueda(hoy));
    RichTextBox1->setPlainText(plataforma::deAnsi(respuesta));
    Label58->setText(QString::number(respuesta.size()));
    if (respuesta.size() > 100) Label6->setText(QStringLiteral("BUSCANDO SORTEOS"));
    ++pasodescarga;
    Timer1->start();
  } catch (const plataforma::Error&) {
    // The window was closed while the request waited: the program is ending, and says nothing.
    if (principalSiExiste() != this) return;
    plataforma::MsgBox(NO_CONECTADO, plataforma::vbExclamation, ERROR_CONEXION);
    Timer1->stop();
    ProgressBar1->setValue(0);
    Label6->clear();
  }
}

QByteArray Principal::trae(const QString& URL) {
  Inet1->Cancel();
  Inet1->Protocol = 5;
  return Inet1->OpenURL(URL);
}

void Principal::Inet1_StateChanged(int State) { estadoinet = State; }

void Principal::Timer1_Timer() {
  ++segundos;
  if (Label6->text() == CONECTANDO && segundos == 5) {
    Inet1->Cancel();
    plataforma::MsgBox(NO_CONECTADO, plataforma::vbExclamation, ERROR_CONEXION);
    Timer1->stop();
    ProgressBar1->setValue(0);
    Label6->clear();
    return;
  }
  if (ProgressBar1->value() == 1 && segundos == 30) {
    Inet1->Cancel();
    plataforma::MsgBox(
        QString::fromUtf8("Problemas con el servidor. Tarda en responder. Pruebe más tarde..."),
        plataforma::vbExclamation, ERROR_CONEXION);
    Timer1->stop();
    ProgressBar1->setValue(0);
    Label6->clear();
  }
  // An error page of the server is no answer, however long it is.
  const bool respondio = Inet1->codigoHttp() >= 200 && Inet1->codigoHttp() < 300;
  if (!Inet1->StillExecuting() && Inet1->ResponseInfo().isEmpty() && respondio &&
      respuesta.size() > 100 && pasodescarga < 5) {
    segundos = 0;
    ProgressBar1->setValue(2);
    pasodescarga = 5;
    const QString ruta = estado().ruta + QStringLiteral("www.txt");
    // The answer replaces the last one whole, or not at all: a full disk keeps the last answer
    // and ends the download with its reason, before any draw is taken from a part of it.
    try {
      plataforma::reemplazaArchivo(ruta, estado().ruta + QStringLiteral("www.tmp"), formaGuardada(respuesta));
    } catch (const plataforma::Error& error) {
      avisoescritura(error);
      Timer1->stop();
      ProgressBar1->setValue(0);
      Label6->clear();
      pasodescarga = 0;
      return;
    }
    archivos().cierra(ARCH_WWW);
    plataforma::sinErrores([&] { archivos().abre(ARCH_WWW, ruta, plataforma::Acceso::Binario); });
    analizadatos();
  }
  if (pasodescarga == 5) {
    if (estadoinet != plataforma::icError) {
      pasodescarga = 7;
    } else {
      // The transfer reported an error after its answer was taken: the download ends here
      // rather than storing and parsing the same answer again on the next tick.
      Timer1->stop();
      ProgressBar1->setValue(0);
      Label6->clear();
      pasodescarga = 0;
      return;
    }
  }
  if (pasodescarga != 7) return;

  ProgressBar1->setValue(2);
  Timer1->stop();
  if (!errordatos) {
    ProgressBar1->setValue(3);
    Combo2->setCurrentIndex(-1);
    compruebasencillas(sorteosnuevos);
    if (sorteosnuevos != 0) {
      if (sorteosnuevos > 8) sorteosnuevos = 8;
      HScroll1->setValue(sorteosnuevos);
    }
    ProgressBar1->setValue(4);
    estadosorteos();
    cuentaperiodo();
    informesorteo(0);
    if (principalSiExiste() != this) return;  // closed while the document was fetched
    resumensorteos();
    Picture2->setPicture(ImageList1, 2);
  }
  Label6->setText(QStringLiteral("TRANSFERENCIA FINALIZADA"));
  SSTab1->setCurrentIndex(0);
  ProgressBar1->setValue(5);
  pasodescarga = 0;
}
