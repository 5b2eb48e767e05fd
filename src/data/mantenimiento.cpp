#include "data/mantenimiento.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/ayudas.h"
#include "data/estado.h"
#include "data/registros.h"
#include "plataforma/archivos.h"
#include "plataforma/msgbox.h"
#include "plataforma/error.h"
#include "plataforma/reemplazo.h"

using plataforma::archivos;

namespace {

// How many of the first records decide the layout of a draws file.
constexpr qint64 EXAMINADOS = 12;

bool numerosPosibles(const Sorteo& s) {
  std::array<bool, 50> visto{};
  for (int i = 1; i <= 7; ++i) {
    const int n = i <= 6 ? s.ganadores[i] : s.complementario;
    if (n < 1 || n > 49 || visto[n]) return false;
    visto[n] = true;
  }
  if (s.reintegro < -1 || s.reintegro > 9) return false;
  // -1 no Joker, 0 a draw converted from the older layout, otherwise a number of seven digits.
  return s.joker == -1 || (s.joker >= 0 && s.joker <= 9999999 && s.joker == std::floor(s.joker));
}

bool diaDeSorteo(double fecha) {
  const QString d = diasemana(fecha);
  return d == QStringLiteral("Lunes") || d == QStringLiteral("Jueves") || d == QString::fromUtf8("Sábado");
}

// A record that can be a stored draw: possible numbers, and a date a draw can have.
bool sorteoPosible(const Sorteo& s) { return numerosPosibles(s) && sorteoReal(s); }

}  // namespace

void reescribeArchivo(int numero, int longitud, const QString& temporal, const QByteArray& contenido) {
  auto& a = archivos();
  const QString ruta = a.ruta(numero);
  plataforma::reemplazaArchivo(ruta, temporal, contenido);
  // The number still holds the file that was replaced.
  a.cierra(numero);
  a.abre(numero, ruta, plataforma::Acceso::Aleatorio, longitud);
}

bool esFormatoAntiguo(const QByteArray& archivo) {
  // The first records read both ways. Read with the wrong length, a record starts inside another:
  // the numbers of a 24-byte file read as 32-byte records take a Joker from the next record's
  // numbers and then a date's bytes; a 32-byte file read as 24-byte records meets its own Jokers
  // and dates where the numbers should be, and only one record in four lines up. So the right
  // length gives real draws where the wrong one gives at most a quarter, whatever the size, and a
  // cut last record decides nothing.
  const qint64 antiguos = std::min<qint64>(EXAMINADOS, archivo.size() / LONGITUD_ANTIGUA);
  const qint64 actuales = std::min<qint64>(EXAMINADOS, archivo.size() / Sorteo::LONGITUD);
  int reales24 = 0, reales32 = 0;
  for (qint64 i = 0; i < antiguos; ++i)
    if (sorteoPosible(Sorteo::decodifica(archivo.mid(i * LONGITUD_ANTIGUA, LONGITUD_ANTIGUA)))) ++reales24;
  for (qint64 i = 0; i < actuales; ++i)
    if (sorteoPosible(Sorteo::decodifica(archivo.mid(i * Sorteo::LONGITUD, Sorteo::LONGITUD)))) ++reales32;
  return 2 * reales24 > antiguos && reales24 > reales32;
}

QByteArray convierteAntiguo(const QByteArray& antiguo) {
  const qint64 n = antiguo.size() / LONGITUD_ANTIGUA;
  QByteArray nuevo;
  nuevo.reserve(n * Sorteo::LONGITUD);
  for (qint64 i = 0; i < n; ++i) {
    nuevo.append(antiguo.constData() + i * LONGITUD_ANTIGUA, LONGITUD_ANTIGUA);
    nuevo.append(QByteArray(Sorteo::LONGITUD - LONGITUD_ANTIGUA, '\0'));
  }
  return nuevo;
}

Importacion revisaImportacion(const QByteArray& bytes, double hoy) {
  Importacion r;
  if (bytes.isEmpty()) return r;
  if (esFormatoAntiguo(bytes)) {
    r.contenido = convierteAntiguo(bytes);
  } else if (bytes.size() % Sorteo::LONGITUD == 0) {
    r.contenido = bytes;
  } else if (bytes.size() % LONGITUD_ANTIGUA == 0) {
    r.contenido = convierteAntiguo(bytes);
  } else {
    r.revision = Revision::Tamano;
    return r;
  }
  const qint64 n = r.contenido.size() / Sorteo::LONGITUD;
  double anterior = 0;
  for (qint64 i = 1; i <= n; ++i) {
    const Sorteo s = Sorteo::decodifica(r.contenido.mid((i - 1) * Sorteo::LONGITUD, Sorteo::LONGITUD));
    r.registro = int(i);
    if (i == 1) {
      const QString d = diasemana(s.fecha);
      if (!(s.fecha > 1) || (d != QStringLiteral("Jueves") && d != QString::fromUtf8("Sábado"))) {
        r.revision = Revision::PrimerSorteo;
        return r;
      }
    }
    if (!numerosPosibles(s)) {
      r.revision = Revision::Numeros;
      return r;
    }
    if (!(s.fecha > 1) || s.fecha >= hoy + 1 || !diaDeSorteo(s.fecha)) {
      r.revision = Revision::Fechas;
      return r;
    }
    if (i > 1 && !(s.fecha > anterior)) {
      r.revision = Revision::Orden;
      return r;
    }
    anterior = s.fecha;
  }
  r.revision = Revision::Valido;
  r.registro = 0;
  return r;
}

QString motivo(const Importacion& i) {
  const QString n = QString::number(i.registro);
  switch (i.revision) {
    case Revision::Vacio:
      return QString::fromUtf8("El archivo está vacío.");
    case Revision::Tamano:
      return QString::fromUtf8("Su tamaño no corresponde a un número exacto de sorteos.");
    case Revision::Numeros:
      return QString::fromUtf8("El sorteo número %1 tiene números imposibles.").arg(n);
    case Revision::Fechas:
      return QString::fromUtf8("El sorteo número %1 tiene una fecha imposible.").arg(n);
    case Revision::Orden:
      return QString::fromUtf8("El sorteo número %1 no es posterior al anterior.").arg(n);
    case Revision::Valido:
    case Revision::PrimerSorteo:
      break;
  }
  return {};
}

QString avisoSinConvertir() {
  return QString::fromUtf8("No se ha podido convertir el fichero de sorteos: %1.\r\nSus sorteos se muestran como "
                           "están, pero no se añaden, importan ni borran sorteos hasta que se pueda "
                           "convertir. Libere espacio en el disco o dé permiso de escritura en la carpeta "
                           "del programa y vuelva a abrirlo.")
      .arg(estado().sinconvertir);
}

bool permiteCambiarSorteos() {
  if (estado().sinconvertir.isEmpty()) return true;
  plataforma::MsgBox(avisoSinConvertir(), plataforma::vbExclamation, QString::fromUtf8("¡Vaya hombre!"));
  return false;
}

qint64 maximoImportable(double hoy) {
  const qint64 dias = std::isfinite(hoy) && hoy > 0 ? qint64(std::min(hoy, 3e6)) : 0;
  return (dias / 7 + 1) * 3 * Sorteo::LONGITUD;
}

QByteArray leeImportable(const QString& ruta, double hoy) {
  using plataforma::Error;
  // Opened without waiting, so that a pipe cannot hold the program; what it is, is asked of the
  // file opened, not of its name.
  const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR)
      throw Error(plataforma::ERR_NO_ENCONTRADO, QString::fromUtf8("No se encuentra el archivo elegido."));
    if (errno == EACCES || errno == EPERM)
      throw Error(plataforma::ERR_PERMISO, QString::fromUtf8("No hay permiso para leer el archivo elegido."));
    throw Error(plataforma::ERR_RUTA, QString::fromUtf8("No se puede abrir el archivo elegido."));
  }
  struct Cierre {
    int fd;
    ~Cierre() { ::close(fd); }
  } cierre{fd};
  struct stat datos {};
  if (::fstat(fd, &datos) != 0)
    throw Error(plataforma::ERR_RUTA, QString::fromUtf8("No se puede leer el archivo elegido."));
  if (S_ISDIR(datos.st_mode))
    throw Error(plataforma::ERR_MODO_ARCHIVO, QString::fromUtf8("El archivo elegido es una carpeta."));
  if (!S_ISREG(datos.st_mode))
    throw Error(plataforma::ERR_MODO_ARCHIVO,
                QString::fromUtf8("El archivo elegido no es un archivo de datos: es un dispositivo o una tubería."));
  const qint64 maximo = maximoImportable(hoy);
  const QString grande =
      QString::fromUtf8("El archivo elegido es demasiado grande para ser un archivo de sorteos.");
  if (datos.st_size > maximo) throw Error(plataforma::ERR_MEMORIA, grande);
  // The file may still grow while it is read: never more than one byte past the largest.
  QByteArray bytes(maximo + 1, '\0');
  qint64 leidos = 0;
  while (leidos < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + leidos, size_t(bytes.size() - leidos));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Error(plataforma::ERR_RUTA, QString::fromUtf8("No se puede leer el archivo elegido."));
    if (n == 0) break;
    leidos += n;
  }
  if (leidos > maximo) throw Error(plataforma::ERR_MEMORIA, grande);
  bytes.truncate(leidos);
  return bytes;
}

QString detalleImportacion(const plataforma::Error& error) {
  switch (error.numero()) {
    case plataforma::ERR_MODO_ARCHIVO:
    case plataforma::ERR_MEMORIA:
    case plataforma::ERR_PERMISO:
      return QStringLiteral("\r\n") + error.descripcion();
    default:
      return QStringLiteral(" Error ") + QString::number(error.numero());
  }
}
