#include "archivos.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <unistd.h>

#include "error.h"
#include "reemplazo.h"
#include "texto.h"

namespace plataforma {

struct Archivos::Abierto {
  QFile archivo;
  Acceso acceso = Acceso::Aleatorio;
  qint64 longitud = 1;
  QByteArray datos;
  qint64 posicion = 0;  // next byte of text input or of a byte-access scan, 0-based
  bool fin = false;
  bool soloLectura = false;
  bool sinDatos = false;  // stands for a file that could not be read
  quint64 generacion = 0;
};

namespace {

// Writes at a position with one system call where QFile's seek, write and flush take three; the
// checks write records back by the ten thousand.
bool escribeEn(QFile& archivo, qint64 desde, const QByteArray& datos) {
  const int fd = archivo.handle();
  if (fd < 0) {
    errno = EIO;
    return archivo.seek(desde) && archivo.write(datos) == datos.size() && archivo.flush();
  }
  qint64 hecho = 0;
  while (hecho < datos.size()) {
    const ssize_t n = ::pwrite(fd, datos.constData() + hecho, size_t(datos.size() - hecho), off_t(desde + hecho));
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    hecho += n;
  }
  return true;
}

quint64 nuevaGeneracion() {
  static quint64 ultima = 0;
  return ++ultima;
}

[[noreturn]] void falla(int numero, const QString& texto) { throw Error(numero, texto); }

}  // namespace

Archivos::Archivos() = default;
Archivos::~Archivos() = default;

Archivos& archivos() {
  static Archivos unico;
  return unico;
}

Archivos::Abierto& Archivos::de(int numero) const {
  auto it = abiertos_.find(numero);
  if (it == abiertos_.end())
    falla(ERR_NUMERO_ARCHIVO, QStringLiteral("Nombre o número de archivo incorrecto"));
  return *it->second;
}

void Archivos::abre(int numero, const QString& ruta, Acceso acceso, int longitud) {
  if (abiertos_.count(numero)) falla(ERR_YA_ABIERTO, QStringLiteral("El archivo ya está abierto"));
  if (acceso == Acceso::Aleatorio && longitud < 1)
    falla(ERR_NUMERO_ARCHIVO, QStringLiteral("Longitud de registro incorrecta"));
  auto a = std::make_unique<Abierto>();
  a->archivo.setFileName(ruta);
  a->acceso = acceso;
  a->longitud = acceso == Acceso::Aleatorio ? longitud : 1;
  if (acceso == Acceso::Entrada) {
    if (!QFileInfo::exists(ruta)) falla(ERR_NO_ENCONTRADO, QStringLiteral("No se encontró el archivo"));
    if (!a->archivo.open(QIODevice::ReadOnly))
      falla(ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
  } else if (!a->archivo.open(QIODevice::ReadWrite)) {
    // What is there can still be read; only a missing file that cannot be created is an error.
    if (!QFileInfo(ruta).isFile() || !a->archivo.open(QIODevice::ReadOnly))
      falla(ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
    a->soloLectura = true;
  }
  a->datos = a->archivo.readAll();
  a->generacion = nuevaGeneracion();
  abiertos_[numero] = std::move(a);
}

void Archivos::abreSinDatos(int numero, const QString& ruta, Acceso acceso, int longitud) {
  if (abiertos_.count(numero)) falla(ERR_YA_ABIERTO, QStringLiteral("El archivo ya está abierto"));
  auto a = std::make_unique<Abierto>();
  a->archivo.setFileName(ruta);
  a->acceso = acceso;
  a->longitud = acceso == Acceso::Aleatorio && longitud > 0 ? longitud : 1;
  a->soloLectura = true;
  a->sinDatos = true;
  a->generacion = nuevaGeneracion();
  abiertos_[numero] = std::move(a);
}

bool Archivos::sinDatos(int numero) const {
  auto it = abiertos_.find(numero);
  return it != abiertos_.end() && it->second->sinDatos;
}

bool Archivos::abierto(int numero) const { return abiertos_.count(numero) != 0; }

bool Archivos::soloLectura(int numero) const {
  auto it = abiertos_.find(numero);
  return it != abiertos_.end() && it->second->soloLectura;
}

QString Archivos::ruta(int numero) const { return de(numero).archivo.fileName(); }

void Archivos::cierra(int numero) { abiertos_.erase(numero); }

void Archivos::cierraTodos() { abiertos_.clear(); }

QByteArray Archivos::lee(int numero, qint64 registro) {
  const char* r = this->registro(numero, registro);
  const qint64 longitud = de(numero).longitud;
  return r ? QByteArray(r, longitud) : QByteArray(longitud, '\0');
}

const char* Archivos::registro(int numero, qint64 registro) {
  Abierto& a = de(numero);
  if (registro < 1) falla(63, QStringLiteral("Número de registro incorrecto"));
  // Past the last whole record, compared without overflowing for absurd record numbers.
  a.fin = registro > a.datos.size() / a.longitud;
  return a.fin ? nullptr : a.datos.constData() + (registro - 1) * a.longitud;
}

void Archivos::escribe(int numero, qint64 registro, const QByteArray& datos) {
  Abierto& a = de(numero);
  if (registro < 1) falla(63, QStringLiteral("Número de registro incorrecto"));
  QByteArray r = datos.left(a.longitud);
  if (r.size() < a.longitud) r.append(QByteArray(a.longitud - r.size(), '\0'));
  escribeBytes(numero, (registro - 1) * a.longitud + 1, r);
}

bool Archivos::fin(int numero) const {
  const Abierto& a = de(numero);
  if (a.acceso == Acceso::Entrada) return a.posicion >= a.datos.size();
  return a.fin;
}

qint64 Archivos::longitud(int numero) const { return de(numero).datos.size(); }

qint64 Archivos::registros(int numero) const {
  const Abierto& a = de(numero);
  return a.datos.size() / a.longitud;
}

QByteArray Archivos::leeBytes(int numero, qint64 posicion, qint64 cuantos) {
  Abierto& a = de(numero);
  if (posicion < 1) falla(63, QStringLiteral("Número de registro incorrecto"));
  QByteArray r = a.datos.mid(posicion - 1, cuantos);
  a.fin = r.size() < cuantos;
  if (a.fin) r.append(QByteArray(cuantos - r.size(), '\0'));
  return r;
}

void Archivos::escribeBytes(int numero, qint64 posicion, const QByteArray& datos) {
  Abierto& a = de(numero);
  if (a.acceso == Acceso::Entrada)
    falla(54, QStringLiteral("Modo de archivo incorrecto"));
  if (posicion < 1) falla(63, QStringLiteral("Número de registro incorrecto"));
  if (a.soloLectura) falla(ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
  const qint64 desde = posicion - 1;
  const qint64 antes = a.datos.size();
  reservaEspacio(desde + datos.size() - antes);
  // Even a write that fails half-way may have changed the file.
  a.generacion = nuevaGeneracion();
  // The disk first: a failed write leaves the memory copy as the file still is, and a file that
  // was growing goes back to its length, so that no part of a record stays at its end.
  const auto fallo = [&] {
    const int codigo = errno;
    if (a.archivo.handle() >= 0 && desde + datos.size() > antes) (void)::ftruncate(a.archivo.handle(), antes);
    falloEscritura(codigo);
  };
  if (desde > antes) {
    const QByteArray hueco(desde - antes, '\0');
    if (!escribeEn(a.archivo, antes, hueco)) fallo();
  }
  if (!escribeEn(a.archivo, desde, datos)) fallo();
  if (desde + datos.size() > a.datos.size()) a.datos.resize(desde + datos.size());
  std::copy(datos.begin(), datos.end(), a.datos.begin() + desde);
}

const QByteArray& Archivos::contenido(int numero) const { return de(numero).datos; }

quint64 Archivos::generacion(int numero) const {
  auto it = abiertos_.find(numero);
  return it == abiertos_.end() ? 0 : it->second->generacion;
}

QString Archivos::leeLinea(int numero) {
  Abierto& a = de(numero);
  if (a.posicion >= a.datos.size())
    falla(ERR_FIN_ARCHIVO, QStringLiteral("Se ha sobrepasado el final del archivo"));
  const char* p = a.datos.constData();
  const qint64 n = a.datos.size();
  qint64 i = a.posicion;
  while (i < n && p[i] != '\r' && p[i] != '\n') ++i;
  QString linea = deAnsi(a.datos.mid(a.posicion, i - a.posicion));
  if (i < n) i += (p[i] == '\r' && i + 1 < n && p[i + 1] == '\n') ? 2 : 1;
  a.posicion = i;
  return linea;
}

void Archivos::posiciona(int numero, qint64 posicion) {
  Abierto& a = de(numero);
  a.posicion = std::max<qint64>(0, posicion - 1);
  a.fin = false;
}

qint64 Archivos::posicion(int numero) const { return de(numero).posicion + 1; }

qint64 longitudArchivo(const QString& ruta) {
  QFileInfo info(ruta);
  if (!info.exists() || !info.isFile())
    throw Error(ERR_NO_ENCONTRADO, QStringLiteral("No se encontró el archivo"));
  return info.size();
}

void borraArchivo(const QString& ruta) {
  if (!QFileInfo::exists(ruta))
    throw Error(ERR_NO_ENCONTRADO, QStringLiteral("No se encontró el archivo"));
  if (!QFile::remove(ruta))
    throw Error(ERR_ACCESO, QStringLiteral("Error de acceso a la ruta o el archivo"));
}

bool escribible(const QString& ruta) {
  const int modo = QFileInfo(ruta).isDir() ? W_OK | X_OK : W_OK;
  return ::access(QFile::encodeName(ruta).constData(), modo) == 0;
}

}  // namespace plataforma
