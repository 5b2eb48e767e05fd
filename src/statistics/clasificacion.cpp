#include "statistics/clasificacion.h"

#include <QLocale>
#include <algorithm>
#include <numeric>

std::array<int, 50> vecesDe(const Frecuencias& primera, const Frecuencias& segunda) {
  std::array<int, 50> veces{};
  for (int numero = 1; numero <= 49; ++numero) {
    const auto cuenta = numero <= 25 ? primera.cuenta(numero, 1) : segunda.cuenta(numero - 24, 1);
    veces[numero] = cuenta.value_or(0);
  }
  return veces;
}

std::array<qint16, 50> ordenaNumeros(const std::array<int, 50>& veces) {
  std::array<qint16, 50> lista{};
  std::iota(lista.begin() + 1, lista.end(), qint16(1));
  std::stable_sort(lista.begin() + 1, lista.end(), [&veces](qint16 a, qint16 b) { return veces[a] > veces[b]; });
  return lista;
}

double Factorial(int N) {
  double f = 1.0;
  for (int i = 1; i <= N; ++i) f *= i;
  return f;
}

double combinaciones(int N) {
  if (N < 6) return 0;
  return Factorial(N) / (Factorial(6) * Factorial(N - 6));
}

QString porcentajeSeis(int B, double C) {
  if (C <= 0) return QStringLiteral("-");
  const float p = static_cast<float>(B * 100.0 / C);
  QLocale es(QLocale::Spanish, QLocale::Spain);
  es.setNumberOptions(QLocale::OmitGroupSeparator);
  return es.toString(p, 'f', 2) + QLatin1Char('%');
}

std::vector<int> sistemasDe(const std::vector<TablaReducida>& tablas, int n, int cabida) {
  std::vector<int> ordinales;
  for (int k = 0; k < static_cast<int>(tablas.size()) && static_cast<int>(ordinales.size()) < cabida; ++k)
    if (tablas[k].totalnumeros == n) ordinales.push_back(k);
  return ordinales;
}
