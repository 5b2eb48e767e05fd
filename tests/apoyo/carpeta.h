#pragma once
// A program folder of its own for one test: a temporary folder holding the shipped files, with the
// program's files, state, clock and windows reset before and after.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class CarpetaPrograma {
 public:
  explicit CarpetaPrograma(bool conTablas = true);
  ~CarpetaPrograma();
  CarpetaPrograma(const CarpetaPrograma&) = delete;
  CarpetaPrograma& operator=(const CarpetaPrograma&) = delete;

  QString ruta() const;  // with its trailing separator
  QString archivo(const QString& nombre) const { return ruta() + nombre; }
  QByteArray lee(const QString& nombre) const;
  void escribe(const QString& nombre, const QByteArray& bytes) const;
  bool existe(const QString& nombre) const;

 private:
  QTemporaryDir dir_;
  QString anterior_;
};

// Destroys the windows that were unloaded, as the event loop would.
void procesaDescargas();

// A path among the real data files the tests carry in tests/fixtures/real.
QString fixture(const QString& nombre);
