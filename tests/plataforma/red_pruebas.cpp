// Internet transfers and the embedded browser against a local HTTPS server: bodies and states,
// time-outs, cancelling, certificates, refused connections, downloads to a file, and what the
// browser shows or refuses.
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/servidor.h"
#include "plataforma/error.h"
#include "plataforma/navegador.h"
#include "plataforma/red.h"

using namespace plataforma;

namespace {

// The error number a call raised, 0 when it raised nothing.
template <typename F>
int numeroDe(F&& llamada) {
  try {
    llamada();
  } catch (const Error& e) {
    return e.numero();
  }
  return 0;
}

QByteArray todosLosBytes(int veces) {
  QByteArray b;
  for (int v = 0; v < veces; ++v)
    for (int i = 0; i < 256; ++i) b.append(static_cast<char>(i));
  return b;
}

QByteArray leeArchivo(const QString& ruta) {
  QFile f(ruta);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribeArchivo(const QString& ruta, const QByteArray& bytes) {
  QFile f(ruta);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(bytes);
}

class Estados : public QObject {
 public:
  explicit Estados(Inet& inet) {
    connect(&inet, &Inet::StateChanged, this, [this](int e) { vistos.push_back(e); });
  }
  std::vector<int> vistos;
};

}  // namespace

TEST(Red, OpenUrlDaElCuerpoEnteroYAnunciaLosEstadosEnOrden) {
  ServidorPrueba servidor;
  const QByteArray cuerpo = todosLosBytes(40);
  servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), cuerpo);
  servidor.responde(QStringLiteral("/falta"), "<html>No existe esa página</html>", 404);
  RedDePrueba local(servidor);

  Inet inet;
  Estados estados(inet);
  // The program's own address, asked for over http, reaches the local server through https.
  EXPECT_EQ(inet.OpenURL(QStringLiteral(
                "http://www.loteriasyapuestas.es/servicios/buscadorSorteos?game_id=LAPR&celebrados=true")),
            cuerpo);
  EXPECT_EQ(estados.vistos, (std::vector<int>{icConnecting, icRequesting, icReceivingResponse,
                                              icResponseCompleted}));
  EXPECT_FALSE(inet.StillExecuting());
  EXPECT_TRUE(inet.ResponseInfo().isEmpty());
  EXPECT_EQ(inet.codigoHttp(), 200);
  EXPECT_EQ(servidor.pedidas(),
            QStringList{QStringLiteral("/servicios/buscadorSorteos?game_id=LAPR&celebrados=true")});

  // A host that answers with an error status still answered: its page is the body.
  estados.vistos.clear();
  EXPECT_EQ(inet.OpenURL(QStringLiteral("https://www.loteriasyapuestas.es/falta")),
            QByteArray("<html>No existe esa página</html>"));
  EXPECT_EQ(inet.codigoHttp(), 404);
  EXPECT_EQ(estados.vistos.back(), icResponseCompleted);
}

TEST(Red, SoloSePideLaWebYSiemprePorHttps) {
  AjustesRed anteriores = ajustesRed();
  ajustesRed().base = QUrl();
  EXPECT_EQ(resuelve(QStringLiteral("http://www.bolvanta.es/informe.dat")),
            QUrl(QStringLiteral("https://www.bolvanta.es/informe.dat")));
  EXPECT_EQ(resuelve(QStringLiteral("http://www.bolvanta.es:80/a")),
            QUrl(QStringLiteral("https://www.bolvanta.es/a")));
  EXPECT_FALSE(resuelve(QStringLiteral("file:///etc/passwd")).isValid());
  EXPECT_FALSE(resuelve(QStringLiteral("ftp://www.bolvanta.es/a")).isValid());
  EXPECT_FALSE(resuelve(QStringLiteral("http://")).isValid());
  ajustesRed() = anteriores;

  RedDePrueba cerrada(baseCerrada());
  Inet inet;
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("file:///etc/passwd")); }), ERR_INET_CONEXION);
}

TEST(Red, UnaRespuestaQueNoLlegaATiempoFallaConTiempoAgotado) {
  ServidorPrueba servidor;
  Respuesta lenta;
  lenta.cuerpo = "tarde";
  lenta.demoraMs = 5000;
  servidor.responde(QStringLiteral("/lenta"), lenta);
  RedDePrueba local(servidor, 300);

  Inet inet;
  Estados estados(inet);
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("http://www.loteriasyapuestas.es/lenta")); }),
            ERR_INET_TIEMPO);
  EXPECT_EQ(estados.vistos.back(), icError);
  EXPECT_FALSE(inet.StillExecuting());
  EXPECT_FALSE(inet.ResponseInfo().isEmpty());
}

namespace {

// "/lenta" answers after five seconds, "/pronta" at once.
void lentaYPronta(ServidorPrueba& servidor) {
  Respuesta lenta;
  lenta.cuerpo = "tarde";
  lenta.demoraMs = 5000;
  servidor.responde(QStringLiteral("/lenta"), lenta);
  servidor.responde(QStringLiteral("/pronta"), "pronto");
}

}  // namespace

TEST(Red, CancelarCortaLaPeticionEnCursoYElControlSigueSirviendo) {
  ServidorPrueba servidor;
  lentaYPronta(servidor);
  RedDePrueba local(servidor, 20000);

  Inet inet;
  bool enCurso = false;
  QTimer::singleShot(100, [&] {
    enCurso = inet.StillExecuting();
    inet.Cancel();
  });
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/lenta")); }), ERR_INET_CANCELADO);
  EXPECT_LT(reloj.elapsed(), 4000);
  EXPECT_TRUE(enCurso);
  EXPECT_FALSE(inet.StillExecuting());
  inet.Cancel();  // nothing in progress: nothing happens
  EXPECT_EQ(inet.OpenURL(QStringLiteral("https://x/pronta")), QByteArray("pronto"));
  EXPECT_TRUE(inet.ResponseInfo().isEmpty());
}

TEST(Red, CerrarLaRedTerminaLoQueEstaEnCursoComoCanceladoYLaRedSigueSirviendo) {
  ServidorPrueba servidor;
  lentaYPronta(servidor);
  RedDePrueba local(servidor, 20000);

  Inet inet;
  Estados estados(inet);
  QTimer cierre;
  QObject::connect(&cierre, &QTimer::timeout, [&] {
    // Once the request reached the server, so that the answer is what is awaited.
    if (servidor.cuantas(QStringLiteral("/lenta")) == 0) return;
    cierre.stop();
    cierraRed();
  });
  cierre.start(10);
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/lenta")); }), ERR_INET_CANCELADO);
  EXPECT_EQ(estados.vistos.back(), icError);
  EXPECT_FALSE(inet.StillExecuting());
  // A download to a file waits no more than a request does.
  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("lenta"));
  QTimer::singleShot(0, [] { cierraRed(); });
  EXPECT_FALSE(descargaArchivo(QStringLiteral("https://x/lenta"), ruta));
  EXPECT_FALSE(QFile::exists(ruta));
  // The next request opens the network again.
  EXPECT_EQ(inet.OpenURL(QStringLiteral("https://x/pronta")), QByteArray("pronto"));
}

TEST(Red, UnCertificadoNoConfiableSeRechaza) {
  // A server whose certificate no trusted authority signed.
  {
    ServidorPrueba ajeno(ServidorPrueba::Certificado::Ajeno);
    ajeno.responde(QStringLiteral("/datos"), "secreto");
    RedDePrueba local(ajeno);
    Inet inet;
    Estados estados(inet);
    EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/datos")); }), ERR_INET_SEGURIDAD);
    ASSERT_FALSE(estados.vistos.empty());
    EXPECT_EQ(estados.vistos.back(), icError);
    EXPECT_TRUE(ajeno.pedidas().isEmpty());
  }
  // The test authority's own server, when that authority is not among the trusted ones.
  {
    ServidorPrueba servidor;
    servidor.responde(QStringLiteral("/datos"), "secreto");
    RedDePrueba local(servidor);
    ajustesRed().autoridadesExtra.clear();
    Inet inet;
    EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/datos")); }), ERR_INET_SEGURIDAD);
    EXPECT_TRUE(servidor.pedidas().isEmpty());
  }
}

TEST(Red, SinServidorOSinRespuestaNoSeConectaYNoSeEspera) {
  RedDePrueba cerrada(baseCerrada(), 20000);
  Inet inet;
  Estados estados(inet);
  QElapsedTimer reloj;
  reloj.start();
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("http://www.bolvanta.es/informe.dat")); }),
            ERR_INET_CONEXION);
  EXPECT_LT(reloj.elapsed(), 10000);
  EXPECT_EQ(estados.vistos.back(), icError);

  ServidorPrueba servidor;
  Respuesta muda;
  muda.sinRespuesta = true;
  servidor.responde(QStringLiteral("/muda"), muda);
  RedDePrueba local(servidor, 20000);
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/muda")); }), ERR_INET_CONEXION);
  // The client may ask once more on a fresh connection, as HTTP allows; it never waits.
  EXPECT_GE(servidor.cuantas(QStringLiteral("/muda")), 1);
}

TEST(Red, LasRedireccionesSoloSeSiguenAHttpsYNuncaFueraDelServidorDePrueba) {
  ServidorPrueba servidor;
  servidor.responde(QStringLiteral("/destino"), "llegada");
  Respuesta segura;
  segura.estado = 302;
  segura.cuerpo = "<html>moved</html>";
  segura.ubicacion = "https://www.loteriasyapuestas.es/destino";
  servidor.responde(QStringLiteral("/segura"), segura);
  Respuesta llana = segura;
  llana.ubicacion = "http://www.loteriasyapuestas.es/destino";
  servidor.responde(QStringLiteral("/llana"), llana);
  Respuesta bucle = segura;
  bucle.ubicacion = "/bucle";
  servidor.responde(QStringLiteral("/bucle"), bucle);
  RedDePrueba local(servidor);

  Inet inet;
  EXPECT_EQ(inet.OpenURL(QStringLiteral("https://x/segura")), QByteArray("llegada"));
  EXPECT_EQ(servidor.cuantas(QStringLiteral("/destino")), 1);
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/llana")); }), ERR_INET_SEGURIDAD);
  EXPECT_EQ(servidor.cuantas(QStringLiteral("/destino")), 1);
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/bucle")); }), ERR_INET_CONEXION);
  EXPECT_EQ(servidor.cuantas(QStringLiteral("/bucle")), ajustesRed().maximoRedirecciones + 1);
}

TEST(Red, UnaRespuestaDesmesuradaSeRechaza) {
  ServidorPrueba servidor;
  servidor.responde(QStringLiteral("/grande"), QByteArray(5000, 'x'));
  RedDePrueba local(servidor);
  ajustesRed().maximoBytes = 4000;
  Inet inet;
  EXPECT_EQ(numeroDe([&] { inet.OpenURL(QStringLiteral("https://x/grande")); }), ERR_INET_CONEXION);
  ajustesRed().maximoBytes = 5000;
  EXPECT_EQ(inet.OpenURL(QStringLiteral("https://x/grande")).size(), 5000);
}

TEST(Red, DescargarAUnArchivoSoloLoSustituyeConUnaRespuestaCompleta) {
  ServidorPrueba servidor;
  const QByteArray nuevo = todosLosBytes(8);
  servidor.responde(QStringLiteral("/informe.dat"), nuevo);
  servidor.responde(QStringLiteral("/error"), "<html>Error del servidor</html>", 500);
  Respuesta lenta;
  lenta.cuerpo = "tarde";
  lenta.demoraMs = 5000;
  servidor.responde(QStringLiteral("/lenta"), lenta);
  Respuesta muda;
  muda.sinRespuesta = true;
  servidor.responde(QStringLiteral("/muda"), muda);
  RedDePrueba local(servidor);

  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("informe.dat"));
  escribeArchivo(ruta, "viejo");
  for (const char* fallida : {"/falta", "/error", "/lenta", "/muda"}) {
    // Only the slow answer runs into the time-out.
    ajustesRed().esperaMs = fallida == QByteArray("/lenta") ? 300 : 5000;
    EXPECT_FALSE(descargaArchivo(QStringLiteral("http://www.bolvanta.es") + fallida, ruta)) << fallida;
    EXPECT_EQ(leeArchivo(ruta), QByteArray("viejo")) << fallida;
  }
  ajustesRed().esperaMs = 5000;
  {
    RedDePrueba cerrada(baseCerrada());
    EXPECT_FALSE(descargaArchivo(QStringLiteral("http://www.bolvanta.es/informe.dat"), ruta));
  }
  {
    ServidorPrueba ajeno(ServidorPrueba::Certificado::Ajeno);
    ajeno.responde(QStringLiteral("/informe.dat"), "falso");
    RedDePrueba otra(ajeno);
    EXPECT_FALSE(descargaArchivo(QStringLiteral("http://www.bolvanta.es/informe.dat"), ruta));
  }
  EXPECT_EQ(leeArchivo(ruta), QByteArray("viejo"));
  // No temporary file is left behind by the failures.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("informe.dat")});

  EXPECT_TRUE(descargaArchivo(QStringLiteral("http://www.bolvanta.es/informe.dat"), ruta));
  EXPECT_EQ(leeArchivo(ruta), nuevo);
  const QString otro = dir.filePath(QStringLiteral("zun.pdf"));
  EXPECT_TRUE(descargaArchivo(QStringLiteral("http://www.bolvanta.es/informe.dat"), otro));
  EXPECT_EQ(leeArchivo(otro), nuevo);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
  // A folder that cannot be written.
  EXPECT_FALSE(descargaArchivo(QStringLiteral("http://www.bolvanta.es/informe.dat"),
                               dir.filePath(QStringLiteral("no/existe/informe.dat"))));
}

// ---------------------------------------------------------------------------------------------

namespace {

class Navegador : public ::testing::Test {
 protected:
  void TearDown() override { fijaVisorPdf(-1); }

  // Waits for the browser to end its navigation one way or the other.
  static bool espera(QSignalSpy& espia, int ms = 5000) { return espia.count() > 0 || espia.wait(ms); }
};

}  // namespace

TEST_F(Navegador, UnaPaginaLocalSeMuestraSinCargarNadaDeLaRed) {
  ServidorPrueba servidor;
  servidor.responde(QStringLiteral("/foto.png"), "no es una imagen");
  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("informe.dat"));
  const QByteArray html =
      "<html><body><h1>Noticias del jefe</h1><p>Nueva versi\xf3n disponible.</p>"
      "<img src=\"" + servidor.direccion(QStringLiteral("/foto.png")).toUtf8() + "\">"
      "<img src=\"http://127.0.0.1:" + QByteArray::number(servidor.puerto()) + "/foto.png\">"
      "<link rel=\"stylesheet\" href=\"" + servidor.direccion(QStringLiteral("/estilo.css")).toUtf8() + "\">"
      "<script>document.write('guion ejecutado')</script></body></html>";
  escribeArchivo(ruta, html);

  NavegadorWeb navegador;
  QSignalSpy completo(&navegador, &NavegadorWeb::DocumentComplete);
  QSignalSpy error(&navegador, &NavegadorWeb::NavigateError);
  navegador.resize(500, 400);
  navegador.Navigate(ruta);
  navegador.show();
  navegador.grab();  // lays the page out, which is when pictures are asked for
  QTest::qWait(300);

  ASSERT_EQ(completo.count(), 1);
  EXPECT_EQ(error.count(), 0);
  EXPECT_FALSE(navegador.muestraPdf());
  EXPECT_EQ(navegador.LocationURL(), ruta);
  // Windows-1252 text, as the program's news is written.
  EXPECT_TRUE(navegador.textoMostrado().contains(QString::fromUtf8("Nueva versión disponible.")));
  EXPECT_FALSE(navegador.textoMostrado().contains(QStringLiteral("guion ejecutado")));
  EXPECT_TRUE(servidor.pedidas().isEmpty());

  // A missing local file is an error, not an empty page.
  navegador.Navigate(dir.filePath(QStringLiteral("no-existe.dat")));
  ASSERT_EQ(error.count(), 1);
  EXPECT_EQ(error[0][1].toInt(), 404);
}

TEST_F(Navegador, UnPdfTraidoDelServidorSeMuestraConElVisor) {
  ServidorPrueba servidor;
  Respuesta pdf;
  pdf.cuerpo = documentoPdfMinimo();
  pdf.tipo = "application/pdf";
  servidor.responde(QStringLiteral("/documentos/sorteo.pdf"), pdf);
  RedDePrueba local(servidor);

  NavegadorWeb navegador;
  QSignalSpy completo(&navegador, &NavegadorWeb::DocumentComplete);
  QSignalSpy error(&navegador, &NavegadorWeb::NavigateError);
  const QString direccion = QStringLiteral("http://www.loteriasyapuestas.es/documentos/sorteo.pdf");
  navegador.Navigate(direccion);
  // The fetch does not block the caller.
  EXPECT_TRUE(navegador.navegando());
  EXPECT_FALSE(navegador.muestraPdf());
  ASSERT_TRUE(espera(completo));
  EXPECT_EQ(error.count(), 0);
  EXPECT_EQ(completo[0][0].toString(), direccion);
  EXPECT_TRUE(navegador.muestraPdf());
  EXPECT_EQ(navegador.paginasPdf(), 1);
  EXPECT_EQ(servidor.cuantas(QStringLiteral("/documentos/sorteo.pdf")), 1);

  // The program's own rule for a PDF reader: the engine opens the minimal document.
  fijaVisorPdf(-1);
  EXPECT_TRUE(visorPdf());
  fijaVisorPdf(0);
  EXPECT_FALSE(visorPdf());
  fijaVisorPdf(1);
  EXPECT_TRUE(visorPdf());
}

TEST_F(Navegador, LoQueNoEsUnDocumentoOFallaAvisaConNavigateError) {
  ServidorPrueba servidor;
  servidor.responde(QStringLiteral("/pagina"), "<html><body>El documento aun no esta disponible</body></html>");
  servidor.responde(QStringLiteral("/roto.pdf"), "%PDF-1.4 esto no es un documento");
  Respuesta lenta;
  lenta.cuerpo = documentoPdfMinimo();
  lenta.demoraMs = 5000;
  servidor.responde(QStringLiteral("/lento.pdf"), lenta);
  RedDePrueba local(servidor);

  struct Caso {
    QString direccion;
    int codigo;
  };
  const std::vector<Caso> casos = {
      {QStringLiteral("http://www.loteriasyapuestas.es/falta.pdf"), 404},
      {QStringLiteral("http://www.loteriasyapuestas.es/pagina"), NavegadorWeb::NO_ES_DOCUMENTO},
      {QStringLiteral("http://www.loteriasyapuestas.es/roto.pdf"), NavegadorWeb::NO_ES_DOCUMENTO},
      {QStringLiteral("http://www.loteriasyapuestas.es/lento.pdf"), ERR_INET_TIEMPO},
  };
  for (const Caso& caso : casos) {
    // Only the slow answer runs into the time-out.
    ajustesRed().esperaMs = caso.codigo == ERR_INET_TIEMPO ? 300 : 5000;
    NavegadorWeb navegador;
    QSignalSpy error(&navegador, &NavegadorWeb::NavigateError);
    QSignalSpy completo(&navegador, &NavegadorWeb::DocumentComplete);
    navegador.Navigate(caso.direccion);
    ASSERT_TRUE(espera(error)) << qPrintable(caso.direccion);
    EXPECT_EQ(error[0][0].toString(), caso.direccion);
    EXPECT_EQ(error[0][1].toInt(), caso.codigo) << qPrintable(caso.direccion);
    EXPECT_EQ(completo.count(), 0);
    EXPECT_FALSE(navegador.muestraPdf());
    EXPECT_TRUE(navegador.textoMostrado().isEmpty());
  }

  RedDePrueba cerrada(baseCerrada());
  NavegadorWeb navegador;
  QSignalSpy error(&navegador, &NavegadorWeb::NavigateError);
  navegador.Navigate(QStringLiteral("http://www.loteriasyapuestas.es/sorteo.pdf"));
  ASSERT_TRUE(espera(error));
  EXPECT_EQ(error[0][1].toInt(), ERR_INET_CONEXION);
}

TEST_F(Navegador, UnaNavegacionNuevaDejaSinEfectoLaQueEstabaEnCurso) {
  ServidorPrueba servidor;
  Respuesta lenta;
  lenta.cuerpo = "<html>lenta</html>";
  lenta.demoraMs = 600;
  servidor.responde(QStringLiteral("/lenta"), lenta);
  RedDePrueba local(servidor);
  QTemporaryDir dir;
  const QString ruta = dir.filePath(QStringLiteral("local.html"));
  escribeArchivo(ruta, "<p>local</p>");

  NavegadorWeb navegador;
  QSignalSpy error(&navegador, &NavegadorWeb::NavigateError);
  navegador.Navigate(QStringLiteral("https://x/lenta"));
  navegador.Navigate(ruta);
  QTest::qWait(1200);
  EXPECT_EQ(error.count(), 0);
  EXPECT_EQ(navegador.LocationURL(), ruta);
  EXPECT_TRUE(navegador.textoMostrado().contains(QStringLiteral("local")));
}
