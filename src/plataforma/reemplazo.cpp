#include "reemplazo.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "error.h"

namespace plataforma {

namespace {

std::function<void()>& antesDeRenombrar() {
  static std::function<void()> paso;
  return paso;
}

[[noreturn]] void sinAcceso() {
  throw Error(ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
}

QByteArray nativo(const QString& ruta) { return QFile::encodeName(ruta); }

// Writes what the system holds of a file or folder onto the disk.
bool aDisco(const QString& ruta, int banderas) {
  const int fd = ::open(nativo(ruta).constData(), banderas | O_CLOEXEC);
  if (fd < 0) return false;
  const bool bien = ::fsync(fd) == 0 || errno == EINVAL;  // some file systems cannot sync a folder
  ::close(fd);
  return bien;
}

qint64& espacioLibre() {
  static qint64 bytes = -1;
  return bytes;
}

int& falloSincronizacion() {
  static int codigo = 0;
  return codigo;
}

// What the disk holds of a file reaches it, or the reason why not (errno).
bool sincroniza(int fd) {
  if (falloSincronizacion() != 0) {
    errno = falloSincronizacion();
    return false;
  }
  return ::fsync(fd) == 0;
}

// Every byte, or the reason why not. The space left for tests counts down as a disk fills up.
void escribeTodo(int fd, const QByteArray& contenido) {
  qint64 hecho = 0;
  while (hecho < contenido.size()) {
    size_t pedido = size_t(contenido.size() - hecho);
    qint64& libre = espacioLibre();
    if (libre >= 0) {
      if (libre == 0) falloEscritura(ENOSPC);
      pedido = std::min<size_t>(pedido, size_t(libre));
    }
    const ssize_t n = ::write(fd, contenido.constData() + hecho, pedido);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) falloEscritura(errno);
    if (n == 0) falloEscritura(ENOSPC);
    if (libre >= 0) libre -= n;
    hecho += n;
  }
}

void escribeEntero(const QString& temporal, const QByteArray& contenido, mode_t permisos) {
  const int fd = ::open(nativo(temporal).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, permisos);
  // A full disk may have no room even for the new name.
  if (fd < 0 && (errno == ENOSPC || errno == EDQUOT)) falloEscritura(errno);
  if (fd < 0) sinAcceso();
  try {
    escribeTodo(fd, contenido);
    // Written is not yet on disk: a full disk or a failing device may still say no here.
    if (!sincroniza(fd)) falloEscritura(errno);
  } catch (...) {
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0) falloEscritura(errno);
}

// The file a document chosen by its name is written to: a symbolic link leads to the file it names
// (which may not exist yet), so that the link stays and its file gets the document.
QString finalDe(const QString& destino) {
  QByteArray ruta = nativo(QFileInfo(destino).absoluteFilePath());
  for (int saltos = 0;; ++saltos) {
    struct stat datos {};
    if (::lstat(ruta.constData(), &datos) != 0 || !S_ISLNK(datos.st_mode)) return QFile::decodeName(ruta);
    if (saltos == 40) falloEscritura(ELOOP);
    QByteArray destinoEnlace(PATH_MAX, '\0');
    const ssize_t n = ::readlink(ruta.constData(), destinoEnlace.data(), size_t(destinoEnlace.size()));
    if (n < 0) falloEscritura(errno);
    destinoEnlace.truncate(n);
    if (!destinoEnlace.startsWith('/')) destinoEnlace = ruta.left(ruta.lastIndexOf('/') + 1) + destinoEnlace;
    ruta = destinoEnlace;
  }
}

}  // namespace

void falloEscritura(int codigo) {
  QString motivo;
  int numero = ERR_ES_DISPOSITIVO;
  switch (codigo) {
    case ENOSPC:
    case EDQUOT:
      numero = ERR_DISCO_LLENO;
      motivo = QStringLiteral("no queda espacio en el disco");
      break;
    case ENOENT:
    case ENOTDIR:
      numero = ERR_ACCESO;
      motivo = QStringLiteral("la carpeta del documento no existe");
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      numero = ERR_ACCESO;
      motivo = QStringLiteral("no se puede escribir en la carpeta del documento");
      break;
    case EISDIR:
      numero = ERR_ACCESO;
      motivo = QStringLiteral("el documento elegido es una carpeta");
      break;
    case ELOOP:
      numero = ERR_ACCESO;
      motivo = QStringLiteral("el enlace del documento no lleva a ningún archivo");
      break;
    default:
      motivo = QStringLiteral("error al escribir en el disco");
  }
  throw Error(numero, motivo);
}

qint64 espacioLibreFijado() { return espacioLibre(); }

void reservaEspacio(qint64 bytes) {
  qint64& libre = espacioLibre();
  if (libre < 0 || bytes <= 0) return;
  if (bytes > libre) falloEscritura(ENOSPC);
  libre -= bytes;
}

void fijaFalloSincronizacion(int codigo) { falloSincronizacion() = codigo; }

void guardaDocumento(const QString& destino, const QByteArray& contenido) {
  const QFileInfo final(finalDe(destino));
  // The permissions the document keeps or gets: the creation mask is read by setting it back at once.
  mode_t permisos = 0;
  struct stat datos {};
  if (::stat(nativo(final.absoluteFilePath()).constData(), &datos) == 0) {
    if (!S_ISREG(datos.st_mode)) falloEscritura(EISDIR);
    // The rename would need only the folder: a file the user protected is refused here. Root may
    // write anything, so a file without any write permission counts as protected for root too.
    if (::access(nativo(final.absoluteFilePath()).constData(), W_OK) != 0 || (datos.st_mode & 0222) == 0)
      throw Error(ERR_ACCESO, QStringLiteral("el archivo está protegido contra escritura"));
    permisos = datos.st_mode & 07777;
  } else {
    const mode_t mascara = ::umask(022);
    ::umask(mascara);
    permisos = 0666 & ~mascara;
  }
  QByteArray plantilla = nativo(final.absolutePath() + QStringLiteral("/.") + final.fileName() +
                                QStringLiteral(".XXXXXX"));
  const int fd = ::mkostemp(plantilla.data(), O_CLOEXEC);
  if (fd < 0) falloEscritura(errno);
  bool abierto = true;
  try {
    escribeTodo(fd, contenido);
    // The mode before the sync, so that it reaches the disk with the data.
    if (::fchmod(fd, permisos) != 0) falloEscritura(errno);
    // Written is not yet on disk: a full disk or a failing device may still say no here.
    if (!sincroniza(fd)) falloEscritura(errno);
    abierto = false;
    if (::close(fd) != 0) falloEscritura(errno);
  } catch (...) {
    if (abierto) ::close(fd);
    ::unlink(plantilla.constData());
    throw;
  }
  if (::rename(plantilla.constData(), nativo(final.absoluteFilePath()).constData()) != 0) {
    const int codigo = errno;
    ::unlink(plantilla.constData());
    falloEscritura(codigo);
  }
  aDisco(final.absolutePath(), O_RDONLY | O_DIRECTORY);
}

void fijaEspacioLibre(qint64 bytes) { espacioLibre() = bytes; }

void reemplazaArchivo(const QString& destino, const QString& temporal, const QByteArray& contenido) {
  const QFileInfo original(destino);
  mode_t permisos = 0644;
  if (original.exists()) {
    // A data file the user marked read-only stays as it is.
    if (::access(nativo(destino).constData(), W_OK) != 0) sinAcceso();
    struct stat datos {};
    if (::stat(nativo(destino).constData(), &datos) == 0) permisos = datos.st_mode & 07777;
  }
  try {
    // A leftover of an interrupted rewrite may be read-only; it is only a copy.
    ::unlink(nativo(temporal).constData());
    escribeEntero(temporal, contenido, permisos);
    // The creation mask may have narrowed them.
    ::chmod(nativo(temporal).constData(), permisos);
    if (antesDeRenombrar()) antesDeRenombrar()();
    if (::rename(nativo(temporal).constData(), nativo(destino).constData()) != 0) {
      if (errno == ENOSPC || errno == EDQUOT) falloEscritura(errno);
      sinAcceso();
    }
  } catch (...) {
    QFile::remove(temporal);
    throw;
  }
  // The rename itself reaches the disk with the folder; the data are safe either way.
  aDisco(original.absolutePath(), O_RDONLY | O_DIRECTORY);
}

void fijaAntesDeRenombrar(std::function<void()> paso) { antesDeRenombrar() = std::move(paso); }

}  // namespace plataforma
