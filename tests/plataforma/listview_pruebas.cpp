// The report-view list: what the view is given to draw for each cell, how rows shift and grow,
// how rows reach the view in batches, and the twips geometry.
#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "plataforma/error.h"
#include "plataforma/listview.h"
#include "plataforma/twips.h"

using namespace plataforma;

namespace {

// What the view would draw in a cell.
struct Dibujo {
  QString texto;
  QColor color;
  bool negrita;
};

Dibujo dibujo(const ListView& lista, int fila, int columna) {
  const QAbstractItemModel* m = lista.model();
  const QModelIndex i = m->index(fila - 1, columna);
  EXPECT_TRUE(i.isValid()) << "fila " << fila << " columna " << columna;
  return Dibujo{m->data(i, Qt::DisplayRole).toString(),
                m->data(i, Qt::ForegroundRole).value<QBrush>().color(),
                m->data(i, Qt::FontRole).value<QFont>().bold()};
}

int numeroError(const std::function<void()>& accion) {
  try {
    accion();
  } catch (const Error& e) {
    return e.numero();
  }
  return 0;
}

class ListViewPrueba : public ::testing::Test {
 protected:
  ListViewPrueba() {
    lista.agregaColumna("Fecha", 1200);
    lista.agregaColumna("Sorteo", 900);
    lista.agregaColumna("Aciertos", 900);
    lista.agregaColumna("Premio", 1500);
  }
  // A row with its item and sub-items, numbered so each cell's text is unique.
  int fila(int n, int subitems = 3) {
    const int f = lista.Add(QString("item%1").arg(n));
    for (int k = 1; k <= subitems; ++k) lista.addSubItem(f, QString("s%1.%2").arg(n).arg(k));
    return f;
  }
  ListView lista;
};

TEST_F(ListViewPrueba, ItemsYSubitemsLleganALaVistaConSuColorYNegrita) {
  EXPECT_EQ(lista.columnas(), 4);
  EXPECT_EQ(lista.model()->headerData(3, Qt::Horizontal).toString(), QString("Premio"));

  EXPECT_EQ(lista.Add("12/03/2024"), 1);
  EXPECT_EQ(lista.addSubItem(1, "21"), 1);
  EXPECT_EQ(lista.addSubItem(1, "5+C"), 2);
  EXPECT_EQ(lista.addSubItem(1, "1.234,50 €"), 3);
  EXPECT_EQ(lista.Add("Peña Año Nuevo"), 2);
  lista.addSubItem(2, "");
  lista.addSubItem(2, "3");
  lista.setForeColor(1, 0xFF);
  lista.setBold(1, true);
  lista.setSubForeColor(1, 2, 0xC000);
  lista.setSubBold(1, 3, true);
  lista.setSubForeColor(2, 2, 0xFF0000);
  lista.refresca();

  ASSERT_EQ(lista.model()->rowCount(), 2);
  EXPECT_EQ(lista.Count(), 2);
  EXPECT_EQ(lista.subCount(1), 3);
  EXPECT_EQ(lista.subCount(2), 2);

  const Dibujo a = dibujo(lista, 1, 0);
  EXPECT_EQ(a.texto, QString("12/03/2024"));
  EXPECT_EQ(a.color, QColor(255, 0, 0));
  EXPECT_TRUE(a.negrita);
  // The item's bold and colour stay on the item: its sub-items keep their own.
  const Dibujo b = dibujo(lista, 1, 1);
  EXPECT_EQ(b.texto, QString("21"));
  EXPECT_EQ(b.color, QColor(0, 0, 0));
  EXPECT_FALSE(b.negrita);
  const Dibujo c = dibujo(lista, 1, 2);
  EXPECT_EQ(c.texto, QString("5+C"));
  EXPECT_EQ(c.color, QColor(0, 192, 0));
  EXPECT_FALSE(c.negrita);
  const Dibujo d = dibujo(lista, 1, 3);
  EXPECT_EQ(d.texto, QString("1.234,50 €"));
  EXPECT_TRUE(d.negrita);

  EXPECT_EQ(dibujo(lista, 2, 0).texto, QString("Peña Año Nuevo"));
  EXPECT_FALSE(dibujo(lista, 2, 0).negrita);
  EXPECT_EQ(dibujo(lista, 2, 1).texto, QString());
  EXPECT_EQ(dibujo(lista, 2, 2).color, QColor(0, 0, 255));

  // The same values read back through the control.
  EXPECT_EQ(lista.Text(1), QString("12/03/2024"));
  EXPECT_EQ(lista.ForeColor(1), 0xFFu);
  EXPECT_TRUE(lista.Bold(1));
  EXPECT_EQ(lista.subText(1, 3), QString("1.234,50 €"));
  EXPECT_EQ(lista.subForeColor(1, 2), 0xC000u);
  EXPECT_TRUE(lista.subBold(1, 3));
  EXPECT_FALSE(lista.subBold(1, 2));
  lista.setBold(1, false);
  EXPECT_FALSE(lista.Bold(1));
  EXPECT_TRUE(lista.subBold(1, 3));
}

TEST_F(ListViewPrueba, LosTextosVuelvenTalCualSeaCualSeaSuContenido) {
  const QString largo = QString("0123456789").repeated(10000);  // longer than a block of texts
  const QString largoAncho = QString("€").repeated(40000);
  const QString conNulo = QString("a") + QChar(0) + QString("b\tc\nd");
  const QStringList textos = {"", "ñÑáéíóúü¿¡", "1,5 € ≥ 2", "😀 Peña", conNulo, largo, largoAncho, "x"};
  for (const QString& t : textos) {
    const int f = lista.Add(t);
    lista.addSubItem(f, t);
  }
  lista.refresca();
  for (int i = 0; i < textos.size(); ++i) {
    EXPECT_EQ(lista.Text(i + 1), textos[i]) << i;
    EXPECT_EQ(lista.subText(i + 1, 1), textos[i]) << i;
    EXPECT_EQ(dibujo(lista, i + 1, 1).texto, textos[i]) << i;
  }
}

TEST_F(ListViewPrueba, ReescribirUnTextoNoTocaLosVecinos) {
  fila(1);
  fila(2);
  fila(3);
  // Shorter texts go in the old place, longer ones elsewhere; Latin-1 and wide texts swap forms.
  // One character more must not spill into the text stored next.
  lista.setText(2, "item2+");
  lista.setSubText(2, 3, "s2.3+");
  EXPECT_EQ(lista.Text(2), QString("item2+"));
  EXPECT_EQ(lista.subText(2, 1), QString("s2.1"));
  EXPECT_EQ(lista.Text(3), QString("item3"));
  lista.setSubText(2, 1, "s2.1 más largo que antes");
  lista.setSubText(2, 2, "€€");  // same bytes as "s2.2" once stored wide
  lista.setText(2, "i");
  lista.setSubText(2, 3, "");
  lista.setSubText(2, 2, "ab");
  EXPECT_EQ(lista.subText(2, 1), QString("s2.1 más largo que antes"));
  EXPECT_EQ(lista.subText(2, 2), QString("ab"));
  EXPECT_EQ(lista.Text(2), QString("i"));
  EXPECT_EQ(lista.subText(2, 3), QString());
  for (int n : {1, 3}) {
    EXPECT_EQ(lista.Text(n), QString("item%1").arg(n));
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(lista.subText(n, k), QString("s%1.%2").arg(n).arg(k));
  }
}

TEST_F(ListViewPrueba, QuitarUnaFilaDelMedioCorreLasSiguientes) {
  for (int n = 1; n <= 5; ++n) fila(n);
  lista.setForeColor(4, 0x400040);
  lista.setSubBold(4, 2, true);
  lista.refresca();

  lista.Remove(3);
  EXPECT_EQ(lista.Count(), 4);
  EXPECT_EQ(lista.model()->rowCount(), 4);  // the view is told at once
  EXPECT_EQ(lista.Text(2), QString("item2"));
  EXPECT_EQ(lista.Text(3), QString("item4"));
  EXPECT_EQ(lista.ForeColor(3), 0x400040u);
  EXPECT_TRUE(lista.subBold(3, 2));
  EXPECT_EQ(dibujo(lista, 3, 3).texto, QString("s4.3"));
  EXPECT_EQ(dibujo(lista, 4, 0).texto, QString("item5"));
  EXPECT_EQ(dibujo(lista, 4, 0).color, QColor(0, 0, 0));

  // Rows not yet shown are removed as well, and the view then gets only what is left.
  fila(6);
  fila(7);
  lista.Remove(5);
  lista.Remove(1);
  lista.refresca();
  EXPECT_EQ(lista.model()->rowCount(), 4);
  QStringList vistos;
  for (int f = 1; f <= 4; ++f) vistos << dibujo(lista, f, 0).texto;
  EXPECT_EQ(vistos, QStringList({"item2", "item4", "item5", "item7"}));

  EXPECT_EQ(numeroError([&] { lista.Remove(0); }), ERR_INDICE_LISTA);
  EXPECT_EQ(numeroError([&] { lista.Remove(5); }), ERR_INDICE_LISTA);
  EXPECT_EQ(numeroError([&] { lista.Text(5); }), ERR_INDICE_LISTA);
  EXPECT_EQ(numeroError([&] { lista.subText(1, 0); }), ERR_INDICE_LISTA);
  EXPECT_EQ(numeroError([&] { lista.setForeColor(-1, 0); }), ERR_INDICE_LISTA);
  EXPECT_EQ(lista.Count(), 4);
}

TEST_F(ListViewPrueba, VaciarDejaLaListaComoNueva) {
  for (int n = 1; n <= 3; ++n) fila(n);
  lista.refresca();
  lista.seleccionaFila(2);
  fila(4);  // pending when the list is cleared
  lista.Clear();
  EXPECT_EQ(lista.Count(), 0);
  EXPECT_EQ(lista.model()->rowCount(), 0);
  EXPECT_EQ(lista.SelectedItem(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(lista.model()->rowCount(), 0);

  EXPECT_EQ(lista.Add("otra"), 1);
  lista.refresca();
  EXPECT_EQ(lista.model()->rowCount(), 1);
  EXPECT_EQ(dibujo(lista, 1, 0).texto, QString("otra"));
  EXPECT_EQ(lista.columnas(), 4);  // the columns stay
}

TEST_F(ListViewPrueba, UnaFilaConMenosSubitemsQueColumnasMuestraVacio) {
  lista.Add("solo");
  lista.addSubItem(1, "uno");
  lista.refresca();
  EXPECT_EQ(lista.subCount(1), 1);
  const Dibujo vacio = dibujo(lista, 1, 3);
  EXPECT_EQ(vacio.texto, QString());
  EXPECT_EQ(vacio.color, QColor(0, 0, 0));
  EXPECT_FALSE(vacio.negrita);
  EXPECT_EQ(lista.subText(1, 3), QString());
  EXPECT_EQ(lista.subForeColor(1, 3), 0u);
  EXPECT_FALSE(lista.subBold(1, 3));

  // Setting a later sub-item fills the gap with empty ones.
  lista.setSubForeColor(1, 3, 0xFF);
  EXPECT_EQ(lista.subCount(1), 3);
  EXPECT_EQ(lista.subText(1, 2), QString());
  EXPECT_EQ(lista.subText(1, 1), QString("uno"));
  EXPECT_EQ(lista.addSubItem(1, "cuatro"), 4);
}

TEST_F(ListViewPrueba, SubitemsAnadidosAFilasAnteriores) {
  // The program sometimes completes earlier rows after adding later ones.
  lista.Add("a");
  lista.Add("b");
  lista.addSubItem(1, "a1");
  lista.addSubItem(2, "b1");
  lista.addSubItem(1, "a2");
  lista.setSubForeColor(1, 2, 0xFF);
  lista.Add("c");
  lista.addSubItem(2, "b2");
  lista.addSubItem(1, "a3");
  EXPECT_EQ(lista.subCount(1), 3);
  EXPECT_EQ(lista.subCount(2), 2);
  EXPECT_EQ(lista.subCount(3), 0);
  EXPECT_EQ(lista.subText(1, 2), QString("a2"));
  EXPECT_EQ(lista.subForeColor(1, 2), 0xFFu);
  EXPECT_EQ(lista.subText(1, 3), QString("a3"));
  EXPECT_EQ(lista.subText(2, 2), QString("b2"));
  EXPECT_EQ(lista.Text(3), QString("c"));
}

TEST_F(ListViewPrueba, MuchasBajasYReescriturasConservanLoQueQueda) {
  // Enough churn for the storage to reclaim what removed rows and rewritten texts leave behind.
  const int total = 20000;
  for (int n = 1; n <= total; ++n) {
    fila(n);
    lista.setSubForeColor(n, 1, quint32(n));
    if (n % 7 == 0) lista.setBold(n, true);
  }
  lista.refresca();
  std::vector<int> quedan;
  for (int n = 1; n <= total; ++n) quedan.push_back(n);
  // Remove three rows of each four, from the end so that the indices are simple.
  for (int f = total; f >= 1; --f) {
    if (quedan[f - 1] % 4 != 0) {
      lista.Remove(f);
      quedan.erase(quedan.begin() + (f - 1));
    }
  }
  const QString relleno(200, QChar('x'));
  for (int f = 1; f <= lista.Count(); ++f) lista.setSubText(f, 2, relleno + QString::number(quedan[f - 1]));
  for (int f = 1; f <= lista.Count(); f += 2) lista.addSubItem(f, "extra");
  lista.refresca();

  ASSERT_EQ(lista.Count(), total / 4);
  ASSERT_EQ(lista.model()->rowCount(), total / 4);
  for (int f = 1; f <= lista.Count(); ++f) {
    const int n = quedan[f - 1];
    ASSERT_EQ(lista.Text(f), QString("item%1").arg(n));
    ASSERT_EQ(lista.subText(f, 1), QString("s%1.1").arg(n));
    ASSERT_EQ(lista.subForeColor(f, 1), quint32(n));
    ASSERT_EQ(lista.subText(f, 2), relleno + QString::number(n));
    ASSERT_EQ(lista.subText(f, 3), QString("s%1.3").arg(n));
    ASSERT_EQ(lista.Bold(f), n % 7 == 0);
    ASSERT_EQ(lista.subCount(f), f % 2 == 1 ? 4 : 3);
  }
}

TEST(ColorWindows, LosBytesVanAzulVerdeRojo) {
  EXPECT_EQ(colorWindows(0xFF), QColor(255, 0, 0));
  EXPECT_EQ(colorWindows(0xC000), QColor(0, 192, 0));
  EXPECT_EQ(colorWindows(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(colorWindows(0x400040), QColor(64, 0, 64));
  EXPECT_EQ(colorWindows(0), QColor(0, 0, 0));
  EXPECT_EQ(colorWindows(0xFFFFFF), QColor(255, 255, 255));
  // System colours come from the palette: window text, highlight.
  EXPECT_EQ(colorWindows(0x80000008), QGuiApplication::palette().color(QPalette::Text));
  EXPECT_EQ(colorWindows(0x8000000D), QGuiApplication::palette().color(QPalette::Highlight));
}

TEST_F(ListViewPrueba, LasFilasLleganALaVistaEnUnSoloAviso) {
  QSignalSpy insertadas(lista.model(), &QAbstractItemModel::rowsInserted);
  QSignalSpy cambiadas(lista.model(), &QAbstractItemModel::dataChanged);
  for (int n = 1; n <= 1000; ++n) fila(n);
  lista.setForeColor(500, 0xFF);  // not yet shown: drawn with its colour when announced
  EXPECT_EQ(lista.model()->rowCount(), 0);
  EXPECT_EQ(lista.Count(), 1000);
  EXPECT_EQ(lista.modelo()->filasPendientes(), 1000);

  QCoreApplication::processEvents();
  ASSERT_EQ(insertadas.count(), 1);
  EXPECT_EQ(insertadas[0][1].toInt(), 0);
  EXPECT_EQ(insertadas[0][2].toInt(), 999);
  EXPECT_EQ(cambiadas.count(), 0);
  EXPECT_EQ(lista.model()->rowCount(), 1000);
  EXPECT_EQ(dibujo(lista, 500, 0).color, QColor(255, 0, 0));

  // Changes to shown rows are gathered too.
  for (int f = 10; f <= 20; ++f) lista.setSubText(f, 1, "cambio");
  lista.setBold(15, true);
  fila(1001);
  QCoreApplication::processEvents();
  ASSERT_EQ(cambiadas.count(), 1);
  EXPECT_EQ(cambiadas[0][0].value<QModelIndex>().row(), 9);
  EXPECT_EQ(cambiadas[0][1].value<QModelIndex>().row(), 19);
  EXPECT_EQ(cambiadas[0][1].value<QModelIndex>().column(), 3);
  ASSERT_EQ(insertadas.count(), 2);
  EXPECT_EQ(insertadas[1][1].toInt(), 1000);
  EXPECT_EQ(dibujo(lista, 12, 1).texto, QString("cambio"));
  EXPECT_TRUE(dibujo(lista, 15, 0).negrita);
}

TEST_F(ListViewPrueba, ElUsuarioEligeFilasConRatonYTeclado) {
  lista.resize(400, 300);
  lista.show();
  for (int n = 1; n <= 20; ++n) fila(n);
  QSignalSpy elegidas(&lista, &ListView::ItemClick);

  lista.seleccionaFila(3);  // by code: no event
  EXPECT_EQ(lista.SelectedItem(), 3);
  EXPECT_EQ(elegidas.count(), 0);

  const QRect celda = lista.visualRect(lista.model()->index(4, 1));
  QTest::mouseClick(lista.viewport(), Qt::LeftButton, Qt::NoModifier, celda.center());
  ASSERT_EQ(elegidas.count(), 1);
  EXPECT_EQ(elegidas[0][0].toInt(), 5);
  EXPECT_EQ(lista.SelectedItem(), 5);

  // Clicking the selected row again is a new click.
  QTest::mouseClick(lista.viewport(), Qt::LeftButton, Qt::NoModifier, celda.center());
  EXPECT_EQ(elegidas.count(), 2);

  QTest::keyClick(&lista, Qt::Key_Down);
  ASSERT_EQ(elegidas.count(), 3);
  EXPECT_EQ(elegidas[2][0].toInt(), 6);
  EXPECT_EQ(lista.SelectedItem(), 6);

  lista.seleccionaFila(0);
  EXPECT_EQ(lista.SelectedItem(), 0);
  EXPECT_EQ(elegidas.count(), 3);
}

TEST(Twips, QuincePorPixelRedondeandoIgualAAmbosLados) {
  EXPECT_EQ(px(1440), 96);
  EXPECT_EQ(px(7), 0);
  EXPECT_EQ(px(8), 1);
  EXPECT_EQ(px(-7), 0);
  EXPECT_EQ(px(-8), -1);
  EXPECT_EQ(px(-1500), -100);
  EXPECT_EQ(tw(96), 1440);
  EXPECT_EQ(tw(-3), -45);
}

TEST_F(ListViewPrueba, GeometriaYColumnasEnTwips) {
  EXPECT_EQ(lista.horizontalHeader()->sectionSize(0), 80);
  EXPECT_EQ(lista.anchoColumna(1), 1200);
  EXPECT_EQ(lista.anchoColumna(4), 1500);
  lista.fijaAnchoColumna(2, 0);  // the program hides data in columns of width 0
  EXPECT_EQ(lista.horizontalHeader()->sectionSize(1), 0);
  EXPECT_EQ(lista.anchoColumna(2), 0);
  EXPECT_EQ(numeroError([&] { lista.anchoColumna(5); }), ERR_INDICE_LISTA);

  lista.fijaAncho(6000);
  lista.fijaAlto(3000);
  lista.fijaIzquierda(-1500);
  lista.fijaArriba(150);
  EXPECT_EQ(lista.geometry(), QRect(-100, 10, 400, 200));
  EXPECT_EQ(lista.Width(), 6000);
  EXPECT_EQ(lista.Height(), 3000);
  EXPECT_EQ(lista.Left(), -1500);
  EXPECT_EQ(lista.Top(), 150);

  lista.fijaVisible(false);
  EXPECT_FALSE(lista.Visible());
  lista.fijaVisible(true);
  EXPECT_TRUE(lista.Visible());
}

TEST(ListViewGrande, UnMillonDeFilasSeLeenBien) {
  ListView lista;
  for (const char* titulo : {"Fecha", "Sorteo", "A", "B", "Premio"}) lista.agregaColumna(titulo, 1000);
  const int total = 1000000;
  for (int n = 1; n <= total; ++n) {
    const int f = lista.Add(QString::number(n));
    lista.addSubItem(f, QStringLiteral("12/03/2024"));
    lista.addSubItem(f, QString::number(n % 49 + 1));
    lista.addSubItem(f, n % 1000 == 0 ? QStringLiteral("Peña €") : QStringLiteral("Peña"));
    lista.addSubItem(f, QString::number(n * 3));
    lista.setSubForeColor(f, 2, quint32(n) & 0xFFFFFF);
    if (n % 3 == 0) lista.setBold(f, true);
  }
  lista.refresca();
  ASSERT_EQ(lista.Count(), total);
  ASSERT_EQ(lista.model()->rowCount(), total);
  for (int n : {1, 2, 999, 1000, 4096, 65537, 500000, 999999, total}) {
    EXPECT_EQ(dibujo(lista, n, 0).texto, QString::number(n)) << n;
    EXPECT_EQ(dibujo(lista, n, 0).negrita, n % 3 == 0) << n;
    EXPECT_EQ(dibujo(lista, n, 1).texto, QString("12/03/2024")) << n;
    EXPECT_EQ(dibujo(lista, n, 2).texto, QString::number(n % 49 + 1)) << n;
    EXPECT_EQ(dibujo(lista, n, 2).color, colorWindows(quint32(n))) << n;
    EXPECT_EQ(dibujo(lista, n, 3).texto, n % 1000 == 0 ? QString("Peña €") : QString("Peña")) << n;
    EXPECT_EQ(dibujo(lista, n, 4).texto, QString::number(n * 3)) << n;
  }
}

}  // namespace
