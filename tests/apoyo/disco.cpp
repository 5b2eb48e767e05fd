#include "apoyo/disco.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <map>

#include "plataforma/archivos.h"
#include "plataforma/reemplazo.h"

DiscoLleno::DiscoLleno(const CarpetaPrograma& carpeta, bool real) : ruta_(carpeta.ruta()), real_(real) {
  if (!real_) return;
  std::map<QString, QByteArray> archivos;
  for (const QString& n : QDir(ruta_).entryList(QDir::Files)) archivos[n] = carpeta.lee(n);
  listo_ = QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", ruta_}) == 0;
  if (!listo_) return;
  for (const auto& [nombre, bytes] : archivos) carpeta.escribe(nombre, bytes);
}

DiscoLleno::~DiscoLleno() {
  plataforma::fijaEspacioLibre(-1);
  if (!real_ || !listo_) return;
  plataforma::archivos().cierraTodos();
  QProcess::execute("umount", {"-l", ruta_});
}

void DiscoLleno::llena() {
  if (!real_) {
    plataforma::fijaEspacioLibre(0);
    return;
  }
  QFile relleno(ruta_ + RELLENO);
  if (!relleno.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return;
  const QByteArray bloque(4096, 'x');
  while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
  }
  // The last bytes that a block would not take.
  while (relleno.write(bloque.left(1)) == 1 && relleno.flush()) {
  }
}

void DiscoLleno::vacia() {
  if (!real_)
    plataforma::fijaEspacioLibre(-1);
  else
    QFile::remove(ruta_ + RELLENO);
}
