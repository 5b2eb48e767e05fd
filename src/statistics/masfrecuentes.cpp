// The ranking of the numbers that the generator hands to the editor and leaves for the statistics
// report, the reduced systems of the chosen size and the figures of the system picked.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "statistics/clasificacion.h"
#include "syndicates/reduccion.h"
#include "ui/Principal.h"

bool Principal::masfrecuentes(int n) {
  auto& e = estado();
  const std::array<int, 50> veces = vecesDe(frecuencias1, frecuencias2);
  e.listanumeros = ordenaNumeros(veces);
  n = std::clamp(n, 0, 49);

  // The table is rewritten in one transaction: a failure half-way leaves it as it was. The write
  // lock is asked for first, so that another program writing the file is waited for.
  plataforma::Conexion cn;
  try {
    cn.Open(plataforma::cadenaConexion(e.ruta));
    cn.Execute(QStringLiteral("BEGIN IMMEDIATE"));
    plataforma::Recordset rs;
    rs.setCursorLocation(plataforma::adUseClient);
    rs.Open(QStringLiteral("Numeros"), cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic,
            plataforma::adCmdTable);
    while (!rs.EOF()) {
      rs.Delete();
      rs.MoveNext();
    }
    for (int k = 1; k <= n; ++k) {
      rs.AddNew();
      rs.setField(QStringLiteral("Numero"), int(e.listanumeros[k]));
      rs.setField(QStringLiteral("Veces"), veces[e.listanumeros[k]]);
      rs.Update();
    }
    rs.Close();
    cn.Execute(QStringLiteral("COMMIT"));
    cn.Close();
    return true;
  } catch (const plataforma::Error& error) {
    if (cn.abierta()) plataforma::sinErrores([&] { cn.Execute(QStringLiteral("ROLLBACK")); });
    if (error.numero() == plataforma::ERR_BD_BLOQUEADA) {
      avisobloqueo();
      return false;
    }
    // A full disk is told as every other write that found no room, and the ranking rolled back.
    if (avisoescritura(error, QString::fromUtf8("La clasificación de los números no se ha guardado en Bolvanta.mdb: "
                                                "puede seguir creando la peña, pero el informe estadístico "
                                                "no la mostrará.")))
      return false;
    // The database's own account is a sentence of its own, between the fact and what it means.
    QString motivo = error.descripcion().trimmed();
    if (!motivo.isEmpty() && !motivo.endsWith(QLatin1Char('.'))) motivo += QLatin1Char('.');
    if (!motivo.isEmpty()) motivo += QLatin1Char(' ');
    plataforma::MsgBox(QString::fromUtf8("No se ha podido guardar la clasificación de los números en "
                                         "Bolvanta.mdb (error %1). ")
                               .arg(error.numero()) +
                           motivo +
                           QString::fromUtf8("Puede seguir creando la peña, pero el informe estadístico "
                                             "no la mostrará."),
                       plataforma::vbExclamation, QStringLiteral("Error"));
    return false;
  }
}

void Principal::listatablas(int n) {
  auto& e = estado();
  Combo1->clear();
  Combo1->setPlaceholderText(QStringLiteral("Tablas disponibles"));
  std::vector<TablaReducida> tablas;
  plataforma::sinErrores([&] {
    abreTablas();
    tablas = cabecerasDeTablas();
  });
  e.sistemareducido = static_cast<int>(tablas.size());
  // A line beyond the room of ordentablas would have no system to open: it is not offered.
  const std::vector<int> ordinales = sistemasDe(tablas, n, static_cast<int>(ordentablas.size()));
  for (std::size_t c = 0; c < ordinales.size(); ++c) {
    const TablaReducida& t = tablas[ordinales[c]];
    ordentablas[c] = ordinales[c];
    Combo1->addItem(QString::fromUtf8("%1 números al %2, %3 apuestas.")
                        .arg(t.totalnumeros)
                        .arg(t.garantia)
                        .arg(t.totalapuestas));
  }
  Combo1->setCurrentIndex(-1);
  if (ordinales.empty()) {
    Combo1->setPlaceholderText(QString::fromUtf8("No hay tablas reducidas de %1 nºs.").arg(n));
  } else {
    Image3[0]->setEnabled(true);
    Image3[0]->setPicture(ImageList1, 6);
  }
  if (tablas.empty())
    Label51->setText(QString::fromUtf8("El archivo de tablas reducidas no es válido."));
  else
    Label51->setText(QString::fromUtf8("(Para crear reducidas, se han de elegir entre %1 y %2 números)")
                         .arg(tablas.front().totalnumeros)
                         .arg(tablas.back().totalnumeros));
}

void Principal::Combo1_Click() {
  auto& e = estado();
  const int linea = Combo1->currentIndex();
  if (linea < 0 || linea >= static_cast<int>(ordentablas.size())) return;
  TablaReducida t;
  try {
    // The main window closes file 7 whenever it becomes active again; it is read from its start.
    abreTablas();
    t = sistemaDeTablas(ordentablas[linea]);
  } catch (const plataforma::Error&) {
    plataforma::MsgBox(QString::fromUtf8("No se encuentra la reducción elegida en tablas.bin."),
                       plataforma::vbExclamation, QStringLiteral("Error"));
    return;
  }
  Frame9->hide();
  Frame10->show();
  e.modalidad = 7;
  e.solouna = 1;
  e.sistemareducido = ordentablas[linea];
  const int N = t.totalnumeros;
  Label43->setText(QString::fromUtf8("Si entre los %1 números seleccionados, se encuentran los 6 ganadores:").arg(N));
  // The guarantee, under "Asegura al 100% un premio de:".
  Label48->setText(QString::fromUtf8("%1 aciertos.").arg(t.garantia));
  const double C = combinaciones(N);
  Label47->setText(porcentajeSeis(t.totalapuestas, C));
  Label49->setText(QString::fromUtf8("Jugar a %1 números sin reducir, tendría que rellenar:").arg(N));
  Label50->setText(QString::number(C, 'f', 0) + QStringLiteral(" apuestas."));
}
