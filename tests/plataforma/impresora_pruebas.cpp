// The printer in millimetres: where texts land and how lines and pages follow each other, that a job
// reaches its destination whole or not at all, and the printer dialog's script.
#include <QApplication>
#include <QDir>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/msgbox.h"

using namespace plataforma;

namespace {

class ImpresoraPrueba : public ::testing::Test {
 protected:
  void SetUp() override {
    reiniciaImpresora();
    Printer().fijaDestino(grabadora);
  }
  void TearDown() override { reiniciaImpresora(); }
  std::shared_ptr<Grabadora> grabadora = std::make_shared<Grabadora>();
};

TEST_F(ImpresoraPrueba, LinesFollowEachOtherAndOverflowOntoANewPage) {
  Impresora& pr = Printer();
  pr.FontName = "Arial";
  pr.FontSize = 10;
  const double alto = pr.TextHeight();
  // A line is a little more than its points: 10 points are 3.53 mm.
  EXPECT_GT(alto, 3.6);
  EXPECT_LT(alto, 4.6);

  pr.CurrentX = 30;
  pr.CurrentY = 40;
  pr.FontBold = true;
  const double altoNegrita = pr.TextHeight();
  pr.Print("uno");
  EXPECT_DOUBLE_EQ(pr.CurrentX, 0);
  EXPECT_DOUBLE_EQ(pr.CurrentY, 40 + altoNegrita);
  pr.FontBold = false;
  pr.Print();  // an empty line only moves down
  pr.Print("dos");
  pr.Box(20, 20, 160.5, 104);
  pr.Box(23.8, 117.3, 2.5, 3, true);
  pr.Line(0, 0, 10, 5);
  pr.Line(40, 30, 25, 10);  // drawn backwards: from the first point to the second
  // Down to the last line that fits, then one more.
  pr.CurrentY = 297 - alto - 0.01;
  pr.Print("cabe");
  pr.Print("no cabe");
  EXPECT_EQ(pr.Page(), 2);
  pr.NewPage();
  pr.NewPage();  // trailing pages without anything on them are not sent
  EXPECT_TRUE(grabadora->trabajos.empty());  // nothing leaves before the end
  pr.EndDoc();

  ASSERT_EQ(grabadora->trabajos.size(), 1u);
  const Trabajo& t = grabadora->trabajos[0];
  EXPECT_EQ(t.paginas, 2);
  const auto textos = t.textos();
  ASSERT_EQ(textos.size(), 4u);
  EXPECT_EQ(textos[0]->texto, "uno");
  EXPECT_EQ(textos[0]->x, 30);
  EXPECT_EQ(textos[0]->y, 40);
  EXPECT_EQ(textos[0]->fuente, "Arial");
  EXPECT_EQ(textos[0]->tamano, 10);
  EXPECT_TRUE(textos[0]->negrita);
  EXPECT_FALSE(textos[1]->negrita);
  EXPECT_NEAR(textos[1]->y, 40 + altoNegrita + alto, 1e-9);
  EXPECT_EQ(textos[2]->pagina, 1);
  EXPECT_EQ(textos[3]->texto, "no cabe");
  EXPECT_EQ(textos[3]->pagina, 2);
  EXPECT_EQ(textos[3]->y, 0);
  // Boxes by corner and size, lines by start and the end minus the start, all in mm as given.
  struct Forma {
    Trazo::Tipo tipo;
    double x, y, ancho, alto;
  };
  const Forma formas[] = {{Trazo::Caja, 20, 20, 160.5, 104},
                          {Trazo::CajaLlena, 23.8, 117.3, 2.5, 3},
                          {Trazo::Linea, 0, 0, 10, 5},
                          {Trazo::Linea, 40, 30, -15, -20}};
  for (int i = 0; i < 4; ++i) {
    const Trazo& z = t.trazos[2 + i];
    const Forma& f = formas[i];
    EXPECT_EQ(z.tipo, f.tipo) << i;
    EXPECT_EQ(z.pagina, 1) << i;
    EXPECT_DOUBLE_EQ(z.x, f.x) << i;
    EXPECT_DOUBLE_EQ(z.y, f.y) << i;
    EXPECT_DOUBLE_EQ(z.ancho, f.ancho) << i;
    EXPECT_DOUBLE_EQ(z.alto, f.alto) << i;
  }
  EXPECT_FALSE(pr.abierto());
}

TEST_F(ImpresoraPrueba, ADiscardedOrFailedJobLeavesNothingAndTheNextOneGoesThrough) {
  Impresora& pr = Printer();
  pr.Print("descartado");
  pr.KillDoc();
  pr.EndDoc();  // nothing open: nothing sent
  EXPECT_TRUE(grabadora->trabajos.empty());

  grabadora->falla = true;
  pr.Print("perdido");
  {
    Respondedor respuestas;
    EXPECT_FALSE(terminaDocumento());
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, "No se ha podido imprimir: la impresora no responde.");
    EXPECT_EQ(respuestas.cajas()[0].titulo, "Error de impresora");
  }
  EXPECT_FALSE(pr.abierto());
  grabadora->falla = false;
  pr.Print("bueno");
  EXPECT_TRUE(terminaDocumento());
  ASSERT_EQ(grabadora->trabajos.size(), 1u);
  ASSERT_EQ(grabadora->trabajos[0].trazos.size(), 1u);
  EXPECT_EQ(grabadora->trabajos[0].trazos[0].texto, "bueno");
}

// The real printer dialog, closed with Escape: Cancel is an error, and the destination stays.
TEST_F(ImpresoraPrueba, TheRealDialogCancelledIsAnError) {
  QTimer reloj;
  reloj.setInterval(50);
  QObject::connect(&reloj, &QTimer::timeout, [] {
    if (QWidget* w = QApplication::activeModalWidget()) QTest::keyClick(w, Qt::Key_Escape);
  });
  reloj.start();
  try {
    ShowPrinter(nullptr);
    ADD_FAILURE() << "Cancel is an error";
  } catch (const Error& e) {
    EXPECT_EQ(e.numero(), ERR_CANCELADO);
  }
  EXPECT_EQ(&Printer().destino(), grabadora.get());
}

TEST_F(ImpresoraPrueba, APdfFileIsWrittenWholeOrNotAtAll) {
  QTemporaryDir dir;
  const QString archivo = dir.filePath("listado.pdf");
  Impresora& pr = Printer();
  pr.fijaDestino(std::make_shared<DestinoPdf>(archivo));
  pr.FontName = "arial";
  pr.FontSize = 12;
  pr.CurrentX = 20;
  pr.CurrentY = 20;
  pr.Print("PEÑAS SENCILLAS");
  pr.NewPage();
  pr.Print("Segunda hoja");
  pr.EndDoc();

  QPdfDocument pdf;
  ASSERT_EQ(pdf.load(archivo), QPdfDocument::Error::None);
  ASSERT_EQ(pdf.pageCount(), 2);
  EXPECT_NEAR(pdf.pagePointSize(0).width(), 595.3, 1);  // A4
  EXPECT_TRUE(pdf.getAllText(0).text().contains("PEÑAS SENCILLAS"));
  EXPECT_TRUE(pdf.getAllText(1).text().contains("Segunda hoja"));
  // The text stands where it was put: 20 mm from the left, 20 mm from the top.
  const QRectF caja = pdf.getAllText(0).boundingRectangle();
  EXPECT_NEAR(caja.left() * 25.4 / 72, 20, 1);
  EXPECT_NEAR(caja.top() * 25.4 / 72, 20, 2);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"listado.pdf"});

  // A folder that is not there: the job fails and no file is left, not even a temporary one.
  const QString perdido = dir.filePath("no/existe.pdf");
  pr.fijaDestino(std::make_shared<DestinoPdf>(perdido));
  pr.Print("perdido");
  EXPECT_THROW(pr.EndDoc(), Error);
  EXPECT_FALSE(QFile::exists(perdido));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"listado.pdf"});
  EXPECT_FALSE(pr.abierto());
}

}  // namespace
