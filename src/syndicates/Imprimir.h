#pragma once
// The slip printing window: the bets of the selected syndicate as crosses on La Primitiva's official
// slips fed into the printer, or on plain paper as participations, two a page, each with the frame,
// reading marks and play-day marks of the official slip. The printer's offset for official slips is
// corrected with two fields kept in the settings record.
#include <QWidget>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <vector>

#include "data/registros.h"
#include "syndicates/boletos.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class Imprimir : public QWidget {
  Q_OBJECT
 public:
  Imprimir();
  ~Imprimir() override;

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();
  bool cargado() const { return cargado_; }

  void Form_Load();
  void Command1_Click();  // "Imprimir en papel oficial"
  void Command2_Click();  // "Imprimir en papel normal"
  void imprime();
  void posiciones();
  void dibujaboleto(int s);
  void Text1_Change(int Index);
  void Text1_LostFocus(int Index);

  // State of the window.
  Pena pena;                    // record penaelegida as it was when the window loaded
  Configuracion configuracion;  // the window's own copy of the settings record
  int numboletos = 0;           // official slips (or participations) needed
  int modo = 0;                 // 0 official slip, 1 plain paper
  int b = 1;                    // block whose boxes posiciones gives
  float offsetx = 0;            // where the participation being printed starts
  float offsety = 0;
  int paginaoffset = 0;         // 0, or 104 for the second participation of a page
  std::array<boletos::Casilla, 50> casillas{};  // the boxes of numbers 1..49 in block b

  // Controls.
  QLabel* Label1 = nullptr;  // "IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"
  QLabel* Label10 = nullptr;  // the syndicate's name
  std::array<QLabel*, 3> Label3{};  // captions of Label2
  std::array<QLabel*, 3> Label2{};  // bets, slips needed, play days
  QGroupBox* Frame1 = nullptr;      // "Corrección margen impresora:"
  std::array<QLineEdit*, 2> Text1{};  // X and Y, mm
  QCheckBox* Check1 = nullptr;        // "-Jugar al" Joker
  QLabel* Image1 = nullptr;           // the Joker's picture
  QLabel* Label4 = nullptr;           // "Sólo en papel oficial"
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override;

 private:
  void creaControles();
  // Both stored corrections back into their fields, without raising their change handlers.
  void muestraCorrecciones();
  // Lays out every slip or participation on the printer (or, measuring, only notes where each text
  // of the official slips would fall).
  void recorre();
  // Where the texts of the official slips would fall, mm, with the corrections or with none: the
  // marks the terminal reads (crosses, kind and Joker marks) and the headings above the grid.
  struct Medidas {
    std::vector<QRectF> marcas, cabeceras;
  };
  Medidas mide(bool sinCorrecciones);
  // An "X" with its top-left corner at (x, y) mm.
  void marca(float x, float y);
  // A text line with its top-left corner at (x, y) mm.
  void escribe(double x, double y, const QString& texto);
  // The corrections X (0) and Y (1), mm, with which `textos`, measured with no correction, fall
  // whole within a printable area of `pagina` mm from its corner, none cut and none carried to
  // another sheet. minimo > maximo: no correction would do.
  struct Rango {
    double minimo = 0, maximo = 0;
  };
  static std::array<Rango, 2> rangos(const std::vector<QRectF>& textos, QSizeF pagina);
  // The same for the marks the terminal reads: they alone decide which corrections can print.
  std::array<Rango, 2> rangos(QSizeF pagina);
  // Whether the corrections print every mark on the chosen printer's sheet; if not, the user is told
  // which to change and to what. When only the headings would be cut, the slips print without
  // them and `aviso` says so.
  bool cabe(QString& aviso);
  bool cargado_ = false;
  bool midiendo_ = false;
  bool conCabecera_ = true;  // the official slips of this job carry their heading
  Medidas medidas_;  // where each text would fall, measuring
  std::array<float, 2> antes_{};  // each correction as it was before the edit under way
  bool avisado_ = false;  // read-only data was told since the window loaded
};

// The one printing window, created on first use.
Imprimir& imprimir();
Imprimir* imprimirSiExiste();
// Unloads the printing window: hidden at once, destroyed when control returns to the event loop.
void descargaImprimir();
