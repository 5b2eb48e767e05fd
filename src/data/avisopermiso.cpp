#include "data/avisopermiso.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

#include "data/estado.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"

namespace {

// Start-up scopes open, and whether a failed write was told inside them.
int abiertos = 0;
bool avisado = false;

// Why a data file that is there could not be read.
QString motivoLectura(const QString& ruta) {
  struct stat datos {};
  if (::stat(QFile::encodeName(ruta).constData(), &datos) == 0) {
    if (S_ISDIR(datos.st_mode)) return QStringLiteral("es una carpeta, no un archivo");
    if (!S_ISREG(datos.st_mode)) return QStringLiteral("no es un archivo normal");
  }
  return QStringLiteral("no hay permiso para leerlo");
}

// What each data file holds, as the user knows it.
QString queGuarda(int numero) {
  switch (numero) {
    case ARCH_APUESTAS:
      return QString::fromUtf8("las peñas");
    case ARCH_NUMEROS:
      return QStringLiteral("los sorteos");
    case ARCH_NUMS_INI:
      return QString::fromUtf8("la configuración");
    default:
      return QStringLiteral("la última descarga de sorteos");
  }
}

}  // namespace

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

bool permiteCambios(bool& yaAvisado) {
  if (!estado().sololectura) return true;
  if (!yaAvisado) {
    yaAvisado = true;
    avisopermiso();
  }
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

bool avisoescritura(const plataforma::Error& error, const QString& consecuencia) {
  QString texto, titulo;
  switch (error.numero()) {
    case plataforma::ERR_DISCO_LLENO:
      titulo = QStringLiteral("Disco lleno");
      texto = QString::fromUtf8(
          "No se ha podido guardar: no queda espacio en el disco.\r\n"
          "Los datos que ya tenía no han cambiado. Libere espacio en el disco para que el programa "
          "pueda guardar los cambios.");
      break;
    case plataforma::ERR_ES_DISPOSITIVO:
      titulo = QStringLiteral("Error de escritura");
      texto = QString::fromUtf8(
          "No se ha podido guardar: error al escribir en el disco.\r\n"
          "Los datos que ya tenía no han cambiado. Compruebe el disco y repita la operación.");
      break;
    case plataforma::ERR_ACCESO:
      break;
    default:
      return false;
  }
  if (abiertos > 0 && avisado) return true;
  avisado = true;
  if (!texto.isEmpty() && !consecuencia.isEmpty()) texto += QStringLiteral("\r\n") + consecuencia;
  if (texto.isEmpty())
    avisopermiso();
  else
    plataforma::MsgBox(texto, plataforma::vbExclamation, titulo);
  return true;
}

UnSoloAviso::UnSoloAviso() {
  if (abiertos++ == 0) avisado = false;
}

UnSoloAviso::~UnSoloAviso() {
  if (--abiertos == 0) avisado = false;
}

void abreDatos(int numero, const QString& ruta, plataforma::Acceso acceso, int longitud) {
  auto& a = plataforma::archivos();
  // A folder, a device or a pipe of that name is never opened: a pipe would wait for a writer and
  // a device could be read for ever.
  struct stat datos {};
  const bool existe = ::stat(QFile::encodeName(ruta).constData(), &datos) == 0;
  if (!existe || S_ISREG(datos.st_mode)) {
    plataforma::sinErrores([&] { a.abre(numero, ruta, acceso, longitud); });
    if (a.abierto(numero) || !QFileInfo::exists(ruta)) return;
  }
  plataforma::sinErrores([&] { a.abreSinDatos(numero, ruta, acceso, longitud); });
}

bool avisolectura() {
  QStringList lineas;
  for (int numero : {ARCH_APUESTAS, ARCH_NUMEROS, ARCH_NUMS_INI, ARCH_WWW}) {
    if (!plataforma::archivos().sinDatos(numero)) continue;
    const QString ruta = plataforma::archivos().ruta(numero);
    lineas << QString::fromUtf8("No se puede leer %1, el archivo de %2: %3.")
                  .arg(QFileInfo(ruta).fileName(), queGuarda(numero), motivoLectura(ruta));
  }
  if (lineas.isEmpty()) return false;
  lineas << QString::fromUtf8(
      "El programa sigue sin esos datos y no cambiará ningún archivo hasta que se corrija y se "
      "vuelva a abrir.");
  plataforma::MsgBox(lineas.join(QStringLiteral("\r\n")), plataforma::vbExclamation,
                     QStringLiteral("Error de lectura"));
  return true;
}
