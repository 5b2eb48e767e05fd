#pragma once
// The news window: the program's news document shown in a small browser, always above the other
// windows, with a caption that creeps sideways.
#include <QWidget>

class QLabel;
class QTimer;
namespace plataforma {
class Etiqueta;
class NavegadorWeb;
}

class Infor : public QWidget {
  Q_OBJECT
 public:
  Infor();

  // Whether informe.dat holds a page to show: a missing or almost empty file holds none.
  static bool hayNoticias();

  void Form_Load();
  void Show();  // shown modeless; the window keeps what it loaded when it is shown again
  void Label3_Click();
  void Timer1_Timer();

  qint16 paso = 0;        // step of the creeping caption, in twips a tick
  int izquierda1 = 240;   // left of Label1, in twips

  QLabel* Label1 = nullptr;  // the creeping caption
  plataforma::Etiqueta* Label3 = nullptr;  // closes the window
  plataforma::NavegadorWeb* WebBrowser1 = nullptr;
  QTimer* Timer1 = nullptr;  // 100 ms

 protected:
  // Closed from its title bar too, the window is unloaded as "Cerrar" unloads it: a hidden window
  // would keep its timer running and show its old page when the news is asked for again.
  void closeEvent(QCloseEvent* evento) override;
};

Infor& infor();
Infor* inforSiExiste();
// Unloads the news window (it disappears at once and is destroyed by the event loop).
void descargaInfor();
