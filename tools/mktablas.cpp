// mktablas <output path>
//
// Writes tablas.bin, the reduced systems the program offers: for a player's N base numbers and a
// guarantee G, a list of bets (6 positions among the N) such that whenever the six winning numbers
// are all among the base numbers, some bet holds at least G of them.
//
// The systems are searched for here rather than copied from anywhere: a randomized greedy cover of
// every 6-subset of the base positions, trimmed of redundant bets, then shrunk bet by bet with a
// tabu search while it keeps finding covers. Seeds and work budgets are fixed, so every build
// writes the same file. Each system is checked exhaustively before it is written; any failure aborts the
// build rather than shipping a system that promises more than it gives.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using Mascara = std::uint32_t;  // bit i set: base position i+1 is in the bet

constexpr int kMaxApuestas = 205;  // what a syndicate record can hold
constexpr int kMinBase = 7;
constexpr int kMaxBase = 16;
constexpr int kMinGarantia = 3;
// Search budget, fixed so that the whole file takes a couple of seconds to make: the work one tabu
// attempt at a system one bet smaller may spend, and how many attempts in a row may fail before the
// search settles for what it has.
constexpr long kEsfuerzo = 8000000;
constexpr int kIntentos = 3;

// A portable population count: without -mpopcnt the builtin becomes a library call, and this is
// the innermost operation of the whole search.
inline int bits(Mascara v) {
  v = v - ((v >> 1) & 0x55555555u);
  v = (v & 0x33333333u) + ((v >> 2) & 0x33333333u);
  return static_cast<int>((((v + (v >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

// Every 6-subset of n positions, in increasing order of its mask.
std::vector<Mascara> seisDe(int n) {
  std::vector<Mascara> todas;
  const Mascara limite = Mascara{1} << n;
  for (Mascara m = 0x3F; m < limite;) {
    todas.push_back(m);
    const Mascara menor = m & (~m + 1);
    const Mascara subida = m + menor;
    m = subida | (((m ^ subida) >> 2) / menor);
  }
  return todas;
}

// Which 6-subsets of N positions share at least kMinGarantia numbers with each one. Bets and
// draws are both 6-subsets, so one list per subset serves both directions. Each list holds the
// closest first (6 shared, then 5, 4, 3), so the relation for a guarantee G is a prefix of the
// same length for every subset, and one table per N serves all its guarantees.
struct Vecindad {
  int n = 0;
  std::vector<Mascara> seis;
  std::vector<int> indice;  // mask -> index into seis, -1 for masks that are not 6-subsets
  int ancho = 0;
  std::array<int, 7> hasta{};  // list length for each guarantee
  std::vector<std::uint16_t> lista;

  explicit Vecindad(int base) : n(base), seis(seisDe(base)) {
    indice.assign(std::size_t{1} << n, -1);
    for (std::size_t i = 0; i < seis.size(); ++i) indice[seis[i]] = static_cast<int>(i);
    for (int g = 6; g >= kMinGarantia; --g)
      hasta[g] = static_cast<int>(
          std::count_if(seis.begin(), seis.end(), [&](Mascara m) { return bits(seis[0] & m) >= g; }));
    ancho = hasta[kMinGarantia];
    lista.resize(seis.size() * ancho);
    std::uint16_t* hueco = lista.data();
    // Listed by construction rather than by testing every pair: the part shared with `a`, then at
    // most 6 - kMinGarantia positions from outside it.
    std::array<std::vector<Mascara>, 7> dentro, fuera;
    for (Mascara s = 0; s < 64; ++s) dentro[bits(s)].push_back(s);
    for (Mascara a : seis) {
      std::array<int, 32> pos{};
      int k = 0;
      for (int i = 0; i < n; ++i)
        if (!(a & (Mascara{1} << i))) pos[k++] = i;
      for (auto& f : fuera) f.clear();
      fuera[0].push_back(0);
      for (int x = 0; x < k; ++x) {
        fuera[1].push_back(Mascara{1} << pos[x]);
        for (int y = x + 1; y < k; ++y) {
          fuera[2].push_back((Mascara{1} << pos[x]) | (Mascara{1} << pos[y]));
          for (int z = y + 1; z < k; ++z)
            fuera[3].push_back((Mascara{1} << pos[x]) | (Mascara{1} << pos[y]) | (Mascara{1} << pos[z]));
        }
      }
      std::array<Mascara, 6> elementos{};
      for (int i = 0, e = 0; i < n; ++i)
        if (a & (Mascara{1} << i)) elementos[e++] = Mascara{1} << i;
      for (int c = 6; c >= kMinGarantia; --c) {
        for (Mascara s : dentro[c]) {
          Mascara comun = 0;
          for (int e = 0; e < 6; ++e)
            if (s & (1u << e)) comun |= elementos[e];
          for (Mascara f : fuera[6 - c]) *hueco++ = static_cast<std::uint16_t>(indice[comun | f]);
        }
      }
    }
  }
};

// The cover relation of one (N, G): a bet covers a draw when they share at least G numbers.
struct Problema {
  const Vecindad& v;
  int g;
  int vecinos;  // how many draws one bet covers, the same for every bet

  Problema(const Vecindad& vecindad, int garantia) : v(vecindad), g(garantia), vecinos(v.hasta[g]) {}
  int total() const { return static_cast<int>(v.seis.size()); }
  Mascara seis(int i) const { return v.seis[i]; }
  int indice(Mascara m) const { return v.indice[m]; }
  const std::uint16_t* de(int i) const { return v.lista.data() + static_cast<std::size_t>(i) * v.ancho; }
  const std::uint16_t* fin(int i) const { return de(i) + vecinos; }
};

// Greedy cover, ties broken at random so that restarts explore different covers.
std::vector<int> voraz(const Problema& p, std::mt19937& azar) {
  const int total = p.total();
  std::vector<int> ganancia(total, p.vecinos);
  std::vector<char> cubierta(total, 0);
  std::vector<int> bloques;
  int quedan = total;
  while (quedan > 0) {
    int mejor = -1, elegido = 0;
    unsigned empates = 0;
    for (int i = 0; i < total; ++i) {
      if (ganancia[i] > mejor) {
        mejor = ganancia[i];
        elegido = i;
        empates = 1;
      } else if (ganancia[i] == mejor && azar() % ++empates == 0) {
        elegido = i;
      }
    }
    bloques.push_back(elegido);
    for (const std::uint16_t* w = p.de(elegido); w != p.fin(elegido); ++w) {
      if (cubierta[*w]) continue;
      cubierta[*w] = 1;
      --quedan;
      for (const std::uint16_t* b = p.de(*w); b != p.fin(*w); ++b) --ganancia[*b];
    }
  }
  return bloques;
}

// Fisher-Yates spelled out: std::shuffle may draw differently from one standard library to another,
// and the file must come out the same wherever it is built.
void baraja(std::vector<int>& v, std::mt19937& azar) {
  for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[azar() % i]);
}

// Drops bets whose every draw is also covered by another bet, trying them in random order.
void quitaSobrantes(const Problema& p, std::vector<int>& bloques, std::mt19937& azar) {
  std::vector<int> veces(p.total(), 0);
  for (int b : bloques)
    for (const std::uint16_t* w = p.de(b); w != p.fin(b); ++w) ++veces[*w];
  baraja(bloques, azar);
  std::vector<int> quedan;
  for (int b : bloques) {
    const bool sobra = std::all_of(p.de(b), p.fin(b), [&](std::uint16_t w) { return veces[w] >= 2; });
    if (sobra) {
      for (const std::uint16_t* w = p.de(b); w != p.fin(b); ++w) --veces[*w];
    } else {
      quedan.push_back(b);
    }
  }
  bloques = quedan;
}

// A fixed number of bets moved one number at a time until every draw is covered. Each step takes a
// random uncovered draw and, among the bets closest to it, makes the swap of one position that
// leaves the fewest draws uncovered; a bet just dropped may not come back for a few steps, which is
// what keeps the walk from circling.
class Tabu {
 public:
  Tabu(const Problema& p, std::vector<int> bloques)
      : p_(p), bloques_(std::move(bloques)), veces_(p.total(), 0), sitio_(p.total(), -1),
        vetado_(p.total(), 0) {
    for (int b : bloques_) pon(b);
    for (int w = 0; w < p.total(); ++w)
      if (veces_[w] == 0) mete(w);
  }

  // `esfuerzo` counts the list entries and bets looked at, which is what the steps cost; a count
  // rather than a clock keeps the result the same on every machine.
  bool busca(long esfuerzo, std::mt19937& azar) {
    long trabajo = 0;
    for (long paso = 1; trabajo < esfuerzo && !descubiertas_.empty(); ++paso) {
      const Mascara w = p_.seis(descubiertas_[azar() % descubiertas_.size()]);
      int cerca = 0;
      for (int b : bloques_) cerca = std::max(cerca, bits(p_.seis(b) & w));
      trabajo += static_cast<long>(bloques_.size()) + 20;

      int mejorDelta = 1 << 30, mejorPos = -1, mejorNuevo = -1;
      unsigned empates = 0;
      for (std::size_t pos = 0; pos < bloques_.size(); ++pos) {
        const Mascara b = p_.seis(bloques_[pos]);
        if (bits(b & w) != cerca) continue;
        // The draws only this bet covers: whatever replaces it must cover them or lose them.
        solas_.clear();
        for (const std::uint16_t* x = p_.de(bloques_[pos]); x != p_.fin(bloques_[pos]); ++x)
          if (veces_[*x] == 1) solas_.push_back(p_.seis(*x));
        trabajo += p_.vecinos;
        for (Mascara sale = b & ~w; sale; sale &= sale - 1) {
          for (Mascara entra = w & ~b; entra; entra &= entra - 1) {
            const Mascara nueva = b ^ (sale & (~sale + 1)) ^ (entra & (~entra + 1));
            const int j = p_.indice(nueva);
            int delta = -ganadas(j, trabajo);
            for (Mascara x : solas_) delta += bits(x & nueva) < p_.g;
            trabajo += static_cast<long>(solas_.size());
            const bool permitido = vetado_[j] < paso ||
                                   static_cast<long>(descubiertas_.size()) + delta < mejor_;
            if (!permitido) continue;
            if (delta < mejorDelta) {
              mejorDelta = delta;
              mejorPos = static_cast<int>(pos);
              mejorNuevo = j;
              empates = 1;
            } else if (delta == mejorDelta && azar() % ++empates == 0) {
              mejorPos = static_cast<int>(pos);
              mejorNuevo = j;
            }
          }
        }
      }
      if (mejorPos < 0) continue;  // every move banned this step; another draw next time
      const int viejo = bloques_[mejorPos];
      quita(viejo);
      pon(mejorNuevo);
      bloques_[mejorPos] = mejorNuevo;
      vetado_[viejo] = paso + 3 + static_cast<long>(azar() % 8);
      mejor_ = std::min(mejor_, static_cast<long>(descubiertas_.size()));
      trabajo += 2L * p_.vecinos;
    }
    return descubiertas_.empty();
  }

  const std::vector<int>& bloques() const { return bloques_; }

 private:
  // Uncovered draws that bet j covers, counted over whichever list is shorter.
  int ganadas(int j, long& trabajo) const {
    int n = 0;
    if (static_cast<int>(descubiertas_.size()) < p_.vecinos) {
      const Mascara m = p_.seis(j);
      for (int w : descubiertas_) n += bits(p_.seis(w) & m) >= p_.g;
      trabajo += static_cast<long>(descubiertas_.size());
    } else {
      for (const std::uint16_t* w = p_.de(j); w != p_.fin(j); ++w) n += veces_[*w] == 0;
      trabajo += p_.vecinos;
    }
    return n;
  }
  void pon(int b) {
    for (const std::uint16_t* w = p_.de(b); w != p_.fin(b); ++w)
      if (veces_[*w]++ == 0) saca(*w);
  }
  void quita(int b) {
    for (const std::uint16_t* w = p_.de(b); w != p_.fin(b); ++w)
      if (--veces_[*w] == 0) mete(*w);
  }
  void mete(int w) {
    sitio_[w] = static_cast<int>(descubiertas_.size());
    descubiertas_.push_back(w);
  }
  void saca(int w) {
    if (sitio_[w] < 0) return;  // not listed yet while the first bets go in
    const int ultimo = descubiertas_.back();
    descubiertas_[sitio_[w]] = ultimo;
    sitio_[ultimo] = sitio_[w];
    descubiertas_.pop_back();
    sitio_[w] = -1;
  }

  const Problema& p_;
  std::vector<int> bloques_;
  std::vector<int> veces_;
  std::vector<int> sitio_;
  std::vector<long> vetado_;
  std::vector<int> descubiertas_;
  std::vector<Mascara> solas_;
  long mejor_ = 1L << 40;
};

// Drops the bet that alone covers the fewest draws, the one the others miss least.
void quitaUna(const Problema& p, std::vector<int>& bloques, std::mt19937& azar) {
  std::vector<int> veces(p.total(), 0);
  for (int b : bloques)
    for (const std::uint16_t* w = p.de(b); w != p.fin(b); ++w) ++veces[*w];
  int menos = 1 << 30;
  std::size_t cual = 0;
  unsigned empates = 0;
  for (std::size_t i = 0; i < bloques.size(); ++i) {
    const int solas = static_cast<int>(
        std::count_if(p.de(bloques[i]), p.fin(bloques[i]), [&](std::uint16_t w) { return veces[w] == 1; }));
    if (solas < menos) {
      menos = solas;
      cual = i;
      empates = 1;
    } else if (solas == menos && azar() % ++empates == 0) {
      cual = i;
    }
  }
  bloques.erase(bloques.begin() + static_cast<long>(cual));
}

// Bets that cover the sixes of one (N, G), as few as the search budget finds.
std::vector<Mascara> busca(const Vecindad& v, int g) {
  if (g == 6) return v.seis;  // full development: nothing smaller guarantees the six
  const Problema p(v, g);
  const int n = v.n;
  std::mt19937 azar(static_cast<unsigned>(1000 * n + g));

  // Restarts in inverse proportion to their cost, so that small systems are tried many times.
  const long pasada = static_cast<long>(p.total()) * p.vecinos;
  const int vueltas = static_cast<int>(std::clamp(20000000L / pasada, 3L, 200L));
  std::vector<int> mejor;
  for (int vuelta = 0; vuelta < vueltas; ++vuelta) {
    std::vector<int> bloques = voraz(p, azar);
    quitaSobrantes(p, bloques, azar);
    if (mejor.empty() || bloques.size() < mejor.size()) mejor = bloques;
    // Restarts and the tabu search trim a few percent at most: not worth running on a system that
    // would stay well above what a record holds.
    if (static_cast<int>(mejor.size()) > kMaxApuestas * 5 / 4) return {};
  }

  // No bet covers more than `vecinos` draws, so fewer bets than this can never do.
  const int cota = (p.total() + p.vecinos - 1) / p.vecinos;
  for (int fallos = 0; fallos < kIntentos && static_cast<int>(mejor.size()) > cota;) {
    std::vector<int> menos = mejor;
    quitaUna(p, menos, azar);
    Tabu t(p, menos);
    if (t.busca(kEsfuerzo, azar)) {
      mejor = t.bloques();
      fallos = 0;
    } else {
      ++fallos;
    }
  }

  std::vector<Mascara> apuestas;
  for (int b : mejor) apuestas.push_back(p.seis(b));
  return apuestas;
}

// The guarantee checked from scratch, without the neighbour lists the search used.
bool cumple(int n, int g, const std::vector<Mascara>& apuestas) {
  const Mascara todas = (Mascara{1} << n) - 1;
  for (Mascara a : apuestas)
    if (bits(a) != 6 || (a & ~todas)) return false;
  for (Mascara w : seisDe(n)) {
    bool alguna = false;
    for (Mascara a : apuestas)
      if (bits(a & w) >= g) {
        alguna = true;
        break;
      }
    if (!alguna) return false;
  }
  return true;
}

std::array<int, 6> posiciones(Mascara m) {
  std::array<int, 6> p{};
  int k = 0;
  for (int i = 0; i < 32 && k < 6; ++i)
    if (m & (Mascara{1} << i)) p[k++] = i + 1;
  return p;
}

struct Sistema {
  int n;
  int g;
  std::vector<Mascara> apuestas;
};

void escribe(std::string& salida, const Sistema& s) {
  char linea[32];
  for (int numero : {s.n, s.g, static_cast<int>(s.apuestas.size())}) {
    std::snprintf(linea, sizeof linea, "%d\r\n", numero);
    salida += linea;
  }
  std::vector<std::array<int, 6>> filas;
  for (Mascara m : s.apuestas) filas.push_back(posiciones(m));
  std::sort(filas.begin(), filas.end());
  for (const auto& f : filas) {
    std::snprintf(linea, sizeof linea, "%02d%02d%02d%02d%02d%02d\r\n", f[0], f[1], f[2], f[3], f[4], f[5]);
    salida += linea;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "uso: mktablas <tablas.bin>\n");
    return 2;
  }

  std::vector<Sistema> sistemas;
  for (int n = kMinBase; n <= kMaxBase; ++n) {
    // From the strongest guarantee down: a weaker one is only worth offering when it saves bets.
    int menosApuestas = kMaxApuestas + 1;
    std::vector<Sistema> deEsteN;
    const Vecindad v(n);
    for (int g = 6; g >= kMinGarantia; --g) {
      if (g == 6 && v.seis.size() > kMaxApuestas) continue;
      Sistema s{n, g, busca(v, g)};
      if (s.apuestas.empty()) continue;
      if (!cumple(n, g, s.apuestas)) {
        std::fprintf(stderr, "mktablas: el sistema N=%d G=%d no cumple su garantía\n", n, g);
        return 1;
      }
      const int b = static_cast<int>(s.apuestas.size());
      if (b < menosApuestas) {
        menosApuestas = b;
        deEsteN.insert(deEsteN.begin(), std::move(s));
      }
      if (b == 1) break;
    }
    sistemas.insert(sistemas.end(), deEsteN.begin(), deEsteN.end());
  }

  std::string salida;
  for (const Sistema& s : sistemas) escribe(salida, s);

  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  const bool bien = std::fwrite(salida.data(), 1, salida.size(), f) == salida.size();
  if (std::fclose(f) != 0 || !bien) {
    std::fprintf(stderr, "mktablas: no se pudo escribir %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
