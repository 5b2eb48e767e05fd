#pragma once
// The main window. Its procedures are defined in the folder of the part of the program they belong
// to (start-up in src/data, checking in src/checking, ...); this file declares the window whole.
#include <QMainWindow>
#include <array>

#include "data/registros.h"

class QSlider;
class QTabWidget;
namespace plataforma {
class Etiqueta;
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

  // Ends the program: closes every file and unloads the window.
  void salir_Click();
  void Form_QueryUnload();

  // Controls.
  QTabWidget* SSTab1 = nullptr;
  std::array<plataforma::Etiqueta*, 8> Label9{};  // draws status panel, tab "General"
  std::array<QSlider*, 2> Slider1{};              // statistics period, tab "Estadísticas"

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;
  void closeEvent(QCloseEvent* evento) override;

 private:
  void creaControles();
  bool cargado_ = false;
  QWidget* ultimaActiva_ = nullptr;
};

// The one main window, created on first use.
Principal& principal();
Principal* principalSiExiste();
// Unloads the main window: it disappears at once and is destroyed when control returns to the
// event loop, so that a handler of the window may unload it.
void descargaPrincipal();
