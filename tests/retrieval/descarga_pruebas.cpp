// The download of new draws end to end: the request to a local HTTPS server standing in for the
// operator, the timer's steps, what reaches numeros.dat and what the user is told.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPointer>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/cajas.h"
#include "apoyo/cierre.h"
#include "apoyo/datos.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "ui/Configurar.h"
#include "ui/Principal.h"

namespace {

const QString BUSQUEDA = QStringLiteral("/servicios/buscadorSorteos");
const QString NO_CONECTADO = QString::fromUtf8(
    "No conectado: Compruebe la conexión a internet. Si es correcta, pruebe más tarde ya que no es "
    "posible conectar con el servidor de ONLAE.");

// A draw as the service lists it, with a Joker so that the parse takes it.
Sorteo nuevo(const QDate& dia, int semilla) {
  Sorteo s = sorteoDe(dia, {1 + semilla % 7, 10, 20, 30, 40, 49}, 33, semilla % 10);
  s.joker = 1000000 + semilla;
  return s;
}

// Draws every Monday and Thursday from `desde`, `cuantos` of them, oldest first.
std::vector<Sorteo> seguidos(const QDate& desde, int cuantos, int semilla = 0) {
  std::vector<Sorteo> r;
  QDate d = desde;
  while (static_cast<int>(r.size()) < cuantos) {
    if (d.dayOfWeek() == 1 || d.dayOfWeek() == 4) r.push_back(nuevo(d, semilla + static_cast<int>(r.size())));
    d = d.addDays(1);
  }
  return r;
}

class Descarga : public ::testing::Test {
 protected:
  // The program started on `hoy` with these stored draws, its requests going to the local server.
  Principal& arranca(const QDate& hoy, const std::vector<Sorteo>& guardados) {
    plataforma::fijaReloj(QDateTime(hoy, QTime(22, 0)));
    escribeSorteos(carpeta, guardados);
    Principal& p = principal();
    p.Form_Load();
    return p;
  }
  // The service answers with these draws, given oldest first as the file keeps them.
  void sirve(std::vector<Sorteo> sorteos) {
    std::reverse(sorteos.begin(), sorteos.end());
    servidor.responde(BUSQUEDA, respuestaServicio(sorteos));
  }
  std::vector<Sorteo> guardados() const {
    const QByteArray b = carpeta.lee("numeros.dat");
    std::vector<Sorteo> r;
    for (qsizetype i = 0; i + 32 <= b.size(); i += 32) r.push_back(Sorteo::decodifica(b.mid(i, 32)));
    return r;
  }
  const plataforma::Caja* caja(const QString& titulo) const {
    for (const auto& c : respuestas.cajas())
      if (c.titulo == titulo) return &c;
    return nullptr;
  }

  CarpetaPrograma carpeta;
  ServidorPrueba servidor;
  RedDePrueba red{servidor};
  plataforma::Respondedor respuestas;
};

}  // namespace

TEST_F(Descarga, NewDrawsAreAppendedOldestFirstAndChecked) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 10);
  const std::vector<Sorteo> nuevos = seguidos(QDate(2025, 2, 4), 3, 50);
  Principal& p = arranca(plataforma::fechaDe(nuevos.back().fecha), viejos);
  std::vector<Sorteo> todos = viejos;
  todos.insert(todos.end(), nuevos.begin(), nuevos.end());
  sirve(todos);
  p.Label21->clear();

  p.Picture2_Click();
  EXPECT_EQ(p.Label6->text(), "BUSCANDO SORTEOS");
  EXPECT_TRUE(p.Timer1->isActive());
  EXPECT_EQ(p.pasodescarga, 3);
  p.Timer1_Timer();

  const std::vector<Sorteo> ahora = guardados();
  ASSERT_EQ(ahora.size(), 13u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(ahora[10 + k].fecha, nuevos[k].fecha) << k;
    EXPECT_EQ(ahora[10 + k].ganadores, nuevos[k].ganadores) << k;
    EXPECT_EQ(ahora[10 + k].joker, nuevos[k].joker) << k;
  }
  EXPECT_EQ(estado().numsorteos, 14);
  EXPECT_EQ(p.sorteosnuevos, 3);
  EXPECT_EQ(p.Label59->text(), "3 sorteos");
  EXPECT_EQ(p.Label6->text(), "TRANSFERENCIA FINALIZADA");
  EXPECT_EQ(p.ProgressBar1->value(), 5);
  EXPECT_FALSE(p.Timer1->isActive());
  EXPECT_EQ(p.HScroll1->value(), 3);
  EXPECT_TRUE(p.Label21->text().startsWith("-Tiene seleccionados "));  // the summary is rewritten
  // www.txt keeps the answer between quotes with its inner quotes doubled.
  const QByteArray www = carpeta.lee("www.txt");
  EXPECT_TRUE(www.startsWith("\"[{\"\"fecha_sorteo\"\""));
  EXPECT_TRUE(www.endsWith("]}}]\"\r\n"));
}

TEST_F(Descarga, TwelveNewDrawsCheckTwelveAndShowEight) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 4);
  const std::vector<Sorteo> nuevos = seguidos(QDate(2025, 2, 1), 12, 20);
  Principal& p = arranca(plataforma::fechaDe(nuevos.back().fecha), viejos);
  std::vector<Sorteo> todos = viejos;
  todos.insert(todos.end(), nuevos.begin(), nuevos.end());
  sirve(todos);
  p.Picture2_Click();
  p.Timer1_Timer();
  EXPECT_EQ(guardados().size(), 16u);
  EXPECT_EQ(p.HScroll1->value(), 8);
  EXPECT_EQ(p.HScroll1->maximum(), 16);
}

TEST_F(Descarga, NothingNewSaysSoAndChecksTheNewestDraw) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 6);
  Principal& p = arranca(plataforma::fechaDe(viejos.back().fecha).addDays(1), viejos);
  sirve(viejos);
  p.Picture2_Click();
  p.Timer1_Timer();
  const plataforma::Caja* c = caja("Pruebe más tarde");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->texto, "Todavía no hay sorteos nuevos.");
  EXPECT_EQ(p.sorteosnuevos, 1);
  EXPECT_EQ(p.HScroll1->value(), 1);
  EXPECT_EQ(guardados().size(), 6u);
  EXPECT_EQ(p.Label6->text(), "TRANSFERENCIA FINALIZADA");
}

TEST_F(Descarga, AComputerClockBehindTheDataFetchesNothing) {
  // The newest stored draw is the one compared, also after a check walked back to older ones.
  Principal& p = arranca(QDate(2025, 3, 1), {nuevo(QDate(2025, 2, 24), 0), nuevo(QDate(2025, 3, 3), 1)});
  p.HScroll1->setValue(2);
  p.Picture2_Click();
  const plataforma::Caja* c = caja("Error de fechas");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->estilo, plataforma::vbInformation);
  EXPECT_TRUE(c->texto.startsWith("La fecha de tu ordenador parece incorrecta."));
  EXPECT_EQ(servidor.cuantas(BUSQUEDA), 0);
  EXPECT_FALSE(p.Timer1->isActive());
}

TEST_F(Descarga, TheRequestCoversTheLastHundredDays) {
  Principal& p = arranca(QDate(2026, 1, 5), {});
  sirve({});
  p.Picture2_Click();
  const QStringList pedidas = servidor.pedidas();
  ASSERT_FALSE(pedidas.filter(BUSQUEDA).isEmpty());
  EXPECT_EQ(pedidas.filter(BUSQUEDA).first(),
            BUSQUEDA + "?game_id=LAPR&celebrados=true&fechaInicioInclusiva=20250927"
                       "&fechaFinInclusiva=20260105");
}

TEST_F(Descarga, AShortAnswerTimesOutOnTheFifthTick) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 3);
  Principal& p = arranca(QDate(2025, 3, 1), viejos);
  const QByteArray wwwAntes = carpeta.lee("www.txt");
  servidor.responde(BUSQUEDA, QByteArray(100, 'x'));
  p.Picture2_Click();
  EXPECT_EQ(p.Label6->text(), "CONECTANDO AL SERVIDOR");
  for (int tick = 1; tick <= 4; ++tick) {
    p.Timer1_Timer();
    EXPECT_TRUE(p.Timer1->isActive()) << tick;
  }
  EXPECT_EQ(caja("Error de conexión"), nullptr);
  p.Timer1_Timer();
  const plataforma::Caja* c = caja("Error de conexión");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->texto, NO_CONECTADO);
  EXPECT_FALSE(p.Timer1->isActive());
  EXPECT_EQ(p.ProgressBar1->value(), 0);
  EXPECT_TRUE(p.Label6->text().isEmpty());
  EXPECT_EQ(carpeta.lee("www.txt"), wwwAntes);
  EXPECT_EQ(guardados().size(), 3u);
}

TEST(DescargaSinConfianza, AnUntrustedServerIsRefusedAndNothingStored) {
  CarpetaPrograma carpeta;
  ServidorPrueba ajeno(ServidorPrueba::Certificado::Ajeno);
  RedDePrueba red(ajeno);
  plataforma::Respondedor respuestas;
  ajeno.responde(BUSQUEDA, respuestaServicio({nuevo(QDate(2025, 3, 3), 1)}));
  plataforma::fijaReloj(QDateTime(QDate(2025, 3, 4), QTime(22, 0)));
  Principal& p = principal();
  p.Form_Load();
  const qsizetype cajasAntes = respuestas.cajas().size();
  p.Picture2_Click();
  ASSERT_EQ(respuestas.cajas().size(), cajasAntes + 1);
  EXPECT_EQ(respuestas.cajas().back().titulo, "Error de conexión");
  EXPECT_EQ(respuestas.cajas().back().texto, NO_CONECTADO);
  EXPECT_FALSE(p.Timer1->isActive());
  EXPECT_EQ(p.ProgressBar1->value(), 0);
  EXPECT_EQ(carpeta.lee("numeros.dat").size(), 0);
  EXPECT_EQ(carpeta.lee("www.txt").size(), 0);
}

TEST_F(Descarga, AnErrorPageIsNeverTakenForAnAnswer) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 3);
  Principal& p = arranca(QDate(2025, 3, 1), viejos);
  servidor.responde(BUSQUEDA, QByteArray(5000, 'x'), 500);
  p.Picture2_Click();
  for (int tick = 1; tick < 30; ++tick) p.Timer1_Timer();
  EXPECT_TRUE(p.Timer1->isActive());
  EXPECT_EQ(guardados().size(), 3u);
  p.Timer1_Timer();
  const plataforma::Caja* c = caja("Error de conexión");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->texto, "Problemas con el servidor. Tarda en responder. Pruebe más tarde...");
  EXPECT_FALSE(p.Timer1->isActive());
  EXPECT_EQ(guardados().size(), 3u);
}

// The close box clicked while the operator's server keeps the program waiting, first for the
// search, then for the document of the newest draw: the program ends at once, without a box, and
// every file is whole: what the download stored before the stall stays, nothing half-written.
TEST(DescargaCierre, ClosingWhileTheServerStallsEndsTheProgramAtOnce) {
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 4);
  const std::vector<Sorteo> nuevos = seguidos(QDate(2025, 2, 4), 2, 50);
  const QString acta = QStringLiteral("/f/loterias/documentos/primitiva/escrutinios/ACTA_LAPR_1%1.pdf")
                           .arg(plataforma::fechaDe(nuevos.back().fecha).toString(QStringLiteral("yyyyMMdd")));
  for (bool enDocumento : {false, true}) {
    SCOPED_TRACE(enDocumento ? "document" : "search");
    CarpetaPrograma carpeta;
    ServidorPrueba servidor;
    // The time a request may take is longer than the guard below: only the close can end the wait.
    RedDePrueba red(servidor, 60000);
    CajasReales cajas;  // a box would hold the close, as it holds the user's
    std::vector<Sorteo> todos = viejos;
    todos.insert(todos.end(), nuevos.begin(), nuevos.end());
    std::reverse(todos.begin(), todos.end());
    const Respuesta busqueda{200, respuestaServicio(todos)};
    Respuesta muda = busqueda;
    muda.demoraMs = 120000;
    servidor.responde(BUSQUEDA, enDocumento ? busqueda : muda);
    servidor.responde(acta, muda);
    plataforma::fijaReloj(QDateTime(plataforma::fechaDe(nuevos.back().fecha), QTime(22, 0)));
    escribeSorteos(carpeta, viejos);
    // A syndicate, so that no welcome greets the window.
    escribePenas(carpeta, {penaDe(QString::fromUtf8("PEÑA"), QStringLiteral("Todos (L+J+S)"), QDate(2025, 1, 1),
                                  {{1, 2, 3, 4, 5, 6}})});
    carpeta.escribe(QStringLiteral("zun.pdf"), plataforma::documentoPdfMinimo());
    QPointer<Principal> p(&principal());
    p->Form_Load();
    p->show();
    const QByteArray numerosAntes = carpeta.lee("numeros.dat"), wwwAntes = carpeta.lee("www.txt");
    const QByteArray pdfAntes = carpeta.lee("zun.pdf");

    QTimer::singleShot(0, p, [p] { p->Picture2_Click(); });
    QTimer cierre;
    QObject::connect(&cierre, &QTimer::timeout, [&] {
      if (servidor.cuantas(enDocumento ? acta : BUSQUEDA) == 0) return;
      cierre.stop();
      // The window takes no click while it waits: the download is not asked for again.
      QTest::mouseClick(p->Picture2, Qt::LeftButton);
      pideCierre(p);
    });
    cierre.start(10);
    QTimer guardia;  // a program that does not end fails the test instead of hanging it
    QObject::connect(&guardia, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guardia.start(20000);
    EXPECT_EQ(QApplication::exec(), 0);
    guardia.stop();
    cierre.stop();

    EXPECT_EQ(cajas.textos(), QStringList());
    EXPECT_EQ(servidor.cuantas(BUSQUEDA), 1);
    for (int n = 1; n <= 11; ++n) EXPECT_FALSE(plataforma::archivos().abierto(n)) << n;
    procesaDescargas();
    EXPECT_TRUE(p.isNull());
    QByteArray numeros = numerosAntes;
    if (enDocumento)
      for (const Sorteo& s : nuevos) numeros += s.codifica();
    EXPECT_EQ(carpeta.lee("numeros.dat"), numeros);
    if (!enDocumento) EXPECT_EQ(carpeta.lee("www.txt"), wwwAntes);
    EXPECT_EQ(carpeta.lee("zun.pdf"), pdfAntes);
    EXPECT_EQ(QDir(carpeta.ruta()).entryList(QDir::Files).filter(QStringLiteral("zun")), QStringList{"zun.pdf"});
  }
}

// Another window of the program closed while the search waits closes once the answer is in: its
// closing would bring the main window to the front, and its activation would check the draws in
// the middle of the download.
TEST(DescargaCierre, AnotherWindowClosedWhileTheSearchWaitsClosesAfterIt) {
  CarpetaPrograma carpeta;
  ServidorPrueba servidor;
  RedDePrueba red(servidor);
  plataforma::Respondedor respuestas;
  const std::vector<Sorteo> viejos = seguidos(QDate(2025, 1, 2), 4);
  Respuesta lenta{200, respuestaServicio(viejos)};
  lenta.demoraMs = 1500;
  servidor.responde(BUSQUEDA, lenta);
  plataforma::fijaReloj(QDateTime(plataforma::fechaDe(viejos.back().fecha), QTime(22, 0)));
  escribeSorteos(carpeta, viejos);
  Principal& p = principal();
  p.Form_Load();
  p.show();
  QTest::qWait(50);  // the main window's first activation, which closes the dialogs, is over
  configurar().Show();
  bool abiertaEnLaEspera = false;
  QTimer cierre;
  QObject::connect(&cierre, &QTimer::timeout, [&] {
    if (servidor.cuantas(BUSQUEDA) == 0) return;
    cierre.stop();
    pideCierre(&configurar());
    QTimer::singleShot(300, [&] { abiertaEnLaEspera = configurar().isVisible() && p.Inet1->StillExecuting(); });
  });
  cierre.start(10);
  p.Picture2_Click();
  p.Timer1->stop();
  EXPECT_TRUE(abiertaEnLaEspera);
  for (int i = 0; i < 100 && configurarSiExiste() && configurar().isVisible(); ++i) QTest::qWait(20);
  EXPECT_FALSE(configurarSiExiste() && configurar().isVisible());
}
