#pragma once
// The syndicate editor: a slip block of 49 numbers, the name and the play days. It enters new
// syndicates (stored by "Grabar") or, with editando set, changes a stored one bet by bet, writing
// every completed change at once.
#include <QWidget>
#include <array>

#include "data/registros.h"
#include "plataforma/controles.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QValidator;
struct TablaReducida;
namespace plataforma {
class ListView;
}

class Crea : public QWidget {
  Q_OBJECT
 public:
  Crea();
  ~Crea() override;

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();
  bool cargado() const { return cargado_; }

  // Opening and activation.
  void Form_Load();
  void Form_Activate();
  // Whether the window may close; false keeps it open (an unfinished bet while editing).
  bool Form_QueryUnload();
  void Label5_Click();

  // The grid and the bets.
  void numerosapuesta();
  void Image1_Click(int Index);
  void actualizaapuesta(int modo);
  void marcanumeros();

  // Buttons: "Grabar", "Borrar" / "Eliminar apuesta", "Aleatorio", "Añadir apuesta".
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void grabapena();
  bool expandereducida();

  // Name, play days and, while editing, the bet navigator.
  void Text1_Change();
  void Option_Click(int Index);  // Option1 .. Option5 as 1 .. 5
  void HScroll1_Change();

  // State of the window.
  Pena penatrabajo;
  int marcados = 0;
  int numerosporapuesta = 0;
  int numerosesperados = 0;
  int limiteapuestas = 0;
  int apuestasreducida = 0;
  int anchocolumna = 0;
  int solonombre = 0;
  bool limitealcanzado = false;
  // Edit mode.
  int cambiado = 0;
  int cambiosactivos = 0;
  int apuestacargada = 0;
  int apuestapendiente = 0;
  int apuestaanadida = 0;
  int apuestaactual = 0;
  int aleatorioedicion = 0;

  // Controls.
  QLabel* Label1 = nullptr;  // "Nombre de la Peña:"
  QLineEdit* Text1 = nullptr;
  QLabel* Label4 = nullptr;  // the prompt
  QLabel* Picture1 = nullptr;  // the slip block
  std::array<plataforma::Imagen*, 49> Image1{};
  plataforma::ListaImagenes ImageList1;  // 1: the mark
  plataforma::ListView* ListView5 = nullptr;
  QLabel* Label2 = nullptr;  // "-Apuestas:"
  QLabel* Label3 = nullptr;  // count of bets
  std::array<QRadioButton*, 6> Option{};  // 1..5: play days
  QPushButton* Command1 = nullptr;  // "Grabar"
  QPushButton* Command2 = nullptr;  // "Borrar"
  QPushButton* Command3 = nullptr;  // "Aleatorio"
  QPushButton* Command4 = nullptr;  // "Añadir apuesta"
  QPushButton* Command5 = nullptr;  // "Eliminar apuesta"
  QScrollBar* HScroll1 = nullptr;  // the bet navigator
  QLineEdit* Text2 = nullptr;  // the shown bet's number
  plataforma::Etiqueta* Label5 = nullptr;  // "X"
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;

  bool marcada(int Index) const;
  // The play-day value of the selected option, "Todos (L+J+S)" when none is.
  QString diasElegidos() const;

 protected:
  void closeEvent(QCloseEvent* evento) override;
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void creaControles();
  void vaciaCuadricula();
  void mueveApuesta();
  void eliminaApuesta();
  void fijaNavegador(int valor);
  void fijaMaximo(int maximo);
  void actualizaAnadir();
  bool escribeTrabajo(const Pena& pena);
  bool sistemaUtilizable();
  QString leeSistemaElegido(TablaReducida& tabla);
  void fijaNombre(const QString& nombre);
  bool cargado_ = false;
  bool sistemaErroneo_ = false;
  int semillas_ = 0;
  QWidget* ultimaActiva_ = nullptr;
  QValidator* mayusculas_ = nullptr;
};

// The one editor window, created on first use.
Crea& crea();
Crea* creaSiExiste();
// Unloads the editor: hidden at once, destroyed when control returns to the event loop. It asks
// nothing: an unfinished bet on the grid is dropped, the record keeps its last complete state.
void descargaCrea();
