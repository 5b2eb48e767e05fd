#pragma once
// The start-up window: eight pictures, one every 150 ms, then "Entrar"; the main window opens on the
// click or by itself on the 58th tick.
#include <QPixmap>
#include <QWidget>
#include <array>

class QPushButton;
class QTimer;

class Presentacion : public QWidget {
  Q_OBJECT
 public:
  Presentacion();

  void Form_Load();
  void Timer1_Timer();
  void Command1_Click();

  qint16 fotograma = 0;
  int pulsos = 0;
  QTimer* Timer1 = nullptr;
  QPushButton* Command1 = nullptr;
  std::array<QPixmap, 9> ImageList1;  // pictures 1..8
  int imagenActual() const { return imagen_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;

 private:
  int imagen_ = 0;
};

Presentacion& presentacion();
Presentacion* presentacionSiExiste();
void descargaPresentacion();
