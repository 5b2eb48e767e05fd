#include "data/avisobloqueo.h"

#include <QDir>

#include "data/estado.h"
#include "plataforma/msgbox.h"

namespace {

int tareas = 0;
bool dicho = false;  // the held database was told in the work under way
QString consecuencia;

// The windows show what the record files hold; only the report tables wait, and every report
// writes them again before it is shown.
QString consecuenciaComun() {
  return QString::fromUtf8("Lo que se ve en pantalla está al día; los informes se pondrán al día en cuanto quede "
                           "libre.");
}

}  // namespace

TareaBD::TareaBD(const QString& propia) : anterior_(consecuencia) {
  if (tareas++ == 0) {
    dicho = false;
    consecuencia = consecuenciaComun();
  }
  if (!propia.isEmpty()) consecuencia = propia;
}

TareaBD::~TareaBD() {
  consecuencia = anterior_;
  if (--tareas == 0) dicho = false;
}

void avisobloqueo() {
  if (tareas > 0 && dicho) return;
  dicho = tareas > 0;
  const QString base = QDir::toNativeSeparators(estado().ruta + QStringLiteral("Bolvanta.mdb"));
  plataforma::MsgBox(QString::fromUtf8("Otro programa está usando la base de datos «%1». ").arg(base) +
                         (tareas > 0 ? consecuencia : consecuenciaComun()),
                     plataforma::vbExclamation, QStringLiteral("Base de datos ocupada"));
}
