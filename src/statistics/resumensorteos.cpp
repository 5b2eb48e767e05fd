// The selection summary on the generator's first step: which draws the statistics cover, also
// written into the report table "Sorteos".
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/twips.h"
#include "statistics/textos.h"
#include "ui/Principal.h"

using plataforma::px;

void Principal::creaResumen(QWidget* marco) {
  Label21 = new QLabel(marco);
  Label21->setGeometry(px(240), px(1800), px(5220), px(1300));
  Label27 = new QLabel(marco);
  Label27->setGeometry(px(240), px(3240), px(5220), px(1000));
  for (QLabel* l : {Label21, Label27}) {
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  for (int i = 0; i < 2; ++i)
    connect(Image2[i], &plataforma::Imagen::Click, this, [this, i] { Image2_Click(i); });
}

namespace {

// A date the statistics never wrote goes in as no date.
QVariant fechaInforme(double ole) { return ole != 0 ? QVariant(plataforma::fechaDe(ole)) : QVariant(); }

// What is wrong with the database, as a sentence: the table without its row, or the database's own
// account (no such file, table or field).
QString motivoTabla(const plataforma::Error& error, const QString& tabla) {
  if (error.numero() == plataforma::ERR_BD_SIN_REGISTRO)
    return QString::fromUtf8("La tabla «%1» de la base de datos no tiene su fila.").arg(tabla);
  QString motivo = error.descripcion().trimmed();
  if (!motivo.endsWith(QLatin1Char('.'))) motivo += QLatin1Char('.');
  return motivo;
}

// The selection as the filter boxes, the months slider and the last count leave it.
Seleccion seleccionDe(const Principal& p) {
  auto marcada = [&p](int i) { return p.Check3[i] && p.Check3[i]->checkState() == Qt::Checked; };
  Seleccion s;
  s.todos = marcada(5);
  s.meses = p.Slider1[0]->value();
  s.lunes = marcada(9);
  s.jueves = marcada(0);
  s.sabado = marcada(1);
  s.dia1 = fechaInforme(p.fechasperiodo[1]).toDate();
  s.dia2 = fechaInforme(p.fechasperiodo[0]).toDate();
  s.sorteoscontados = p.sorteoscontados;
  return s;
}

}  // namespace

void Principal::resumensorteos() {
  cambiandofiltros = 0;
  const Resumen r = resumenSeleccion(seleccionDe(*this));
  // The summary tells the selection the boxes show, whether or not its row could be written: a
  // row left behind is written again before the report reads it.
  Label21->setText(r.Label21);
  Label27->setText(r.Label27);
  guardaresumen();
}

void Principal::guardaresumen() {
  // With read-only data the report table is left alone.
  if (estado().sololectura) return;
  const Resumen r = resumenSeleccion(seleccionDe(*this));
  plataforma::Conexion cn;
  plataforma::Recordset rs;
  try {
    cn.Open(plataforma::cadenaConexion(estado().ruta));
    rs.setCursorLocation(plataforma::adUseClient);
    rs.Open(QStringLiteral("Sorteos"), cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic,
            plataforma::adCmdTable);
    rs.setField(QStringLiteral("Dia2"), fechaInforme(fechasperiodo[0]));
    rs.setField(QStringLiteral("Dia1"), fechaInforme(fechasperiodo[1]));
    rs.setField(QStringLiteral("Total"), sorteoscontados);
    if (!r.Diasajugar.isEmpty()) rs.setField(QStringLiteral("Diasajugar"), r.Diasajugar);
    rs.Update();
    rs.Close();
    cn.Close();
    resumenpendiente = false;
  } catch (const plataforma::Error& error) {
    // The connection goes first, so that the recordset cannot write what it has not yet
    // written: the row stays as it was unless Update already ran.
    cn.Close();
    resumenpendiente = true;
    if (error.numero() == plataforma::ERR_BD_BLOQUEADA) {
      avisobloqueo();
      return;
    }
    if (avisoescritura(error)) return;
    // A damaged database stays damaged until the program is installed again: it is told once.
    const QString texto = QString::fromUtf8("No se ha podido guardar la selección para el informe estadístico "
                                            "(error %1). ").arg(error.numero()) +
                          motivoTabla(error, QStringLiteral("Sorteos")) +
                          QString::fromUtf8(" Reinstale el programa para que el informe la muestre.");
    if (texto == avisoresumen) return;
    avisoresumen = texto;
    plataforma::MsgBox(texto, plataforma::vbInformation, QStringLiteral("¡Error!"));
  }
}
