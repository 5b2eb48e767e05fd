#pragma once
// What the statistics tests share: the real history of La Primitiva as draw records, oldest first.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <vector>

#include "apoyo/datos.h"

namespace estadistica {

inline std::vector<Sorteo> historiaReal() {
  const QString ruta = QFileInfo(QStringLiteral(__FILE__)).dir().filePath(
      QStringLiteral("../fixtures/real/primitiva-history.csv"));
  QFile f(ruta);
  if (!f.open(QIODevice::ReadOnly)) return {};
  std::vector<Sorteo> r;
  f.readLine();  // header
  while (!f.atEnd()) {
    const QList<QByteArray> c = f.readLine().trimmed().split(',');
    if (c.size() < 9) continue;
    r.push_back(sorteoDe(QDate::fromString(QString::fromLatin1(c[0]), Qt::ISODate),
                         {c[1].toInt(), c[2].toInt(), c[3].toInt(), c[4].toInt(), c[5].toInt(), c[6].toInt()},
                         c[7].toInt(), c[8].toInt()));
  }
  std::reverse(r.begin(), r.end());  // the file has the newest draw first
  return r;
}

}  // namespace estadistica
