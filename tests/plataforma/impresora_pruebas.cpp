// The printer in millimetres: where texts land and how lines and pages follow each other, that a job
// reaches its destination whole or not at all, and the printer dialog's script.
#include <QApplication>
#include <QPrinter>
#include <QPushButton>
#include <QFileInfo>
#include <QProcess>
#include <sys/stat.h>
#include <unistd.h>
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
#include "plataforma/reemplazo.h"

using namespace plataforma;

namespace {

class ImpresoraPrueba : public ::testing::Test {
 protected:
  void SetUp() override {
    reiniciaImpresora();
    Printer().fijaDestino(grabadora);
  }
  void TearDown() override {
    reiniciaImpresora();
    fijaEspacioLibre(-1);
  }
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
  pr.CurrentX = 30;
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
  EXPECT_EQ(textos[3]->x, 30);  // carried over with its margin
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

// The printer dialog answered by a test: each showing sets up the printer with the next step.
class DialogoGuionado {
 public:
  explicit DialogoGuionado(std::vector<std::function<void(QPrinter&)>> pasos) : pasos_(std::move(pasos)) {
    fijaDialogoImpresora([this](QPrinter& p, QWidget*) {
      if (siguiente_ >= pasos_.size()) return false;
      pasos_[siguiente_++](p);
      return true;
    });
  }
  ~DialogoGuionado() { fijaDialogoImpresora(nullptr); }

 private:
  std::vector<std::function<void(QPrinter&)>> pasos_;
  size_t siguiente_ = 0;
};

std::function<void(QPrinter&)> aArchivo(const QString& archivo, std::optional<QMarginsF> margenes = std::nullopt) {
  return [=](QPrinter& p) {
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setOutputFileName(archivo);
    if (margenes) p.setPageMargins(*margenes, QPageLayout::Millimeter);
  };
}

// A few lines at (10, 10) mm from the printable corner.
void imprimeLineas(const QString& titulo = QString()) {
  Impresora& pr = Printer();
  pr.Titulo = titulo;
  pr.FontName = "arial";
  pr.FontSize = 12;
  for (int i = 0; i < 3; ++i) {
    pr.CurrentX = 10;
    pr.CurrentY = 10 + 6 * i;
    pr.Print(QString("Línea %1").arg(i + 1));
  }
}

// Where the text of page 1 starts, mm from the sheet's corner.
QPointF inicio(const QString& archivo) {
  QPdfDocument pdf;
  if (pdf.load(archivo) != QPdfDocument::Error::None) return {-1, -1};
  const QRectF caja = pdf.getAllText(0).boundingRectangle();
  return caja.topLeft() * 25.4 / 72;
}

// A small folder of its own file system, to fill up; none where it cannot be mounted.
class DiscoPequeno {
 public:
  DiscoPequeno() {
    montado_ = dir_.isValid() && QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir_.path()}) == 0;
  }
  ~DiscoPequeno() {
    if (montado_) QProcess::execute("umount", {dir_.path()});
  }
  bool montado() const { return montado_; }
  QString ruta() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
  bool montado_ = false;
};

// Fills what is left of a file system but `libre` bytes; the filler is removed to make room again.
void llena(const QString& carpeta, qint64 libre) {
  QFile relleno(carpeta + "/relleno");
  ASSERT_TRUE(relleno.open(QIODevice::WriteOnly));
  const QByteArray bloque(4096, 'x');
  while (relleno.write(bloque) == bloque.size() && relleno.flush()) {
  }
  relleno.close();
  relleno.resize(std::max<qint64>(0, relleno.size() - libre));
}

}  // namespace

// A PDF that cannot be written whole (the disk fills up while it is written) is reported, leaves the
// old file as it was and nothing beside it; the same printer then prints the next job whole.
TEST_F(ImpresoraPrueba, AFullDiskLeavesTheOldPdfWholeAndTheNextPrintWorks) {
  for (bool real : {false, true}) {
    SCOPED_TRACE(real ? "a full file system" : "a disk that refuses writes");
    DiscoPequeno pequeno;
    QTemporaryDir normal;
    if (real && !pequeno.montado()) {
      std::cout << "[ SKIPPED  ] no small file system can be mounted here\n";
      continue;
    }
    const QString carpeta = real ? pequeno.ruta() : normal.path();
    const QString archivo = carpeta + "/boletos.pdf";
    const QByteArray viejo = "%PDF-1.4 un documento anterior\n%%EOF\n";
    {
      QFile f(archivo);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(viejo);
    }
    DialogoGuionado dialogo({aArchivo(archivo)});
    ShowPrinter(nullptr);
    if (real) llena(carpeta, 4096);
    else fijaEspacioLibre(4096);
    imprimeLineas("Boletos de la peña LLENO");
    {
      Respondedor respuestas;
      EXPECT_FALSE(terminaDocumento());
      ASSERT_EQ(respuestas.cajas().size(), 1u);
      EXPECT_EQ(respuestas.cajas()[0].texto, "No se ha podido imprimir: no queda espacio en el disco.");
      EXPECT_EQ(respuestas.cajas()[0].estilo, vbExclamation);
    }
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), viejo);
    f.close();
    QStringList quedan = QDir(carpeta).entryList(QDir::Files | QDir::Hidden);
    quedan.removeAll("relleno");
    EXPECT_EQ(quedan, QStringList{"boletos.pdf"});

    // Room again: the same choice of printer prints whole.
    if (real) QFile::remove(carpeta + "/relleno");
    else fijaEspacioLibre(-1);
    imprimeLineas("Boletos de la peña LLENO");
    EXPECT_TRUE(terminaDocumento());
    QPdfDocument pdf;
    ASSERT_EQ(pdf.load(archivo), QPdfDocument::Error::None);
    EXPECT_TRUE(pdf.getAllText(0).text().contains("Línea 3"));
    EXPECT_EQ(pdf.metaData(QPdfDocument::MetaDataField::Title).toString(), "Boletos de la peña LLENO");
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden), QStringList{"boletos.pdf"});
  }
}

// Each job starts at the printable corner of the printer chosen for it: margins of an earlier
// printer do not stay behind.
TEST_F(ImpresoraPrueba, EachPrintStartsAtItsOwnPrinterMargins) {
  QTemporaryDir dir;
  QPrinter fresca(QPrinter::HighResolution);
  fresca.setOutputFormat(QPrinter::PdfFormat);
  const QPointF propio = fresca.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
  struct Caso {
    QString archivo;
    std::optional<QMarginsF> margenes;  // left, top, right, bottom; none: the printer's own
    QPointF esperado;
  };
  const std::vector<Caso> casos = {
      {dir.filePath("anchos.pdf"), QMarginsF(25, 35, 10, 10), {35, 45}},
      {dir.filePath("enteros.pdf"), QMarginsF(0, 0, 0, 0), {10, 10}},
      {dir.filePath("propios.pdf"), std::nullopt, propio + QPointF(10, 10)},
      {dir.filePath("estrechos.pdf"), QMarginsF(3, 4, 3, 4), {13, 14}},
      {dir.filePath("otra.pdf"), std::nullopt, propio + QPointF(10, 10)},
  };
  ASSERT_NE(propio, QPointF(25, 35));
  std::vector<std::function<void(QPrinter&)>> pasos;
  for (const Caso& c : casos) pasos.push_back(aArchivo(c.archivo, c.margenes));
  DialogoGuionado dialogo(pasos);
  for (const Caso& c : casos) {
    ShowPrinter(nullptr);
    imprimeLineas();
    EXPECT_TRUE(terminaDocumento());
    const QPointF donde = inicio(c.archivo);
    EXPECT_NEAR(donde.x(), c.esperado.x(), 1) << c.archivo.toStdString();
    EXPECT_NEAR(donde.y(), c.esperado.y(), 1.5) << c.archivo.toStdString();
  }
}

// A print queue that will not take jobs is told before anything is sent; one that only holds them
// (paused) takes the job.
TEST_F(ImpresoraPrueba, AQueueThatRefusesJobsIsToldAndAPausedOneIsNot) {
  using Atributos = QHash<QString, QString>;
  struct Caso {
    QString cola;
    std::optional<Atributos> atributos;
    QString rechazo;
  };
  const std::vector<Caso> casos = {
      {"Oficina", Atributos{{"printer-is-accepting-jobs", "true"}, {"printer-state", "3"}}, ""},
      {"Oficina", Atributos{{"printer-is-accepting-jobs", "true"}, {"printer-state", "5"},
                            {"printer-state-message", "En pausa"}}, ""},
      {"Oficina", Atributos{{"printer-is-accepting-jobs", "false"}, {"printer-state", "3"}},
       "la impresora «Oficina» no acepta trabajos"},
      {"Oficina", Atributos{{"printer-is-accepting-jobs", "false"}, {"printer-state-message", "Sin tóner"}},
       "la impresora «Oficina» no acepta trabajos (Sin tóner)"},
      {"Oficina", std::nullopt, "la impresora «Oficina» no está disponible en el sistema de impresión"},
      {"", std::nullopt, "no hay ninguna impresora elegida"},
  };
  for (const Caso& c : casos) EXPECT_EQ(rechazoCola(c.cola, c.atributos), c.rechazo) << c.rechazo.toStdString();

  // Through the printer: the refusal is the message, and the job is gone.
  fijaConsultaCola([](const QString& cola) { return rechazoCola(cola, Atributos{{"printer-is-accepting-jobs", "false"}}); });
  Eleccion oficina;
  oficina.impresora = "Oficina";
  Printer().fijaDestino(std::make_shared<DestinoSistema>(oficina));
  imprimeLineas("Listado de comprobación");
  {
    Respondedor respuestas;
    EXPECT_FALSE(terminaDocumento());
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, "No se ha podido imprimir: la impresora «Oficina» no acepta trabajos.");
  }
  EXPECT_FALSE(Printer().abierto());
  fijaConsultaCola(nullptr);
}

// A printed file gets the permissions the user's creation mask gives; one printed over keeps its own.
TEST_F(ImpresoraPrueba, PrintedFilesFollowTheCreationMask) {
  QTemporaryDir dir;
  struct Caso {
    mode_t mascara;
    int anterior;  // permissions of a file printed over; -1: a new file
    int esperado;
  };
  const std::vector<Caso> casos = {
      {022, -1, 0644}, {002, -1, 0664}, {077, -1, 0600}, {022, 0640, 0640}, {077, 0664, 0664},
  };
  int n = 0;
  for (const Caso& c : casos) {
    const QString archivo = dir.filePath(QString("doc%1.pdf").arg(++n));
    if (c.anterior >= 0) {
      QFile f(archivo);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.close();
      ::chmod(QFile::encodeName(archivo).constData(), mode_t(c.anterior));
    }
    const mode_t antes = ::umask(c.mascara);
    Printer().fijaDestino(std::make_shared<DestinoPdf>(archivo));
    imprimeLineas();
    Printer().EndDoc();
    ::umask(antes);
    struct stat datos {};
    ASSERT_EQ(::stat(QFile::encodeName(archivo).constData(), &datos), 0);
    EXPECT_EQ(int(datos.st_mode & 0777), c.esperado) << std::oct << c.mascara << " " << c.anterior;
  }
}

// A job on a print queue starts at the queue's own printable corner, whatever margins the print
// support gives every printer; the margins the user set in the dialog are kept as far as the queue
// can print them. Queues stand in as the pages their printers get: one that prints the whole sheet
// (the print support gives it 10 points) and one that cannot print within 18 and 36 points of the
// edges.
TEST(MargenesDeCola, TheQueuesCornerOrTheUsersMargins) {
  const QPageLayout entera(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                           QPageLayout::Point, QMarginsF(0, 0, 0, 0));
  const QPageLayout estrecha(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 36, 18, 36),
                             QPageLayout::Point, QMarginsF(18, 36, 18, 36));
  const QMarginsF qt(3.53, 3.53, 3.53, 3.53), suyos(6.35, 12.7, 6.35, 12.7), cero;
  struct Caso {
    const QPageLayout& cola;
    QMarginsF dialogo;  // mm, as the dialog left them
    std::optional<QMarginsF> antes;  // mm, as the dialog opened
    bool delUsuario;
    QMarginsF esperados;  // mm
  };
  const std::vector<Caso> casos = {
      {entera, qt, qt, false, cero},                  // untouched
      {entera, qt, std::nullopt, false, cero},        // untouched, with nothing known of before
      {entera, suyos, suyos, false, cero},            // reached from the narrower queue, untouched
      {entera, {10, 15, 10, 15}, qt, true, {10, 15, 10, 15}},
      {estrecha, suyos, qt, false, suyos},
      {estrecha, {2, 30, 2, 30}, qt, true, {6.35, 30, 6.35, 30}},  // no nearer the edge than it prints
  };
  for (const Caso& c : casos) {
    Eleccion e;
    e.impresora = "Cola";
    e.hoja = QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, c.dialogo, QPageLayout::Millimeter);
    e.margenesPropias = margenesDelUsuario(e.hoja, c.cola, c.antes);
    EXPECT_EQ(e.margenesPropias, c.delUsuario) << &c - casos.data();
    const QMarginsF m = hojaDeCola(c.cola, e).margins(QPageLayout::Millimeter) - c.esperados;
    EXPECT_LT(std::max({std::abs(m.left()), std::abs(m.top()), std::abs(m.right()), std::abs(m.bottom())}), 0.01)
        << &c - casos.data();
  }
}

// The print dialog's "Propiedades" shows its page preview, which scales the application's font:
// opening it says nothing on the console, and the program's font in pixels is back afterwards.
TEST_F(ImpresoraPrueba, ThePropertiesOfTheRealDialogOpenWithoutAFontWarning) {
  static QStringList avisos;
  avisos.clear();
  const QtMessageHandler anterior = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) {
    if (m.contains("QFont")) avisos << m;
  });
  int paso = 0;  // 1: properties asked for; 2 to 4: they are shown and painted; 5: closed
  QTimer reloj;
  reloj.setInterval(50);
  QObject::connect(&reloj, &QTimer::timeout, [&] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    auto* propiedades = w->findChild<QPushButton*>("properties");  // the print dialog's, not theirs
    if (propiedades && paso == 0) {
      paso = 1;
      QTimer::singleShot(0, propiedades, &QPushButton::click);
    } else if (!propiedades && paso >= 1 && paso < 5 && ++paso == 5) {
      QTest::keyClick(w, Qt::Key_Escape);
    } else if (propiedades && paso == 5) {
      QTest::keyClick(w, Qt::Key_Escape);
    }
  });
  reloj.start();
  EXPECT_THROW(ShowPrinter(nullptr), Error);
  qInstallMessageHandler(anterior);
  EXPECT_EQ(paso, 5);
  EXPECT_TRUE(avisos.isEmpty()) << avisos.join('\n').toStdString();
  EXPECT_EQ(QApplication::font().pixelSize(), 12);
}

// A PDF printed over a file the user protected is refused and the file stays; one printed to a
// symbolic link goes to the file the link leads to, and the link stays; a job that draws nothing
// fails and leaves the old file.
TEST_F(ImpresoraPrueba, PrintedFilesThroughLinksAndOverProtectedFiles) {
  const QByteArray viejo = "%PDF-1.4 un documento anterior\n%%EOF\n";
  const QString protegido = "el archivo está protegido contra escritura";
  struct Caso {
    std::vector<std::pair<QString, QString>> enlaces;  // link, what it leads to (@: the folder)
    QString final;  // the file that gets the document, or keeps the old one
    int permisos;   // of the old file; -1: none there
    QString motivo; // empty: printed
  };
  const std::vector<Caso> casos = {
      {{}, "boletos.pdf", 0444, protegido},
      {{}, "boletos.pdf", 0442, ""},  // writable by someone: not protected
      {{{"enlace.pdf", "boletos.pdf"}}, "boletos.pdf", 0640, ""},
      {{{"enlace.pdf", "sub/medio.pdf"}, {"sub/medio.pdf", "@/boletos.pdf"}}, "boletos.pdf", 0600, ""},
      {{{"enlace.pdf", "nuevo.pdf"}}, "nuevo.pdf", -1, ""},
      {{{"enlace.pdf", "boletos.pdf"}}, "boletos.pdf", 0444, protegido},
      {{{"enlace.pdf", "enlace.pdf"}}, "", -1, "el enlace del documento no lleva a ningún archivo"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(&c - casos.data());
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("sub");
    const QString final = dir.filePath(c.final);
    if (c.permisos >= 0) {
      QFile f(final);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      f.write(viejo);
      f.close();
      ::chmod(QFile::encodeName(final).constData(), mode_t(c.permisos));
    }
    QStringList quedan = {"sub"};
    if (!c.final.isEmpty()) quedan << c.final;
    for (const auto& [enlace, lleva] : c.enlaces) {
      ASSERT_EQ(::symlink(QFile::encodeName(QString(lleva).replace("@", dir.path())).constData(),
                          QFile::encodeName(dir.filePath(enlace)).constData()), 0);
      if (!enlace.contains('/')) quedan << enlace;
    }
    Printer().fijaDestino(std::make_shared<DestinoPdf>(dir.filePath(c.enlaces.empty() ? c.final : c.enlaces[0].first)));
    imprimeLineas("Boletos de la peña ENLACE");
    {
      Respondedor respuestas;
      EXPECT_EQ(terminaDocumento(), c.motivo.isEmpty());
      if (!c.motivo.isEmpty()) EXPECT_EQ(respuestas.cajas().at(0).texto, "No se ha podido imprimir: " + c.motivo + ".");
    }
    for (const auto& [enlace, lleva] : c.enlaces) EXPECT_TRUE(QFileInfo(dir.filePath(enlace)).isSymLink());
    // Nothing is left beside them: no temporary copy, no plain file in a link's place.
    quedan.removeDuplicates();
    quedan.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name),
              quedan);
    if (c.final.isEmpty()) continue;
    QFile f(final);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray ahora = f.readAll();
    EXPECT_TRUE(c.motivo.isEmpty() ? ahora.startsWith("%PDF") && ahora != viejo : ahora == viejo);
    struct stat datos {};
    ::stat(QFile::encodeName(final).constData(), &datos);
    if (c.permisos >= 0) EXPECT_EQ(int(datos.st_mode & 0777), c.permisos);
  }

  // A job that draws nothing is no document: it fails and the old file stays.
  QTemporaryDir dir;
  const QString archivo = dir.filePath("vacio.pdf");
  {
    QFile f(archivo);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(viejo);
  }
  Eleccion pdf;
  pdf.archivo = archivo;
  EXPECT_THROW(imprime(pdf, "Nada", [](QPagedPaintDevice&) {}), Error);
  QFile f(archivo);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), viejo);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vacio.pdf"});
}
