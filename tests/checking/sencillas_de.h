#pragma once
// The six-number bets a multiple bet stands for: every six of its numbers or, for five numbers,
// the five with each of the other 44.
#include <algorithm>
#include <vector>

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
