#pragma once
// The bet-mode chooser: simple bets, one multiple bet or a reduced system of tablas.bin. The
// choice goes to the editor through modalidad and sistemareducido.
#include <QPixmap>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QRadioButton;
class QTimer;
namespace plataforma {
class Etiqueta;
}

class Creamenu : public QWidget {
  Q_OBJECT
 public:
  Creamenu();
  ~Creamenu() override;

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();
  bool cargado() const { return cargado_; }

  void Form_Load();
  void Option1_Click(int Index);
  void listamodos(int modo);
  void Combo1_Click();
  void Timer1_Timer();
  void Label3_Click();

  qint16 marcas = 0;  // how many of the 18 marks are shown

  QLabel* Label2 = nullptr;
  std::array<QRadioButton*, 3> Option1{};  // "Múltiple", "Sencilla", "Reducida"
  QComboBox* Combo1 = nullptr;
  plataforma::Etiqueta* Label3 = nullptr;  // "X"
  std::array<QLabel*, 18> Label1{};
  QTimer* Timer1 = nullptr;

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  bool cargado_ = false;
  QPixmap fondo_;
};

// The one chooser window, created on first use.
Creamenu& creamenu();
Creamenu* creamenuSiExiste();
// Unloads the chooser: hidden at once, destroyed when control returns to the event loop.
void descargaCreamenu();
