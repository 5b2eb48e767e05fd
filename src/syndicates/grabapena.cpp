// Storing a new syndicate, the expansion of a reduced system, the replay of numbers onto the grid
// and the quick pick.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/reduccion.h"

using plataforma::MsgBox;
using plataforma::vbExclamation;
using plataforma::vbInformation;

namespace {
void avisaFallo(const plataforma::Error& error) {
  MsgBox(QString::fromUtf8("No se ha podido grabar la peña en apuestas.dat (error %1: %2).")
             .arg(error.numero())
             .arg(error.descripcion()),
         vbExclamation, QStringLiteral("Error"));
}
}  // namespace

void Crea::Command1_Click() {
  auto& e = estado();
  solonombre = 0;
  Command3->setEnabled(false);
  if (e.numapuestas == 0) e.numapuestas = 1;
  const double hoy = plataforma::oleDe(plataforma::hoy());
  try {
    if (leePena(1).fechacreacion > hoy) {
      MsgBox(QString::fromUtf8("¡¡¡No puede crear una peña con fecha anterior a una ya existente!!!. Borre dicha "
                               "peña antes de crear ésta."),
             vbExclamation, QStringLiteral("Error"));
      return;
    }
    if (e.numsorteos > 1 && leeSorteo(e.numsorteos - 1).fecha > hoy) {
      MsgBox(QString::fromUtf8("Hay sorteos con fecha posterior a la de la peña que intenta crear. Revise la "
                               "fecha de su ordenador. ¡No se puede crear una peña con fecha anterior a la del "
                               "último sorteo!"),
             vbExclamation, QStringLiteral("Error"));
      return;
    }
  } catch (const plataforma::Error& error) {
    avisaFallo(error);
    return;
  }
  if (Text1->text().isEmpty()) {
    solonombre = 1;
    MsgBox(QString::fromUtf8("¡¡¡No ha escrito el nombre de la peña!!!"), vbExclamation, QStringLiteral("Error"));
    return;
  }
  grabapena();
}

void Crea::grabapena() {
  auto& e = estado();
  penatrabajo.dias = diasElegidos();
  for (int k = 3; k <= 7; ++k) penatrabajo.aciertos[k] = 0;
  if (e.modalidad == 7 && !expandereducida()) return;
  if (e.modalidad == 0)
    penatrabajo.tipo = static_cast<qint16>(e.numapuestas);
  else if (e.modalidad == 7)
    penatrabajo.tipo = static_cast<qint16>(apuestasreducida);
  else
    penatrabajo.tipo = static_cast<qint16>(500 + e.modalidad);
  penatrabajo.fechacomprobado = 0;
  penatrabajo.fechacreacion = plataforma::oleDe(plataforma::hoy());
  penatrabajo.nombre = Text1->text();
  if (e.numpenas == 0) e.numpenas = 1;
  try {
    // The next free record of the file as it stands, however numpenas was left: a cursor behind
    // it would overwrite a syndicate, one beyond it would leave a blank record that counts as one.
    e.numpenas = static_cast<int>(plataforma::archivos().registros(ARCH_APUESTAS) + 1);
    escribePena(e.numpenas, penatrabajo);
  } catch (const plataforma::Error& error) {
    avisaFallo(error);
    return;
  }
  ++e.numpenas;
  e.penascambiadas = 1;
  if (e.solouna == 1) {
    if (Form_QueryUnload()) descargaCrea();
    return;
  }
  if (anchocolumna != 0) ListView5->fijaAnchoColumna(1, anchocolumna);
  fijaNombre(QString());
  numerosesperados = 0;
  e.numapuestas = 0;
  Form_Load();
}

// The system is read again from tablas.bin, from its start: the main window closes file 7
// whenever it becomes active, and the file may have changed since the editor opened. A system
// that no longer is the one chosen, or that the record cannot hold, stores nothing.
bool Crea::expandereducida() {
  TablaReducida tabla;
  QString motivo = leeSistemaElegido(tabla);
  if (motivo.isEmpty() && (tabla.totalnumeros != penatrabajo.reducida || tabla.garantia != penatrabajo.garantia ||
                           tabla.totalapuestas != apuestasreducida))
    motivo = QString::fromUtf8("La reducción de tablas.bin ya no es la que se eligió.");
  if (motivo.isEmpty()) motivo = expandeReducida(penatrabajo, tabla);
  if (!motivo.isEmpty()) {
    MsgBox(QString::fromUtf8("No se ha grabado la peña. ") + motivo, vbExclamation, QStringLiteral("Error"));
    return false;
  }
  return true;
}

void Crea::marcanumeros() {
  auto& e = estado();
  cambiosactivos = aleatorioedicion == 1 ? 1 : 0;
  const int n = (numerosporapuesta == 50 && e.editando == 1) ? numerosesperados : numerosporapuesta;
  const bool deLista = aleatorioedicion == 1 || e.editando == 0;
  const int apuesta = e.numapuestas + 1;
  for (int i = 1; i <= n; ++i) {
    if (limitealcanzado) break;
    int numero = 0;
    if (deLista)
      numero = i <= 49 ? e.listanumeros[i] : 0;
    else if (i <= Pena::MAX_BASE && apuesta >= 1 && apuesta <= Pena::MAX_APUESTAS)
      numero = e.penaactual.apuestas[apuesta][i];
    // An empty place ends the replay; so does a number no cell stands for.
    if (numero < 1 || numero > 49) break;
    Image1_Click(numero - 1);
  }
  cambiosactivos = 1;
  aleatorioedicion = 0;
}

void Crea::Command3_Click() {
  auto& e = estado();
  if (limiteapuestas != 0 && e.numapuestas == limiteapuestas) {
    MsgBox(QString::fromUtf8("Máximo de apuestas sencillas por peña : %1.").arg(limiteapuestas), vbInformation,
           QStringLiteral("Error"));
    return;
  }
  if (e.penaactual.tipo < 500) penatrabajo.tipo = static_cast<qint16>(HScroll1->maximum());
  int n = numerosporapuesta;
  if (e.editando == 1) {
    n = numerosesperados;
    aleatorioedicion = 1;
  }
  if (e.modalidad != 0) Command3->setEnabled(false);
  // Seeded from the clock as always; the count of picks keeps two presses within the same
  // clock reading from drawing the same numbers.
  const auto reloj = static_cast<std::uint64_t>(plataforma::ahora().time().msecsSinceStartOfDay());
  sorteaNumeros(e.listanumeros, n, reloj * 1000003u + static_cast<std::uint64_t>(++semillas_));
  marcados = 0;
  vaciaCuadricula();
  marcanumeros();
}
