#pragma once
// Errors of the platform calls, numbered as the program expects them (53 file not found,
// 75 path or file access error, ...). Callers that go on after an error catch them.
#include <QString>
#include <stdexcept>

namespace plataforma {

enum NumeroError {
  ERR_DESBORDAMIENTO = 6,
  ERR_MEMORIA = 7,
  ERR_INDICE = 9,
  ERR_NUMERO_ARCHIVO = 52,
  ERR_NO_ENCONTRADO = 53,
  ERR_MODO_ARCHIVO = 54,
  ERR_YA_ABIERTO = 55,
  ERR_ES_DISPOSITIVO = 57,
  ERR_DISCO_LLENO = 61,
  ERR_FIN_ARCHIVO = 62,
  ERR_PERMISO = 70,
  ERR_ACCESO = 75,
  ERR_RUTA = 76,
};

class Error : public std::runtime_error {
 public:
  Error(int numero, const QString& descripcion)
      : std::runtime_error(descripcion.toStdString()), numero_(numero), descripcion_(descripcion) {}
  int numero() const { return numero_; }
  QString descripcion() const { return descripcion_; }

 private:
  int numero_;
  QString descripcion_;
};

}  // namespace plataforma

namespace plataforma {

// Runs one step and goes on whatever error it raised, for the procedures that carry on after a
// failed step.
template <typename F>
void sinErrores(F&& paso) {
  try {
    paso();
  } catch (const Error&) {
  }
}

}  // namespace plataforma
