#include "reemplazo.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
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

void escribeEntero(const QString& temporal, const QByteArray& contenido, mode_t permisos) {
  const int fd = ::open(nativo(temporal).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, permisos);
  if (fd < 0) sinAcceso();
  qint64 hecho = 0;
  bool bien = true;
  while (bien && hecho < contenido.size()) {
    const ssize_t n = ::write(fd, contenido.constData() + hecho, size_t(contenido.size() - hecho));
    if (n < 0 && errno == EINTR) continue;
    bien = n > 0;
    if (bien) hecho += n;
  }
  bien = bien && ::fsync(fd) == 0;
  if (::close(fd) != 0) bien = false;
  if (!bien) sinAcceso();
}

}  // namespace

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
    if (::rename(nativo(temporal).constData(), nativo(destino).constData()) != 0) sinAcceso();
  } catch (...) {
    QFile::remove(temporal);
    throw;
  }
  // The rename itself reaches the disk with the folder; the data are safe either way.
  aDisco(original.absolutePath(), O_RDONLY | O_DIRECTORY);
}

void fijaAntesDeRenombrar(std::function<void()> paso) { antesDeRenombrar() = std::move(paso); }

}  // namespace plataforma
