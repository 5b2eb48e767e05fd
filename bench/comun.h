#pragma once
// What every benchmark of the program reports besides its times.
#include <QFile>
#include <QRegularExpression>
#include <QString>

// Peak resident memory of this process in MB, or -1 where the system does not say.
inline double picoMegas() {
  QFile estado("/proc/self/status");
  if (!estado.open(QIODevice::ReadOnly)) return -1;
  const QRegularExpression linea(R"(VmHWM:\s*(\d+)\s*kB)");
  const auto m = linea.match(QString::fromLatin1(estado.readAll()));
  return m.hasMatch() ? m.captured(1).toDouble() / 1024.0 : -1;
}
