#pragma once
// The main window. Its procedures are defined in the folder of the part of the program they belong
// to (start-up in src/data, checking in src/checking, ...); this file declares the window whole.
#include <QMainWindow>
#include <array>

#include "data/registros.h"
#include "statistics/frecuencias.h"

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
namespace plataforma {
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
  void WebBrowser1_NavigateError();
  QString urldocumento;
  int avisolector = 0;

  // The program's news.
  void compruebamensaje();
  void descargamensaje();
  void avisamensaje();
  void Command6_Click();
  void Leer_Click();
  void web_Click();

  // Syndicate list, details and commands, tab "Gestor de peñas" ("Manual" on "Crear combinación").
  void listapenas();
  void ListView1_ItemClick(int Index);
  void muestrapena(int n);
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

  // Ends the program: closes every file and unloads the window.
  void salir_Click();
  void Form_QueryUnload();

  // Controls.
  QTabWidget* SSTab1 = nullptr;
  std::array<plataforma::Etiqueta*, 8> Label9{};  // draws status panel, tab "General"
  std::array<QSlider*, 2> Slider1{};              // statistics period, tab "Estadísticas"
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
  QGroupBox* Frame3 = nullptr;      // "Tipo de Peña:"
  QLabel* Label28 = nullptr;        // bet mode
  QLabel* Label29 = nullptr;        // base numbers of a reduced system
  QLabel* Label37 = nullptr;        // weekly cost
  GraficoFila* MSChart3 = nullptr;  // prizes of the syndicate shown
  // Tab "Crear combinación".
  QPushButton* Command4 = nullptr;  // "Manual"
  std::array<plataforma::Imagen*, 2> Image2{};  // run the reports
  QAction* Crearp = nullptr;        // menu "Crear peña nueva"

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
  void creaMenus();
  void pasoComprobacion();
  bool cargado_ = false;
  QWidget* ultimaActiva_ = nullptr;
};

// The one main window, created on first use.
Principal& principal();
Principal* principalSiExiste();
// Unloads the main window: it disappears at once and is destroyed when control returns to the
// event loop, so that a handler of the window may unload it.
void descargaPrincipal();
