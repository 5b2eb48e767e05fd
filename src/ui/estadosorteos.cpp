// The draws status panel: how many draws are stored, the newest and the next draw, and how stale
// the data is.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTimer>
#include <QCheckBox>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "ui/Principal.h"

using plataforma::archivos;
using plataforma::fechaDe;
using plataforma::hoy;
using plataforma::oleDe;

namespace {

// "Lunes, 3 de marzo del 2025".
QString fechaLarga(double fecha) {
  const QDate d = fechaDe(fecha);
  return diasemana(fecha) + QStringLiteral(", ") + QString::number(d.day()) + QStringLiteral(" de ") +
         plataforma::nombreMes(d.month()) + QStringLiteral(" del ") + QString::number(d.year());
}

// Whether some syndicate, scanned from the first record, plays this draw.
bool alguienJuega(const Sorteo& s) {
  for (qint64 j = 1;; ++j) {
    const Pena& p = leePena(j);
    if (archivos().fin(ARCH_APUESTAS)) return false;
    if (juega(p.dias, s.fecha) && s.fecha >= p.fechacreacion) return true;
  }
}

}  // namespace

void Principal::estadosorteos() {
  Estado& e = estado();
  e.numsorteos = 0;
  sorteosjugados = 0;
  // Without an open draws file (start-up could not open it) the panel shows an empty file.
  try {
    sorteo = leeSorteo(1);
    while (!archivos().fin(ARCH_NUMEROS)) {
      ++e.numsorteos;
      sorteo = leeSorteo(e.numsorteos);
      if (archivos().fin(ARCH_NUMEROS)) break;
      if (archivos().abierto(ARCH_APUESTAS) && alguienJuega(sorteo)) ++sorteosjugados;
    }
  } catch (const plataforma::Error&) {
    sorteo = Sorteo{};
    e.numsorteos = 0;
  }
  if (e.numsorteos != 0)
    sorteo = ultimoSorteo();
  else
    e.numsorteos = 1;

  if (sorteo.fecha == 0) {
    Label9[3]->setText(QStringLiteral("Fichero de datos vacío."));
    Check1->setEnabled(false);
    Check2->setEnabled(false);
  } else {
    Label9[3]->setText(fechaLarga(sorteo.fecha));
    Check1->setEnabled(true);
    Check2->setEnabled(true);
  }

  if (e.numsorteos != 1) {
    HScroll1->setEnabled(true);
    HScroll1->setMaximum(e.numsorteos - 1);
  } else {
    HScroll1->setEnabled(false);
  }

  QDate d = hoy();
  if (oleDe(d) == sorteo.fecha) d = d.addDays(1);
  while (true) {
    const QString dia = diasemana(oleDe(d));
    if (dia == QStringLiteral("Lunes") || dia == QString::fromUtf8("Sábado") ||
        dia == QStringLiteral("Jueves"))
      break;
    d = d.addDays(1);
  }
  Label9[5]->setText(fechaLarga(oleDe(d)));

  const qint64 faltan = hoy().daysTo(d);
  Label9[7]->setText(faltan == 0 ? QString::fromUtf8("¡Hoy sorteo!")
                                 : QStringLiteral("Faltan %1 días").arg(faltan));

  const QDate ultimo = fechaDe(sorteo.fecha);
  const qint64 antiguedad = ultimo.isValid() ? ultimo.daysTo(hoy()) : 0;
  if (antiguedad <= 7) {
    Timer2->stop();
    Label9[6]->hide();
  } else {
    Timer2->start();
    if (antiguedad < 16)
      Label9[6]->setText(QStringLiteral("Falta 1 semana por actualizar"));
    else if (sorteo.fecha == 0)
      Label9[6]->setText(QStringLiteral("No se ha actualizado nunca"));
    else
      Label9[6]->setText(QStringLiteral("Faltan %1 semanas por actualizar").arg(antiguedad / 7));
  }
  listapenas();
}

void Principal::HScroll1_Change() {
  Text3->setText(QString::number(HScroll1->value()));
  Text3->repaint();
  // While a download stores its draws it refreshes the views itself.
  if (ProgressBar1->value() != 3) refrescavistas();
}

void Principal::HScroll1_Scroll() { Text3->setText(QString::number(HScroll1->sliderPosition())); }

void Principal::Timer2_Timer() { Label9[6]->setVisible(Label9[6]->isHidden()); }
