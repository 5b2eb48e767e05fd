#include "syndicates/boletos.h"

#include "data/ayudas.h"

#include <algorithm>

namespace boletos {

int apuestas(int tipo) {
  if (tipo > 500) return 1;
  // A damaged count beyond the record prints the bets the record holds.
  return std::clamp(tipo, 0, MAX_APUESTAS);
}

int numeros(int tipo) {
  if (tipo > 506) return 0;
  return tipo > 500 ? cuantos(tipo) : 6;
}

int cuentaBoletos(int tipo) {
  if (tipo > 500) return 1;
  const int n = apuestas(tipo);
  return n / 8 + (n % 8 != 0 ? 1 : 0);
}

std::array<Casilla, 50> posiciones(int b, float correccionx, float correcciony) {
  std::array<Casilla, 50> t{};
  for (int n = 1; n <= 49; ++n) {
    t[n].x = correccionx + 3.8f * float(n / 10) + 18.7f * float(b - 1);
    t[n].y = 5.0f * float(n % 10) + correcciony;
  }
  return t;
}

std::optional<MarcaTipo> marcaTipo(int tipo) {
  switch (tipo) {
    case 501: return MarcaTipo{39, 1};
    case 502: return MarcaTipo{9, 2};
    case 503: return MarcaTipo{19, 1};
    case 504: return MarcaTipo{29, 2};
    case 505: return MarcaTipo{49, 2};
    case 506: return MarcaTipo{19, 3};
  }
  return std::nullopt;
}

}  // namespace boletos
