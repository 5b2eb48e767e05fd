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
#include <QPdfWriter>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

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
  // The slips go to A4 sheets printed whole until a test chooses another printer.
  Boletos() { plataforma::Printer().fijaDestino(grabadora); }
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
  // nums.ini with these corrections, as the window finds it when it opens: written before the
  // program starts, or through the program's open settings file once it runs.
  void guarda(float x, float y) const {
    Configuracion c;
    c.correccionx = x;
    c.correcciony = y;
    c.precio = 1;
    c.meses = 24;
    c.direccionweb = "www.bolvanta.es";
    if (principalSiExiste())
      escribeConfiguracionArchivo(c);
    else
      carpeta.escribe("nums.ini", c.codifica());
  }

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
      // The heading stands 7 mm above the grid: the least Y that keeps it on the sheet.
      {0, 0, 7, {{0, 12, 1}, {3.8, 7, 1}, {146.1, 52, 1}, {0, 12, 2}, {146.1, 52, 2}}},
      {0, 2.5, 8.5, {{2.5, 13.5, 1}, {6.3, 8.5, 1}, {148.6, 53.5, 1}, {148.6, 53.5, 2}}},
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
  v.Text1[1]->setText("7");
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  std::vector<Marca> esperadas;
  for (int n : {1, 12, 23, 34, 45, 6, 17, 28, 39}) esperadas.push_back(casilla(n, 1, 0, 7));
  Marca tipo = casilla(29, 2, 0, 7);
  tipo.y += 10;
  esperadas.push_back(tipo);
  EXPECT_EQ(marcas(*t), esperadas);
  EXPECT_EQ(t->paginas, 1);
}

TEST_F(Boletos, TheJokerMarkOnEverySlipAndEveryParticipation) {
  Imprimir& v = abre({conApuestas("JOKER", 9, {1, 2, 3, 4, 5, 6})});
  v.Check1->setChecked(true);
  v.Text1[1]->setText("7");
  const Trabajo* t = imprime(v, 0);
  ASSERT_NE(t, nullptr);
  for (int s = 1; s <= 2; ++s) EXPECT_TRUE(tiene(marcas(*t), {130.9, 62, s})) << s;
  t = imprime(v, 1);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(tiene(marcas(*t), {156.7, 100, 1}));
  EXPECT_TRUE(tiene(marcas(*t), {156.7, 204, 1}));
  v.Check1->setChecked(false);
  t = imprime(v, 0);
  EXPECT_FALSE(tiene(marcas(*t), {130.9, 62, 1}));
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
}

// The texts of a syndicate's official slips with no correction, by the slip's own measures: each
// bet's crosses in its block, eight bets a slip; on every slip the heading 5 mm right of and 7 mm
// above the grid; the kind of a multiple bet and the Joker in the row 10 mm under the grid.
struct TextoBoleto {
  QString texto;
  double x, y;
  int pagina;
};
std::vector<TextoBoleto> textosBoleto(const Pena& p, bool joker) {
  const std::map<int, std::pair<int, int>> tipos = {{501, {39, 1}}, {502, {9, 2}},  {503, {19, 1}},
                                                    {504, {29, 2}}, {505, {49, 2}}, {506, {19, 3}}};
  const int apuestas = p.tipo > 500 ? 1 : p.tipo;
  const int boletos = (apuestas + 7) / 8;
  const QString nombre = QString(p.nombre).trimmed();
  std::vector<TextoBoleto> r;
  for (int k = 1; k <= apuestas; ++k)
    for (int j = 1; j <= 20; ++j)
      if (const int n = p.apuestas[k][j]) {
        const Marca c = casilla(n, (k - 1) % 8 + 1);
        r.push_back({"X", c.x, c.y, (k - 1) / 8 + 1});
      }
  for (int s = 1; s <= boletos; ++s) {
    r.push_back({QString("PEÑA %1 (%2/%3)     Bolvanta v.3.4.9991").arg(nombre).arg(s).arg(boletos), 5, -7, s});
    if (tipos.count(p.tipo)) {
      const auto [n, b] = tipos.at(p.tipo);
      const Marca c = casilla(n, b);
      r.push_back({"X", c.x, c.y + 10, s});
    }
    if (joker) r.push_back({"X", casilla(9, 8).x, casilla(9, 8).y + 10, s});
  }
  return r;
}

// The corrections with which every cross (or every heading) falls whole within a printable area: X
// from-to, Y from-to. Widths in the font the slips are drawn with, on a PDF page of 1200 dots an inch.
std::array<double, 4> limites(const std::vector<TextoBoleto>& textos, QSizeF area, bool cabeceras = false) {
  plataforma::Impresora medida;
  medida.FontName = "arial";
  medida.FontSize = 11.5;
  medida.FontBold = true;
  QPdfWriter hoja(QString("/dev/null"));
  hoja.setResolution(1200);
  QFont fuente("arial", -1, QFont::Bold);
  fuente.setPointSizeF(11.5);
  double izquierda = 1e9, derecha = -1e9, arriba = 1e9, abajo = -1e9;
  for (const TextoBoleto& t : textos) {
    if ((t.texto != "X") != cabeceras) continue;
    izquierda = std::min(izquierda, t.x);
    derecha = std::max(derecha, t.x + QFontMetricsF(fuente, &hoja).horizontalAdvance(t.texto) * 25.4 / 1200);
    arriba = std::min(arriba, t.y);
    abajo = std::max(abajo, t.y + medida.TextHeight());
  }
  return {-izquierda, area.width() - derecha, -arriba, area.height() - abajo};
}

// A limit as the messages give it: tenths of a millimetre, rounded towards the inside of the range.
QString cifra(double v, bool minimo) {
  double t = (minimo ? std::ceil(v * 10 - 1e-6) : std::floor(v * 10 + 1e-6)) / 10;
  if (std::abs(t) < 0.05) t = 0;
  return QLocale(QLocale::Spanish).toString(t, 'f', 1).remove(QRegularExpression(",0$"));
}

// A PDF printer with the paper and margins the user chose, whose jobs the test also keeps.
class PdfGrabado : public plataforma::DestinoSistema {
 public:
  using DestinoSistema::DestinoSistema;
  void envia(const Trabajo& t) override {
    trabajos.push_back(t);
    DestinoSistema::envia(t);
  }
  std::vector<Trabajo> trabajos;
};

// Each correction reaches exactly as far as the chosen printer prints on its paper: at the limit
// every mark prints where the slip puts it, on one sheet a slip; just past it nothing prints and the
// message names the correction and its range for that printer and paper. The heading prints only
// where it fits whole, else the slips print without it and one notice says from where it fits.
TEST_F(Boletos, CorrectionsReachAsFarAsThePrinterPrintsAndNoFurther) {
  Pena sencilla = conApuestas("SENCILLA", 9, {1, 9, 10, 25, 40, 49});
  Pena diez = conApuestas("DIEZ", 1, {1, 9, 10, 19, 20, 29, 30, 39, 40, 49});
  diez.tipo = 505;
  Pena cinco = conApuestas("CINCO", 1, {31, 32, 33, 34, 35});
  cinco.tipo = 503;
  const std::vector<Pena> lista = {sencilla, diez, cinco};
  const bool jokers[] = {false, true, false};
  arranca(carpeta, {}, lista);

  struct Papel {
    const char* nombre;
    QPageSize::PageSizeId tamano;
    QSizeF hoja;  // mm
    QMarginsF margenes;
  };
  const Papel papeles[] = {
      {"A4 with a printer's margins", QPageSize::A4, {210, 297}, {6.35, 12.7, 6.35, 12.7}},
      {"A4 printed whole", QPageSize::A4, {210, 297}, {0, 0, 0, 0}},
      {"Letter with a printer's margins", QPageSize::Letter, {215.9, 279.4}, {6.35, 12.7, 6.35, 12.7}},
  };
  QTemporaryDir dir;
  for (const Papel& papel : papeles) {
    plataforma::Eleccion eleccion;
    eleccion.archivo = dir.filePath("boletos.pdf");
    eleccion.hoja = QPageLayout(QPageSize(papel.tamano), QPageLayout::Portrait, papel.margenes, QPageLayout::Millimeter);
    const QSizeF area(papel.hoja.width() - papel.margenes.left() - papel.margenes.right(),
                      papel.hoja.height() - papel.margenes.top() - papel.margenes.bottom());
    for (int n = 1; n <= 3; ++n) {
      const Pena& p = lista[n - 1];
      const auto textos = textosBoleto(p, jokers[n - 1]);
      const auto lim = limites(textos, area), cab = limites(textos, area, true);
      const int boletos = textos.back().pagina;
      // Each limit (X from, X to, Y from, Y to, the heading's X to and Y from) at hundredths inside
      // it, and past it by two more.
      for (int i = 0; i < 6; ++i)
        for (bool pasado : {false, true}) {
          const int coord = i < 4 ? i / 2 : i - 4;
          const bool minimo = i < 4 ? i % 2 == 0 : i == 5;
          const double limite = i < 4 ? lim[i] : cab[i == 4 ? 1 : 2];
          if (limite < lim[2 * coord] || limite > lim[2 * coord + 1]) continue;
          double valor = minimo ? std::ceil(limite * 100) / 100 : std::floor(limite * 100) / 100;
          if (pasado) valor += minimo ? -0.02 : 0.02;
          // The other correction in the middle of its range.
          const int otro = coord == 0 ? 2 : 0;
          const double medio = std::round((lim[otro] + lim[otro + 1]) * 50) / 100;
          const double cx = coord == 0 ? valor : medio, cy = coord == 0 ? medio : valor;
          SCOPED_TRACE(QString("%1, %2, %3 %4 %5").arg(papel.nombre, p.nombre.trimmed(), coord == 0 ? "X" : "Y")
                           .arg(valor).arg(pasado ? "past its limit" : "at its limit").toStdString());
          guarda(float(cx), float(cy));
          Imprimir& v = elige(n);
          v.Check1->setChecked(jokers[n - 1]);
          auto destino = std::make_shared<PdfGrabado>(eleccion);
          QFile::remove(eleccion.archivo);
          const size_t cajas = respuestas.cajas().size();
          {
            plataforma::GuionImpresora guion{destino};
            v.Command1_Click();
          }
          if (pasado && i < 4) {
            EXPECT_TRUE(destino->trabajos.empty());
            EXPECT_FALSE(QFile::exists(eleccion.archivo));
            ASSERT_EQ(respuestas.cajas().size(), cajas + 1);
            const QString eje = i < 2 ? "X" : "Y";
            EXPECT_TRUE(respuestas.cajas().back().texto.endsWith(
                QString("Cambie la corrección %1: con esta impresora y este papel debe estar entre %2 y %3 mm.")
                    .arg(eje, cifra(lim[i < 2 ? 0 : 2], true), cifra(lim[i < 2 ? 1 : 3], false))))
                << respuestas.cajas().back().texto.toStdString();
            continue;
          }
          const bool conCabecera = cx >= cab[0] && cx <= cab[1] && cy >= cab[2] && cy <= cab[3];
          ASSERT_EQ(respuestas.cajas().size(), cajas + (conCabecera ? 0 : 1));
          if (!conCabecera)
            EXPECT_TRUE(respuestas.cajas().back().texto.endsWith(
                cy < cab[2] ? "corrección Y de " + cifra(cab[2], true) + " mm o más."
                            : "corrección X de " + cifra(cab[1], false) + " mm o menos."));
          ASSERT_EQ(destino->trabajos.size(), 1u);
          const Trabajo& t = destino->trabajos[0];
          EXPECT_EQ(t.paginas, boletos);
          QPdfDocument pdf;
          ASSERT_EQ(pdf.load(eleccion.archivo), QPdfDocument::Error::None);
          EXPECT_EQ(pdf.pageCount(), boletos);
          // Every text where the slip puts it, moved by the corrections, and nothing else.
          const auto impresos = t.textos();
          ASSERT_EQ(impresos.size(), textos.size() - (conCabecera ? 0 : boletos));
          for (const TextoBoleto& e : textos) {
            if (!conCabecera && e.texto != "X") continue;
            const auto hay = std::find_if(impresos.begin(), impresos.end(), [&](const Trazo* z) {
              return z->texto == e.texto && z->pagina == e.pagina && std::abs(z->x - (e.x + cx)) < 5e-4 &&
                     std::abs(z->y - (e.y + cy)) < 5e-4;
            });
            EXPECT_NE(hay, impresos.end()) << e.texto.toStdString() << " at " << e.x + cx << ", " << e.y + cy;
          }
        }
    }
  }
}

// What nums.ini holds stays there, whatever the window can print with it: shown as it is, told when
// the slips are printed, and written only by the user's own edit.
TEST_F(Boletos, StoredCorrectionsAreShownAndKept) {
  guarda(-2.5f, 250);
  const QByteArray guardado = carpeta.lee("nums.ini");
  Imprimir& v = abre({conApuestas("GUARDADA", 8, {1, 9, 10, 25, 40, 49})});
  EXPECT_EQ(v.Text1[0]->text(), "-2,5");
  EXPECT_EQ(v.Text1[1]->text(), "250");
  EXPECT_EQ(carpeta.lee("nums.ini"), guardado);
  EXPECT_EQ(imprime(v, 0), nullptr);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  // The crosses reach 146.1 mm, row 10 is at the grid's top and row 9 is 45 mm down.
  const auto lim = limites(textosBoleto(conApuestas("GUARDADA", 8, {1, 9, 10, 25, 40, 49}), false), {210, 297});
  EXPECT_EQ(respuestas.cajas()[0].texto,
            QString("No se ha impreso nada: con las correcciones X de -2,5 mm e Y de 250 mm alguna marca del boleto "
                    "quedaría fuera de la zona imprimible de esta impresora con este papel, o pasaría a otra hoja. "
                    "Cambie las dos correcciones: con esta impresora y este papel la X debe estar entre 0 y %1 mm y "
                    "la Y entre 0 y %2 mm.")
                .arg(cifra(lim[1], false), cifra(lim[3], false)));
  EXPECT_EQ(respuestas.cajas()[0].titulo, "Corrección fuera del papel");
  // Plain paper does not use the corrections.
  EXPECT_NE(imprime(v, 1), nullptr);
  descargaImprimir();
  procesaDescargas();
  EXPECT_EQ(carpeta.lee("nums.ini"), guardado);
}

// Typed key by key, a value beyond the limit brings back the one the field held before the edit,
// not a key typed on the way, and the message gives the limits used.
TEST_F(Boletos, ARefusedKeystrokeBringsBackTheValueBeforeTheEdit) {
  guarda(3.5f, 10);
  const Pena p = conApuestas("TECLAS", 8, {1, 9, 10, 25, 40, 49});
  Imprimir& v = abre({p});
  v.Check1->setChecked(true);
  const auto lim = limites(textosBoleto(p, true), {210, 297});
  ASSERT_LT(lim[1], 62);
  ASSERT_LT(lim[3], 239);
  ASSERT_GT(lim[3], 23);
  v.show();
  struct Caso {
    int campo;
    const char* tecleado;
    const char* antes;
    float x, y;
  };
  for (const Caso& c : {Caso{0, "62", "3,5", 3.5f, 10}, Caso{1, "239", "10", 3.5f, 10}}) {
    const size_t cajas = respuestas.cajas().size();
    v.Text1[c.campo]->setFocus(Qt::TabFocusReason);
    v.Text1[c.campo]->selectAll();
    QTest::keyClicks(v.Text1[c.campo], c.tecleado);
    ASSERT_EQ(respuestas.cajas().size(), cajas + 1) << c.tecleado;
    const QString eje = c.campo == 0 ? "X" : "Y";
    EXPECT_EQ(respuestas.cajas().back().texto,
              QString("Con una corrección %1 de %2 mm alguna marca del boleto quedaría fuera de la zona imprimible de "
                      "la impresora. La corrección %1 debe estar entre %3 y %4 mm; se queda en %5 mm.")
                  .arg(eje, c.tecleado, cifra(lim[2 * c.campo], true), cifra(lim[2 * c.campo + 1], false), c.antes));
    EXPECT_EQ(respuestas.cajas().back().estilo, plataforma::vbExclamation);
    EXPECT_EQ(v.Text1[c.campo]->text(), c.antes);
    EXPECT_EQ(ajustes().correccionx, c.x);
    EXPECT_EQ(ajustes().correcciony, c.y);
  }
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
  // The value before the edit, not the 99 typed on the way.
  EXPECT_EQ(v.Text1[1]->text(), "0");
  EXPECT_EQ(ajustes().correcciony, 0.0f);

  // With Y at 0 the heading would stand above the sheet: the slip prints without it, and one box says so.
  {
    plataforma::GuionImpresora guion{grabadora};
    v.Command1_Click();
  }
  QTest::qWait(100);
  EXPECT_EQ(cajas, 2);
  ASSERT_EQ(grabadora->trabajos.size(), 1u);
  EXPECT_EQ(grabadora->trabajos[0].textos().size(), marcas(grabadora->trabajos[0]).size());

  // Leaving an emptied field for the other one: one box, and the field shows its value again.
  QApplication::setActiveWindow(&v);
  ASSERT_EQ(QApplication::activeWindow(), &v);
  v.Text1[0]->setFocus(Qt::OtherFocusReason);
  v.Text1[0]->clear();
  QTest::keyClick(v.Text1[0], Qt::Key_Tab);
  QTest::qWait(100);
  EXPECT_EQ(cajas, 3);
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
  EXPECT_EQ(cajas, 3);
  QApplication::setActiveWindow(nullptr);
}

TEST_F(Boletos, ARecordWithMoreBetsThanItHoldsPrintsWhatItHolds) {
  Pena p = conApuestas("DESBORDADA", 205, {1, 2, 3, 4, 5, 6});
  p.tipo = 300;
  p.apuestas[205] = {0, 0, 0, 50, 4, 5, 6};  // empty and impossible numbers get no cross
  guarda(0, 7);
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
// with no ink anywhere else below the heading; a new install's corrections (none) leave the heading out.
TEST_F(Boletos, TheSlipPdfPutsEveryCrossInsideItsBox) {
  std::vector<std::vector<int>> apuestas;
  for (int k = 1; k <= 8; ++k) apuestas.push_back({k, 10 + k, 20 + k, 30 + k, 40 + k, k == 1 ? 49 : 10});
  Pena p = penaDe("REJILLA", "Jueves", QDate(2025, 1, 2), apuestas);
  Imprimir& v = abre({p});
  v.Check1->setChecked(true);
  EXPECT_EQ(v.Text1[0]->text() + v.Text1[1]->text(), "00");
  QTemporaryDir dir;
  for (int caso : {0, 1, 2}) {
    const int modo = caso / 2, cx = caso ? 10 : 0, cy = caso ? 20 : 0;
    v.Text1[0]->setText(QString::number(cx));
    v.Text1[1]->setText(QString::number(cy));
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
    EXPECT_EQ(texto.contains("PEÑA REJILLA (1/1) Bolvanta v.3.4.9991"), caso == 1) << texto.toStdString();
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
    EXPECT_EQ(respuestas.cajas()[0].texto,
              "El boleto se ha impreso sin la cabecera con el nombre de la peña: con estas correcciones no cabe en la "
              "zona imprimible de esta impresora con este papel. La cabecera cabe con una corrección Y de 7 mm o "
              "más.");
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
        const Marca c = casilla(n, b, cx, cy);
        cajas.emplace_back(c.x, c.y, 3.8, 5);
      }
    const Marca joker = casilla(9, 8, cx, cy + 10);
    cajas.emplace_back(joker.x, joker.y, 3.8, 5);
    std::vector<int> tinta(cajas.size(), 0);
    int fuera = 0;
    for (int py = (cy - 1) * PX_MM * caso; py < hoja.height(); ++py)
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
  guarda(-12.75f, 237.45f);
  Imprimir& v = abre({conApuestas("WWWWWWWWWWWWWWWWWWWW", 205, {1, 2, 3, 4, 5, 6}, "Jueves y Sábado")});
  v.Check1->setChecked(true);
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
  for (QLineEdit* t : v.Text1) EXPECT_LE(t->fontMetrics().horizontalAdvance(t->text()) + 8, t->width()) << t->text().toStdString();
  // BOLVANTA_CAPTURAS=/tmp/x keeps the window as /tmp/x-imprimir.png, to look at.
  if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS")) v.grab().save(qEnvironmentVariable("BOLVANTA_CAPTURAS") + "-imprimir.png");
}

}  // namespace
