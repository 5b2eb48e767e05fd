// The combination generator: its steps and locking, the kind pictures, the ranking left in the
// report database, the reduced systems and the syndicate the editor stores from the ranking.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "apoyo/bloqueo.h"
#include "plataforma/archivos.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/lista_comun.h"

using namespace penas;

namespace {

// Ties to order: 44 and 7 nine times, 25 (in both halves) and 3 eight times, 12, 30, 31 seven...
const std::map<int, int> VECES{{44, 9}, {7, 9},  {25, 8}, {3, 8},  {12, 7}, {30, 7}, {31, 7},
                               {1, 6},  {48, 5}, {20, 4}, {26, 3}, {9, 2},  {40, 1}};
const std::vector<int> CLASIFICACION{7, 44, 3, 25, 12, 30, 31, 1, 48, 20, 26, 9, 40, 2};
const auto ENCENDIDO = std::make_pair(6, true), APAGADO = std::make_pair(8, false);

class Generador : public ::testing::Test {
 protected:
  Principal& abre(int contados = 30, const std::vector<Pena>& lista = {}) {
    Principal& p = arranca(carpeta, {sorteoDe(QDate(2025, 3, 6))}, lista);
    // The counts of the test alone, not those of the stored draw.
    p.frecuencias1.vacia();
    p.frecuencias2.vacia();
    for (const auto& [numero, cuenta] : VECES) {
      if (numero <= 25) p.frecuencias1.ponCuenta(numero, 1, cuenta);
      if (numero >= 25) p.frecuencias2.ponCuenta(numero - 24, 1, cuenta);
    }
    p.sorteoscontados = contados;
    p.SSTab1->setCurrentIndex(4);
    p.Command9_Click();
    return p;
  }
  std::vector<std::pair<int, int>> numeros() {
    std::vector<std::pair<int, int>> r;
    for (const QVariantMap& f : filas(carpeta, "Numeros")) r.emplace_back(f["Numero"].toInt(), f["Veces"].toInt());
    return r;
  }
  static void elige(Principal& p, const char* linea) {
    p.Combo1->setCurrentIndex(p.Combo1->findText(QString::fromUtf8(linea)));
    p.Combo1_Click();
  }
  // The entry of ImageList1 shown and whether the picture takes clicks.
  static std::pair<int, bool> dibujo(plataforma::Imagen* i) { return {i->Picture(), i->isEnabled()}; }
  static std::vector<bool> paso1(Principal& p) {
    std::vector<bool> r{p.Slider1[1]->isEnabled()};
    for (int i : {7, 8, 3, 4, 9, 10})
      if (p.Check3[i]) r.push_back(p.Check3[i]->isEnabled());
    return r;
  }
  static void foto(QWidget* w, const char* nombre) { w->grab().save(QStringLiteral("/tmp/h9c-%1.png").arg(nombre)); }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

TEST_F(Generador, KindPicturesFollowTheCountAndStepOneLocks) {
  Principal& p = abre();
  EXPECT_TRUE(p.Command9->isHidden() && !p.Frame7->isHidden());
  foto(&p, "paso1");
  struct Caso {
    int v;
    std::pair<int, bool> reducida, sencilla, multiple;
    int sistemas;
  };
  const Caso casos[] = {{5, APAGADO, APAGADO, ENCENDIDO, 0},
                        {6, APAGADO, ENCENDIDO, APAGADO, 0},
                        {7, ENCENDIDO, APAGADO, ENCENDIDO, 2},
                        {12, ENCENDIDO, APAGADO, APAGADO, 3}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.v);
    p.Slider2->setValue(c.v);
    EXPECT_EQ(dibujo(p.Image3[0]), c.reducida);
    EXPECT_EQ(dibujo(p.Image3[1]), c.sencilla);
    EXPECT_EQ(dibujo(p.Image3[2]), c.multiple);
    EXPECT_EQ(dibujo(p.Image4), std::make_pair(9, true));
    EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(4, true));
    EXPECT_EQ(p.Combo1->count(), c.sistemas);
    EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado %1 números.").arg(c.v));
    EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), false));
  }
  EXPECT_EQ(p.Combo1->itemText(2), QString::fromUtf8("12 números al 5, 40 apuestas."));
  elige(p, "12 números al 5, 40 apuestas.");
  foto(&p, "paso3");
  EXPECT_TRUE(respuestas.cajas().empty());

  p.Image4_Click();
  for (auto* i : p.Image3) EXPECT_EQ(dibujo(i), APAGADO);
  EXPECT_EQ(dibujo(p.Image4), std::make_pair(11, false));
  EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(5, false));
  EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado 0 números."));
  EXPECT_FALSE(p.Combo1->isEnabled());
  EXPECT_TRUE(p.Frame10->isHidden() && !p.Frame9->isHidden());
  EXPECT_EQ(paso1(p), std::vector<bool>(paso1(p).size(), true));
}

TEST_F(Generador, RankingLeavesExactlyTheTopNumbersInTheReportTable) {
  Principal& p = abre();
  for (int n : {6, 2}) {
    p.Slider2->setValue(n);
    std::vector<std::pair<int, int>> esperado;
    for (int k = 0; k < n; ++k) esperado.emplace_back(CLASIFICACION[k], VECES.at(CLASIFICACION[k]));
    EXPECT_EQ(numeros(), esperado) << n;
  }
  p.Slider2->setValue(49);
  EXPECT_EQ(numeros().size(), 49u);
  EXPECT_EQ(numeros()[13], std::make_pair(2, 0));
  EXPECT_EQ(numeros().back(), std::make_pair(49, 0));
  EXPECT_EQ(estado().listanumeros[14], 2);  // the editor reads entries 1..49
  EXPECT_TRUE(respuestas.cajas().empty());

  // A report database that cannot be written: one message, the database untouched, the
  // generator going on with the ranking but without the report.
  carpeta.escribe("Bolvanta.mdb", "no es una base de datos");
  p.Slider2->setValue(6);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith(
      QString::fromUtf8("No se ha podido guardar la clasificación de los números en Bolvanta.mdb")));
  EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(5, false));
  EXPECT_EQ(dibujo(p.Image3[1]), ENCENDIDO);
  EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), QByteArray("no es una base de datos"));
}

// Another program holding Bolvanta.mdb: the ranking's own message after the wait, the table and the
// report as they were, and once the file is let go the next count is ranked and stored as shown.
TEST_F(Generador, RankingWithTheDatabaseHeldTellsItAndGoesOnOnceLetGo) {
  Principal& p = abre();
  const QString mdb = carpeta.archivo("Bolvanta.mdb");
  auto primeros = [](int n) {
    std::vector<std::pair<int, int>> r;
    for (int k = 0; k < n; ++k) r.emplace_back(CLASIFICACION[k], VECES.at(CLASIFICACION[k]));
    return r;
  };
  p.Slider2->setValue(6);
  ASSERT_EQ(numeros(), primeros(6));
  int ahora = 6;
  for (const auto& [modo, cuenta] : {std::pair{"IMMEDIATE", 8}, {"EXCLUSIVE", 6}}) {
    SCOPED_TRACE(modo);
    const std::size_t cajas = respuestas.cajas().size();
    {
      BloqueoBase otro(mdb, modo);
      ASSERT_TRUE(otro.activo());
      p.Slider2->setValue(7);
      ASSERT_EQ(respuestas.cajas().size(), cajas + 1);
      EXPECT_EQ(respuestas.cajas().back().texto,
                QString::fromUtf8("Otro programa está usando la base de datos «%1». No se ha guardado la "
                                  "clasificación de los números: puede seguir creando la peña, pero el informe "
                                  "estadístico no la mostrará.")
                    .arg(QDir::toNativeSeparators(mdb)));
      EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(5, false));  // no report of a ranking not stored
    }
    EXPECT_EQ(numeros(), primeros(ahora));
    EXPECT_TRUE(plataforma::claveRapida(mdb));

    p.Slider2->setValue(cuenta);
    EXPECT_EQ(respuestas.cajas().size(), cajas + 1);
    ahora = cuenta;
    EXPECT_EQ(numeros(), primeros(cuenta));
    EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado %1 números.").arg(numeros().size()));
    EXPECT_EQ(dibujo(p.Image2[0]), std::make_pair(4, true));
  }
}

TEST_F(Generador, SystemFiguresAndSizesWithoutSystems) {
  Principal& p = abre();
  p.Slider2->setValue(7);
  elige(p, "7 números al 6, 7 apuestas.");
  EXPECT_EQ(std::make_tuple(estado().modalidad, estado().solouna, estado().sistemareducido), std::make_tuple(7, 1, 1));
  EXPECT_TRUE(p.Frame9->isHidden() && !p.Frame10->isHidden());
  const QStringList cifras{p.Label43->text(), p.Label48->text(), p.Label47->text(), p.Label49->text(), p.Label50->text()};
  EXPECT_EQ(cifras, (QStringList{QString::fromUtf8("Si entre los 7 números seleccionados, se encuentran los 6 ganadores:"),
                                 "6 aciertos.", "100,00%",
                                 QString::fromUtf8("Jugar a 7 números sin reducir, tendría que rellenar:"),
                                 "7 apuestas."}));
  p.Slider2->setValue(12);
  EXPECT_FALSE(p.Frame9->isHidden());  // a system of 7 says nothing of 12
  elige(p, "12 números al 5, 40 apuestas.");
  EXPECT_EQ(estado().sistemareducido, 17);
  EXPECT_EQ(p.Label47->text() + p.Label50->text(), QString::fromUtf8("4,33%924 apuestas."));

  const auto antes = p.ordentablas;
  for (int n : {6, 0, 30}) {
    p.listatablas(n);
    EXPECT_EQ(p.Combo1->count(), 0);
    EXPECT_EQ(p.Combo1->placeholderText(), QString::fromUtf8("No hay tablas reducidas de %1 nºs.").arg(n));
    EXPECT_EQ(p.Label51->text(), QString::fromUtf8("(Para crear reducidas, se han de elegir entre 7 y 16 números)"));
    EXPECT_EQ(p.ordentablas, antes);
    EXPECT_EQ(estado().sistemareducido, 29);  // the systems of the file, until one is chosen
  }
  // The reduced kind with no system chosen is refused and changes nothing.
  p.Slider2->setValue(8);
  p.Image3_Click(0);
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_EQ(respuestas.cajas()[0].titulo, "No tan deprisa!");
  EXPECT_EQ(std::make_pair(estado().modalidad, p.Slider2->value()), std::make_pair(7, 8));
  EXPECT_EQ(creaSiExiste(), nullptr);
  // A file cut short after the listing: the choice is refused, the hint stays.
  plataforma::archivos().cierra(ARCH_TABLAS);
  carpeta.escribe("tablas.bin", carpeta.lee("tablas.bin").left(40));
  elige(p, "8 números al 6, 28 apuestas.");
  EXPECT_EQ(respuestas.cajas().back().texto, QString::fromUtf8("No se encuentra la reducción elegida en tablas.bin."));
  EXPECT_TRUE(p.Frame10->isHidden());
  // No tables file: no system, and the label says why.
  plataforma::archivos().cierra(ARCH_TABLAS);
  QFile::remove(carpeta.archivo("tablas.bin"));
  p.Slider2->setValue(9);
  EXPECT_EQ(p.Label51->text(), QString::fromUtf8("El archivo de tablas reducidas no es válido."));
  EXPECT_EQ(dibujo(p.Image3[0]), APAGADO);
}

// The generator through the editor to a stored syndicate whose bets hold the ranked numbers.
TEST_F(Generador, EachKindIsStoredFromTheRankedNumbers) {
  struct Caso {
    int v, imagen;
    const char* sistema;
    int tipo, reducida, apuestas;
  };
  const Caso casos[] = {{12, 0, "12 números al 5, 40 apuestas.", 40, 12, 40}, {6, 1, nullptr, 1, 0, 1},
                        {9, 2, nullptr, 504, 0, 1}};
  Principal& p = abre();
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.v);
    estado().numapuestas = 3;  // left behind by an editor closed half-way
    p.Slider2->setValue(c.v);
    if (c.sistema) elige(p, c.sistema);
    p.Image3_Click(c.imagen);
    EXPECT_EQ(p.Slider2->value(), 0);  // back at step 1 before the editor opens
    Crea* editor = creaSiExiste();
    ASSERT_NE(editor, nullptr);
    std::vector<int> cabeza(CLASIFICACION.begin(), CLASIFICACION.begin() + c.v);
    std::sort(cabeza.begin(), cabeza.end());
    QStringList fila;
    for (int n : cabeza) fila << QString::number(n).rightJustified(2);
    EXPECT_EQ(editor->ListView5->Text(1), fila.join('-'));
    if (c.v == 12) foto(editor, "editor");
    editor->Text1->setText(QStringLiteral("GENERADA"));
    editor->Command1_Click();
    procesaDescargas();
    EXPECT_EQ(creaSiExiste(), nullptr);  // one syndicate, then it closes

    const Pena pena = penasDe(carpeta).back();
    EXPECT_EQ(std::make_pair(int(pena.tipo), int(pena.reducida)), std::make_pair(c.tipo, c.reducida));
    std::set<int> jugados;
    for (int b = 1; b <= c.apuestas; ++b)
      for (int j = 1; j <= (c.tipo > 500 ? c.v : 6); ++j) jugados.insert(pena.apuestas[b][j]);
    EXPECT_EQ(jugados, std::set<int>(cabeza.begin(), cabeza.end()));
  }
  EXPECT_EQ(penasDe(carpeta).size(), 3u);
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Generador, HoverPicturesFramesAndTextsThatFit) {
  Principal& p = abre(30, {sencilla("UNA", 1)});
  p.show();
  p.Slider2->setValue(7);
  for (QWidget* w : std::initializer_list<QWidget*>{p.Image3[2], p.Image3[1], p.Image4, p.Image2[0]}) QTest::mouseMove(w);
  EXPECT_EQ((std::vector<int>{p.Image3[2]->Picture(), p.Image3[1]->Picture(), p.Image4->Picture(), p.Image2[0]->Picture()}),
            (std::vector<int>{7, 8, 10, 3}));
  QTest::mouseMove(p.Frame7, QPoint(p.Frame7->width() - 5, p.Frame7->height() - 5));
  EXPECT_EQ((std::vector<int>{p.Image3[2]->Picture(), p.Image3[1]->Picture(), p.Image4->Picture(), p.Image2[0]->Picture()}),
            (std::vector<int>{6, 8, 9, 4}));
  p.SSTab1->setCurrentIndex(2);
  QTest::mouseMove(p.Image2[1]);
  EXPECT_EQ(p.Image2[1]->Picture(), 3);
  QTest::mouseMove(p.Frame13, QPoint(5, p.Frame13->height() - 5));
  EXPECT_EQ(p.Image2[1]->Picture(), 4);
  foto(&p, "gestor");

  // Every text fits its control in the fullest state: twelve numbers, a system chosen.
  p.Slider2->setValue(12);
  elige(p, "12 números al 5, 40 apuestas.");
  p.Check3[8]->setText(QString::fromUtf8("Últimos 24 meses"));
  for (QWidget* raiz : std::initializer_list<QWidget*>{p.SSTab1->widget(4), p.Frame13}) {
    for (QLabel* l : raiz->findChildren<QLabel*>()) {
      const QRect caja = l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 10000),
                                                       l->wordWrap() ? int(Qt::TextWordWrap) : 0, l->text());
      EXPECT_TRUE(caja.width() <= l->width() && caja.height() <= l->height()) << l->text().toStdString();
    }
    for (QAbstractButton* b : raiz->findChildren<QAbstractButton*>())
      EXPECT_LE(b->sizeHint().width(), b->width()) << b->text().toStdString();
  }
  for (int i = 0; i < p.Combo1->count(); ++i)
    EXPECT_LT(p.Combo1->fontMetrics().horizontalAdvance(p.Combo1->itemText(i)) + 40, p.Combo1->width());
  for (QWidget* w : {p.Frame12, p.Frame6, p.Frame7}) w->hide();
  for (QWidget* w : std::initializer_list<QWidget*>{p.Command4, p.Command9, p.Label54, p.Label56, p.Image6, p.Label33,
                                                    p.Label53, p.Label55})
    w->show();
  p.SSTab1->setCurrentIndex(4);
  foto(&p, "inicio");
}

// A box about the count comes once, as a real box, also while the mouse stays pressed on the
// slider's track, whose auto-repeat goes on behind it: for a report table that cannot be written,
// and for no draws counted.
TEST_F(Generador, BoxesAboutTheCountComeOnceWhileTheMouseStaysPressed) {
  Principal& p = abre(30, {sencilla("UNA", 1)});
  p.show();
  QApplication::processEvents();
  plataforma::quitaRespondedor();
  carpeta.escribe("Bolvanta.mdb", "no es una base de datos");
  std::set<QMessageBox*> cajas;
  QStringList titulos;
  int vueltas = 0;
  QTimer vigia;
  QObject::connect(&vigia, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* caja = qobject_cast<QMessageBox*>(w); caja && caja->isVisible()) {
        if (cajas.insert(caja).second) titulos << caja->windowTitle() + " / " + caja->text();
        if (++vueltas % 10 == 0) caja->buttons().front()->click();  // after a few repeats behind it
      }
  });
  vigia.start(60);
  // Pressed on the track, right of the handle, where a press steps the slider up and repeats.
  QStyleOptionSlider opcion;
  opcion.initFrom(p.Slider2);
  opcion.subControls = QStyle::SC_All;
  opcion.maximum = p.Slider2->maximum();
  opcion.tickPosition = p.Slider2->tickPosition();
  opcion.tickInterval = p.Slider2->tickInterval();
  const QRect pista = p.Slider2->style()->subControlRect(QStyle::CC_Slider, &opcion, QStyle::SC_SliderGroove, p.Slider2);
  const QPoint sitio(pista.right() - 10, pista.center().y());
  QTest::mousePress(p.Slider2, Qt::LeftButton, {}, sitio);
  QTest::qWait(1500);  // the button is never released: the slider would go on stepping
  EXPECT_EQ(p.Slider2->value(), 5);
  EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado 5 números."));

  p.sorteoscontados = 0;
  QTest::mouseRelease(p.Slider2, Qt::LeftButton, {}, sitio);
  QTest::mousePress(p.Slider2, Qt::LeftButton, {}, sitio);
  QTest::qWait(1500);
  vigia.stop();
  ASSERT_EQ(titulos.size(), 2);
  EXPECT_TRUE(titulos[0].startsWith(QString::fromUtf8("Error / No se ha podido guardar la clasificación")));
  EXPECT_TRUE(titulos[1].startsWith(QString::fromUtf8("Mal, mal, mal... / No has seleccionado sorteos.")));
  EXPECT_EQ(p.Slider2->value(), 0);
  EXPECT_EQ(p.Label23->text(), QString::fromUtf8("Ha seleccionado 0 números."));
  for (auto* i : p.Image3) EXPECT_FALSE(i->isEnabled());
}

}  // namespace
