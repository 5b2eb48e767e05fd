#include "carpeta.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"
#include "plataforma/impresora.h"
#include "plataforma/sistema.h"
#include "retrieval/Infor.h"
#include "statistics/VentanaInforme.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "ui/Acercade.h"
#include "ui/Configurar.h"
#include "syndicates/Imprimir.h"
#include "ui/Presentacion.h"
#include "ui/Principal.h"

void procesaDescargas() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QString fixture(const QString& nombre) {
  return QStringLiteral(BOLVANTA_FIXTURES "real/") + nombre;
}

namespace {
void reinicia() {
  descargaPrincipal();
  descargaPresentacion();
  descargaInfor();
  descargaCrea();
  descargaCreamenu();
  descargaAcercade();
  descargaConfigurar();
  descargaVentanaInforme();
  VentanaInforme::dialogosDelSistema();
  descargaImprimir();
  procesaDescargas();
  plataforma::reiniciaImpresora();
  plataforma::archivos().cierraTodos();
  reiniciaEstado();
  plataforma::relojDelSistema();
}
}  // namespace

CarpetaPrograma::CarpetaPrograma(bool conTablas) : anterior_(QDir::currentPath()) {
  reinicia();
  const QString construccion = QStringLiteral(BOLVANTA_CARPETA_CONSTRUCCION "/");
  if (conTablas) QFile::copy(construccion + "tablas.bin", ruta() + "tablas.bin");
  for (const char* archivo : {"Bolvanta.mdb", "Bolvanta.net", "Bolvanta1.net"})
    QFile::copy(construccion + archivo, ruta() + archivo);
  plataforma::fijaCarpetaPrograma(dir_.path());
}

CarpetaPrograma::~CarpetaPrograma() {
  reinicia();
  plataforma::fijaCarpetaPrograma(QString());
  QDir::setCurrent(anterior_);
}

QString CarpetaPrograma::ruta() const { return dir_.path() + QLatin1Char('/'); }

QByteArray CarpetaPrograma::lee(const QString& nombre) const {
  QFile f(archivo(nombre));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

void CarpetaPrograma::escribe(const QString& nombre, const QByteArray& bytes) const {
  QFile f(archivo(nombre));
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

bool CarpetaPrograma::existe(const QString& nombre) const { return QFile::exists(archivo(nombre)); }
