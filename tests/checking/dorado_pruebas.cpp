// Both checks over the whole real history, held against what they gave when this test was written:
// every row, text, colour and weight of ListView2 and ListView4 with the check view's state, every
// trace of the printed listing, and the bytes of apuestas.dat, after each step of two sequences
// that run on the same files, so that counters and checked dates carry from one step to the next.
//
// The expected results live in tests/fixtures/dorado/comprobacion.txt: per step and part a SHA-256
// of the whole result and a short readable summary. To write them again, on purpose, run
//   cd build && BOLVANTA_DORADO=todo tests/pruebas_checking --gtest_filter='Dorado.*'
// (every part) or BOLVANTA_DORADO=impresora (only the printed listing, the others still compared).
// BOLVANTA_DORADO_VUELCA=<folder> writes each part's whole text there, for a diff between two builds.
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextStream>
#include <QTimer>
#include <iterator>
#include <gtest/gtest.h>

#include "checking/comun.h"
#include "plataforma/impresora.h"

using namespace comprobacion;

namespace {

// Numbers of the syndicates' bets from a fixed sequence of its own, the same on every machine.
class Serie {
 public:
  std::vector<int> apuesta(int cuantos) {
    std::vector<int> r;
    while (int(r.size()) < cuantos) {
      x_ = x_ * 1103515245u + 12345u;
      const int n = int((x_ >> 16) % 49) + 1;
      if (std::find(r.begin(), r.end(), n) == r.end()) r.push_back(n);
    }
    return r;
  }

 private:
  quint32 x_ = 20260820;
};

std::vector<int> ganadores(const Sorteo& s, int cuantos) {
  std::vector<int> r;
  for (int k = 1; k <= cuantos; ++k) r.push_back(s.ganadores[k]);
  return r;
}

// Syndicates of every kind and play day, created inside the history (one before its first draw and
// one after its last), with bets that win every category somewhere.
std::vector<Pena> penasDorado(const std::vector<Sorteo>& h) {
  Serie serie;
  auto dia = [&](int i) { return plataforma::fechaDe(h[size_t(i)].fecha); };
  auto azar = [&](int apuestas, int cuantos) {
    std::vector<std::vector<int>> r;
    for (int b = 0; b < apuestas; ++b) r.push_back(serie.apuesta(cuantos));
    return r;
  };
  std::vector<Pena> r;
  // Simple: one bet of six winners and one of five winners and the complementario of later draws.
  auto a = azar(8, 6);
  a[0] = ganadores(h[3500], 6);
  a[1] = ganadores(h[3600], 5);
  a[1].push_back(h[3600].complementario);
  r.push_back(penaDe("SENCILLA TODOS", TODOS, dia(3000), a));
  r.push_back(penaDe("UNA JUEVES", "Jueves", dia(0), {ganadores(h[10], 6)}));
  r.push_back(penaDe("REDUCIDA SABADO", QString::fromUtf8("Sábado"), dia(2500), azar(24, 6)));
  r.push_back(penaDe("LUNES", "Lunes", dia(3900), azar(3, 6)));
  r.push_back(penaDe("JUEVES Y SABADO", QString::fromUtf8("Jueves y Sábado"), dia(0).addDays(-30), azar(2, 6)));
  r.push_back(penaDe("FUTURA", TODOS, dia(int(h.size()) - 1).addDays(1), azar(4, 6)));
  r.push_back(penaDe("SIN APUESTAS", TODOS, dia(100), {}));
  // Multiple kinds 501..506: the numbers of a real draw where the kind can win 6 + C.
  const int kinds[] = {501, 502, 503, 504, 505, 506};
  const QString dias[] = {TODOS, "Jueves", QString::fromUtf8("Sábado"), "Lunes", QString::fromUtf8("Jueves y Sábado"), TODOS};
  for (int t = 0; t < 6; ++t) {
    const int n = cuantos(kinds[t]);
    const Sorteo& s = h[size_t(3000 + 97 * t)];
    std::vector<int> bet = ganadores(s, std::min(n, 6) - (kinds[t] == 503 ? 1 : 0));
    bet.push_back(s.complementario);
    for (int x : serie.apuesta(20))
      if (int(bet.size()) < n && std::find(bet.begin(), bet.end(), x) == bet.end()) bet.push_back(x);
    Pena p = penaDe(QStringLiteral("MULTIPLE %1").arg(kinds[t]), dias[t], dia(2000 + 300 * t), {bet});
    p.tipo = qint16(kinds[t]);
    r.push_back(p);
  }
  // Kinds outside what the program makes: too many simple bets, a multiple kind past 506.
  Pena mucho = penaDe("DOSCIENTAS CINCUENTA", TODOS, dia(4100), azar(205, 6));
  mucho.tipo = 250;
  r.push_back(mucho);
  Pena rara = penaDe("MULTIPLE 507", TODOS, dia(4000), azar(1, 12));
  rara.tipo = 507;
  r.push_back(rara);
  return r;
}

struct Paso {
  const char* nombre;
  int n;             // draws; 0 = all
  bool historico;    // Check1
  bool soloPremios;  // Check2
  int elegida;       // Combo2 index, chosen through its handler when above 0
  const char* aviso; // Label59
  bool imprime;
};

// Printed listing the whole set; the other steps fill the lists.
const Paso HISTORIA[] = {
    {"h1", 0, false, false, 0, "", false},   {"h2", 0, false, false, 0, "", false},
    {"h3", 0, true, true, 0, "", false},     {"h4", 5, true, false, 0, "5", false},
    {"h5", 0, false, true, 1, "", false},    {"h6", 3, true, false, 13, "3", false},
    {"h7", 0, false, true, 0, "", true},     {"h8", 4, false, false, 0, "", true},
    {"h9", 0, true, false, 12, "", true},    {"h10", 2, false, true, 2, "", true},
};
const Paso POCOS[] = {
    {"p1", 10, false, false, 0, "10", false}, {"p2", 0, false, false, 0, "", false},
    {"p3", 0, false, false, 0, "", false},    {"p4", 1, true, true, 0, "1", true},
};

QString color(quint32 c) { return QString::number(c, 16); }

QString listas(Principal& p) {
  QString t;
  QTextStream o(&t);
  for (const plataforma::ListView* l : {p.ListView2, p.ListView4}) {
    o << "lista visible=" << l->Visible() << " filas=" << l->Count() << "\n";
    for (int f = 1; f <= l->Count(); ++f) {
      o << f << "|" << l->Text(f) << "|" << color(l->ForeColor(f)) << "|" << l->Bold(f);
      for (int s = 1; s <= l->subCount(f); ++s)
        o << "|" << l->subText(f, s) << "/" << color(l->subForeColor(f, s)) << "/" << l->subBold(f, s);
      o << "\n";
    }
  }
  const Estado& e = estado();
  o << "fila=" << p.fila << " cambiovista=" << p.cambiovista << " modoimpresion=" << p.modoimpresion
    << " impreso=" << p.impreso << " avisopremio=" << p.avisopremio << " timer=" << p.Timer3->isActive()
    << " label59=" << p.Label59->text() << " barra=" << p.ProgressBar2->value() << " numpena=" << p.numpena
    << " concomplementario=" << p.concomplementario << " penaactual=" << e.penaactual.codifica().toHex() << "\n";
  return t;
}

QString impresion(const std::vector<plataforma::Trabajo>& trabajos, const std::vector<plataforma::Caja>& cajas) {
  QString t;
  QTextStream o(&t);
  o << "trabajos=" << trabajos.size() << "\n";
  for (const plataforma::Trabajo& j : trabajos) {
    o << "paginas=" << j.paginas << "\n";
    for (const plataforma::Trazo& z : j.trazos)
      o << z.tipo << "|" << z.pagina << "|" << QString::number(z.x, 'g', 17) << "|" << QString::number(z.y, 'g', 17)
        << "|" << QString::number(z.ancho, 'g', 17) << "|" << QString::number(z.alto, 'g', 17) << "|" << z.texto
        << "|" << z.fuente << "|" << z.tamano << "|" << z.negrita << "|" << z.imagen.size().width() << "x"
        << z.imagen.size().height() << "\n";
  }
  for (const plataforma::Caja& c : cajas) o << "caja|" << c.texto << "|" << c.titulo << "|" << c.estilo << "\n";
  return t;
}

QString huella(const QByteArray& b) { return QString::fromLatin1(QCryptographicHash::hash(b, QCryptographicHash::Sha256).toHex()); }

// A line a reader can check by eye: rows of each list, the first prize shown, printed lines.
QString resumenListas(Principal& p) {
  QString primero;
  for (int f = 1; f <= p.ListView2->Count() && primero.isEmpty(); ++f)
    if (p.ListView2->subCount(f) >= 7 && p.ListView2->subText(f, 7).startsWith(QString::fromUtf8("¡¡"))) primero = p.ListView2->subText(f, 7);
  return QStringLiteral("ListView2=%1 ListView4=%2 primer premio: %3").arg(p.ListView2->Count()).arg(p.ListView4->Count()).arg(primero);
}

QString resumenImpresion(const std::vector<plataforma::Trabajo>& trabajos, const std::vector<plataforma::Caja>& cajas) {
  if (trabajos.empty()) return QStringLiteral("sin trabajo; cajas=%1").arg(cajas.size());
  const auto z = trabajos.back().textos();
  return QStringLiteral("paginas=%1 textos=%2 %3 | %4").arg(trabajos.back().paginas).arg(z.size())
      .arg(z.size() > 1 ? z[1]->texto : QString(), z.empty() ? QString() : z.back()->texto);
}

QString resumenPenas(const CarpetaPrograma& carpeta) {
  QStringList r;
  for (const Pena& p : penasDe(carpeta))
    r << QStringLiteral("%1:%2").arg(p.aciertos[3]).arg(plataforma::fechaDe(p.fechacomprobado).toString(Qt::ISODate));
  return r.join(' ');
}

QString archivoDorado() {
  return QStringLiteral(BOLVANTA_FIXTURES "/dorado/comprobacion.txt");
}

// "step part" -> "hash summary".
QMap<QString, QString> leeDorado() {
  QMap<QString, QString> r;
  QFile f(archivoDorado());
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return r;
  while (!f.atEnd()) {
    const QString l = QString::fromUtf8(f.readLine()).trimmed();
    if (l.isEmpty() || l.startsWith('#')) continue;
    const QStringList c = l.split(' ');
    if (c.size() >= 3) r[c[0] + ' ' + c[1]] = c.mid(2).join(' ');
  }
  return r;
}

class Dorado : public ::testing::Test {
 protected:
  void recorre(const Paso* pasos, size_t cuantos) {
    CarpetaPrograma carpeta;
    plataforma::Respondedor respuestas;
    const std::vector<Sorteo> h = historiaReal();
    ASSERT_EQ(h.size(), 4176u);
    const std::vector<Pena> penas = penasDorado(h);
    Principal& p = arranca(carpeta, h, penas);
    llenaCombo(p, penas);
    size_t cajasAntes = 0;
    for (size_t k = 0; k < cuantos; ++k) {
      const Paso& paso = pasos[k];
      {
        const QSignalBlocker b1(p.HScroll1), b2(p.Check1), b3(p.Check2), b4(p.Combo2);
        p.HScroll1->setMaximum(int(h.size()));
        p.HScroll1->setValue(paso.n ? paso.n : int(h.size()));
        p.Check1->setChecked(paso.historico);
        p.Check2->setChecked(paso.soloPremios);
        p.Combo2->setCurrentIndex(paso.elegida);
      }
      // The chooser is used from the list of the other kind, so that the check brings its list forward.
      if (paso.elegida > 0) p.Command1_Click(penas[size_t(paso.elegida - 1)].tipo > 500 ? 0 : 1);
      p.Label59->setText(QString::fromUtf8(paso.aviso));
      auto grabadora = std::make_shared<plataforma::Grabadora>();
      if (paso.imprime) {
        plataforma::GuionImpresora guion{grabadora};
        p.Image5_Click();
      } else if (paso.elegida > 0) {
        p.Combo2_Click();
      } else {
        p.compruebasencillas(p.HScroll1->value());
      }
      const std::vector<plataforma::Caja> cajas(respuestas.cajas().begin() + qsizetype(cajasAntes), respuestas.cajas().end());
      cajasAntes = respuestas.cajas().size();
      comprueba(paso.nombre, "listas", listas(p).toUtf8(), resumenListas(p));
      comprueba(paso.nombre, "impresora", impresion(grabadora->trabajos, cajas).toUtf8(),
                resumenImpresion(grabadora->trabajos, cajas));
      comprueba(paso.nombre, "apuestas", carpeta.lee(QStringLiteral("apuestas.dat")), resumenPenas(carpeta));
    }
  }

  void comprueba(const QString& paso, const QString& parte, const QByteArray& todo, const QString& resumen) {
    const QString clave = paso + ' ' + parte;
    orden_ << clave;
    const QString vuelca = qEnvironmentVariable("BOLVANTA_DORADO_VUELCA");
    if (!vuelca.isEmpty()) {
      QDir().mkpath(vuelca);
      QFile f(vuelca + '/' + paso + '-' + parte + (parte == "apuestas" ? ".dat" : ".txt"));
      if (f.open(QIODevice::WriteOnly)) f.write(todo);
    }
    const QString hecho = (huella(todo) + ' ' + resumen).trimmed();  // as read back from the file
    const QString regenera = qEnvironmentVariable("BOLVANTA_DORADO");
    if (regenera == "todo" || regenera == parte) {
      nuevo_[clave] = hecho;
      return;
    }
    nuevo_[clave] = esperado_.value(clave);
    EXPECT_EQ(hecho.toStdString(), esperado_.value(clave).toStdString()) << qPrintable(clave);
  }

  void SetUp() override { esperado_ = leeDorado(); }
  void TearDown() override {
    if (qEnvironmentVariableIsEmpty("BOLVANTA_DORADO")) return;
    QFile f(archivoDorado());
    QDir().mkpath(QFileInfo(f).absolutePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate));
    f.write("# Results of both checks over tests/fixtures/real/primitiva-history.csv, written by\n"
            "# tests/checking/dorado_pruebas.cpp (see there how to write them again): step, part,\n"
            "# SHA-256 of the whole result, a short summary.\n");
    for (const QString& clave : orden_) f.write((clave + ' ' + nuevo_.value(clave) + '\n').toUtf8());
  }

  QMap<QString, QString> esperado_, nuevo_;
  QStringList orden_;
};

TEST_F(Dorado, BothChecksOverTheRealHistoryGiveWhatTheyGave) {
  recorre(HISTORIA, std::size(HISTORIA));
  recorre(POCOS, std::size(POCOS));
}

}  // namespace
