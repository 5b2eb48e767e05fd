// The editor changing a stored syndicate: one bet shown at a time, every completed change written
// to record penaelegida at once.
//
// The navigator's handler is never entered twice: code that moves the navigator sets its value
// with signals blocked and then runs the move itself, once, so that each move reads and writes the
// record in a known order.
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"

using plataforma::MsgBox;
using plataforma::vbInformation;

void Crea::fijaNavegador(int valor) {
  {
    const QSignalBlocker bloqueo(HScroll1);
    HScroll1->setValue(valor);
  }
  HScroll1_Change();
}

// The navigator reaches only bets that a record can hold, whatever count a damaged record states.
void Crea::fijaMaximo(int maximo) {
  const QSignalBlocker bloqueo(HScroll1);
  HScroll1->setMaximum(std::clamp(maximo, 1, static_cast<int>(Pena::MAX_APUESTAS)));
}

void Crea::actualizaAnadir() { Command4->setEnabled(HScroll1->value() == HScroll1->maximum()); }

void Crea::HScroll1_Change() {
  if (estado().editando != 1) return;
  if (numerosesperados == marcados) {
    mueveApuesta();
  } else if (HScroll1->value() != apuestacargada) {
    const QString palabra = marcados < numerosesperados ? QStringLiteral("Faltan ") : QStringLiteral("Sobran ");
    if (HScroll1->maximum() > apuestacargada) {
      const QSignalBlocker bloqueo(HScroll1);
      HScroll1->setValue(apuestacargada);
    }
    if (apuestaanadida == 0) {
      // The box opens inside the navigator's own handler: nothing that moves the navigator while
      // it is open may run this handler again (the box itself ends a held arrow's repeat).
      const QSignalBlocker bloqueo(HScroll1);
      MsgBox(QString::fromUtf8("¡¡ ") + palabra + QString::fromUtf8("números !!. Por favor, completa la apuesta."),
             vbInformation, QStringLiteral("Error"));
    } else if (++apuestaanadida >= 2) {
      // Leaving an added bet unfinished gives it up: nothing is written, and the count of bets goes
      // back to the one stored.
      apuestaanadida = 0;
      if (marcados != numerosesperados) {
        marcados = numerosesperados;
        mueveApuesta();
      }
    }
  }
  actualizaAnadir();
}

void Crea::mueveApuesta() {
  auto& e = estado();
  cambiado = 0;
  try {
    penatrabajo = leePena(e.penaelegida);
  } catch (const plataforma::Error&) {
  }
  const int valor = HScroll1->value();
  Text2->setText(QString::number(valor));
  e.numapuestas = valor - 1;
  penatrabajo.dias = diasElegidos();
  if (e.penaactual.tipo < 500) penatrabajo.tipo = static_cast<qint16>(HScroll1->maximum());
  if (apuestapendiente == 1) marcados = 0;
  actualizaapuesta(0);
  try {
    e.penaactual = leePena(e.penaelegida);
  } catch (const plataforma::Error&) {
  }
  e.penascambiadas = 1;
  Form_Load();
  // The opening may have brought the navigator back to the stored count (an added bet given up);
  // the next bet written must store that count, not the one of the bet that never was.
  if (e.penaactual.tipo < 500) penatrabajo.tipo = static_cast<qint16>(HScroll1->maximum());
}

void Crea::Command4_Click() {
  auto& e = estado();
  if (e.editando != 1) return;
  // The limit of the kind holds even before the first click has set it.
  const int limite = e.modalidad != 0 ? 1 : Pena::MAX_APUESTAS;
  if (e.numapuestas >= limite - 1) {
    if (e.modalidad == 0)
      MsgBox(QString::fromUtf8("Máximo de apuestas sencillas por peña : %1.").arg(limite), vbInformation,
             QStringLiteral("Error"));
    else
      MsgBox(QString::fromUtf8("No puedes añadir más apuestas. ¡¡ Oficialmente sólo se admite una combinación "
                               "por boleto cuando juegas a múltiples !! "),
             vbInformation, QStringLiteral("Error"));
    return;
  }
  if (numerosesperados != marcados) {
    MsgBox(QString::fromUtf8("¡¡ %1 números !!. Por favor, completa la apuesta.").arg(marcados), vbInformation,
           QStringLiteral("Error"));
    return;
  }
  Pena& p = e.penaactual;
  p.tipo = static_cast<qint16>(p.tipo + 1);
  if (p.tipo >= 1 && p.tipo <= Pena::MAX_APUESTAS) p.apuestas[p.tipo][1] = 0;
  fijaMaximo(HScroll1->maximum() + 1);
  apuestapendiente = 1;
  apuestaanadida = 1;
  fijaNavegador(HScroll1->value() + 1);
}

void Crea::eliminaApuesta() {
  auto& e = estado();
  Pena& p = e.penaactual;
  const int mostrada = HScroll1->value();
  // An added bet that was never completed is not in the record: deleting it gives it up and
  // leaves every stored bet alone.
  if (mostrada > p.tipo && p.tipo < 500 && mostrada > 1) {
    apuestaanadida = 0;
    marcados = numerosesperados;
    fijaMaximo(p.tipo);
    fijaNavegador(mostrada - 1);
    return;
  }
  if (p.tipo <= 1 || p.tipo > 500) {
    MsgBox(QString::fromUtf8("¡¡ No puedes borrar todas las apuestas !!. Si quieres borrar la Peña, hazlo desde "
                             "la pestaña GESTOR DE PEÑAS."),
           vbInformation, QStringLiteral("Error"));
    return;
  }
  Pena nueva = p;
  const int ultima = std::min<int>(nueva.tipo, Pena::MAX_APUESTAS);
  nueva.reducida = 0;
  for (int j = 1; j <= Pena::MAX_BASE; ++j)
    for (int b = mostrada; b <= ultima - 1; ++b) nueva.apuestas[b][j] = nueva.apuestas[b + 1][j];
  nueva.apuestas[ultima][1] = 0;
  nueva.tipo = static_cast<qint16>(ultima - 1);
  if (!escribeTrabajo(nueva)) return;
  p = nueva;
  try {
    penatrabajo = leePena(e.penaelegida);
  } catch (const plataforma::Error&) {
  }
  marcados = numerosesperados;
  // The navigator ends at the new count, even after an added bet that kept it from following.
  fijaMaximo(p.tipo);
  if (mostrada != 1)
    fijaNavegador(mostrada - 1);
  else
    HScroll1_Change();
  if (HScroll1->maximum() == 1) Command4->setEnabled(true);
}
