#include "apoyo/inmutable.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Sets or clears the immutable flag; false with errno when the file system or the process cannot.
bool fijaInmutable(const QString& ruta, bool si) {
  const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  int banderas = 0;
  bool bien = ::ioctl(fd, FS_IOC_GETFLAGS, &banderas) == 0;
  if (bien) {
    banderas = si ? (banderas | FS_IMMUTABLE_FL) : (banderas & ~FS_IMMUTABLE_FL);
    bien = ::ioctl(fd, FS_IOC_SETFLAGS, &banderas) == 0;
  }
  const int error = errno;
  ::close(fd);
  errno = error;
  return bien;
}

}  // namespace

bool SoloLectura::protege(const QStringList& rutas) {
  for (const QString& ruta : rutas) {
    struct stat info{};
    if (::stat(QFile::encodeName(ruta).constData(), &info) != 0) {
      motivo_ = QStringLiteral("no existe %1").arg(ruta);
      return false;
    }
    if (fijaInmutable(ruta, true)) {
      protegidas_.push_back({ruta, true, info.st_mode});
      continue;
    }
    const QString porque = QString::fromLocal8Bit(std::strerror(errno));
    if (::geteuid() == 0) {
      // Root writes whatever the permissions say: only the immutable flag would stop it.
      motivo_ = QStringLiteral("no se puede marcar %1 como inmutable (%2) y root escribe en cualquier "
                               "archivo sin permiso de escritura")
                    .arg(ruta, porque);
      return false;
    }
    if (::chmod(QFile::encodeName(ruta).constData(), info.st_mode & ~(S_IWUSR | S_IWGRP | S_IWOTH)) != 0) {
      motivo_ = QStringLiteral("no se puede quitar el permiso de escritura de %1").arg(ruta);
      return false;
    }
    protegidas_.push_back({ruta, false, info.st_mode});
  }
  return true;
}

SoloLectura::~SoloLectura() {
  for (auto it = protegidas_.rbegin(); it != protegidas_.rend(); ++it) {
    if (it->inmutable)
      fijaInmutable(it->ruta, false);
    else
      ::chmod(QFile::encodeName(it->ruta).constData(), it->permisos);
  }
}
