#pragma once
// The report-view list of the program: items with sub-items in columns, each cell with its own
// colour and boldness. The program lists up to millions of rows (check results), so cells are kept
// packed in the model and new rows are announced to the view in one batch.
#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <QTableView>
#include <memory>

namespace plataforma {

// The error the list raises for an index outside it ("Índice fuera de los límites").
constexpr int ERR_INDICE_LISTA = 35600;

// A colour &HBBGGRR (red in the low byte), as the program keeps its colours. Values with the high bit set name a system
// colour (&H80000008 is the window text), taken from the application's palette.
QColor colorWindows(quint32 color);

class AlmacenFilas;

// Rows and cells, 0-based. Reads see every row added; the view sees rows once they are announced,
// which happens when control returns to the event loop or on refresca().
class ModeloLista : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ModeloLista(QObject* padre = nullptr);
  ~ModeloLista() override;

  int rowCount(const QModelIndex& padre = QModelIndex()) const override;
  int columnCount(const QModelIndex& padre = QModelIndex()) const override;
  QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
  QVariant headerData(int seccion, Qt::Orientation orientacion, int rol = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& indice) const override;

  void agregaColumna(const QString& titulo);
  QString tituloColumna(int columna) const { return titulos_.value(columna); }

  int filas() const;
  int celdas(int fila) const;  // the item plus its sub-items
  QString texto(int fila, int columna) const;
  quint32 color(int fila, int columna) const;
  bool negrita(int fila, int columna) const;

  int agregaFila(const QString& texto);
  int agregaCelda(int fila, const QString& texto);  // returns the new cell's column
  void fijaTexto(int fila, int columna, const QString& texto);
  void fijaColor(int fila, int columna, quint32 color);
  void fijaNegrita(int fila, int columna, bool negrita);
  void quitaFila(int fila);
  void vacia();

  // Announces pending rows and changed cells to the view now.
  void refresca();
  int filasPendientes() const;
  void fijaFuente(const QFont& fuente);

 private:
  void programa();
  void cambiada(int fila);

  std::unique_ptr<AlmacenFilas> almacen_;
  QStringList titulos_;
  int anunciadas_ = 0;
  int cambioDesde_ = -1;
  int cambioHasta_ = -1;
  bool programado_ = false;
  QFont negrita_;
};

// The ListView control in report view. Indices are 1-based: item 1 is the first row, sub-item k
// is shown in column k (column 0 holds the item's own text). Widths and positions are in twips.
class ListView : public QTableView {
  Q_OBJECT

 public:
  explicit ListView(QWidget* padre = nullptr);

  // ColumnHeaders
  void agregaColumna(const QString& titulo, int anchoTwips = 1440);
  int columnas() const;
  int anchoColumna(int columna) const;
  void fijaAnchoColumna(int columna, int twips);
  // The width, in twips, that shows the widest text of the column whole.
  int anchoTextos(int columna) const;
  // From now on a column widens to every text shown in it, and the list scrolls sideways, rather
  // than cutting the text. For short lists only: every new or changed row is measured.
  void ensanchaAlTexto();

  // ListItems
  int Add(const QString& texto);
  void Remove(int indice);
  void Clear();
  int Count() const;

  // ListItem
  QString Text(int fila) const;
  void setText(int fila, const QString& texto);
  quint32 ForeColor(int fila) const;
  void setForeColor(int fila, quint32 color);
  bool Bold(int fila) const;
  void setBold(int fila, bool negrita);

  // ListSubItems; a sub-item never set reads as empty, black, not bold.
  int addSubItem(int fila, const QString& texto);
  int subCount(int fila) const;
  QString subText(int fila, int sub) const;
  void setSubText(int fila, int sub, const QString& texto);
  quint32 subForeColor(int fila, int sub) const;
  void setSubForeColor(int fila, int sub, quint32 color);
  bool subBold(int fila, int sub) const;
  void setSubBold(int fila, int sub, bool negrita);

  // SelectedItem: 0 when no row is selected. Selecting by code raises no ItemClick.
  int SelectedItem() const;
  void seleccionaFila(int fila);
  void EnsureVisible(int fila);

  // Visible, Width, Height, Left, Top.
  bool Visible() const { return !isHidden(); }
  void fijaVisible(bool visible) { setVisible(visible); }
  int Width() const;
  void fijaAncho(int twips);
  int Height() const;
  void fijaAlto(int twips);
  // The height, in twips, that shows the header and this many rows whole.
  int altoParaFilas(int filas) const;
  int Left() const;
  void fijaIzquierda(int twips);
  int Top() const;
  void fijaArriba(int twips);

  void refresca() { modelo_->refresca(); }
  ModeloLista* modelo() const { return modelo_; }

 Q_SIGNALS:
  // The user picked a row, by clicking it or moving to it with the keyboard.
  void ItemClick(int fila);

 protected:
  void keyPressEvent(QKeyEvent* evento) override;
  void changeEvent(QEvent* evento) override;

 private:
  int filaValida(int fila) const;  // 0-based row, or throws ERR_INDICE_LISTA
  int subValido(int sub) const;
  void ajustaAlturaFilas();
  void ensancha(int desde, int hasta);
  int anchoCelda(int fila, int columna) const;

  ModeloLista* modelo_;
};

}  // namespace plataforma
