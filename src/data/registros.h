#pragma once
// The records of the data files, encoded field by field at their disk offsets (little-endian,
// packed). Arrays are indexed from 1 as the program counts, element 0 unused.
#include <QByteArray>
#include <QString>
#include <array>

struct Sorteo {
  static constexpr int LONGITUD = 32;
  std::array<qint16, 7> ganadores{};  // 1..6
  qint16 complementario = 0;
  qint16 reintegro = 0;  // -1 when the source gave none
  double fecha = 0;
  double joker = 0;  // -1 = no Joker

  QByteArray codifica() const;
  static Sorteo decodifica(const QByteArray& bytes);
};

struct Pena {
  static constexpr int LONGITUD = 8307;
  static constexpr int MAX_BASE = 20;
  static constexpr int MAX_APUESTAS = 205;
  QString nombre;  // 20 characters on disk
  qint16 reducida = 0;
  qint16 garantia = 0;
  std::array<qint16, MAX_BASE + 1> numerosbase{};                              // 1..20
  std::array<std::array<qint16, MAX_BASE + 1>, MAX_APUESTAS + 1> apuestas{};  // [bet 1..205][number 1..20]
  std::array<qint16, 8> aciertos{};  // 3..7: 3, 4, 5, 6 hits; 7 = 5 hits plus the complementario
  QString dias;  // 15 characters on disk
  qint16 tipo = 0;
  double fechacreacion = 0;
  double fechacomprobado = 0;

  QByteArray codifica() const;
  static Pena decodifica(const QByteArray& bytes);
};

struct Configuracion {
  static constexpr int LONGITUD = 86;
  qint16 reservado1 = 0;
  float correccionx = 0;
  float correcciony = 0;
  qint16 reservado2 = 0;
  float precio = 0;
  qint16 meses = 0;
  QString direccionweb;  // 60 characters on disk
  QByteArray reservado3 = QByteArray(8, '\0');

  QByteArray codifica() const;
  static Configuracion decodifica(const QByteArray& bytes);
};

// Disk offsets of the fields that other code reads directly.
namespace desplazamiento {
constexpr int PENA_APUESTAS = 64;
constexpr int PENA_ACIERTOS = 8264;
constexpr int PENA_DIAS = 8274;
constexpr int PENA_TIPO = 8289;
constexpr int PENA_CREACION = 8291;
constexpr int PENA_COMPROBADO = 8299;
}  // namespace desplazamiento
