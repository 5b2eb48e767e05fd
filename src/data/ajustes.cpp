#include "ajustes.h"

#include <cmath>

#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "data/mantenimiento.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/texto.h"

using plataforma::fijo;
using plataforma::recorta;

using plataforma::sinErrores;

namespace {

// A settings file that is not one whole record: every field it holds whole is kept as it stands,
// and only the fields it does not reach take their defaults. Bytes past the record are not part
// of it.
Configuracion deUnaParte(const QByteArray& bytes) {
  const Configuracion leida = Configuracion::decodifica(bytes.left(Configuracion::LONGITUD));
  const auto entero = [&](int desde, int ancho) { return bytes.size() >= desde + ancho; };
  Configuracion c;
  c.precio = 1.0f;
  c.meses = 24;
  c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
  if (entero(0, 2)) c.reservado1 = leida.reservado1;
  if (entero(2, 4)) c.correccionx = leida.correccionx;
  if (entero(6, 4)) c.correcciony = leida.correcciony;
  if (entero(10, 2)) c.reservado2 = leida.reservado2;
  if (entero(12, 4)) c.precio = leida.precio;
  if (entero(16, 2)) c.meses = leida.meses;
  if (entero(18, 60)) c.direccionweb = leida.direccionweb;
  if (entero(78, 8)) c.reservado3 = leida.reservado3;
  return c;
}

}  // namespace

Configuracion cargaConfiguracion(const QString& ruta) {
  const QString nombre = ruta + QStringLiteral("nums.ini");
  Configuracion c;
  bool falta = false;
  try {
    plataforma::longitudArchivo(nombre);
  } catch (const plataforma::Error&) {
    falta = true;
  }
  // Repairs are written once, at the end: record 1 in place when the file is one whole record,
  // otherwise the whole file replaced by that record alone.
  bool entero = true;
  bool reparado = false;

  abreDatos(ARCH_NUMS_INI, nombre, plataforma::Acceso::Aleatorio, Configuracion::LONGITUD);
  if (falta) {
    c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
    reparado = true;
  } else {
    sinErrores([&] {
      const QByteArray bytes = plataforma::archivos().contenido(ARCH_NUMS_INI);
      entero = bytes.size() == Configuracion::LONGITUD;
      c = entero ? leeConfiguracionArchivo() : deUnaParte(bytes);
    });
    // A field with no blank at all was never written (it holds NULs) or is garbage.
    QString host = recorta(c.direccionweb);
    c.direccionweb = fijo(host, 60);
    if (host.size() == 60) {
      c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
      reparado = true;
    }
    host = recorta(c.direccionweb);
    c.direccionweb = fijo(host, 60);
    if (host == QLatin1String(DIRECCION_WEB_ANTIGUA)) {
      c.direccionweb = fijo(QString::fromLatin1(DIRECCION_WEB), 60);
      reparado = true;
    }
  }
  if (reparaPrecio(c)) reparado = true;
  // A full disk or a failing one is told; settings that may not be written are told with the rest
  // of the read-only data, once start-up knows.
  const auto guarda = [](auto paso) {
    try {
      paso();
    } catch (const plataforma::Error& error) {
      if (error.numero() != plataforma::ERR_ACCESO) avisoescritura(error);
    }
  };
  if (!entero) {
    guarda([&] {
      reescribeArchivo(ARCH_NUMS_INI, Configuracion::LONGITUD, ruta + QStringLiteral("nums.tmp"), c.codifica());
    });
  } else if (reparado) {
    guarda([&] { escribeConfiguracionArchivo(c); });
  }
  return c;
}

bool reparaPrecio(Configuracion& c) {
  // A price that is not a number cannot have been meant: it counts as unset, like 0.
  if (c.precio == 0 || !std::isfinite(c.precio)) {
    c.precio = 1.0f;
    c.meses = 24;
    return true;
  }
  if (c.precio < 0 || c.precio > PRECIO_MAXIMO) {
    c.precio = 1.0f;
    return true;
  }
  return false;
}

Configuracion configuracionGuardada() {
  Configuracion c;
  sinErrores([&] { c = leeConfiguracionArchivo(); });
  reparaPrecio(c);
  return c;
}
