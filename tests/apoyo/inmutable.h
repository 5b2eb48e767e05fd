#pragma once
// Files and folders made truly read-only for one test, and writable again afterwards: immutable
// (chattr +i) where the process may set that, which stops even root; for an ordinary user,
// without write permission. Where neither can be done, motivo() says why and the test skips.
#include <QString>
#include <QStringList>
#include <vector>

class SoloLectura {
 public:
  SoloLectura() = default;
  ~SoloLectura();
  SoloLectura(const SoloLectura&) = delete;
  SoloLectura& operator=(const SoloLectura&) = delete;

  // Makes each path read-only; false (with motivo()) when one could not be.
  bool protege(const QStringList& rutas);
  const QString& motivo() const { return motivo_; }

 private:
  struct Protegida {
    QString ruta;
    bool inmutable;
    unsigned permisos;
  };
  std::vector<Protegida> protegidas_;
  QString motivo_;
};
