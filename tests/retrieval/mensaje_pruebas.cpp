// The program's news: when it is fetched, when it counts as new, the web host it may carry, and the
// news window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/cajas.h"
#include "apoyo/carpeta.h"
#include "apoyo/cierre.h"
#include "apoyo/datos.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/texto.h"
#include "plataforma/twips.h"
#include "retrieval/Infor.h"
#include "ui/Presentacion.h"
#include <QPointer>
#include <QTimer>
#include "ui/Principal.h"

namespace {

const QString INFORME = QStringLiteral("/informe.dat");

// A news page of exactly `largo` bytes holding `dentro`.
QByteArray noticia(int largo, const QByteArray& dentro = {}) {
  QByteArray r = "<html><body><p>Hola, peñistas.</p>" + dentro + "<p>";
  const QByteArray cierre = "</p></body></html>";
  return r + QByteArray(largo - r.size() - cierre.size(), 'n') + cierre;
}

class Noticias : public ::testing::Test {
 protected:
  void SetUp() override {
    plataforma::fijaAbridor([this](const QString& d) { abiertas << d; });
  }
  void TearDown() override {
    descargaInfor();
    procesaDescargas();
    plataforma::fijaAbridor({});
  }

  // The program started on 2 March 2019 with its newest draw on 1 March, too recent for the news.
  Principal& arranca(bool conPena) {
    hoyEs(QDate(2019, 3, 2));
    escribeSorteos(carpeta, {sorteoDe(QDate(2019, 2, 27)), sorteoDe(QDate(2019, 3, 1))});
    Principal& p = principal();
    p.Form_Load();
    if (conPena) {
      escribePena(1, penaDe(QStringLiteral("PRIMERA"), QStringLiteral("Todos (L+J+S)"), QDate(2019, 1, 1),
                            {{1, 2, 3, 4, 5, 6}}));
      estado().numpenas = 2;
    }
    return p;
  }

  // The program entered from its splash on 10 March 2019, with a syndicate and the newest draw
  // of 1 March: old enough for the news.
  Principal& entra() {
    hoyEs(QDate(2019, 3, 10));
    escribeSorteos(carpeta, {sorteoDe(QDate(2019, 3, 1))});
    escribePenas(carpeta, {penaDe("PRIMERA", "Todos (L+J+S)", QDate(2019, 1, 1), {{1, 2, 3, 4, 5, 6}})});
    presentacion().Command1_Click();
    return principal();
  }

  static void hoyEs(const QDate& dia) { plataforma::fijaReloj(QDateTime(dia, QTime(10, 0))); }
  // The news arrives while the program goes on: these wait for the fetch's end, whatever it is.
  static void comprueba(Principal& p) { p.compruebamensaje(); espera(p); }
  static void descarga(Principal& p) { p.descargamensaje(); espera(p); }
  static void espera(Principal& p) { ASSERT_TRUE(QTest::qWaitFor([&] { return !p.esperandomensaje(); }, 30000)); }
  static bool mostrada() { return inforSiExiste() && inforSiExiste()->isVisible(); }
  static void cierra() {
    descargaInfor();
    procesaDescargas();
  }

  CarpetaPrograma carpeta;
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  plataforma::Respondedor respuestas;
  QStringList abiertas;
};

}  // namespace

TEST_F(Noticias, FetchedFromTheThirdDayAfterTheNewestDraw) {
  Principal& p = arranca(true);
  servidor.responde(INFORME, noticia(400));
  EXPECT_EQ(servidor.cuantas(INFORME), 0);  // not at start-up on 2 March

  hoyEs(QDate(2019, 3, 3));
  comprueba(p);
  EXPECT_EQ(servidor.cuantas(INFORME), 0);
  EXPECT_FALSE(carpeta.existe(QStringLiteral("informe.dat")));
  EXPECT_FALSE(mostrada());

  hoyEs(QDate(2019, 3, 4));
  comprueba(p);
  // The settings' host, lower case, under https; the fresh copy replaces the file.
  EXPECT_EQ(servidor.pedidas(), QStringList{INFORME});
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")), noticia(400));
  EXPECT_TRUE(mostrada());
  EXPECT_TRUE(respuestas.cajas().empty());
}

// A news host that answers late: the main window is there at once, the user works meanwhile (a
// download among it), and the news window comes once the news has come and the download is over.
TEST_F(Noticias, StartUpShowsTheMainWindowWhileTheNewsIsOnItsWay) {
  Respuesta tarda{200, noticia(400)};
  tarda.demoraMs = 300;
  servidor.responde(INFORME, tarda);
  Sorteo nuevo = sorteoDe(QDate(2019, 3, 7), {11, 12, 13, 14, 15, 16});
  nuevo.joker = 1234567;
  servidor.responde("/servicios/buscadorSorteos", respuestaServicio({nuevo}));
  Principal& p = entra();
  ASSERT_TRUE(p.isVisible() && p.esperandomensaje() && !mostrada());
  p.Command6_Click();  // nothing fetched yet: a box says so
  bool enDescarga = false;
  QTimer mira;
  QObject::connect(&mira, &QTimer::timeout, [&] { enDescarga |= mostrada() && p.Timer1->isActive(); });
  mira.start(10);
  p.Picture2_Click();
  EXPECT_TRUE(QTest::qWaitFor(mostrada, 20000));
  EXPECT_FALSE(enDescarga);
  EXPECT_EQ(p.Label6->text(), "TRANSFERENCIA FINALIZADA");
  EXPECT_EQ(carpeta.lee("numeros.dat").mid(32), nuevo.codifica());
  EXPECT_EQ(carpeta.lee("informe.dat"), noticia(400));
  EXPECT_EQ(respuestas.cajas().size(), 1u);
}

// A news host that accepts and never answers: closing the program ends it at once, the old news
// whole and no temporary file left beside it.
TEST_F(Noticias, ClosingWhileTheNewsHostSaysNothingEndsAtOnce) {
  Respuesta muda{200, noticia(400)};
  muda.demoraMs = 120000;
  servidor.responde(INFORME, muda);
  carpeta.escribe("informe.dat", noticia(500));
  QPointer<Principal> p(&entra());
  QTimer cierre, guardia;
  QObject::connect(&cierre, &QTimer::timeout, [&] { if (servidor.cuantas(INFORME)) cierre.stop(), pideCierre(p); });
  QObject::connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
  cierre.start(10);
  guardia.start(10000);
  EXPECT_EQ(QApplication::exec(), 0);
  procesaDescargas();
  EXPECT_TRUE(p.isNull());
  EXPECT_EQ(carpeta.lee("informe.dat"), noticia(500));
  EXPECT_EQ(QDir(carpeta.ruta()).entryList(QDir::Files).filter("informe"), QStringList{"informe.dat"});
}

TEST_F(Noticias, NothingIsFetchedWithoutASyndicate) {
  Principal& p = arranca(false);
  servidor.responde(INFORME, noticia(400));
  hoyEs(QDate(2019, 3, 20));
  comprueba(p);
  EXPECT_EQ(servidor.cuantas(INFORME), 0);
  // The file is created empty all the same.
  ASSERT_TRUE(carpeta.existe(QStringLiteral("informe.dat")));
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")).size(), 0);
  EXPECT_FALSE(mostrada());
}

TEST_F(Noticias, OnlyANewDocumentOfMoreThanThreeHundredCharactersIsShown) {
  Principal& p = arranca(true);
  hoyEs(QDate(2019, 3, 10));

  servidor.responde(INFORME, noticia(300));
  comprueba(p);
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")), noticia(300));
  EXPECT_FALSE(mostrada());

  servidor.responde(INFORME, noticia(301));
  descarga(p);
  ASSERT_TRUE(mostrada());
  EXPECT_EQ(infor().WebBrowser1->LocationURL(), carpeta.archivo(QStringLiteral("informe.dat")));
  EXPECT_TRUE(infor().WebBrowser1->textoMostrado().contains(QString::fromUtf8("Hola, peñistas.")));
  cierra();

  // Another text of the same length passes for the old one.
  servidor.responde(INFORME, noticia(301, "<p>Otra cosa</p>"));
  descarga(p);
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")), noticia(301, "<p>Otra cosa</p>"));
  EXPECT_FALSE(mostrada());

  // Lengths are those of the file's text: CR LF line ends make a longer document.
  const QByteArray lineas = "<p>uno</p>\n<p>dos</p>\n<p>tres</p>\n";
  carpeta.escribe(QStringLiteral("informe.dat"), noticia(320, lineas));
  QByteArray conCrLf = noticia(320, lineas);
  conCrLf.replace("\n", "\r\n");
  servidor.responde(INFORME, conCrLf);
  descarga(p);
  EXPECT_TRUE(mostrada());
}

TEST_F(Noticias, AFailedFetchKeepsTheOldDocumentAndShowsNothing) {
  Principal& p = arranca(true);
  hoyEs(QDate(2019, 3, 10));
  carpeta.escribe(QStringLiteral("informe.dat"), noticia(500));
  comprueba(p);  // the host has no news: 404
  EXPECT_EQ(servidor.cuantas(INFORME), 1);
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")), noticia(500));
  EXPECT_FALSE(mostrada());

  RedDePrueba cerrada(baseCerrada());
  descarga(p);
  EXPECT_EQ(carpeta.lee(QStringLiteral("informe.dat")), noticia(500));
  EXPECT_FALSE(mostrada());
}

TEST_F(Noticias, AWebHostInTheNewsReplacesTheSettingsHost) {
  Principal& p = arranca(true);
  hoyEs(QDate(2019, 3, 10));
  servidor.responde(INFORME, noticia(400, "<!-- WEB:a b> --><p>web:otra>"));
  // A window open meanwhile stored a correction of the slips: the news changes the host alone.
  Configuracion otra = leeConfiguracionArchivo();
  otra.correccionx = 2.5;
  escribeConfiguracionArchivo(otra);
  comprueba(p);
  ASSERT_TRUE(mostrada());
  EXPECT_EQ(plataforma::recorta(p.configuracion.direccionweb), QStringLiteral("a/b"));
  otra.direccionweb = QStringLiteral("a/b").leftJustified(60);
  EXPECT_EQ(carpeta.lee(QStringLiteral("nums.ini")), otra.codifica());

  // Every address built from the host uses the new one.
  p.web_Click();
  EXPECT_EQ(abiertas, QStringList{QStringLiteral("http://a/b")});
  servidor.responde(QStringLiteral("/b/informe.dat"), noticia(410));
  descarga(p);
  EXPECT_EQ(servidor.cuantas(QStringLiteral("/b/informe.dat")), 1);
}

TEST_F(Noticias, NewsWithoutAUsableHostKeepsTheSettings) {
  Principal& p = arranca(true);
  hoyEs(QDate(2019, 3, 10));
  const QByteArray antes = carpeta.lee(QStringLiteral("nums.ini"));
  ASSERT_EQ(plataforma::recorta(p.configuracion.direccionweb), QStringLiteral("www.bolvanta.es"));

  const QByteArray largo = "web:" + QByteArray(70, 'h') + ".es>";
  const QList<QByteArray> dentros = {
      "<p>Sin host</p>",
      "<a href=\"web:javascript:alert(1)>\">x</a>",
      largo,
      "<p>web:   >",
      "<p>web:www.bolvanta.es> igual que el de ahora",
      "<p>web:sin cierre",
  };
  int largoNoticia = 400;
  for (const QByteArray& dentro : dentros) {
    servidor.responde(INFORME, noticia(++largoNoticia, dentro));
    descarga(p);
    EXPECT_TRUE(mostrada()) << dentro.constData();
    EXPECT_EQ(carpeta.lee(QStringLiteral("nums.ini")), antes) << dentro.constData();
    EXPECT_EQ(plataforma::recorta(p.configuracion.direccionweb), QStringLiteral("www.bolvanta.es"));
    cierra();
  }
  EXPECT_EQ(servidor.cuantas(INFORME), dentros.size());
}

TEST_F(Noticias, TheNewsWindowStaysOnTopAtTheCornerAndShowsOnlyARealFile) {
  Principal& p = arranca(true);
  carpeta.escribe(QStringLiteral("informe.dat"), "<p>11 bytes");
  p.Command6_Click();
  ASSERT_TRUE(mostrada());
  Infor& v = infor();
  EXPECT_EQ(v.windowTitle(), QStringLiteral("Noticias del jefe..."));
  EXPECT_TRUE(v.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_EQ(v.pos(), QPoint(0, 0));
  EXPECT_TRUE(v.Timer1->isActive());
  EXPECT_EQ(v.Timer1->interval(), 100);
  EXPECT_FALSE(v.WebBrowser1->isHidden());
  EXPECT_EQ(v.WebBrowser1->LocationURL(), carpeta.archivo(QStringLiteral("informe.dat")));
  EXPECT_TRUE(v.WebBrowser1->textoMostrado().contains(QStringLiteral("11 bytes")));

  // Label3 closes it.
  QTest::mouseClick(v.Label3, Qt::LeftButton);
  procesaDescargas();
  EXPECT_EQ(inforSiExiste(), nullptr);

  // A page of 10 bytes or fewer that reached the window some other way is not shown.
  carpeta.escribe(QStringLiteral("informe.dat"), QByteArray(10, 'x'));
  EXPECT_TRUE(infor().WebBrowser1->isHidden());
  cierra();

  // Not during a download.
  p.Timer1->start();
  p.Command6_Click();
  p.Leer_Click();
  p.Timer1->stop();
  EXPECT_EQ(inforSiExiste(), nullptr);
  // Nor does the window ever reach the network for its page.
  EXPECT_TRUE(servidor.pedidas().isEmpty());
}

// "Ver mensaje" and "Leer mensaje del Jefe" with no news fetched, or a page of 10 bytes or fewer:
// a box says there is no message, and no empty window opens.
TEST_F(Noticias, WithoutNewsTheUserIsToldThereIsNoMessage) {
  Principal& p = arranca(true);
  CajasReales cajas;
  QFile::remove(carpeta.archivo(QStringLiteral("informe.dat")));
  p.Leer_Click();
  carpeta.escribe(QStringLiteral("informe.dat"), QByteArray(10, 'x'));
  p.Command6_Click();
  EXPECT_EQ(cajas.textos(), QStringList(2, QString::fromUtf8("No hay ningún mensaje del Jefe.")));
  EXPECT_EQ(inforSiExiste(), nullptr);
  carpeta.escribe(QStringLiteral("informe.dat"), QByteArray(11, 'x'));
  p.Leer_Click();
  EXPECT_TRUE(mostrada());
  EXPECT_EQ(cajas.textos().size(), 2);
}

// Closed from its title bar, the window is unloaded as "Cerrar" unloads it: its timer stops and
// "Ver mensaje" shows the page as the file holds it now.
TEST_F(Noticias, ClosingTheNewsWindowFromItsTitleBarUnloadsIt) {
  Principal& p = arranca(true);
  carpeta.escribe(QStringLiteral("informe.dat"), "<p>Vieja noticia");
  p.Command6_Click();
  ASSERT_TRUE(mostrada());
  QPointer<Infor> v = &infor();
  QPointer<QTimer> reloj = v->Timer1;
  EXPECT_TRUE(v->close() || !v->isVisible());
  EXPECT_FALSE(reloj && reloj->isActive());
  procesaDescargas();
  EXPECT_TRUE(v.isNull());

  carpeta.escribe(QStringLiteral("informe.dat"), "<p>Noticia nueva");
  p.Command6_Click();
  ASSERT_TRUE(mostrada());
  EXPECT_TRUE(infor().WebBrowser1->textoMostrado().contains(QStringLiteral("Noticia nueva")));
  EXPECT_TRUE(infor().Timer1->isActive());
}

TEST_F(Noticias, TheCaptionCreepsRightThenBouncesBetweenSixteenAndTwoHundredFiftyFour) {
  arranca(true);
  Infor& v = infor();
  v.Timer1->stop();
  ASSERT_EQ(v.paso, 1);
  const int inicio = v.izquierda1;
  ASSERT_GE(inicio, 16);
  ASSERT_LE(inicio, 254);

  std::vector<int> lefts;
  for (int i = 0; i < 80; ++i) {
    v.Timer1_Timer();
    lefts.push_back(v.izquierda1);
    EXPECT_EQ(v.Label1->x(), plataforma::px(v.izquierda1));
  }
  // One twip at a time up to 255, then down by ten to 15, then up again by ten.
  const int arriba = 255 - inicio;
  for (int i = 0; i < arriba; ++i) EXPECT_EQ(lefts[i], inicio + i + 1);
  EXPECT_EQ(lefts[arriba], 245);
  EXPECT_EQ(lefts[arriba + 23], 15);
  EXPECT_EQ(lefts[arriba + 24], 25);
  EXPECT_EQ(*std::min_element(lefts.begin(), lefts.end()), 15);
  EXPECT_EQ(*std::max_element(lefts.begin(), lefts.end()), 255);
}
