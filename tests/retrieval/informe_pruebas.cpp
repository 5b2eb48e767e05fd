// The official prize breakdown of the newest draw, tab "Último sorteo": caption, category texts,
// the document fetched and shown, and every explanation that takes the browser's place.
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "ui/Principal.h"

using plataforma::NavegadorWeb;

namespace {

const QString RUTA_ACTA = QStringLiteral("/f/loterias/documentos/primitiva/escrutinios/ACTA_LAPR_120190105.pdf");
const QString DOCUMENTO = QStringLiteral("http://www.loteriasyapuestas.es") + RUTA_ACTA;

// What the text panel shows for a text written with CR LF.
QString enCaja(QString texto) { return texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

const QString NO_DISPONIBLE = enCaja(QString::fromUtf8(
    "\r\nATENCIÓN:\r\nLos datos del sorteo aún no están disponibles. Intente más tarde."));
const QString SIN_CONEXION = QString::fromUtf8("No se encuentra conexión a internet.... :(");

// The operator's answer for the draw of Saturday 5 January 2019 and an older one.
QByteArray respuestaDelSabado() {
  Sorteo s = sorteoDe(QDate(2019, 1, 5), {2, 10, 23, 29, 36, 38}, 33, 4);
  s.joker = 1234567;
  return respuestaServicio({s}, 1);
}

// The distance the program measures between the breakdown marker and the first category marker.
qsizetype distanciaCategoria(const QByteArray& guardada) {
  const qsizetype escru = guardada.indexOf("escru");
  const qsizetype cate = guardada.indexOf("cate", escru);
  return guardada.indexOf('"', cate + 4) - guardada.indexOf('"', escru + 5);
}

class Informe : public ::testing::Test {
 protected:
  void SetUp() override {
    plataforma::fijaVisorPdf(1);
    plataforma::fijaAbridor([this](const QString& d) { abiertas << d; });
    Respuesta pdf;
    pdf.cuerpo = plataforma::documentoPdfMinimo();
    pdf.tipo = "application/pdf";
    servidor.responde(RUTA_ACTA, pdf);
  }
  void TearDown() override {
    plataforma::fijaVisorPdf(-1);
    plataforma::fijaAbridor({});
  }

  // Starts the program with the draws up to that Saturday and the answer stored in www.txt.
  Principal& arranca(const QByteArray& respuesta) {
    carpeta.escribe(QStringLiteral("www.txt"), formaGuardada(respuesta));
    escribeSorteos(carpeta, {sorteoDe(QDate(2019, 1, 3)), sorteoDe(QDate(2019, 1, 5))});
    Principal& p = principal();
    p.Form_Load();
    return p;
  }

  // Another answer in www.txt, as a download leaves it: the file closed, rewritten and reopened.
  void cambiaRespuesta(const QByteArray& respuesta) {
    plataforma::archivos().cierra(ARCH_WWW);
    carpeta.escribe(QStringLiteral("www.txt"), respuesta.isEmpty() ? QByteArray() : formaGuardada(respuesta));
    plataforma::archivos().abre(ARCH_WWW, carpeta.archivo(QStringLiteral("www.txt")),
                                plataforma::Acceso::Binario);
  }

  static bool esperaNavegacion(Principal& p) {
    QSignalSpy fin(p.WebBrowser1, &NavegadorWeb::DocumentComplete);
    QSignalSpy error(p.WebBrowser1, &NavegadorWeb::NavigateError);
    for (int i = 0; i < 50 && fin.isEmpty() && error.isEmpty(); ++i) QTest::qWait(100);
    return !fin.isEmpty() || !error.isEmpty();
  }

  CarpetaPrograma carpeta;
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  plataforma::Respondedor respuestas;
  QStringList abiertas;
};

}  // namespace

TEST_F(Informe, CaptionCategoriesAndDocumentOfTheNewestDraw) {
  Principal& p = arranca(respuestaDelSabado());
  carpeta.escribe(QStringLiteral("zun.pdf"), plataforma::documentoPdfMinimo());
  p.informesorteo(1);

  EXPECT_EQ(p.Label8->text(), QString::fromUtf8("-Informe del Sábado, 5 de enero del 2019"));
  const QStringList esperadas = QString::fromUtf8(
      "1ª (6 Aciertos): 0 €|2ª (5 Aciertos + C): 34554,98 €|3ª (5 Aciertos): 2428,19 €|"
      "4ª (4 Aciertos): 77,54 €|5ª (3 Aciertos): 8,00 €|Reintegro: 1,00 €").split('|');
  for (int i = 0; i < 6; ++i) EXPECT_EQ(p.Label10[i]->text(), esperadas[i]) << i;
  EXPECT_EQ(p.urldocumento, DOCUMENTO);
  EXPECT_FALSE(p.WebBrowser1->isHidden());
  EXPECT_TRUE(p.Text1->isHidden());
  EXPECT_EQ(p.WebBrowser1->LocationURL(), DOCUMENTO);
  ASSERT_TRUE(esperaNavegacion(p));
  EXPECT_TRUE(p.WebBrowser1->muestraPdf());
  EXPECT_EQ(servidor.cuantas(RUTA_ACTA), 1);
  EXPECT_TRUE(respuestas.cajas().empty());
}

// The caption names the newest stored draw, whose breakdown the tab shows, however many draws the
// check view covers: the check walks them back to the oldest, and leaves that one as the draw read.
TEST_F(Informe, TheCaptionNamesTheNewestDrawWhateverTheDrawsChecked) {
  std::vector<Sorteo> guardados;
  for (int dia : {8, 10, 13, 15, 17, 20}) guardados.push_back(sorteoDe(QDate(2026, 8, dia)));
  Sorteo jueves = guardados.back();
  jueves.joker = 1234567;
  carpeta.escribe(QStringLiteral("www.txt"), formaGuardada(respuestaServicio({jueves}, 1)));
  escribeSorteos(carpeta, guardados);
  plataforma::fijaReloj(QDateTime(QDate(2026, 8, 21), QTime(10, 0)));
  Principal& p = principal();
  p.Form_Load();
  for (int comprobados : {1, 3, 6}) {
    SCOPED_TRACE(comprobados);
    p.HScroll1->setValue(comprobados);
    ASSERT_EQ(p.sorteo.fecha, guardados[size_t(6 - comprobados)].fecha);  // the oldest draw checked
    ASSERT_FALSE(p.Text1->isHidden());  // the tab is rewritten when it comes to the front
    p.SSTab1->setCurrentIndex(1);
    EXPECT_EQ(p.Label8->text(), QString::fromUtf8("-Informe del Jueves, 20 de agosto del 2026"));
    EXPECT_EQ(p.Label10[1]->text(), QString::fromUtf8("2ª (5 Aciertos + C): 34554,98 €"));
    p.SSTab1->setCurrentIndex(0);
  }
}

// The categories are read by what they are. The operator's rows number the categories in
// `categoria` and name them in `tipo`, a special category (6 + reintegro) first; the first five
// texts are then the prizes of 6, 5 + C, 5, 4 and 3 hits, which the report table takes as Premio6,
// Premio5c, Premio5, Premio4 and Premio3. Rows whose `categoria` is a text are read as before.
TEST_F(Informe, CategoriesByWhatTheyAreInEveryFormOfAnswer) {
  QFile f(fixture(QStringLiteral("lapr-answer-1.json")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray real = f.readAll();  // the answer of Thursday 17 August 2017, pretty-printed
  const QByteArray compacto = compacta(real);
  QByteArray desordenado = compacto;  // the special category last, and 5ª before 2ª
  const auto fila = [&](const char* tipo) {
    const qsizetype i = desordenado.indexOf(QByteArray("{\"tipo\":\"") + tipo);
    return desordenado.mid(i, desordenado.indexOf('}', i) + 1 - i);
  };
  const QByteArray especial = fila("Especial"), segunda = fila("2\\u00aa"), quinta = fila("5\\u00aa");
  const QByteArray reintegro = fila("Reintegro");
  desordenado.replace(especial + ",", "").replace(reintegro, reintegro + "," + especial);
  desordenado.replace(segunda, "@").replace(quinta, segunda).replace("@", quinta);
  // Older answers: no special category, 1ª numbered 1.
  QByteArray sinEspecial = QByteArray(compacto).replace(especial + ",", "");
  const QStringList reales = QString::fromUtf8(
      "1ª (6 Aciertos): 0 €|2ª (5 Aciertos + C): 34554,98 €|3ª (5 Aciertos): 2428,19 €|"
      "4ª (4 Aciertos): 77,54 €|5ª (3 Aciertos): 8 €|Reintegro: 1 €").split('|');
  struct Caso {
    const char* nombre;
    QByteArray respuesta;
    QStringList textos;
  };
  const std::vector<Caso> casos = {
      {"real, compact", "[" + compacto + "]", reales},
      {"real, pretty-printed", "[" + real + "]", reales},
      {"rows in another order", "[" + desordenado + "]", reales},
      {"without the special category", "[" + sinEspecial + "]", reales},
      {"categoria as a text",
       "[{\"escrutinio\":[{\"categoria\":\"1\xaa Categor\xed" "a: 1.000.000 \x80\"},{\"categoria\":\"2 {x} 5\"},"
       "{\"categoria\":\"C\"},{\"categoria\":\"D\"},{\"categoria\":\"E\"},{\"categoria\":\"F\"}]}]",
       {"1Categora:1.000.000", "2x5", "C", "D", "E", "F"}},
  };
  Principal& p = arranca(casos[0].respuesta);
  for (const Caso& c : casos) {
    cambiaRespuesta(c.respuesta);
    for (QLabel* l : p.Label10) l->setText(QStringLiteral("antes"));
    p.informesorteo(1);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p.Label10[i]->text(), c.textos[i]) << c.nombre << " " << i;
    EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE) << c.nombre;  // these answers carry no document
  }
}

// Day 0 of an empty draws file is no draw: the caption names none.
TEST_F(Informe, EmptyDrawsFileNamesNoDate) {
  carpeta.escribe(QStringLiteral("www.txt"), formaGuardada(respuestaDelSabado()));
  escribeSorteos(carpeta, {});
  Principal& p = principal();
  p.Form_Load();
  p.informesorteo(1);
  EXPECT_EQ(p.Label8->text(), QString::fromUtf8("Fichero de datos vacío."));
}

TEST_F(Informe, NoBreakdownWithinThreeHundredBytesGivesTheNoticeAndKeepsTheCategories) {
  // The first category marker is pushed away from the breakdown marker by a longer prize name.
  const QByteArray base = respuestaDelSabado();
  const QByteArray tipo = "Especial (6 Aciertos + R) ";
  auto conTipo = [&](qsizetype largo) {
    QByteArray r = base;
    return r.replace(tipo, tipo + QByteArray(largo, 'x'));
  };
  const qsizetype d0 = distanciaCategoria(formaGuardada(base));
  ASSERT_LT(d0, 299);
  const QByteArray cerca = conTipo(299 - d0);
  const QByteArray lejos = conTipo(300 - d0);
  ASSERT_EQ(distanciaCategoria(formaGuardada(cerca)), 299);
  ASSERT_EQ(distanciaCategoria(formaGuardada(lejos)), 300);

  Principal& p = arranca(cerca);
  p.informesorteo(1);
  EXPECT_EQ(p.Label10[1]->text(), QString::fromUtf8("2ª (5 Aciertos + C): 34554,98 €"));
  EXPECT_EQ(p.urldocumento, DOCUMENTO);

  cambiaRespuesta(lejos);
  for (QLabel* l : p.Label10) l->setText(QStringLiteral("antes"));
  carpeta.escribe(QStringLiteral("zun.pdf"), plataforma::documentoPdfMinimo());
  p.informesorteo(1);
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
  EXPECT_FALSE(p.Text1->isHidden());
  EXPECT_TRUE(p.WebBrowser1->isHidden());
  EXPECT_TRUE(p.urldocumento.isEmpty());
  for (QLabel* l : p.Label10) EXPECT_EQ(l->text(), QStringLiteral("antes"));
  // The caption names the draw whatever the answer holds.
  EXPECT_EQ(p.Label8->text(), QString::fromUtf8("-Informe del Sábado, 5 de enero del 2019"));

  // An empty answer and an answer without a document path give the same notice.
  cambiaRespuesta({});
  p.Text1->setText(QString());
  p.informesorteo(1);
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
  QByteArray sinDocumento = respuestaDelSabado();
  sinDocumento.replace("urlContenido", "urlOtro");
  cambiaRespuesta(sinDocumento);
  p.Text1->setText(QString());
  p.informesorteo(1);
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
  EXPECT_TRUE(p.urldocumento.isEmpty());
  EXPECT_EQ(servidor.cuantas(RUTA_ACTA), 0);
}

TEST_F(Informe, EscapedCapitalAInThePathBecomesTheLetterEveryTime) {
  QByteArray respuesta = respuestaDelSabado();
  respuesta.replace(RUTA_ACTA.toLatin1(), "/f/\\u00c1CTAS/LAPR_\\u00c1_2019.pdf");
  Principal& p = arranca(respuesta);
  const QString ruta = QString::fromUtf8("/f/ÁCTAS/LAPR_Á_2019.pdf");
  servidor.responde(QStringLiteral("/f/%C3%81CTAS/LAPR_%C3%81_2019.pdf"), plataforma::documentoPdfMinimo());
  p.informesorteo(0);
  EXPECT_EQ(p.urldocumento, QStringLiteral("http://www.loteriasyapuestas.es") + ruta);
  EXPECT_EQ(carpeta.lee(QStringLiteral("zun.pdf")), plataforma::documentoPdfMinimo());
}

TEST_F(Informe, StoredDocumentIsCheckedOnlyWhenNothingWasFetchedInThisRun) {
  Principal& p = arranca(respuestaDelSabado());
  // The same four letters in lower case pass.
  carpeta.escribe(QStringLiteral("zun.pdf"), "%pdf-1.4 guardado");
  p.informesorteo(1);
  EXPECT_FALSE(p.WebBrowser1->isHidden());
  EXPECT_TRUE(p.Text1->isHidden());
  EXPECT_EQ(p.WebBrowser1->LocationURL(), DOCUMENTO);
  ASSERT_TRUE(esperaNavegacion(p));

  // A page of the operator kept instead of the document does not.
  carpeta.escribe(QStringLiteral("zun.pdf"), "<html>Documento no disponible</html>");
  p.informesorteo(1);
  EXPECT_TRUE(p.WebBrowser1->isHidden());
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);

  // Nor does a missing file, which is created empty.
  plataforma::borraArchivo(carpeta.archivo(QStringLiteral("zun.pdf")));
  p.informesorteo(1);
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
  EXPECT_TRUE(carpeta.existe(QStringLiteral("zun.pdf")));
  EXPECT_EQ(carpeta.lee(QStringLiteral("zun.pdf")).size(), 0);

  // Once a download fetched the document in this run, it is shown without the check.
  p.pdfpedido = true;
  p.informesorteo(1);
  EXPECT_FALSE(p.WebBrowser1->isHidden());
  EXPECT_EQ(p.WebBrowser1->LocationURL(), DOCUMENTO);
}

TEST_F(Informe, FlagZeroFetchesTheDocumentAndShowsItEvenWhenItIsNoPdf) {
  const QByteArray pagina = "<html><body>El acta estar\xe1 disponible en breve</body></html>";
  servidor.responde(RUTA_ACTA, pagina);
  Principal& p = arranca(respuestaDelSabado());
  p.pdfpedido = false;
  p.informesorteo(0);
  EXPECT_TRUE(p.pdfpedido);
  EXPECT_EQ(carpeta.lee(QStringLiteral("zun.pdf")), pagina);
  EXPECT_FALSE(p.WebBrowser1->isHidden());
  EXPECT_TRUE(p.Text1->isHidden());
  EXPECT_EQ(p.WebBrowser1->LocationURL(), DOCUMENTO);
  // The browser finds the operator's page, not the document: it is not ready yet, whatever the
  // connection.
  ASSERT_TRUE(esperaNavegacion(p));
  EXPECT_TRUE(p.WebBrowser1->isHidden());
  EXPECT_FALSE(p.Text1->isHidden());
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
  EXPECT_EQ(servidor.cuantas(RUTA_ACTA), 2);  // the download, then the browser

  // Nor is it when the site answers with an error of its own.
  Respuesta falta;
  falta.estado = 404;
  servidor.responde(RUTA_ACTA, falta);
  p.Text1->setText(QString());
  p.informesorteo(0);
  ASSERT_TRUE(esperaNavegacion(p));
  EXPECT_EQ(p.Text1->Text(), NO_DISPONIBLE);
}

TEST_F(Informe, FlagZeroWithoutNetworkKeepsTheOldDocumentAndExplains) {
  carpeta.escribe(QStringLiteral("zun.pdf"), "%PDF anterior");
  RedDePrueba cerrada(baseCerrada());
  Principal& p = arranca(respuestaDelSabado());
  p.informesorteo(0);
  EXPECT_EQ(carpeta.lee(QStringLiteral("zun.pdf")), QByteArray("%PDF anterior"));
  ASSERT_TRUE(esperaNavegacion(p));
  EXPECT_EQ(p.Text1->Text(), SIN_CONEXION);
  EXPECT_TRUE(p.WebBrowser1->isHidden());
}

TEST_F(Informe, WithoutAPdfReaderTheClickableHintTakesTheBrowsersPlace) {
  plataforma::fijaVisorPdf(0);
  Principal& p = arranca(respuestaDelSabado());
  carpeta.escribe(QStringLiteral("zun.pdf"), plataforma::documentoPdfMinimo());
  p.avisolector = 0;
  p.Text1_Click();  // no hint yet: nothing opens
  EXPECT_TRUE(abiertas.isEmpty());

  p.informesorteo(1);
  const QString pagina = QStringLiteral("https://okular.kde.org/download/");
  const QString hint = QStringList{
      QString(), QString::fromUtf8("OPCIÓN NO DISPONIBLE"), QString(),
      QString::fromUtf8("Su ordenador no tiene instalado Adobe Reader para la lectura de archivos PDF."),
      QString::fromUtf8("Si quiere instalarlo y disfrutar de esta opción, vaya a la web ") + pagina,
      QString::fromUtf8("(O haga click AQUÍ para instalarlo)"), QString(),
      QString::fromUtf8("Es totalmente gratuito. Una vez instalado, ejecútelo y acepte el contrato de "
                        "licencia. Después ya podrá utilizar Bolvanta con esta opción activada.")}
                           .join('\n');
  EXPECT_EQ(p.Text1->Text(), hint);
  EXPECT_EQ(p.avisolector, 1);
  EXPECT_FALSE(p.Text1->isHidden());
  EXPECT_TRUE(p.WebBrowser1->isHidden());
  EXPECT_EQ(servidor.cuantas(RUTA_ACTA), 0);

  // A click on the panel opens the reader's page in the user's browser.
  QTest::mouseClick(p.Text1->viewport(), Qt::LeftButton);
  EXPECT_EQ(abiertas, QStringList{pagina});

  // With a reader the document is shown.
  plataforma::fijaVisorPdf(1);
  p.informesorteo(1);
  EXPECT_FALSE(p.WebBrowser1->isHidden());
  ASSERT_TRUE(esperaNavegacion(p));
  EXPECT_TRUE(p.WebBrowser1->muestraPdf());
}
