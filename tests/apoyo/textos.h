#pragma once
// What the user sees of a window: texts cut by their controls and lists that show fewer rows than
// they were sized for, measured in each control's own font and style.
#include <QString>
#include <vector>

class QAbstractItemView;
class QTableView;
class QWidget;

struct TextoCortado {
  const QWidget* control;
  QString clase;
  QString texto;
  int necesario;   // pixels the text needs, margins and indicator included
  int disponible;  // pixels the control offers
  bool alto;       // the height is short, not the width
};

// Every label, button, check box, option button, group box title, read-only text box and combo box
// of the window (shown or not) whose text does not fit. A label that wraps its words fits when its
// height for its width fits in its height.
std::vector<TextoCortado> textosCortados(QWidget* ventana);

// One line per control, for a test's failure message.
QString describe(const std::vector<TextoCortado>& cortados);

// Rows of the list shown whole, from the first one on.
int filasVisibles(QAbstractItemView* lista);

// Cells and column titles of a list whose text is wider than its column. Unless the list is meant
// to scroll sideways, a column that runs out of the list offers only what the list shows of it.
std::vector<TextoCortado> celdasCortadas(QTableView* lista, bool seDesplaza = false);

// Saves a picture of the window as <BOLVANTA_IMAGENES><nombre>.png when that variable is set, so
// that a person can look at the windows the tests walk.
void guardaImagen(QWidget* ventana, const QString& nombre);

// The window shown and settled, pictured, and a test failure for every text cut in it: one line
// per window and state in a test.
void compruebaTextos(QWidget* ventana, const QString& nombre);
