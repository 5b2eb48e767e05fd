// The printed reports: the engine's settings, the two layouts rendered from what the program wrote,
// the report window's print and PDF, guardainforme, and every way a report can fail.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <gtest/gtest.h>

#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/reemplazo.h"
#include "statistics/VentanaInforme.h"
#include "statistics/comun.h"
#include "statistics/textos.h"

using namespace estadisticas;

namespace {

const QString NO_ES_POSIBLE = ". No es posible mostrar el informe. Si el error persiste, reinstalar el programa "
                              "puede ser la solución.";

class Informes : public ::testing::Test {
 protected:
  Informes() {
    // "Guardar PDF" saves where the test says; the print dialog prints to a PDF file.
    VentanaInforme::fijaDialogos(
        [this](QPrinter& impresora, QWidget*) {
          ++impresiones;
          if (!imprimir) return false;
          impresora.setOutputFormat(QPrinter::PdfFormat);
          impresora.setOutputFileName(salida.filePath("impreso.pdf"));
          return true;
        },
        [this](QWidget*, const QString&) { return guardarEn; });
  }
  // The window's text once saved as PDF.
  QString guardado() {
    guardarEn = salida.filePath("guardado.pdf");
    ventanaInforme().GuardarPdf->click();
    return textoPdf(guardarEn);
  }
  void filaNumeros(int numero, int veces) {
    ejecuta(carpeta, {QString("INSERT INTO Numeros VALUES (%1, %2)").arg(numero).arg(veces)});
  }

  CarpetaPrograma carpeta;
  QTemporaryDir salida;
  QString guardarEn;
  bool imprimir = true;
  int impresiones = 0;
};

}  // namespace

TEST_F(Informes, GuardainformeDropsTagRunsAndFillsTheDrawColumns) {
  const std::pair<QString, QString> ejemplos[] = {
      {"a<b>c", "ac"}, {"<b><i>x", "<i>x"}, {"a<b>", "a>"}, {"<abc", "c"}, {"", ""}, {"<>", ">"},
      {"ver <a href=\"x\">acta</a>.", "ver acta."}};
  for (const auto& [texto, esperado] : ejemplos) EXPECT_EQ(sinEtiquetas(texto), esperado) << texto.toStdString();

  plataforma::Respondedor respuestas;
  Principal& p = ventana(carpeta);
  p.Label8->setText("Sorteo del sábado, 8 de marzo de 2025");
  const QStringList premios{"1.234.567,89 €", "98.765,43 €", "2.345,67 €", "45,12 €", "8,00 €"};
  for (int i = 0; i < 5; ++i) p.Label10[i]->setText(premios[i]);
  p.urldocumento = "<p>Acta <b>1234</b></p>";
  p.guardainforme();
  const auto r = filas(carpeta, "Informe");
  ASSERT_EQ(r.size(), 1u);
  const QVariantMap esperada{{"Frase", ""},
                             {"Letrero", "Sorteo del sábado, 8 de marzo de 2025"},
                             {"Informacion", "Acta 1234</p>"},
                             {"Premio6", premios[0]},
                             {"Premio5c", premios[1]},
                             {"Premio5", premios[2]},
                             {"Premio4", premios[3]},
                             {"Premio3", premios[4]}};
  EXPECT_EQ(r.front(), esperada);

  // Without the table or the database it changes nothing and says nothing.
  ejecuta(carpeta, {"DROP TABLE Informe"});
  const QByteArray sinTabla = carpeta.lee("Bolvanta.mdb");
  p.guardainforme();
  EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), sinTabla);
  QFile::remove(carpeta.archivo("Bolvanta.mdb"));
  p.guardainforme();
  EXPECT_FALSE(carpeta.existe("Bolvanta.mdb"));
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Informes, StatisticsReportShowsSelectionRankingAndNewestDraw) {
  plataforma::Respondedor respuestas;
  Principal& p = ventana(carpeta);
  p.sorteoscontados = 156;
  p.fechasperiodo = {plataforma::oleDe(QDate(2025, 3, 8)), plataforma::oleDe(QDate(2024, 3, 9))};
  marca(p, 9, true);
  marca(p, 0, false);
  marca(p, 1, true);
  p.resumensorteos();
  // The ranking as it may stand in the table: the report orders it.
  for (auto [n, v] : {std::pair{7, 30}, {25, 41}, {3, 30}, {49, 12}}) filaNumeros(n, v);
  ejecuta(carpeta, {"UPDATE Informe SET Frase = 'Sábado 08/03/2025:  3-12-25-33-41-49 C: 7 R: 5'"});
  p.Label8->setText("Sorteo del sábado, 8 de marzo de 2025");
  for (int i = 0; i < 5; ++i) p.Label10[i]->setText(QString("%1,00 €").arg(1000 * (5 - i)));
  p.guardainforme();
  const QByteArray base = carpeta.lee("Bolvanta.mdb");

  p.Image2_Click(0);
  EXPECT_TRUE(respuestas.cajas().empty());
  const MotorInforme& motor = p.CrystalReport1;
  EXPECT_EQ(motor.DataFiles(1), carpeta.ruta() + "Bolvanta.mdb");
  EXPECT_EQ(motor.Destination(), 0);
  EXPECT_EQ(motor.ReportFileName(), carpeta.ruta() + "Bolvanta.net");
  EXPECT_EQ(motor.Connect(), "PWD=quorvatensimblarkeqo");
  ASSERT_NE(ventanaInformeSiExiste(), nullptr);
  EXPECT_TRUE(ventanaInforme().isVisible());

  // The draw text keeps its double blank on screen; the PDF's text comes back with single blanks.
  EXPECT_TRUE(ventanaInforme().Vista->toPlainText().replace(QChar(0xA0), ' ').contains(
      "Sábado 08/03/2025:  3-12-25-33-41-49 C: 7 R: 5"));
  const QString texto = guardado().simplified();
  for (const char* debe : {"Informe estadístico de Bolvanta", "Sorteos seleccionados", "09/03/2024", "08/03/2025",
                           "156", "Lunes y Sábado.", "Números más frecuentes",
                           "Sábado 08/03/2025:  3-12-25-33-41-49 C: 7 R: 5", "Sorteo del sábado, 8 de marzo de 2025",
                           "5000,00 €", "1000,00 €"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(debe).simplified())) << debe << "\n" << texto.toStdString();
  // Most drawn first, ties by number.
  const QString seguido = QString(texto).remove(QRegularExpression("\\s+"));
  EXPECT_TRUE(seguido.contains("2541330730491" "2")) << seguido.toStdString();
  EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), base);  // the engine only reads

  ventanaInforme().grab().save("/tmp/h9b-informe.png");
}

TEST_F(Informes, SyndicateReportPrintsThroughThePrintDialog) {
  plataforma::Respondedor respuestas;
  Principal& p = ventana(carpeta);
  ejecuta(carpeta, {"UPDATE \"Peña\" SET Nombre = 'LOS DEL BAR          ', Diasajugar = 'Jueves y Sábado', "
                    "Dinero = 12.5, Dia1 = '2025-01-02', Dia2 = '2025-03-08', Aciertos = '12,5 %', Sorteos = 16, "
                    "\"3\" = 4, \"4\" = 3, \"5\" = 2, \"5C\" = 1, \"6\" = 0",
                    "INSERT INTO \"Peñanums\" VALUES (' 3-12- 7-49- 1-20')",
                    "INSERT INTO \"Peñanums\" VALUES ('10-11-12-13-14-15')"});
  // The layout as a Windows editor would save it.
  carpeta.escribe("Bolvanta1.net", "\xEF\xBB\xBF" + carpeta.lee("Bolvanta1.net").replace("\n", "\r\n"));
  p.Image2_Click(1);
  EXPECT_TRUE(respuestas.cajas().empty());
  // The two reports differ only in their layout file.
  EXPECT_EQ(p.CrystalReport1.ReportFileName(), carpeta.ruta() + "Bolvanta1.net");
  EXPECT_EQ(p.CrystalReport1.DataFiles(1), carpeta.ruta() + "Bolvanta.mdb");
  EXPECT_EQ(p.CrystalReport1.Connect(), "PWD=quorvatensimblarkeqo");

  imprimir = false;  // cancelled in the dialog: nothing printed
  ventanaInforme().Imprimir->click();
  EXPECT_EQ(impresiones, 1);
  EXPECT_FALSE(QFile::exists(salida.filePath("impreso.pdf")));
  imprimir = true;
  ventanaInforme().Imprimir->click();
  EXPECT_TRUE(ventanaInforme().Vista->toPlainText().replace(QChar(0xA0), ' ').contains(" 3-12- 7-49- 1-20"));
  const QString texto = textoPdf(salida.filePath("impreso.pdf")).simplified();
  for (const char* debe : {"Ficha de la peña", "LOS DEL BAR", "Jueves y Sábado", "12,50", "02/01/2025", "08/03/2025",
                           "12,5 %", "16", "3-12- 7-49- 1-20", " 3-12- 7-49- 1-20", "10-11-12-13-14-15"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(debe))) << debe << "\n" << texto.toStdString();

  // A PDF that cannot be written is told, and the window stays usable.
  guardarEn = salida.filePath("no/existe/informe.pdf");
  ventanaInforme().GuardarPdf->click();
  ASSERT_EQ(respuestas.cajas().size(), 1u);
  EXPECT_TRUE(respuestas.cajas()[0].texto.startsWith("No se ha podido guardar el informe en «"));
  EXPECT_TRUE(guardado().contains("LOS DEL BAR"));

  // A disk that fills up while the PDF is written, printing to a file or saving: it is said, the
  // file written before stays whole, and with room again the same button writes it.
  struct Caso {
    QPushButton* boton;
    QString archivo;
    QString mensaje;
  };
  const Caso casos[] = {
      {ventanaInforme().Imprimir, salida.filePath("impreso.pdf"),
       "No se ha podido imprimir el informe: no queda espacio en el disco."},
      {ventanaInforme().GuardarPdf, salida.filePath("guardado.pdf"),
       "No se ha podido guardar el informe en «" + salida.filePath("guardado.pdf") +
           "»: no queda espacio en el disco."},
  };
  for (const Caso& c : casos) {
    const QByteArray antes = [&] {
      QFile f(c.archivo);
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_TRUE(antes.startsWith("%PDF"));
    plataforma::Respondedor lleno;
    plataforma::fijaEspacioLibre(2000);
    c.boton->click();
    plataforma::fijaEspacioLibre(-1);
    ASSERT_EQ(lleno.cajas().size(), 1u);
    EXPECT_EQ(lleno.cajas()[0].texto, c.mensaje);
    QFile f(c.archivo);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), antes);
    f.close();
    QFile::remove(c.archivo);
    c.boton->click();
    EXPECT_EQ(lleno.cajas().size(), 1u);
    EXPECT_TRUE(textoPdf(c.archivo).contains("LOS DEL BAR"));
  }
  EXPECT_EQ(QDir(salida.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"guardado.pdf", "impreso.pdf"}));
}

TEST_F(Informes, BadLayoutOrDatabaseTellsItsNumberAndChangesNothing) {
  Principal& p = ventana(carpeta);
  const QByteArray sana = carpeta.lee("Bolvanta.mdb");
  const QByteArray disenoSano = carpeta.lee("Bolvanta.net");
  const QStringList sinTablas{"DROP TABLE Informe", "DROP TABLE Sorteos", "DROP TABLE Numeros",
                              "DROP TABLE \"Peña\"", "DROP TABLE \"Peñanums\""};
  struct Caso {
    const char* que;
    QByteArray diseno;  // "-" removes the layout; empty keeps the shipped one
    QStringList sentencias;
    QByteArray base;    // replaces the database: "-" removes it
    int numero;
  };
  const Caso casos[] = {
      {"layout missing", "-", {}, {}, 20507},
      {"layout empty", "\n\n# nada\n", {}, {}, 20525},
      {"layout without its title", "FICHA Sorteos | Sorteos\nCAMPO Total | Total\n", {}, {}, 20525},
      {"section without fields", "INFORME x\nLISTA Numeros | Ranking\nTEXTO Fin.\n", {}, {}, 20525},
      {"field outside a section", "INFORME x\nCAMPO Total | Total\n", {}, {}, 20525},
      {"unknown directive", "INFORME x\nTABLA Sorteos\n", {}, {}, 20525},
      {"binary", QByteArray("INFORME x\n\0\1\2", 13), {}, {}, 20525},
      {"too long", "INFORME x\n" + QByteArray(70000, '#'), {}, {}, 20525},
      {"unknown table", "INFORME x\nLISTA Nada | Nada\nCOLUMNA Numero | Número\n", {}, {}, 20534},
      {"unknown column", "INFORME x\nFICHA Sorteos | S\nCAMPO Semanas | Semanas\n", {}, {}, 20534},
      {"unknown sort column", "INFORME x\nLISTA Numeros | N\nORDEN Nada DESC\nCOLUMNA Numero | N\n", {}, {}, 20534},
      {"database without its tables", {}, sinTablas, {}, 20534},
      {"database missing", {}, {}, "-", 20533},
      {"database not a database", {}, {}, QByteArray(4096, 'x'), 20533},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.que);
    carpeta.escribe("Bolvanta.mdb", sana);
    carpeta.escribe("Bolvanta.net", disenoSano);
    if (c.diseno == "-") QFile::remove(carpeta.archivo("Bolvanta.net"));
    else if (!c.diseno.isEmpty()) carpeta.escribe("Bolvanta.net", c.diseno);
    if (!c.sentencias.isEmpty()) ejecuta(carpeta, c.sentencias);
    if (c.base == "-") QFile::remove(carpeta.archivo("Bolvanta.mdb"));
    else if (!c.base.isEmpty()) carpeta.escribe("Bolvanta.mdb", c.base);
    const QByteArray antes = carpeta.lee("Bolvanta.mdb");

    plataforma::Respondedor respuestas;
    const int ejecuciones = p.CrystalReport1.ejecuciones();
    p.Image2_Click(0);
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, "Error " + QString::number(c.numero) + NO_ES_POSIBLE);
    EXPECT_EQ(respuestas.cajas()[0].titulo, "Error");
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
    // A database error starts the report a second time.
    EXPECT_EQ(p.CrystalReport1.ejecuciones() - ejecuciones, c.numero == 20534 ? 2 : 1);
    EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
    EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), antes);
    EXPECT_EQ(carpeta.existe("Bolvanta.mdb"), c.base != "-");
  }
}

TEST_F(Informes, ReportAskedForWhileOneIsUnderWaySaysNothing) {
  plataforma::Respondedor respuestas;
  Principal& p = ventana(carpeta);
  {
    MotorInforme::Trabajo enCurso;
    p.Image2_Click(1);
  }
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
  p.Image2_Click(1);
  EXPECT_NE(ventanaInformeSiExiste(), nullptr);
  p.Image2_Click(7);  // no such picture
  EXPECT_EQ(p.CrystalReport1.ejecuciones(), 2);
}

TEST_F(Informes, RealBoxForAMissingLayout) {
  Principal& p = ventana(carpeta);
  QFile::remove(carpeta.archivo("Bolvanta1.net"));
  QString visto;
  QTimer::singleShot(0, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(caja, nullptr);
    visto = caja->windowTitle() + "|" + caja->text();
    caja->buttons().front()->click();
  });
  Q_EMIT p.Image2[1]->Click();
  EXPECT_EQ(visto, "Error|Error 20507" + NO_ES_POSIBLE);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
