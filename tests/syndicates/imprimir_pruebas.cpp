// Slip printing: where the crosses of every number fall on the official slip and on both
// participations of a plain page, slips and pages, the kind and Joker marks, the correction fields
// and what nums.ini keeps of them, and printers that are cancelled or fail.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "data/ayudas.h"
#include "plataforma/impresora.h"
#include "plataforma/msgbox.h"
#include "syndicates/Imprimir.h"
#include "syndicates/lista_comun.h"

using namespace penas;
using plataforma::Grabadora;
using plataforma::Trabajo;
using plataforma::Trazo;

namespace {

struct Marca {
  double x, y;
  int pagina;
  bool operator==(const Marca& o) const {
    return std::abs(x - o.x) < 1e-3 && std::abs(y - o.y) < 1e-3 && pagina == o.pagina;
  }
};
std::ostream& operator<<(std::ostream& os, const Marca& m) {
  return os << "(" << m.x << ", " << m.y << " p" << m.pagina << ")";
}

// The box of number n of block b on the official slip, by the slip's own measures.
Marca casilla(int n, int b, double cx = 0, double cy = 0, int pagina = 1) {
  return {cx + 3.8 * (n / 10) + 18.7 * (b - 1), cy + 5.0 * (n % 10), pagina};
}

// `n` bets, each of them these numbers.
Pena conApuestas(const QString& nombre, int n, std::vector<int> numeros, const QString& dias = "Jueves") {
  return penaDe(nombre, dias, QDate(2025, 1, 2), std::vector<std::vector<int>>(n, numeros));
}

class Boletos : public ::testing::Test {
 protected:
  void TearDown() override {
    descargaImprimir();
    procesaDescargas();
  }
  // The window on syndicate 1 of these, opened as the print command opens it.
  Imprimir& abre(const std::vector<Pena>& lista) {
    arranca(carpeta, {}, lista);
    return elige(1);
  }
  // The window again, on syndicate n.
  Imprimir& elige(int n) {
    descargaImprimir();
    procesaDescargas();
    principal().ListView1_ItemClick(n);
    principal().Command2_Click();
    EXPECT_NE(imprimirSiExiste(), nullptr);
    return imprimir();
  }
  // Prints on official slips (modo 0) or plain paper (1) to the recorder.
  const Trabajo* imprime(Imprimir& v, int modo) {
    plataforma::GuionImpresora guion{grabadora};
    const size_t antes = grabadora->trabajos.size();
    if (modo == 0) v.Command1_Click(); else v.Command2_Click();
    return grabadora->trabajos.size() > antes ? &grabadora->trabajos.back() : nullptr;
  }
  static std::vector<Marca> marcas(const Trabajo& t) {
    std::vector<Marca> r;
    for (const Trazo* z : t.textos())
      if (z->texto == "X") r.push_back({z->x, z->y, z->pagina});
    return r;
  }
  static bool tiene(const std::vector<Marca>& m, const Marca& una) {
    return std::find(m.begin(), m.end(), una) != m.end();
  }
  static const Trazo* texto(const Trabajo& t, const QString& s) {
    for (const Trazo* z : t.textos())
      if (z->texto == s) return z;
    return nullptr;
  }
  Configuracion ajustes() const { return Configuracion::decodifica(carpeta.lee("nums.ini").left(Configuracion::LONGITUD)); }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
  std::shared_ptr<Grabadora> grabadora = std::make_shared<Grabadora>();
};

TEST_F(Boletos, NumbersOneTenAndFortyNineOnTheSlipAndOnBothParticipations) {
  // Sixteen bets: every block of two slips holds 1, 10 and 49.
  Imprimir& v = abre({conApuestas("PRUEBA", 16, {1, 10, 49, 20, 30, 40})});
  EXPECT_EQ(v.Label2[0]->text(), "16");
  EXPECT_EQ(v.Label2[1]->text(), "2");
  EXPECT_EQ(v.Label2[2]->text(), "Jueves");
  EXPECT_EQ(v.Label10->text(), "PRUEBA");

  struct Caso {
    int modo;
    double cx, cy;          // corrections in the fields
    std::vector<Marca> esperadas;
  };
  const std::vector<Caso> casos = {
      {0, 0, 0, {{0, 5, 1}, {3.8, 0, 1}, {146.1, 45, 1}, {0, 5, 2}, {146.1, 45, 2}}},
      {0, 2.5, 1.5, {{2.5, 6.5, 1}, {6.3, 1.5, 1}, {148.6, 46.5, 1}, {148.6, 46.5, 2}}},
      // Plain paper ignores the corrections: participation 2 is the same 104 mm lower.
      {1, 2.5, 1.5, {{25.8, 50, 1}, {29.6, 45, 1}, {171.9, 90, 1}, {25.8, 154, 1}, {29.6, 149, 1}, {171.9, 194, 1}}},
  };
  for (const Caso& c : casos) {
    v.Text1[0]->setText(QString::number(c.cx).replace('.', ','));
    v.Text1[1]->setText(QString::number(c.cy).replace('.', ','));
    const Trabajo* t = imprime(v, c.modo);
    ASSERT_NE(t, nullptr);
    const auto m = marcas(*t);
    EXPECT_EQ(m.size(), 16u * 6);
    for (const Marca& e : c.esperadas) EXPECT_TRUE(tiene(m, e)) << c.modo << " " << e;
    EXPECT_EQ(t->paginas, c.modo == 0 ? 2 : 1);
    for (const Trazo* z : t->textos()) {
      EXPECT_EQ(z->fuente.toLower(), "arial");
      EXPECT_EQ(z->tamano, z->texto.startsWith("Bolvanta") ? 18 : 11.5) << z->texto.toStdString();
    }
  }
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Boletos, SeventeenBetsTakeThreeSlipsAndTheLastHoldsOnlyBlockOne) {
  Pena p = conApuestas("DIECISIETE", 17, {1, 2, 3, 4, 5, 6});
  p.apuestas[17] = {0, 11, 12, 13, 14, 15, 16};
  Imprimir& v = abre({p});
  EXPECT_EQ(v.Label2[0]->text(), "17");
  EXPECT_EQ(v.Label2[1]->text(), "3");
  v.Text1[0]->setText("4");
  v.Text1[1]->setText("9");
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->paginas, 3);
  std::vector<Marca> tercera;
  for (const Marca& m : marcas(*t))
    if (m.pagina == 3) tercera.push_back(m);
  std::vector<Marca> esperadas;
  for (int n = 11; n <= 16; ++n) esperadas.push_back(casilla(n, 1, 4, 9, 3));
  EXPECT_EQ(tercera, esperadas);
  for (int s = 1; s <= 3; ++s) {
    const Trazo* c = texto(*t, QString("PEÑA DIECISIETE (%1/3)     Bolvanta v.3.4.9991").arg(s));
    ASSERT_NE(c, nullptr) << s;
    EXPECT_EQ(c->pagina, s);
    EXPECT_EQ(c->x, 9);
    EXPECT_EQ(c->y, 2);
  }
}

TEST(BoletosCuenta, SlipsBetsAndNumbersOfEachKind) {
  const std::vector<std::array<int, 4>> casos = {
      // tipo, slips, bets, numbers a bet
      {1, 1, 1, 6},   {8, 1, 8, 6},     {9, 2, 9, 6},   {16, 2, 16, 6}, {17, 3, 17, 6}, {205, 26, 205, 6},
      {300, 26, 205, 6}, {0, 0, 0, 6},  {-3, 0, 0, 6},  {501, 1, 1, 7}, {503, 1, 1, 5},
      {506, 1, 1, 11},  {507, 1, 1, 0}};
  for (const auto& [tipo, slips, bets, numeros] : casos) {
    EXPECT_EQ(boletos::cuentaBoletos(tipo), slips) << tipo;
    EXPECT_EQ(boletos::apuestas(tipo), bets) << tipo;
    EXPECT_EQ(boletos::numeros(tipo), numeros) << tipo;
  }
}

TEST_F(Boletos, AMultipleBetFillsBlockOneAndMarksItsKind) {
  Pena m = conApuestas("NUEVE", 1, {1, 12, 23, 34, 45, 6, 17, 28, 39});
  m.tipo = 504;
  Imprimir& v = abre({m});
  EXPECT_EQ(v.Label2[0]->text(), "1");
  EXPECT_EQ(v.Label2[1]->text(), "1");
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  std::vector<Marca> esperadas;
  for (int n : {1, 12, 23, 34, 45, 6, 17, 28, 39}) esperadas.push_back(casilla(n, 1));
  Marca tipo = casilla(29, 2);
  tipo.y += 10;
  esperadas.push_back(tipo);
  EXPECT_EQ(marcas(*t), esperadas);
  EXPECT_EQ(t->paginas, 1);
}

TEST_F(Boletos, TheJokerMarkOnEverySlipAndEveryParticipation) {
  Imprimir& v = abre({conApuestas("JOKER", 9, {1, 2, 3, 4, 5, 6})});
  v.Check1->setChecked(true);
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  for (int s = 1; s <= 2; ++s) EXPECT_TRUE(tiene(marcas(*t), {130.9, 55, s})) << s;
  t = imprime(v, 1);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(tiene(marcas(*t), {156.7, 100, 1}));
  EXPECT_TRUE(tiene(marcas(*t), {156.7, 204, 1}));
  v.Check1->setChecked(false);
  t = imprime(v, 0);
  EXPECT_FALSE(tiene(marcas(*t), {130.9, 55, 1}));
}

TEST_F(Boletos, ThreeParticipationsTakeTwoPagesWithTheirFramesAndTexts) {
  const QStringList todosDias = {"Jueves", "Todos (L+J+S)", "Jueves y Sábado"};
  std::vector<Pena> penas;
  for (const QString& d : todosDias) penas.push_back(conApuestas("TRES", 20, {1, 2, 3, 4, 5, 6}, d));
  arranca(carpeta, {}, penas);
  for (int n = 1; n <= int(todosDias.size()); ++n) {
    Imprimir& v = elige(n);
    const QString dias = todosDias[n - 1];
    const Trabajo* t = imprime(v, 1);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->paginas, 2);
    // Frames 160.5 x 104 mm; reading marks 2.5 x 3 mm; day marks 1 x 4 mm at 22.5 mm.
    std::vector<Marca> marcos, lectura, dia;
    for (const Trazo& z : t->trazos) {
      if (z.tipo == Trazo::Caja) {
        marcos.push_back({z.x, z.y, z.pagina});
        EXPECT_EQ(z.ancho, 160.5);
        EXPECT_EQ(z.alto, 104);
      }
      if (z.tipo != Trazo::CajaLlena) continue;
      if (z.ancho == 2.5 && z.alto == 3) lectura.push_back({z.x, z.y, z.pagina});
      else if (z.x == 22.5 && z.ancho == 1 && z.alto == 4) dia.push_back({z.x, z.y, z.pagina});
      else ADD_FAILURE() << "a filled box of " << z.ancho << " x " << z.alto << " at " << z.x << ", " << z.y;
    }
    EXPECT_EQ(marcos, (std::vector<Marca>{{20, 20, 1}, {20, 124, 1}, {20, 20, 2}}));
    EXPECT_EQ(lectura, (std::vector<Marca>{{23.8, 117.3, 1}, {174.5, 117.3, 1}, {23.8, 221.3, 1},
                                           {174.5, 221.3, 1}, {23.8, 117.3, 2}, {174.5, 117.3, 2}}));
    // "Jueves y Sábado" and "Todos (L+J+S)" mark 56 and 86 mm, any other days 62 and 74.
    const bool dosDias = dias != "Jueves";
    const double a = dosDias ? 56 : 62, b = dosDias ? 86 : 74;
    EXPECT_EQ(dia, (std::vector<Marca>{{22.5, 44, 1}, {22.5, a, 1}, {22.5, b, 1}, {22.5, 148, 1}, {22.5, a + 104, 1},
                                       {22.5, b + 104, 1}, {22.5, 44, 2}, {22.5, a, 2}, {22.5, b, 2}}));
    const std::vector<std::pair<QString, Marca>> textos = {
        {"PEÑA TRES (1/3)", {32, 37, 1}},
        {"PEÑA TRES (2/3)", {32, 141, 1}},
        {"PEÑA TRES (3/3)", {32, 37, 2}},
        {"Participación para: ", {110, 97, 1}},
        {dias.toUpper(), {110, 102, 1}},
        {"Bolvanta v.3.4.9991", {72.5, 25, 1}},
    };
    for (const auto& [s, donde] : textos) {
      const Trazo* z = texto(*t, s);
      ASSERT_NE(z, nullptr) << s.toStdString();
      EXPECT_EQ((Marca{z->x, z->y, z->pagina}), donde) << s.toStdString();
    }
  }
}

TEST_F(Boletos, TheCorrectionFieldsAndWhatNumsIniKeeps) {
  Configuracion c;
  c.correccionx = 1.5f;
  c.correcciony = 2.0f;
  c.precio = 1;
  c.meses = 24;
  c.direccionweb = "www.bolvanta.es";
  carpeta.escribe("nums.ini", c.codifica());
  Imprimir& v = abre({conApuestas("CAMPOS", 1, {1, 2, 3, 4, 5, 6})});
  EXPECT_EQ(v.Text1[0]->text(), "1,5");
  EXPECT_EQ(v.Text1[1]->text(), "2");

  struct Caso {
    int campo;
    QString tecleado;
    QString queda0, queda1;  // what the fields show afterwards
    float x, y;              // what nums.ini holds
  };
  const std::vector<Caso> casos = {
      {0, "2,5", "2,5", "2", 2.5f, 2.0f},
      {0, "abc", "2,5", "2", 2.5f, 2.0f},   // letters: the stored value comes back
      {1, "0.75", "2,5", "0.75", 2.5f, 0.75f},  // a point is read as the decimal sign too
      {1, "-", "2,5", "-", 2.5f, 0.75f},      // a sign alone is a number being typed
      {1, "", "2,5", "", 2.5f, 0.75f},        // emptied: the stored value stays
  };
  for (const Caso& k : casos) {
    v.Text1[k.campo]->setText(k.tecleado);
    EXPECT_EQ(v.Text1[0]->text(), k.queda0) << k.tecleado.toStdString();
    EXPECT_EQ(v.Text1[1]->text(), k.queda1) << k.tecleado.toStdString();
    EXPECT_EQ(ajustes().correccionx, k.x) << k.tecleado.toStdString();
    EXPECT_EQ(ajustes().correcciony, k.y) << k.tecleado.toStdString();
    EXPECT_EQ(ajustes().precio, 1.0f);
    EXPECT_EQ(ajustes().direccionweb.trimmed(), "www.bolvanta.es");
  }
  EXPECT_TRUE(respuestas.cajas().empty());
  // Leaving the emptied field: the message, and the field shows the value in use again.
  v.Text1_LostFocus(1);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].texto, "Te has dejado una coordenada en blanco. Introduce un número válido.");
  EXPECT_EQ(respuestas.cajas()[0].titulo, "EHEHEHH");
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbCritical);
  EXPECT_EQ(v.Text1[1]->text(), "0,75");

  // Off the paper: typed key by key, the key that takes a cross off the sheet is refused with one
  // message, and the field and file keep the last good value.
  v.show();
  v.Text1[0]->setFocus();
  v.Text1[0]->selectAll();
  QTest::keyClicks(v.Text1[0], "70");
  ASSERT_EQ(respuestas.cajas().size(), 2u);
  EXPECT_TRUE(respuestas.cajas()[1].texto.startsWith(
      "Con una corrección X de 70 mm alguna cruz quedaría fuera del papel. La corrección X debe estar entre 0 y "))
      << respuestas.cajas()[1].texto.toStdString();
  EXPECT_TRUE(respuestas.cajas()[1].texto.endsWith(" mm; se queda en 7 mm."));
  EXPECT_EQ(respuestas.cajas()[1].estilo, plataforma::vbExclamation);
  EXPECT_EQ(respuestas.cajas()[1].titulo, "Corrección fuera del papel");
  EXPECT_EQ(v.Text1[0]->text(), "7");
  EXPECT_EQ(ajustes().correccionx, 7.0f);
}

// Every correction the window takes keeps every cross whole on the A4 sheet, and none beyond.
TEST_F(Boletos, CorrectionsThatPutACrossOffTheSheetAreRefused) {
  Pena p = conApuestas("BORDE", 8, {1, 10, 9, 49, 40, 19});
  p.tipo = 8;
  Imprimir& v = abre({p});
  v.Check1->setChecked(true);  // the Joker, in the row under the grid
  struct Caso {
    int campo;
    QString tecleado;
    bool aceptada;
  };
  // The crosses reach 146.1 mm right of the X correction and 55 mm below the Y one, plus their size.
  const std::vector<Caso> casos = {
      {0, "0", true},     {0, "-0,1", false}, {0, "60", true},  {0, "63,9", false}, {0, "100", false},
      {1, "0", true},     {1, "-1", false},   {1, "237", true}, {1, "242", false},  {1, "-100", false},
  };
  for (const Caso& k : casos) {
    const size_t antes = respuestas.cajas().size();
    v.Text1[k.campo]->setText("5");
    v.Text1[k.campo]->setText(k.tecleado);
    EXPECT_EQ(respuestas.cajas().size(), antes + (k.aceptada ? 0 : 1)) << k.tecleado.toStdString();
    const float guardada = k.campo == 0 ? ajustes().correccionx : ajustes().correcciony;
    EXPECT_EQ(guardada, k.aceptada ? QLocale(QLocale::Spanish).toFloat(k.tecleado) : 5.0f) << k.tecleado.toStdString();
    EXPECT_EQ(v.Text1[k.campo]->text(), k.aceptada ? k.tecleado : "5");
  }
  // The largest of each as the message gives it: the crosses still fall whole on the sheet.
  for (int campo : {0, 1}) {
    v.Text1[campo]->setText("999");
    const QString texto = respuestas.cajas().back().texto;
    static const QRegularExpression limite("entre 0 y ([0-9,]+) mm");
    const QString maxima = limite.match(texto).captured(1);
    ASSERT_FALSE(maxima.isEmpty()) << texto.toStdString();
    v.Text1[campo]->setText(maxima);
    EXPECT_EQ(v.Text1[campo]->text(), maxima);
  }
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  plataforma::Impresora medida;
  medida.FontName = "arial";
  medida.FontSize = 11.5;
  medida.FontBold = true;
  double derecha = 0, abajo = 0;
  for (const Trazo* z : t->textos())
    if (z->texto == "X") {
      derecha = std::max(derecha, z->x + medida.TextWidth("X"));
      abajo = std::max(abajo, z->y + medida.TextHeight());
    }
  EXPECT_LE(derecha, 210);
  EXPECT_GT(derecha, 209.8);
  EXPECT_LE(abajo, 297);
  EXPECT_GT(abajo, 296.8);
}

TEST_F(Boletos, ARealBoxForACorrectionOffThePaperShowsOnce) {
  Imprimir& v = abre({conApuestas("CAJA", 1, {1, 2, 3, 4, 5, 6})});
  v.show();
  v.activateWindow();
  v.Text1[1]->setFocus();
  v.Text1[1]->selectAll();
  plataforma::quitaRespondedor();
  int cajas = 0;
  // Each box that opens is counted and closed with Enter, as a user would.
  QTimer reloj;
  reloj.setInterval(20);
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    if (auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++cajas;
      QTest::keyClick(caja, Qt::Key_Return);
    }
  });
  reloj.start();
  QTest::keyClicks(v.Text1[1], "999");
  QTest::qWait(100);
  EXPECT_EQ(cajas, 1);
  EXPECT_EQ(v.Text1[1]->text(), "99");
  EXPECT_EQ(ajustes().correcciony, 99.0f);

  // Leaving an emptied field for the other one: one box, and the field shows its value again.
  QApplication::setActiveWindow(&v);
  ASSERT_EQ(QApplication::activeWindow(), &v);
  v.Text1[0]->setFocus(Qt::OtherFocusReason);
  v.Text1[0]->clear();
  QTest::keyClick(v.Text1[0], Qt::Key_Tab);
  QTest::qWait(100);
  EXPECT_EQ(cajas, 2);
  EXPECT_EQ(v.Text1[0]->text(), "0");
  EXPECT_EQ(v.focusWidget(), v.Text1[1]);

  // A window that closes with an emptied field says nothing.
  QApplication::setActiveWindow(&v);
  v.Text1[1]->setFocus(Qt::OtherFocusReason);
  v.Text1[1]->clear();
  ASSERT_TRUE(v.Text1[1]->hasFocus());
  descargaImprimir();
  QTest::qWait(100);
  reloj.stop();
  EXPECT_EQ(cajas, 2);
  QApplication::setActiveWindow(nullptr);
}

TEST_F(Boletos, ARecordWithMoreBetsThanItHoldsPrintsWhatItHolds) {
  Pena p = conApuestas("DESBORDADA", 205, {1, 2, 3, 4, 5, 6});
  p.tipo = 300;
  p.apuestas[205] = {0, 0, 0, 50, 4, 5, 6};  // empty and impossible numbers get no cross
  Imprimir& v = abre({p});
  EXPECT_EQ(v.Label2[0]->text(), "205");
  EXPECT_EQ(v.Label2[1]->text(), "26");
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->paginas, 26);
  EXPECT_EQ(marcas(*t).size(), 204u * 6 + 3);
}

TEST_F(Boletos, CancelledOrFailingPrinterLeavesNothingAndTheWindowUsable) {
  Imprimir& v = abre({conApuestas("FALLO", 3, {1, 2, 3, 4, 5, 6})});
  {
    plataforma::GuionImpresora guion{nullptr};
    v.Command1_Click();
    EXPECT_EQ(guion.mostrados(), 1);
  }
  EXPECT_TRUE(respuestas.cajas().empty());
  grabadora->falla = true;
  EXPECT_EQ(imprime(v, 1), nullptr);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "Error de impresora");
  EXPECT_FALSE(plataforma::Printer().abierto());
  grabadora->falla = false;
  const Trabajo* t = imprime(v, 1);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(marcas(*t).size(), 18u);
  // Coming back to the main window closes the printing window.
  principal().Form_Activate();
  procesaDescargas();
  EXPECT_EQ(imprimirSiExiste(), nullptr);
}

// The PDF of official slips: its heading as text, and every cross inside its box of the slip's grid
// with no ink anywhere else below the heading.
TEST_F(Boletos, TheSlipPdfPutsEveryCrossInsideItsBox) {
  std::vector<std::vector<int>> apuestas;
  for (int k = 1; k <= 8; ++k) apuestas.push_back({k, 10 + k, 20 + k, 30 + k, 40 + k, k == 1 ? 49 : 10});
  Pena p = penaDe("REJILLA", "Jueves", QDate(2025, 1, 2), apuestas);
  Imprimir& v = abre({p});
  v.Check1->setChecked(true);
  v.Text1[0]->setText("10");
  v.Text1[1]->setText("20");
  QTemporaryDir dir;
  for (int modo : {0, 1}) {
    const QString archivo = dir.filePath(modo == 0 ? "oficial.pdf" : "normal.pdf");
    {
      plataforma::GuionImpresora guion{std::make_shared<plataforma::DestinoPdf>(archivo)};
      modo == 0 ? v.Command1_Click() : v.Command2_Click();
    }
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(archivo), QPdfDocument::Error::None);
    ASSERT_EQ(pdf.pageCount(), 1);
    const QString texto = pdf.getAllText(0).text().simplified();
    if (modo == 1) {
      for (const char* s : {"PEÑA REJILLA (1/1)", "Participación para:", "JUEVES", "Bolvanta v.3.4.9991"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(s))) << s << "\n" << texto.toStdString();
      if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) QFile::copy(archivo, qEnvironmentVariable("BOLVANTA_CAPTURAS") + "-normal.pdf");
      continue;
    }
    EXPECT_TRUE(texto.contains("PEÑA REJILLA (1/1) Bolvanta v.3.4.9991")) << texto.toStdString();
    if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) QFile::copy(archivo, qEnvironmentVariable("BOLVANTA_CAPTURAS") + "-oficial.pdf");

    constexpr int PX_MM = 8;
    // The page is rendered transparent: laid on white paper.
    QImage hoja(210 * PX_MM, 297 * PX_MM, QImage::Format_RGB32);
    hoja.fill(Qt::white);
    {
      QPainter pintor(&hoja);
      pintor.drawImage(0, 0, pdf.render(0, hoja.size()));
    }
    std::vector<QRectF> cajas;
    for (int b = 1; b <= 8; ++b)
      for (int n : apuestas[b - 1]) {
        const Marca c = casilla(n, b, 10, 20);
        cajas.emplace_back(c.x, c.y, 3.8, 5);
      }
    const Marca joker = casilla(9, 8, 10, 30);
    cajas.emplace_back(joker.x, joker.y, 3.8, 5);
    std::vector<int> tinta(cajas.size(), 0);
    int fuera = 0;
    for (int py = 19 * PX_MM; py < hoja.height(); ++py)
      for (int px = 0; px < hoja.width(); ++px) {
        if (qGray(hoja.pixel(px, py)) > 128) continue;
        const QPointF mm((px + 0.5) / PX_MM, (py + 0.5) / PX_MM);
        bool dentro = false;
        for (size_t i = 0; i < cajas.size(); ++i)
          if (cajas[i].contains(mm)) {
            ++tinta[i];
            dentro = true;
          }
        if (!dentro) ++fuera;
      }
    EXPECT_EQ(fuera, 0);
    for (size_t i = 0; i < cajas.size(); ++i) EXPECT_GT(tinta[i], 20) << i;
  }
}

TEST_F(Boletos, TheWindowShowsALongNameAndTwoHundredFiveBets) {
  Imprimir& v = abre({conApuestas("WWWWWWWWWWWWWWWWWWWW", 205, {1, 2, 3, 4, 5, 6}, "Jueves y Sábado")});
  v.show();
  EXPECT_EQ(v.Label10->text(), "WWWWWWWWWWWWWWWWWWWW");
  // The syndicate's name stands out, larger than the window's texts.
  EXPECT_GE(QFontInfo(v.Label10->font()).pixelSize(), QFontInfo(v.Label3[0]->font()).pixelSize() * 1.3);
  EXPECT_EQ(v.Label2[0]->text(), "205");
  EXPECT_EQ(v.Label2[1]->text(), "26");
  // Every text fits its control in the program's font.
  for (QLabel* l : v.findChildren<QLabel*>()) {
    if (!l->text().isEmpty()) {
      EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
    }
  }
  for (QPushButton* b : {v.Command1, v.Command2})
    EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()) + 12, b->width()) << b->text().toStdString();
  EXPECT_LE(v.Check1->fontMetrics().horizontalAdvance(v.Check1->text()) + 24, v.Check1->width());
  // BOLVANTA_CAPTURAS=/tmp/x keeps the window as /tmp/x-imprimir.png, to look at.
  if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) v.grab().save(qEnvironmentVariable("BOLVANTA_CAPTURAS") + "-imprimir.png");
}

}  // namespace
