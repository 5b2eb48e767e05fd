#include "data/avisopermiso.h"

#include <QFileInfo>

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/msgbox.h"

void avisopermiso() {
  plataforma::MsgBox(
      QString::fromUtf8("Para modificar el archivo necesita permiso de Administrador.\r\n"
                        "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
                        "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")"),
      plataforma::vbExclamation, QStringLiteral("Error de permiso"));
}

bool permiteCambios() {
  if (!estado().sololectura) return true;
  avisopermiso();
  return false;
}

bool datosSoloLectura() {
  const QString ruta = estado().ruta;
  if (!plataforma::escribible(ruta)) return true;
  for (int numero : {ARCH_APUESTAS, ARCH_NUMEROS, ARCH_WWW, ARCH_NUMS_INI})
    if (plataforma::archivos().soloLectura(numero)) return true;
  // The report database is rewritten whenever a syndicate is shown.
  const QString informes = ruta + QStringLiteral("Bolvanta.mdb");
  return QFileInfo::exists(informes) && !plataforma::escribible(informes);
}
