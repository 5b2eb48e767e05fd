#include "statistics/motorinforme.h"

#include "plataforma/error.h"
#include "statistics/VentanaInforme.h"

namespace {
int trabajos = 0;
}

bool MotorInforme::ocupado() { return trabajos > 0; }
MotorInforme::Trabajo::Trabajo() { ++trabajos; }
MotorInforme::Trabajo::~Trabajo() { --trabajos; }

QString MotorInforme::DataFiles(int indice) const {
  return indice >= 0 && indice < int(datos_.size()) ? datos_[indice] : QString();
}

void MotorInforme::setDataFiles(int indice, const QString& archivo) {
  if (indice < 0 || indice > 255)
    throw plataforma::Error(plataforma::ERR_INDICE, QStringLiteral("Índice fuera del intervalo."));
  if (indice >= int(datos_.size())) datos_.resize(indice + 1);
  datos_[indice] = archivo;
}

QString MotorInforme::clave() const {
  for (const QString& par : conexion_.split(QLatin1Char(';'))) {
    const qsizetype igual = par.indexOf(QLatin1Char('='));
    if (igual >= 0 && par.left(igual).trimmed().compare(QLatin1String("PWD"), Qt::CaseInsensitive) == 0)
      return par.mid(igual + 1);
  }
  return QString();
}

informes::InformeLleno MotorInforme::genera() const {
  const informes::Diseno diseno = informes::leeDiseno(informe_);
  QString base;
  for (const QString& d : datos_)
    if (!d.isEmpty()) base = d;
  if (base.isEmpty())
    throw plataforma::Error(informes::ERR_ARCHIVO_BASE, QStringLiteral("El informe no tiene base de datos."));
  return informes::llenaInforme(diseno, base, clave());
}

void MotorInforme::setAction(int accion) {
  if (accion != 1) return;
  ++ejecuciones_;
  if (ocupado())
    throw plataforma::Error(informes::ERR_TRABAJO_EMPEZADO, QStringLiteral("Ya se está preparando un informe."));
  Trabajo trabajo;
  const informes::InformeLleno informe = genera();
  ventanaInforme().muestra(informe);
}
