#include "fechas.h"

#include <cmath>
#include <optional>

namespace plataforma {

namespace {
const QDate origen(1899, 12, 30);
std::optional<QDateTime> relojFijo;
}  // namespace

QDate fechaDe(double ole) {
  if (!std::isfinite(ole) || std::fabs(ole) > 3e6) return {};
  return origen.addDays(static_cast<qint64>(std::floor(ole)));
}

double oleDe(const QDate& dia) { return static_cast<double>(origen.daysTo(dia)); }

double oleDe(const QDateTime& momento) {
  const QTime t = momento.time();
  return oleDe(momento.date()) + t.msecsSinceStartOfDay() / 86400000.0;
}

QDateTime ahora() { return relojFijo ? *relojFijo : QDateTime::currentDateTime(); }
QDate hoy() { return ahora().date(); }
void fijaReloj(const QDateTime& momento) { relojFijo = momento; }
void relojDelSistema() { relojFijo.reset(); }

QString nombreDia(const QDate& dia) {
  static const char* const nombres[] = {"Lunes",  "Martes", "Miércoles", "Jueves",
                                        "Viernes", "Sábado", "Domingo"};
  if (!dia.isValid()) return {};
  return QString::fromUtf8(nombres[dia.dayOfWeek() - 1]);
}

QString nombreMes(int mes) {
  static const char* const nombres[] = {"enero",   "febrero", "marzo",      "abril",
                                        "mayo",    "junio",   "julio",      "agosto",
                                        "septiembre", "octubre", "noviembre", "diciembre"};
  if (mes < 1 || mes > 12) return {};
  return QString::fromUtf8(nombres[mes - 1]);
}

QString fechaCorta(const QDate& dia) { return dia.toString(QStringLiteral("dd/MM/yyyy")); }

}  // namespace plataforma
