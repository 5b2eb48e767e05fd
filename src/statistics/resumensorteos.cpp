// The selection summary on the generator's first step: which draws the statistics cover, also
// written into the report table "Sorteos".
#include <QCheckBox>
#include <QLabel>
#include <QSlider>

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

void Principal::resumensorteos() {
  cambiandofiltros = 0;
  auto marcada = [this](int i) { return Check3[i] && Check3[i]->checkState() == Qt::Checked; };
  // A date the statistics never wrote goes in as no date.
  auto fecha = [](double ole) { return ole != 0 ? QVariant(plataforma::fechaDe(ole)) : QVariant(); };
  Seleccion s;
  s.todos = marcada(5);
  s.meses = Slider1[0]->value();
  s.lunes = marcada(9);
  s.jueves = marcada(0);
  s.sabado = marcada(1);
  s.dia1 = fecha(fechasperiodo[1]).toDate();
  s.dia2 = fecha(fechasperiodo[0]).toDate();
  s.sorteoscontados = sorteoscontados;
  const Resumen r = resumenSeleccion(s);
  // With read-only data the report table is left alone; the summary is shown all the same.
  if (estado().sololectura) {
    Label21->setText(r.Label21);
    Label27->setText(r.Label27);
    return;
  }
  plataforma::Conexion cn;
  plataforma::Recordset rs;
  try {
    cn.Open(plataforma::cadenaConexion(estado().ruta));
    rs.setCursorLocation(plataforma::adUseClient);
    rs.Open(QStringLiteral("Sorteos"), cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic,
            plataforma::adCmdTable);
    rs.setField(QStringLiteral("Dia2"), fecha(fechasperiodo[0]));
    rs.setField(QStringLiteral("Dia1"), fecha(fechasperiodo[1]));
    rs.setField(QStringLiteral("Total"), sorteoscontados);
    if (!r.Diasajugar.isEmpty()) rs.setField(QStringLiteral("Diasajugar"), r.Diasajugar);
    rs.Update();
    rs.Close();
    cn.Close();
    // The captions change with the row, so that the summary on screen is the one the report
    // prints: a row that could not be written leaves both as they were.
    Label21->setText(r.Label21);
    Label27->setText(r.Label27);
  } catch (const plataforma::Error& error) {
    // The connection goes first, so that the recordset cannot write what it has not yet
    // written: the row stays as it was unless Update already ran.
    cn.Close();
    if (avisoescritura(error)) return;
    plataforma::MsgBox(QStringLiteral("Sistema operativo no actualizado. El programa no funcionará "
                                      "correctamente. Error ") +
                           QString::number(error.numero()),
                       plataforma::vbInformation, QStringLiteral("¡Error!"));
  }
}
