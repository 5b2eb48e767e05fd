// The printed reports of the generator tab and the draw-report columns of the report database.
#include <QLabel>

#include "data/avisobloqueo.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "statistics/textos.h"
#include "ui/Principal.h"

using plataforma::sinErrores;

void Principal::Image2_Click(int Index) {
  if (Index != 0 && Index != 1) return;
  TareaBD tarea(QString::fromUtf8("No es posible mostrar el informe hasta que quede libre; inténtelo de nuevo "
                                  "dentro de un momento."));
  // A table that could not be written when its window changed is written now, so that the report
  // prints what the windows show; while the database is still held there is no report to show.
  if (Index == 0) {
    if (frasependiente) guardafrase();
    if (resumenpendiente) guardaresumen();
  } else if (fichapendiente) {
    // A syndicate that cannot be read again has been told about, and has no sheet to print.
    muestrapena(penamostrada);
    if (principalSiExiste() != this || fichapendiente) return;
  }
  if (tarea.retenida()) return;
  const QString ruta = estado().ruta;
  const QString nombre = Index == 0 ? QStringLiteral("Bolvanta.net") : QStringLiteral("Bolvanta1.net");
  int numero = 0;
  QString motivo;
  try {
    CrystalReport1.setDataFiles(1, ruta + QStringLiteral("Bolvanta.mdb"));
    CrystalReport1.setDestination(0);
    CrystalReport1.setReportFileName(ruta + nombre);
    CrystalReport1.setConnect(QStringLiteral("PWD=") + QLatin1String(plataforma::CLAVE_BD));
    CrystalReport1.setAction(1);
    return;
  } catch (const plataforma::Error& error) {
    numero = error.numero();
    motivo = error.descripcion();
  }
  if (tarea.retenida()) {
    avisobloqueo();
    return;
  }
  // The database failed while it was read: one more try, and a second failure is told like any
  // other.
  if (numero == informes::ERR_BASE_DATOS) {
    try {
      CrystalReport1.setAction(1);
      return;
    } catch (const plataforma::Error& error) {
      numero = error.numero();
      motivo = error.descripcion();
    }
  }
  // A report is already on its way.
  if (numero == informes::ERR_TRABAJO_EMPEZADO) return;
  QString texto = QStringLiteral("Error ") + QString::number(numero) +
                  QStringLiteral(". No es posible mostrar el informe. Si el error persiste, "
                                 "reinstalar el programa puede ser la solución.");
  // A layout that is missing, damaged or does not fit the database: what is wrong with it, so that
  // the reinstall the message suggests is not taken blindly.
  if ((numero == informes::ERR_NOMBRE_INFORME || numero == informes::ERR_ARCHIVO_INFORME) && !motivo.isEmpty())
    texto += QStringLiteral("\n\n") + motivo;
  plataforma::MsgBox(texto, plataforma::vbInformation, QStringLiteral("Error"));
}

// Nothing calls it, and no layout prints the prize and information columns it fills: a report
// shows only fields that some operation writes (the statistics write the newest draw's day into
// Letrero themselves). It is kept for the draw report it was meant for. Every step goes on after
// a failure, so a missing database or table leaves everything as it was.
void Principal::guardainforme() {
  plataforma::Conexion cn;
  plataforma::Recordset rs;
  sinErrores([&] { cn.Open(plataforma::cadenaConexion(estado().ruta)); });
  rs.setCursorLocation(plataforma::adUseClient);
  sinErrores([&] {
    rs.Open(QStringLiteral("Informe"), cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic,
            plataforma::adCmdTable);
  });
  const QString informacion = sinEtiquetas(urldocumento);
  sinErrores([&] { rs.setField(QStringLiteral("Letrero"), Label8->text()); });
  sinErrores([&] { rs.setField(QStringLiteral("Informacion"), informacion); });
  const char* const premios[] = {"Premio6", "Premio5c", "Premio5", "Premio4", "Premio3"};
  for (int i = 0; i < 5; ++i)
    sinErrores([&] { rs.setField(QLatin1String(premios[i]), Label10[i]->text()); });
  sinErrores([&] { rs.Update(); });
  sinErrores([&] { rs.Close(); });
  sinErrores([&] { cn.Close(); });
}
