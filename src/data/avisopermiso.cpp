#include "data/avisopermiso.h"

#include "plataforma/msgbox.h"

void avisopermiso() {
  plataforma::MsgBox(
      QString::fromUtf8("Para modificar el archivo necesita permiso de Administrador.\r\n"
                        "Cierre el programa y ejecútelo en modo Administrador y repita la operación.\r\n"
                        "(Encima del icono, botón derecho y elija \"Ejecutar como administrador\")"),
      plataforma::vbExclamation, QStringLiteral("Error de permiso"));
}
