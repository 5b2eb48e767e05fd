#pragma once
// Dates as the data files hold them (OLE Automation dates: days since 30 December 1899, the
// fraction being the time of day), the program's clock, and Spanish date words.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace plataforma {

QDate fechaDe(double ole);           // the day of an OLE date (time of day dropped)
double oleDe(const QDate& dia);      // midnight of that day
double oleDe(const QDateTime& momento);

// The clock of the program. Tests fix it; otherwise it is the system's local time.
QDateTime ahora();
QDate hoy();
void fijaReloj(const QDateTime& momento);
void relojDelSistema();

// Spanish names, whatever the system locale: "Lunes", "Sábado"; "enero" .. "diciembre".
QString nombreDia(const QDate& dia);
QString nombreMes(int mes);
QString fechaCorta(const QDate& dia);  // dd/MM/yyyy

}  // namespace plataforma
