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
  // The newest draw as the statistics leave it, and draw-report columns that nothing writes any
  // more holding old texts: the report prints only what its layout asks for.
  ejecuta(carpeta, {"UPDATE Informe SET Frase = ' 3-12-25-33-41-49  C: 7  R: 5', "
                    "Letrero = 'Sábado, 8 de marzo de 2025', Premio6 = '5000,00 €', Informacion = 'Acta'"});
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
      " 3-12-25-33-41-49  C: 7  R: 5"));
  const QString texto = guardado().simplified();
  for (const char* debe : {"Informe estadístico de Bolvanta", "Sorteos seleccionados", "09/03/2024", "08/03/2025",
                           "156", "Lunes y Sábado.", "Números más frecuentes", "Último sorteo",
                           "Fecha Sábado, 8 de marzo de 2025", "Combinación ganadora 3-12-25-33-41-49 C: 7 R: 5"})
    EXPECT_TRUE(texto.contains(QString::fromUtf8(debe).simplified())) << debe << "\n" << texto.toStdString();
  for (const char* nunca : {"5000,00 €", "Acta", "aciertos"})
    EXPECT_FALSE(texto.contains(QString::fromUtf8(nunca))) << nunca;
  // Most drawn first, ties by number.
  const QString seguido = QString(texto).remove(QRegularExpression("\\s+"));
  EXPECT_TRUE(seguido.contains("2541330730491" "2")) << seguido.toStdString();
  EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), base);  // the engine only reads

  ventanaInforme().grab().save("/tmp/h9b-informe.png");
}

// Every field a shipped layout prints is one the program writes. The database starts with no
// value at all; the program's own operations then run as a user would run them (start-up with its
// count and summary, a ranking on the generator, a syndicate chosen), and every column each layout
// names must hold a value in every row of its table, and the reports print every field.
TEST_F(Informes, EveryFieldTheLayoutsPrintIsWrittenByTheProgram) {
  plataforma::Respondedor respuestas;
  for (const char* tabla : {"Informe", "Sorteos", "Peña"}) {
    QStringList columnas;
    for (const QString& c : filas(carpeta, QString::fromUtf8(tabla)).front().keys())
      columnas << QString("\"%1\" = NULL").arg(c);
    ejecuta(carpeta, {QString::fromUtf8("UPDATE \"%1\" SET ").arg(QString::fromUtf8(tabla)) + columnas.join(", ")});
  }
  ejecuta(carpeta, {"DELETE FROM Numeros", "DELETE FROM \"Peñanums\""});

  Principal& p = penas::arranca(carpeta,
                                {sorteoDe(QDate(2025, 3, 3), {3, 12, 25, 31, 40, 45}, 7, 2),
                                 sorteoDe(QDate(2025, 3, 8), {1, 12, 20, 33, 41, 49}, 5, 9)},
                                {penas::sencilla("LOS DEL BAR", 2)});
  p.SSTab1->setCurrentIndex(4);
  p.Command9_Click();
  p.Slider2->setValue(6);
  p.ListView1_ItemClick(1);
  EXPECT_TRUE(respuestas.cajas().empty());

  for (const char* archivo : {"Bolvanta.net", "Bolvanta1.net"}) {
    SCOPED_TRACE(archivo);
    const informes::Diseno diseno = informes::leeDiseno(carpeta.archivo(archivo));
    int secciones = 0;
    for (const informes::Seccion& s : diseno.secciones) {
      if (s.tipo == informes::Seccion::Texto) continue;
      ++secciones;
      const auto tabla = filas(carpeta, s.tabla);
      EXPECT_FALSE(tabla.empty()) << s.tabla.toStdString();
      for (const QVariantMap& fila : tabla)
        for (const informes::Campo& c : s.campos) {
          // Names are matched as the engine matches them, case apart.
          QString texto;
          for (auto it = fila.begin(); it != fila.end(); ++it)
            if (it.key().compare(c.columna, Qt::CaseInsensitive) == 0) texto = informes::textoValor(it.value());
          EXPECT_FALSE(texto.isEmpty()) << s.tabla.toStdString() << "." << c.columna.toStdString();
        }
    }
    EXPECT_GE(secciones, 2);

    // The report as printed holds every section and every field of its layout.
    p.CrystalReport1.setDataFiles(1, carpeta.archivo("Bolvanta.mdb"));
    p.CrystalReport1.setReportFileName(carpeta.archivo(archivo));
    p.CrystalReport1.setConnect("PWD=quorvatensimblarkeqo");
    const informes::InformeLleno informe = p.CrystalReport1.genera();
    ASSERT_EQ(informe.secciones.size(), diseno.secciones.size());
    for (std::size_t i = 0; i < diseno.secciones.size(); ++i)
      EXPECT_EQ(informe.secciones[i].rotulos.size(), qsizetype(diseno.secciones[i].campos.size())) << i;
  }
  // The newest draw heads its own section with its day.
  EXPECT_EQ(filas(carpeta, "Informe").front()["Letrero"], "Sábado, 8 de marzo de 2025");
}

// A printed report shows no empty field: a field without a value is left out, and a section
// without any, as the newest draw's when the filter leaves that draw out.
TEST_F(Informes, FieldsWithoutAValueAreLeftOut) {
  const informes::Diseno diseno = informes::interpretaDiseno(
      "INFORME x\nFICHA Informe | Último sorteo\nCAMPO Letrero | Fecha\nCAMPO Frase | Combinación\n"
      "TEXTO Fin.\n");
  struct Caso {
    const char* letrero;  // NULL for a null value
    const char* frase;
    QStringList rotulos;  // empty: no section
  };
  const Caso casos[] = {{"Sábado, 8 de marzo de 2025", " 1- 2", {"Fecha", "Combinación"}},
                        {nullptr, " 1- 2", {"Combinación"}},
                        {"   ", " 1- 2", {"Combinación"}},
                        {"", "", {}},
                        {nullptr, nullptr, {}}};
  auto valor = [](const char* t) { return t ? "'" + QString::fromUtf8(t) + "'" : QString("NULL"); };
  for (const Caso& c : casos) {
    SCOPED_TRACE(valor(c.letrero).toStdString() + " " + valor(c.frase).toStdString());
    ejecuta(carpeta, {"UPDATE Informe SET Letrero = " + valor(c.letrero) + ", Frase = " + valor(c.frase)});
    const informes::InformeLleno informe =
        informes::llenaInforme(diseno, carpeta.archivo("Bolvanta.mdb"), plataforma::CLAVE_BD);
    ASSERT_EQ(informe.secciones.size(), c.rotulos.isEmpty() ? 1u : 2u);
    EXPECT_EQ(informe.secciones.back().titulo, "Fin.");
    if (c.rotulos.isEmpty()) continue;
    EXPECT_EQ(informe.secciones[0].rotulos, c.rotulos);
    EXPECT_EQ(informe.secciones[0].filas.at(0).size(), c.rotulos.size());
  }
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
  // Every page but the first, where the database says what it holds, damaged.
  QByteArray danada = sana;
  for (qsizetype i = 1024 + 100; i < danada.size(); i += 1024) danada[i] = char(~danada[i]);
  const QStringList sinTablas{"DROP TABLE Informe", "DROP TABLE Sorteos", "DROP TABLE Numeros",
                              "DROP TABLE \"Peña\"", "DROP TABLE \"Peñanums\""};
  struct Caso {
    const char* que;
    QByteArray diseno;  // "-" removes the layout; empty keeps the shipped one
    QStringList sentencias;
    QByteArray base;    // replaces the database: "-" removes it
    int numero;
    // What is wrong with a layout, after the message; %1 is the program folder.
    const char* detalle = nullptr;
  };
  const Caso casos[] = {
      {"layout missing", "-", {}, {}, 20507, "No se encuentra el diseño de informe «%1Bolvanta.net»."},
      {"layout empty", "\n\n# nada\n", {}, {}, 20525, "Diseño de informe no válido, línea 0: el diseño está vacío."},
      {"layout without its title", "FICHA Sorteos | Sorteos\nCAMPO Total | Total\n", {}, {}, 20525,
       "Diseño de informe no válido, línea 1: debe empezar por INFORME."},
      {"section without fields", "INFORME x\nLISTA Numeros | Ranking\nTEXTO Fin.\n", {}, {}, 20525,
       "Diseño de informe no válido, línea 3: la sección anterior no tiene campos."},
      {"field outside a section", "INFORME x\nCAMPO Total | Total\n", {}, {}, 20525,
       "Diseño de informe no válido, línea 2: «CAMPO» fuera de su sección."},
      {"unknown directive", "INFORME x\nTABLA Sorteos\n", {}, {}, 20525,
       "Diseño de informe no válido, línea 2: directiva desconocida «TABLA»."},
      {"binary", QByteArray("INFORME x\n\0\1\2", 13), {}, {}, 20525,
       "Diseño de informe no válido, línea 0: no es un archivo de texto."},
      {"too long", "INFORME x\n" + QByteArray(70000, '#'), {}, {}, 20525,
       "Diseño de informe no válido, línea 0: el archivo es demasiado largo."},
      // A layout that names what the database lacks, whichever of the two is at fault.
      {"unknown table", "INFORME x\nLISTA Nada | Nada\nCOLUMNA Numero | Número\n", {}, {}, 20525,
       "El diseño «Bolvanta.net» pide la tabla «Nada», que no está en la base de datos."},
      {"unknown column", "INFORME x\nTEXTO Antes.\nFICHA Sorteos | S\nCAMPO Total | Total\nCAMPO Semanas | Semanas\n",
       {}, {}, 20525,
       "El diseño «Bolvanta.net» pide el campo «Semanas» de la tabla «Sorteos», que no está en la base de datos."},
      {"unknown sort column", "INFORME x\nLISTA Numeros | N\nORDEN Nada DESC\nCOLUMNA Numero | N\n", {}, {}, 20525,
       "El diseño «Bolvanta.net» ordena la tabla «Numeros» por «Nada DESC», un campo que no está en la base de datos."},
      {"database without its tables", {}, sinTablas, {}, 20525,
       "El diseño «Bolvanta.net» pide la tabla «Sorteos», que no está en la base de datos."},
      {"database missing", {}, {}, "-", 20533},
      {"database not a database", {}, {}, QByteArray(4096, 'x'), 20533},
      // It opens, but its tables cannot be read: read a second time, then told.
      {"database damaged inside", {}, {}, danada, 20534},
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
    const QString detalle = c.detalle ? "\n\n" + QString::fromUtf8(c.detalle).arg(carpeta.ruta()) : QString();

    plataforma::Respondedor respuestas;
    const int ejecuciones = p.CrystalReport1.ejecuciones();
    p.Image2_Click(0);
    ASSERT_EQ(respuestas.cajas().size(), 1u);
    EXPECT_EQ(respuestas.cajas()[0].texto, "Error " + QString::number(c.numero) + NO_ES_POSIBLE + detalle);
    EXPECT_EQ(respuestas.cajas()[0].titulo, "Error");
    EXPECT_EQ(respuestas.cajas()[0].estilo, plataforma::vbInformation);
    // A database that failed while it was read starts the report a second time.
    EXPECT_EQ(p.CrystalReport1.ejecuciones() - ejecuciones, c.numero == 20534 ? 2 : 1);
    EXPECT_EQ(ventanaInformeSiExiste(), nullptr);
    EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), antes);
    EXPECT_EQ(carpeta.existe("Bolvanta.mdb"), c.base != "-");
  }
  // Whole again, the same report shows.
  carpeta.escribe("Bolvanta.net", disenoSano);
  carpeta.escribe("Bolvanta.mdb", sana);
  plataforma::Respondedor respuestas;
  p.Image2_Click(0);
  EXPECT_TRUE(respuestas.cajas().empty());
  EXPECT_NE(ventanaInformeSiExiste(), nullptr);
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
  EXPECT_EQ(visto, "Error|Error 20507" + NO_ES_POSIBLE + "\n\nNo se encuentra el diseño de informe «" +
                       carpeta.archivo("Bolvanta1.net") + "».");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}
