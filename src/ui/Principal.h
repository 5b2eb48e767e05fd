#pragma once
// The main window. Its procedures are defined in the folder of the part of the program they belong
// to (start-up in src/data, checking in src/checking, ...); this file declares the window whole.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <vector>

#include "data/registros.h"
#include "statistics/frecuencias.h"
#include "statistics/motorinforme.h"

#include "plataforma/controles.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QProgressBar;
class QScrollBar;
class QSlider;
class QTabWidget;
class QPlainTextEdit;
class QTimer;
class QGroupBox;
class QAction;
class GraficoFila;
class GraficoFrecuencias;
namespace plataforma {
class DescargaArchivo;
class Inet;
class ListView;
class NavegadorWeb;
}

class Principal : public QMainWindow {
  Q_OBJECT
 public:
  Principal();
  ~Principal() override;

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();
  bool cargado() const { return cargado_; }

  // Start-up and activation.
  void Form_Load();
  void Form_Activate();
  int activaciones = 0;

  // Settings.
  void leeconfiguracion();
  void Label9_Click(int Index);
  Configuracion configuracion;

  // Draws status panel.
  void estadosorteos();
  void HScroll1_Change();
  void HScroll1_Scroll();
  void Timer2_Timer();
  Sorteo sorteo;
  int sorteosjugados = 0;

  // Checking of the syndicates against the newest draws.
  void compruebasencillas(int N);
  void compruebamultiples(int N);
  void premiosmultiple(int h);
  void nuevafila();
  int fila = 0;               // last row added to the list being filled
  int cambiovista = 0;        // 1 = the syndicate chooser started the check
  int modoimpresion = 0;      // 1 = the check also prints its listing
  int impreso = 0;            // 1 = something was printed in this listing
  int numpena = 0;            // record of the multiple syndicate under examination
  int concomplementario = 0;  // 1 = a number of the multiple bet is the complementario
  bool multiplescomprobadas = false;  // the last simple check went on to the multiple bets

  // Printed check listing: the print icon runs the check in print mode; its end sends the listing.
  void Image5_Click();
  void terminalistado();
  bool errorlistado = false;  // a step failed during a print-mode check: the listing is not sent

  // Result views, filters and the prize alert.
  void refrescavistas();
  void Check1_Click();
  void Check2_Click();
  void Combo2_Click();
  void Command1_Click(int Index);
  void paraparpadeo();
  void Timer3_Timer();
  void ListView2_MouseMove();
  void ListView4_MouseMove();
  int avisopremio = 0;  // 0 none, 1 simple, 2 multiple, 3 both
  void sencillas_Click();
  void verpremio_Click();
  void verhisto_Click();
  void verprehi_Click();
  void Multiples_Click();
  void verpremiom_Click();
  void verhistom_Click();
  void verpreim_Click();
  void ultimo_Click();

  // Download of new draws.
  void Picture2_Click();
  void Baja_Click();
  QByteArray trae(const QString& URL);
  void Inet1_StateChanged(int State);
  void Timer1_Timer();
  int segundos = 0;
  int pasodescarga = 0;  // 2 requesting, 3 waiting, 5 stored and parsed, 7 finishing
  int sorteosnuevos = 0;
  bool errordatos = false;
  int estadoinet = 0;
  bool pdfpedido = false;
  QByteArray respuesta;  // the answer's bytes, as RichTextBox1 shows them

  // The stored answer and its scanners (file 2 www.txt, file 6 informe.dat).
  QString busca(QString& empieza, const QString& final, int espacios);
  QString busca3(QString& empieza, const QString& final);
  static QString raros(const QString& carla);
  void analizadatos();

  // Official prize breakdown of the newest draw, tab "Último sorteo".
  void informesorteo(int flag);
  void descargapdf(const QString& URL);
  void muestrapdf();
  void Text1_Click();
  void WebBrowser1_NavigateError(const QString& URL, int StatusCode);
  QString urldocumento;
  int avisolector = 0;

  // The program's news.
  void compruebamensaje();
  void descargamensaje();
  void avisamensaje();
  // Whether the news is still on its way: the program does not wait for it.
  bool esperandomensaje() const;
  void Command6_Click();
  void Leer_Click();
  void web_Click();

  // Syndicate list, details and commands, tab "Gestor de peñas" ("Manual" on "Crear combinación").
  void listapenas();
  void ListView1_ItemClick(int Index);
  void muestrapena(int n);
  int penamostrada = 0;  // the syndicate whose details the tab shows
  // The prize counters as the syndicates file holds them after a check counted into it: the sum
  // of all syndicates with its effectiveness, and the details of the syndicate shown.
  void refrescaaciertos();
  void fichapena();
  void Command2_Click();  // "Imprimir boletos"
  void Command3_Click();  // "Eliminar peña"
  void Command7_Click();  // "Editar Peña"
  void Command4_Click();  // "Manual"
  void Crearp_Click();    // menu "Crear peña nueva"

  // Frequency statistics, tab "Estadísticas": totals and per weekday ("Lunes", "Jueves",
  // "Sábado"), numbers 1 to 25 and 25 to 49 (row r of a second half is number r + 24).
  Frecuencias frecuencias1{1};
  Frecuencias frecuencias2{1};
  Frecuencias frecuenciasdia1{3};
  Frecuencias frecuenciasdia2{3};
  int sorteoscontados = 0;
  std::array<double, 2> fechasperiodo{};  // newest and oldest selected draw
  void estadisticas(double fechadesde);
  void HScroll2_Change();
  // Their filters: weekdays and period, on this tab and on the generator's first step.
  void Check3_Click(int Index);
  void Slider1_Change(int Index);
  void periodoestadisticas(int modo);  // 0 every stored draw, 1 the last Slider1(0) months
  int cambiandofiltros = 0;  // 1 while a filter box rewrites the others
  // Counts the statistics over the period the boxes show: every stored draw while "Todos" is
  // ticked, otherwise the last Slider1(0) months.
  void cuentaperiodo();
  // The longest period of the settings: both months sliders end at it, maximum and value, with
  // the captions of the months boxes; fijaMeses counts nothing, ponMeses then counts again when
  // the months are the period the boxes show.
  void fijaMeses(int meses);
  void ponMeses(int meses);

  // Selection summary of the generator's first step, and the printed reports.
  void resumensorteos();
  void Image2_Click(int Index);
  void guardainforme();
  MotorInforme CrystalReport1;
  // The report tables follow the windows: a table whose writing failed (the database held by
  // another program, or damaged) is written again before a report reads it.
  void guardafrase();    // "Informe": the newest draw as the last count left it
  void guardaresumen();  // "Sorteos": the selection the filter boxes show
  QString frase, letrero;
  bool frasependiente = false;
  bool resumenpendiente = false;
  bool fichapendiente = false;  // "Peña" and "Peñanums" of the syndicate shown
  QString avisoresumen;         // a damaged "Sorteos" is told once

  // Maintenance of the draws file, tab "Estadísticas".
  void compruebaformato();
  void convierteformato();
  void leeAntiguo(const QString& motivo);
  void Command8_Click();  // "Añadir todos los sorteos"
  void Command5_Click();  // "Borrar todos los sorteos"
  void ListView3_ItemClick(int Index);
  int borrasorteos = 0;  // 1 = a click on a draw of ListView3 offers to delete it
  // After the draws file changed as a whole: the status panel, the check view, the counters, the
  // statistics and their summary, from the file as it now stands.
  void sorteoscambiados();
  // The record of the draw that each row of ListView3 shows, row 1 first, kept by whoever fills
  // the list, so that a deletion removes the draw the user clicked whatever the filters.
  std::vector<int> sorteoslistados;
  QPushButton* Command5 = nullptr;
  QPushButton* Command8 = nullptr;

  // The About box and the settings dialog.
  void acerca_Click();
  void confi_Click();

  // Combination generator, tab "Crear combinación": the opening panel, then three steps (the
  // draws, how many numbers, the kind of syndicate) that end in the editor.
  void Command9_Click();  // "Automática"
  void Slider2_Change();
  void Image3_Click(int Index);  // 0 reduced, 1 simple, 2 multiple
  void Image4_Click();           // back to step 1
  void Image2_MouseMove(int Index);
  void Image3_MouseMove(int Index);
  void Image4_MouseMove();
  void Frame7_MouseMove();
  void Frame13_MouseMove();
  // The ranking of the numbers and the reduced systems of the chosen size. masfrecuentes answers
  // whether the ranking reached the report table.
  bool masfrecuentes(int n);
  void listatablas(int n);
  void Combo1_Click();
  std::array<int, 51> ordentablas{};  // file ordinal of each system listed in Combo1

  // Ends the program: closes every file and unloads the window.
  void salir_Click();
  void Form_QueryUnload();

  // The frame: the tab change, the menu entries that bring a tab to the front, the picture
  // buttons beside the syndicate and statistics buttons, and the download button's roll-over.
  void SSTab1_Click(int PreviousTab);
  void SSTab1_MouseMove();
  void Picture2_MouseMove(int Button, int Shift, float X, float Y);
  void Image1_Click(int Index);  // 0 delete, 1 edit, 3 print the syndicate; 2 clear, 4 import draws
  void gene_Click();
  void Gestor_Click();
  void esta_Click();
  void comb_Click();
  void borrpe_Click();
  void instrucciones_Click();
  std::array<plataforma::Imagen*, 5> Image1{};

  // Controls.
  QTabWidget* SSTab1 = nullptr;
  std::array<plataforma::Etiqueta*, 8> Label9{};  // draws status panel, tab "General"
  std::array<QSlider*, 2> Slider1{};              // months of the statistics period, both groups
  QLineEdit* Text3 = nullptr;
  QScrollBar* HScroll1 = nullptr;
  QTimer* Timer2 = nullptr;
  plataforma::ListView* ListView2 = nullptr;  // simple and reduced syndicates
  plataforma::ListView* ListView4 = nullptr;  // multiple-bet syndicates
  std::array<plataforma::Boton*, 2> Command1{};
  QCheckBox* Check1 = nullptr;  // "Histórico"
  QCheckBox* Check2 = nullptr;  // "Ver sólo si hay premio"
  QComboBox* Combo2 = nullptr;  // syndicate chooser
  QProgressBar* ProgressBar2 = nullptr;
  QTimer* Timer3 = nullptr;
  plataforma::Imagen* Image5 = nullptr;  // print icon of the check view
  QLabel* Label12 = nullptr;
  QLabel* Label32 = nullptr;
  plataforma::Imagen* Image7 = nullptr;
  QFrame* Shape2 = nullptr;
  QLabel* Label59 = nullptr;  // count of new draws after a download
  QProgressBar* ProgressBar1 = nullptr;  // download steps
  plataforma::ListaImagenes ImageList1;
  // Download, tab "General".
  plataforma::Imagen* Picture2 = nullptr;
  QLabel* Label6 = nullptr;   // download status line
  QLabel* Label58 = nullptr;  // length of the answer
  QPlainTextEdit* RichTextBox1 = nullptr;  // the answer until it is stored
  QTimer* Timer1 = nullptr;   // download steps, 1000 ms
  plataforma::Inet* Inet1 = nullptr;
  plataforma::Inet* Inet2 = nullptr;
  // Tab "Último sorteo".
  QLabel* Label8 = nullptr;
  QFrame* Frame2 = nullptr;
  std::array<QLabel*, 6> Label10{};
  plataforma::NavegadorWeb* WebBrowser1 = nullptr;
  plataforma::CajaTexto* Text1 = nullptr;
  // News, tab "Gestor de peñas".
  QPushButton* Command6 = nullptr;  // "Ver mensaje"
  QPlainTextEdit* Text2 = nullptr;  // the news just fetched
  QPlainTextEdit* Text6 = nullptr;  // the news before
  // Syndicates, tab "Gestor de peñas".
  plataforma::ListView* ListView1 = nullptr;  // the stored syndicates, row n = record n
  QPushButton* Command2 = nullptr;  // "Imprimir boletos"
  QPushButton* Command3 = nullptr;  // "Eliminar peña"
  QPushButton* Command7 = nullptr;  // "Editar Peña"
  QLabel* Label2 = nullptr;         // "Suma aciertos peñas:"
  QLabel* Label13 = nullptr;        // winning bets of all syndicates
  QLineEdit* Text4 = nullptr;       // effectiveness
  QLineEdit* Text5 = nullptr;       // draws played
  GraficoFila* MSChart2 = nullptr;  // prizes of all syndicates
  plataforma::ListView* ListView5 = nullptr;  // bets of the syndicate shown
  std::array<QLabel*, 5> Label3{};  // its counters: 3, 4, 5, 6 hits, 5 plus complementario
  QLabel* Label17 = nullptr;        // draws it played
  QLabel* Label16 = nullptr;        // its prize percentage
  QGroupBox* Frame1 = nullptr;      // "Desde la creación de la peña:", the counters above
  QGroupBox* Frame8 = nullptr;      // "Tipo de Peña:"
  QLabel* Label28 = nullptr;        // bet mode
  QLabel* Label29 = nullptr;        // base numbers of a reduced system
  QLabel* Label37 = nullptr;        // weekly cost
  QGroupBox* Frame4 = nullptr;      // holds MSChart3
  GraficoFila* MSChart3 = nullptr;  // prizes of the syndicate shown
  // Tab "Estadísticas".
  GraficoFrecuencias* MSChart1 = nullptr;
  plataforma::ListView* ListView3 = nullptr;  // the selected draws, newest first
  QScrollBar* HScroll2 = nullptr;             // 1 numbers 1 to 25, 2 numbers 25 to 49
  QLabel* Label7 = nullptr;                   // "TOTAL: " n " sorteos."
  QGroupBox* Frame11 = nullptr;               // "Filtrado de datos:"
  QGroupBox* Frame5 = nullptr;                // "Leyenda" of the per-weekday chart
  // Filter boxes. Statistics: 9 "Lunes", 0 "Jueves", 1 "Sábado", 5 "Todos", 6 the months,
  // 2 "Comparativa". Generator: 10, 3, 4, 7, 8 in the same order, without "Comparativa".
  std::array<QCheckBox*, 11> Check3{};
  // Tab "Crear combinación".
  QPushButton* Command4 = nullptr;  // "Manual"
  std::array<plataforma::Imagen*, 2> Image2{};  // run the reports
  QLabel* Label21 = nullptr;  // "Paso 1": the period and the number of draws
  QLabel* Label27 = nullptr;  // "Paso 1": the weekdays, or why the generator cannot go on
  plataforma::Imagen* Image6 = nullptr;  // opening panel
  QPushButton* Command9 = nullptr;       // "Automática"
  QLabel* Label56 = nullptr;
  QLabel* Label54 = nullptr;
  QLabel* Label33 = nullptr;
  QLabel* Label53 = nullptr;
  QLabel* Label55 = nullptr;
  QGroupBox* Frame12 = nullptr;  // "Paso 1": the draws
  QGroupBox* Frame6 = nullptr;   // "Paso 2": how many numbers
  QGroupBox* Frame7 = nullptr;   // "Paso 3": the kind of syndicate
  QGroupBox* Frame13 = nullptr;  // "Informe", on the tab "Gestor de peñas"
  QLabel* Label22 = nullptr;
  QSlider* Slider2 = nullptr;  // how many numbers, 0 to 49
  QLabel* Label23 = nullptr;
  QLabel* Label51 = nullptr;  // sizes the reduced systems come in
  std::array<plataforma::Imagen*, 3> Image3{};
  plataforma::Imagen* Image4 = nullptr;
  QComboBox* Combo1 = nullptr;  // reduced systems of the chosen size
  QGroupBox* Frame9 = nullptr;  // hint, until a system is chosen
  QLabel* Label42 = nullptr;
  QGroupBox* Frame10 = nullptr;  // figures of the chosen system
  QLabel* Label43 = nullptr;
  QLabel* Label48 = nullptr;
  QLabel* Label47 = nullptr;
  QLabel* Label49 = nullptr;
  QLabel* Label50 = nullptr;
  // Menu entries the program refers to.
  QAction* Baja = nullptr;           // "Bajar Sorteos nuevos"
  QAction* Crearp = nullptr;         // "Crear peña nueva"
  QAction* borrpe = nullptr;         // "Borrar sorteos almacenados/Reset aciertos peñas"
  QAction* salir = nullptr;          // "Salir"
  QAction* gene = nullptr;           // "Pestaña General"
  QAction* ultimo = nullptr;         // "Pestaña Último sorteo"
  QAction* Gestor = nullptr;         // "Pestaña Gestor de peñas"
  QAction* esta = nullptr;           // "Pestaña Estadísticas"
  QAction* comb = nullptr;           // "Pestaña Crear Combinación"
  QAction* confi = nullptr;          // "Configuración"
  QAction* instrucciones = nullptr;  // "Instrucciones"
  QAction* Leer = nullptr;           // "Leer mensaje del Jefe"
  QAction* web = nullptr;            // "Web del programa"
  QAction* acerca = nullptr;         // "Acerca de..."

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void creaControles();
  void creaVistaComprobacion(QWidget* pestana);
  void creaDescarga(QWidget* pestana);
  void creaUltimoSorteo(QWidget* pestana);
  void creaNoticias(QWidget* pestana);
  void creaGestor(QWidget* pestana);
  void creaCombinacion(QWidget* pestana);
  void creaEstadisticas(QWidget* pestana);
  void creaFiltrosGenerador(QWidget* marco);
  void muestraGrafico();
  void creaResumen(QWidget* marco);
  void creaGenerador(QWidget* pestana);
  void creaMenus();
  void creaMarco();
  void creaMantenimiento(QWidget* pestana);
  void pasoComprobacion();
  void llegamensaje();
  QPointer<plataforma::DescargaArchivo> noticias_;  // the news being fetched
  bool cargado_ = false;
  bool vieneDeDialogo_ = false;  // the last other window active was one of the program's own
  int pestanaActual_ = 0;        // the tab in front, for the tab change to know the one before
};

// The one main window, created on first use.
Principal& principal();
Principal* principalSiExiste();
// Unloads the main window: it disappears at once and is destroyed when control returns to the
// event loop, so that a handler of the window may unload it.
void descargaPrincipal();
