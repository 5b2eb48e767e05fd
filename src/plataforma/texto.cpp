#include "texto.h"

#include <array>

namespace plataforma {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unassigned codes.
constexpr std::array<char16_t, 32> altos = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char aByte(QChar c) {
  const char16_t u = c.unicode();
  if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) return static_cast<char>(u);
  for (int i = 0; i < 32; ++i)
    if (altos[i] == u && u != 0) return static_cast<char>(0x80 + i);
  // The five unassigned codes decode to themselves, so they must encode back to themselves.
  if (u >= 0x80 && u < 0xA0 && altos[u - 0x80] == 0) return static_cast<char>(u);
  return '?';
}

}  // namespace

QByteArray aAnsi(const QString& texto) {
  QByteArray r(texto.size(), '\0');
  for (int i = 0; i < texto.size(); ++i) r[i] = aByte(texto[i]);
  return r;
}

QString deAnsi(const QByteArray& bytes) {
  QString r(bytes.size(), QChar());
  for (int i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    char16_t u = b;
    if (b >= 0x80 && b < 0xA0) u = altos[b - 0x80] ? altos[b - 0x80] : b;
    r[i] = QChar(u);
  }
  return r;
}

QString fijo(const QString& texto, int n) {
  if (texto.size() >= n) return texto.left(n);
  return texto + QString(n - texto.size(), QLatin1Char(' '));
}

QString recorta(const QString& texto) {
  qsizetype a = 0, b = texto.size();
  while (a < b && texto[a] == QLatin1Char(' ')) ++a;
  while (b > a && texto[b - 1] == QLatin1Char(' ')) --b;
  return texto.mid(a, b - a);
}

}  // namespace plataforma
