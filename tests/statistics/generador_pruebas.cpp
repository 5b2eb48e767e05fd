// The combination generator: its steps and locking, the kind pictures, the ranking left in the
// report database, the reduced systems and the syndicate the editor stores from the ranking.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "plataforma/archivos.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/lista_comun.h"

using namespace penas;

namespace {

// The six most drawn numbers, then six more, with ties to order: 44 and 7 both 9 times, 25 (in
// both halves) and 3 both 8 times, 12, 30 and 31 seven times...
const std::map<int, int> VECES{{44, 9}, {7, 9},  {25, 8}, {3, 8},  {12, 7}, {30, 7}, {31, 7},
                               {1, 6},  {48, 5}, {20, 4}, {26, 3}, {9, 2},  {40, 1}};
const std::vector<int> CLASIFICACION{7, 44, 3, 25, 12, 30, 31, 1, 48, 20, 26, 9, 40, 2};

class Generador : public ::testing::Test {
 protected:
  Principal& abre(const std::map<int, int>& veces = VECES, int contados = 30, const std::vector<Pena>& lista = {}) {
    Principal& p = arranca(carpeta, {sorteoDe(QDate(2025, 3, 6))}, lista);
    p.frecuencias1.vacia();
    p.frecuencias2.vacia();
    for (const auto& [numero, cuenta] : veces) {
      if (numero <= 25) p.frecuencias1.ponCuenta(numero, 1, cuenta);
      if (numero >= 25) p.frecuencias2.ponCuenta(numero - 24, 1, cuenta);
    }
    p.sorteoscontados = contados;
    p.SSTab1->setCurrentIndex(4);
    p.resize(p.size());
    p.Command9_Click();
    return p;
  }

  std::vector<std::pair<int, int>> numeros() {
    std::vector<std::pair<int, int>> r;
    for (const QVariantMap& f : filas(carpeta, "Numeros")) r.emplace_back(f["Numero"].toInt(), f["Veces"].toInt());
    return r;
  }
  static std::vector<int> primeros(int n) { return {CLASIFICACION.begin(), CLASIFICACION.begin() + n}; }
  static QStringList lineas(QComboBox* c) {
    QStringList r;
    for (int i = 0; i < c->count(); ++i) r << c->itemText(i);
    return r;
  }
  static void elige(Principal& p, const QString& linea) {
    const int i = p.Combo1->findText(linea);
    ASSERT_GE(i, 0) << linea.toStdString();
    p.Combo1->setCurrentIndex(i);
    p.Combo1_Click();
  }
  // Entry of ImageList1 shown and whether the picture takes clicks.
  static std::pair<int, bool> dibujo(plataforma::Imagen* i) { return {i->Picture(), i->isEnabled()}; }
  static std::vector<bool> paso1(Principal& p) {
    std::vector<bool> r;
    for (int i : {7, 8, 3, 4, 9, 10})
      if (p.Check3[i]) r.push_back(p.Check3[i]->isEnabled());
    r.push_back(p.Slider1[1]->isEnabled());
    return r;
  }
  static void foto(Principal& p, const char* nombre) {
    p.grab().save(QStringLiteral("/tmp/h9c-%1.png").arg(QLatin1String(nombre)));
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

const std::pair<int, bool> ENCENDIDO{6, true}, APAGADO{8, false};

TEST_F(Generador, KindPicturesFollowTheCountAndStepOneLocks) {
  Principal& p = abre();
  EXPECT_TRUE(p.Command9->isHidden());
  EXPECT_TRUE(!p.Frame12->isHidden() && !p.Frame6->isHidden() && !p.Frame7->isHidden());
  foto(p, "paso1");
  struct Caso {
    int v;
    std::pair<int, bool> reducida, sencilla, multiple;
    QStringList sistemas;
  };
  const Caso casos[] = {
      {5, APAGADO, APAGADO, ENCENDIDO, {}},
      {6, APAGADO, ENCENDIDO, APAGADO, {}},
      {7, ENCENDIDO, APAGADO, ENCENDIDO, {QString::fromUtf8("7 números al 5, 1 apuestas."),
                                          QString::fromUtf8("7 números al 6, 7 apuestas.")}},
      {12, ENCENDIDO, APAGADO, APAGADO, {QString::fromUtf8("12 números al 3, 2 apuestas."),
                                         QString::fromUtf8("12 números al 4, 6 apuestas."),
                                         QString::fromUtf8("12 números al 5, 40 apuestas.")}},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.v);
    p.Slider2->setValue(c.v);
    EXPECT_EQ(dibujo(p.Image3[0]), c.reducida);
    EXPECT_EQ(dibujo(p.Image3[1]), c.sencilla);
    EXPECT_EQ(dibujo(p.Image3[2]), c.multiple);
    EXPECT_EQ(dibujo(p.Image4), std::make_pair(9, true));
    EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(4, true));
    EXPECT_TRUE(p.Combo1->isEnabled());
    EXPECT_EQ(lineas(p.Combo1), c.sistemas);
    EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado %1 números.").arg(c.v));
    EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), false));
  }
  EXPECT_EQ(p.Label51->text(), QString::fromUtf8("(Para crear reducidas, se han de elegir entre 7 y 16 números)"));
  elige(p, QString::fromUtf8("12 números al 5, 40 apuestas."));
  foto(p, "paso3");
  EXPECT_TRUE(respuestas.cajas().empty());

  // Back to step 1: every step-3 picture off, the boxes usable again.
  p.Image4_Click();
  for (auto* i : p.Image3) EXPECT_EQ(dibujo(i), APAGADO);
  EXPECT_EQ(dibujo(p.Image4), std::make_pair(11, false));
  EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(5, false));
  EXPECT_EQ(p.Slider2->value(), 0);
  EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado 0 números."));
  EXPECT_FALSE(p.Combo1->isEnabled());
  EXPECT_TRUE(!p.Frame9->isHidden());
  EXPECT_FALSE(!p.Frame10->isHidden());
  EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), true));
}

TEST_F(Generador, RankingLeavesExactlyTheTopNumbersInTheReportTable) {
  Principal& p = abre();
  p.Slider2->setValue(6);
  std::vector<std::pair<int, int>> esperado;
  for (int n : primeros(6)) esperado.emplace_back(n, VECES.at(n));
  EXPECT_EQ(numeros(), esperado);
  for (int k = 1; k <= 14; ++k) EXPECT_EQ(estado().listanumeros[k], CLASIFICACION[k - 1]) << k;
  std::set<int> todos(estado().listanumeros.begin() + 1, estado().listanumeros.end());
  EXPECT_EQ(todos.size(), 49u);
  EXPECT_EQ(*todos.begin(), 1);
  EXPECT_EQ(*todos.rbegin(), 49);
  // A smaller count leaves fewer rows, never rows of an earlier ranking.
  p.Slider2->setValue(2);
  EXPECT_EQ(numeros(), (std::vector<std::pair<int, int>>{{7, 9}, {44, 9}}));
  p.Slider2->setValue(49);
  EXPECT_EQ(numeros().size(), 49u);
  EXPECT_EQ(numeros().back(), std::make_pair(49, 0));
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Generador, WithoutTheReportTableTheGeneratorGoesOn) {
  Principal& p = abre();
  QFile::remove(carpeta.archivo("Bolvanta.mdb"));
  carpeta.escribe("Bolvanta.mdb", "no es una base de datos");
  p.Slider2->setValue(6);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith(
      QString::fromUtf8("No se ha podido guardar la clasificación de los números en Bolvanta.mdb")));
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbExclamation);
  // No new ranking for the report: its picture stays off; the kind is still there to choose.
  EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(5, false));
  EXPECT_EQ(dibujo(p.Image3[1]), ENCENDIDO);
  EXPECT_EQ(estado().listanumeros[1], 7);
  EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), QByteArray("no es una base de datos"));
}

TEST_F(Generador, NoDrawsCountedRefusesTheCount) {
  Principal& p = abre(VECES, 0);
  p.Slider2->setValue(0);
  p.Slider2->setValue(8);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].texto,
            QString::fromUtf8("No has seleccionado sorteos. Por favor, selecciona más sorteos en el paso anterior."));
  EXPECT_EQ(respuestas.cajas()[0].titulo, QString::fromUtf8("Mal, mal, mal..."));
  EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
  EXPECT_EQ(p.Slider2->value(), 0);
  EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado 0 números."));
  for (auto* i : p.Image3) EXPECT_FALSE(i->isEnabled());
  EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), true));
}

TEST_F(Generador, ARealRefusalBoxComesOnceWhateverMovesBehindIt) {
  Principal& p = abre(VECES, 0);
  plataforma::quitaRespondedor();
  std::set<QWidget*> cajas;
  int vueltas = 0;
  QTimer vigia;
  vigia.setInterval(20);
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* caja = qobject_cast<QMessageBox*>(w); caja && caja->isVisible()) {
        cajas.insert(caja);
        // The slider moves again behind the box, as its auto-repeat would, before it is closed.
        if (++vueltas < 3) p.Slider2->setValue(10 + vueltas);
        else caja->buttons().front()->click();
      }
  });
  vigia.start();
  p.Slider2->setValue(5);
  vigia.stop();
  EXPECT_EQ(cajas.size(), 1u);
  EXPECT_EQ(p.Slider2->value(), 0);
}

TEST_F(Generador, SystemFiguresAndTheSizeWithoutSystems) {
  Principal& p = abre();
  p.Slider2->setValue(7);
  elige(p, QString::fromUtf8("7 números al 6, 7 apuestas."));
  EXPECT_EQ(estado().modalidad, 7);
  EXPECT_EQ(estado().solouna, 1);
  EXPECT_EQ(estado().sistemareducido, 1);
  EXPECT_FALSE(!p.Frame9->isHidden());
  EXPECT_TRUE(!p.Frame10->isHidden());
  EXPECT_EQ(p.Label43->text(), QString::fromUtf8("Si entre los 7 números seleccionados, se encuentran los 6 ganadores:"));
  EXPECT_EQ(p.Label48->text(), QString::fromUtf8("6 aciertos."));
  EXPECT_EQ(p.Label47->text(), QString::fromUtf8("100,00%"));
  EXPECT_EQ(p.Label49->text(), QString::fromUtf8("Jugar a 7 números sin reducir, tendría que rellenar:"));
  EXPECT_EQ(p.Label50->text(), QString::fromUtf8("7 apuestas."));
  p.Slider2->setValue(12);
  EXPECT_TRUE(!p.Frame9->isHidden());  // a system of 7 says nothing of 12
  elige(p, QString::fromUtf8("12 números al 5, 40 apuestas."));
  EXPECT_EQ(estado().sistemareducido, 17);
  EXPECT_EQ(p.Label47->text(), QString::fromUtf8("4,33%"));
  EXPECT_EQ(p.Label50->text(), QString::fromUtf8("924 apuestas."));

  // A size no system has: the hint, the sizes of the file, the ordinals kept.
  const auto antes = p.ordentablas;
  for (int n : {6, 0, 30}) {
    SCOPED_TRACE(n);
    p.listatablas(n);
    EXPECT_EQ(p.Combo1->count(), 0);
    EXPECT_EQ(p.Combo1->placeholderText(), QString::fromUtf8("No hay tablas reducidas de %1 nºs.").arg(n));
    EXPECT_EQ(p.Label51->text(), QString::fromUtf8("(Para crear reducidas, se han de elegir entre 7 y 16 números)"));
    EXPECT_EQ(p.ordentablas, antes);
    EXPECT_EQ(estado().sistemareducido, 29);  // the systems of the file, until one is chosen
  }
  // The reduced kind without a system chosen is refused and changes nothing.
  p.Slider2->setValue(8);
  estado().modalidad = 2;
  p.Image3_Click(0);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "No tan deprisa!");
  EXPECT_EQ(estado().modalidad, 2);
  EXPECT_EQ(p.Slider2->value(), 8);
  EXPECT_EQ(creaSiExiste(), nullptr);
}

TEST_F(Generador, TablesFileMissingSaysSo) {
  Principal& p = abre();
  plataforma::archivos().cierra(ARCH_TABLAS);
  QFile::remove(carpeta.archivo("tablas.bin"));
  p.Slider2->setValue(9);
  EXPECT_EQ(p.Combo1->count(), 0);
  EXPECT_EQ(p.Label51->text(), QString::fromUtf8("El archivo de tablas reducidas no es válido."));
  EXPECT_FALSE(p.Image3[0]->isEnabled());
  EXPECT_TRUE(p.Image3[2]->isEnabled());
}

// The generator through the editor to a stored syndicate whose bets hold the ranked numbers.
TEST_F(Generador, EachKindIsStoredFromTheRankedNumbers) {
  struct Caso {
    int v;
    int imagen;
    const char* sistema;
    int tipo, reducida, apuestas;
  };
  const Caso casos[] = {{12, 0, "12 números al 5, 40 apuestas.", 40, 12, 40},
                        {6, 1, nullptr, 1, 0, 1},
                        {9, 2, nullptr, 504, 0, 1}};
  Principal& p = abre();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.v);
    estado().numapuestas = 3;  // left behind by an editor closed half-way
    p.Slider2->setValue(c.v);
    if (c.sistema) elige(p, QString::fromUtf8(c.sistema));
    if (c.v == 12) foto(p, "paso3-sistema");
    p.Image3_Click(c.imagen);
    if (c.v == 12 && creaSiExiste()) creaSiExiste()->grab().save("/tmp/h9c-editor.png");
    // Back at step 1 before the editor opens.
    EXPECT_EQ(p.Slider2->value(), 0);
    EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), true));
    Crea* editor = creaSiExiste();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->ListView5->Count(), 1);
    editor->Text1->setText(QStringLiteral("GENERADA %1").arg(c.v));
    editor->Command1_Click();
    procesaDescargas();
    EXPECT_EQ(creaSiExiste(), nullptr);  // one syndicate, then it closes

    const std::vector<Pena> guardadas = penasDe(carpeta);
    ASSERT_FALSE(guardadas.empty());
    const Pena& pena = guardadas.back();
    EXPECT_EQ(pena.tipo, c.tipo);
    EXPECT_EQ(pena.reducida, c.reducida);
    const std::vector<int> esperados = primeros(c.v);
    const std::set<int> cabeza(esperados.begin(), esperados.end());
    std::set<int> jugados;
    const int porApuesta = c.tipo > 500 ? c.v : 6;
    for (int b = 1; b <= c.apuestas; ++b)
      for (int j = 1; j <= porApuesta; ++j) jugados.insert(pena.apuestas[b][j]);
    EXPECT_EQ(jugados, cabeza);
    EXPECT_EQ(pena.apuestas[c.apuestas + 1][1], 0);
  }
  EXPECT_EQ(penasDe(carpeta).size(), 3u);
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Generador, HoverPicturesAndTheFramesThatPutThemBack) {
  Principal& p = abre(VECES, 30, {sencilla("UNA", 1)});
  p.show();
  p.Slider2->setValue(7);
  QTest::mouseMove(p.Image3[2]);
  EXPECT_EQ(p.Image3[2]->Picture(), 7);
  QTest::mouseMove(p.Image3[1]);  // off: no hover
  EXPECT_EQ(p.Image3[1]->Picture(), 8);
  QTest::mouseMove(p.Image4);
  QTest::mouseMove(p.Image2[0]);
  EXPECT_EQ(p.Image4->Picture(), 10);
  EXPECT_EQ(p.Image2[0]->Picture(), 3);
  QTest::mouseMove(p.Frame7, QPoint(p.Frame7->width() - 5, p.Frame7->height() - 5));
  EXPECT_EQ(p.Image3[2]->Picture(), 6);
  EXPECT_EQ(p.Image4->Picture(), 9);
  EXPECT_EQ(p.Image2[0]->Picture(), 4);
  EXPECT_EQ(p.Image3[1]->Picture(), 8);

  p.SSTab1->setCurrentIndex(2);
  QTest::mouseMove(p.Image2[1]);
  EXPECT_EQ(p.Image2[1]->Picture(), 3);
  QTest::mouseMove(p.Frame13, QPoint(5, p.Frame13->height() - 5));
  EXPECT_EQ(p.Image2[1]->Picture(), 4);
}

TEST_F(Generador, TextsFitTheirControls) {
  Principal& p = abre();
  p.Slider2->setValue(12);
  elige(p, QString::fromUtf8("12 números al 5, 40 apuestas."));
  p.Check3[8]->setText(QString::fromUtf8("Últimos 24 meses"));
  p.SSTab1->setCurrentIndex(2);
  foto(p, "gestor");
  for (QWidget* w : {p.Frame12, p.Frame6, p.Frame7}) w->hide();
  for (QWidget* w : std::initializer_list<QWidget*>{p.Command4, p.Command9, p.Label54, p.Label56, p.Image6, p.Label33,
                                                    p.Label53, p.Label55})
    w->show();
  p.SSTab1->setCurrentIndex(4);
  foto(p, "inicio");
  for (QWidget* raiz : {static_cast<QWidget*>(p.SSTab1->widget(4)), static_cast<QWidget*>(p.Frame13)}) {
    for (QLabel* l : raiz->findChildren<QLabel*>()) {
      if (l->text().isEmpty()) continue;
      SCOPED_TRACE(l->text().toStdString());
      const QFontMetrics m(l->font());
      const QRect caja = l->wordWrap() ? m.boundingRect(QRect(0, 0, l->width(), 10000), Qt::TextWordWrap, l->text())
                                       : m.boundingRect(l->text());
      EXPECT_LE(caja.width(), l->width());
      EXPECT_LE(caja.height(), l->height());
    }
    for (QAbstractButton* b : raiz->findChildren<QAbstractButton*>()) {
      SCOPED_TRACE(b->text().toStdString());
      EXPECT_LE(b->sizeHint().width(), b->width());
    }
  }
  const QFontMetrics m(p.Combo1->font());
  const QStringList textos = lineas(p.Combo1) << p.Combo1->placeholderText();
  for (const QString& t : textos)
    EXPECT_LT(m.horizontalAdvance(t) + 40, p.Combo1->width()) << t.toStdString();
}

}  // namespace
