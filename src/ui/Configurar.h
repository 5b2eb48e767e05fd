#pragma once
// The settings dialog: the price of one simple bet and the longest statistics period in months.
// Every change is written to nums.ini at once; there is no OK or Cancel.
#include <QWidget>

#include "data/registros.h"

class QLineEdit;
namespace plataforma {
class Etiqueta;
}

class Configurar : public QWidget {
  Q_OBJECT
 public:
  Configurar();

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();

  void Form_Load();
  void Text1_Change();
  void Text2_Change();
  void Label2_Click();

  // The highest price of a bet and the longest period the dialog stores; a larger figure is a
  // slip of the keyboard.
  static constexpr float PRECIO_MAXIMO = 1000;
  static constexpr qint16 MESES_MAXIMO = 999;

  Configuracion configuracion;  // the dialog's own copy of the settings
  QLineEdit* Text1 = nullptr;   // the price
  QLineEdit* Text2 = nullptr;   // the months
  plataforma::Etiqueta* Label2 = nullptr;  // closes the dialog

 private:
  void escribe();
  bool cargado_ = false;
};

// The one settings dialog, created on first use.
Configurar& configurar();
Configurar* configurarSiExiste();
void descargaConfigurar();
