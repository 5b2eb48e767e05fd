#include "ajustes.h"

#include <cmath>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/texto.h"

using plataforma::fijo;
using plataforma::recorta;

using plataforma::sinErrores;

Configuracion cargaConfiguracion(const QString& ruta) {
  const QString nombre = ruta + QStringLiteral("nums.ini");
  Configuracion c;
  bool falta = false;
  try {
    plataforma::longitudArchivo(nombre);
  } catch (const plataforma::Error&) {
    falta = true;
  }
  auto graba = [&] { sinErrores([&] { escribeConfiguracionArchivo(c); }); };

  sinErrores([&] {
    plataforma::archivos().abre(ARCH_NUMS_INI, nombre, plataforma::Acceso::Aleatorio,
                                Configuracion::LONGITUD);
  });
  if (falta) {
    c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
    graba();
  } else {
    sinErrores([&] { c = leeConfiguracionArchivo(); });
    // A field with no blank at all was never written (it holds NULs) or is garbage.
    QString host = recorta(c.direccionweb);
    c.direccionweb = fijo(host, 60);
    if (host.size() == 60) {
      c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
      graba();
    }
    host = recorta(c.direccionweb);
    c.direccionweb = fijo(host, 60);
    if (host == QLatin1String(DIRECCION_WEB_ANTIGUA)) {
      c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
      graba();
    }
  }
  // A price that is not a number cannot have been meant: it counts as unset, like 0.
  if (c.precio == 0 || !std::isfinite(c.precio)) {
    c.precio = 1.0f;
    c.meses = 24;
    graba();
  }
  return c;
}
