#pragma once
// The settings dialog: the price of one simple bet and the longest statistics period in months.
// Every change is written to nums.ini at once; there is no OK or Cancel.
#include <QWidget>

#include "data/ajustes.h"
#include "data/registros.h"

class QLabel;
class QLineEdit;
class QTimer;
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
  // Leaving a box (another box, Enter, another window) shows the value stored, in the program's
  // own form, and hands the months on to the main window.
  void Text1_LostFocus();
  void Text2_LostFocus();
  void Label2_Click();

  // Hands the months stored to the statistics sliders of the main window, when they are not the
  // ones handed last. Runs once the typing settles, when a box is left and when the dialog goes:
  // a digit on the way to a number ("1" on the way to "12") never becomes a period.
  void aplicaMeses();
  // Hands the price stored to the main window in the same moments: the syndicate shown there
  // counts its weekly cost with it.
  void aplicaPrecio();
  void aplica();  // both
  // How long the typing must rest before the months and the price reach the main window.
  static constexpr int ESPERA_MS = 700;

  // The highest price of a bet and the longest period the dialog stores; a larger figure is a
  // slip of the keyboard.
  static constexpr float PRECIO_MAXIMO = ::PRECIO_MAXIMO;
  static constexpr qint16 MESES_MAXIMO = 999;

  Configuracion configuracion;  // the dialog's own copy of the settings
  QLineEdit* Text1 = nullptr;   // the price
  QLineEdit* Text2 = nullptr;   // the months
  plataforma::Etiqueta* Label2 = nullptr;  // closes the dialog
  QLabel* Label3 = nullptr;                // the note under the months: their limits

 protected:
  void hideEvent(QHideEvent* evento) override;

 private:
  void escribe();
  bool rechaza(QLineEdit* caja, const QString& guardado);
  bool cargado_ = false;
  bool cargando_ = false;       // Form_Load is putting the stored values into the boxes
  bool avisado_ = false;        // read-only data was told since the dialog loaded
  qint16 mesesAplicados_ = 0;   // the months the main window's sliders were last given
  float precioAplicado_ = 0;    // the price the main window was last given
  QTimer* espera_ = nullptr;
};

// The one settings dialog, created on first use.
Configurar& configurar();
Configurar* configurarSiExiste();
void descargaConfigurar();
