#pragma once
// The six-number bets a multiple bet stands for: every six of its numbers or, for five numbers,
// the five with each of the other 44; and what a six-number bet wins, counted the plain way.
#include <algorithm>
#include <set>
#include <vector>

#include "data/registros.h"

inline std::vector<std::vector<int>> sencillasDe(const std::vector<int>& bet) {
  std::vector<std::vector<int>> r;
  if (bet.size() == 5) {
    for (int x = 1; x <= 49; ++x)
      if (std::find(bet.begin(), bet.end(), x) == bet.end()) {
        r.push_back(bet);
        r.back().push_back(x);
      }
    return r;
  }
  std::vector<bool> elige(bet.size(), false);
  std::fill(elige.begin(), elige.begin() + 6, true);
  do {
    std::vector<int> s;
    for (size_t k = 0; k < bet.size(); ++k)
      if (elige[k]) s.push_back(bet[k]);
    r.push_back(s);
  } while (std::prev_permutation(elige.begin(), elige.end()));
  return r;
}

// The category of a six-number bet in a draw, by sets: 3 to 6 hits, 7 for five hits and the
// complementario, 0 for no prize.
inline int categoriaLlana(const std::vector<int>& bet, const Sorteo& s) {
  const std::set<int> ganadores(s.ganadores.begin() + 1, s.ganadores.end());
  int h = 0;
  bool c = false;
  for (int x : bet) {
    h += ganadores.count(x) ? 1 : 0;
    c = c || x == s.complementario;
  }
  if (h == 5 && c) return 7;
  return h >= 3 ? h : 0;
}
