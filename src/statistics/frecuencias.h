#pragma once
// A chart table of the statistics: rows 1 to 25, column 0 the row label, columns 1..series the
// counts. A count cell is empty until a draw reaches it; an empty cell is not the same as 0.
#include <QString>
#include <array>
#include <optional>
#include <vector>

class Frecuencias {
 public:
  explicit Frecuencias(int series) : series_(series), cuentas_(26 * (series + 1)) {}

  int series() const { return series_; }
  // Empties every cell, labels included.
  void vacia();
  QString etiqueta(int fila) const { return etiquetas_[fila]; }
  void ponEtiqueta(int fila, const QString& texto) { etiquetas_[fila] = texto; }
  std::optional<int> cuenta(int fila, int columna) const { return cuentas_[sitio(fila, columna)]; }
  void ponCuenta(int fila, int columna, std::optional<int> valor) {
    cuentas_[sitio(fila, columna)] = valor;
  }
  // Adds one draw to a cell; an empty cell counts as 0.
  void suma(int fila, int columna) {
    auto& c = cuentas_[sitio(fila, columna)];
    c = c.value_or(0) + 1;
  }
  // The same labels and the same counts, cell by cell.
  bool operator==(const Frecuencias&) const = default;

 private:
  int sitio(int fila, int columna) const { return fila * (series_ + 1) + columna; }
  int series_;
  std::array<QString, 26> etiquetas_{};
  std::vector<std::optional<int>> cuentas_;
};
