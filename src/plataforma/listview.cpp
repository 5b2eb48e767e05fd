#include "listview.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "error.h"
#include "twips.h"

namespace plataforma {

namespace {

[[noreturn]] void fueraDeLimites() {
  throw Error(ERR_INDICE_LISTA, QStringLiteral("Índice fuera de los límites"));
}

[[noreturn]] void desbordamiento() {
  throw Error(ERR_DESBORDAMIENTO, QStringLiteral("Desbordamiento"));
}

// One cell in 12 bytes: where its text is in the pool, the text's length and form with the bold
// flag, and the colour. Millions of cells make the size of this struct the size of the list.
struct Celda {
  quint32 texto = 0;
  quint32 info = 0;
  quint32 color = 0;
};

constexpr quint32 LONGITUD = 0x3FFFFFFF;
constexpr quint32 ANCHO = 1u << 30;  // stored as UTF-16; otherwise one byte a character (Latin-1)
constexpr quint32 NEGRITA = 1u << 31;

// A growing array in fixed blocks: it never moves what it holds, so it grows without the copy
// and the doubled peak of a vector, and references stay valid while it grows.
template <typename T>
class Bloques {
 public:
  static constexpr int BITS = 12;
  static constexpr std::size_t TAM = std::size_t(1) << BITS;

  T& operator[](std::size_t i) { return bloques_[i >> BITS][i & (TAM - 1)]; }
  const T& operator[](std::size_t i) const { return bloques_[i >> BITS][i & (TAM - 1)]; }
  std::size_t size() const { return tam_; }

  void push_back(const T& valor) {
    if (tam_ == bloques_.size() * TAM) bloques_.push_back(std::make_unique<T[]>(TAM));
    (*this)[tam_++] = valor;
  }

 private:
  std::vector<std::unique_ptr<T[]>> bloques_;
  std::size_t tam_ = 0;
};

bool esLatin1(QStringView s) {
  for (QChar c : s) {
    if (c.unicode() > 0xFF) return false;
  }
  return true;
}

// All the texts of a list, packed one after another in blocks of 64 KiB. A text never straddles
// two blocks, so a cell's position is a block number and an offset, 16 bits each; a text longer
// than a block gets a block of its own. Texts that fit in Latin-1 (nearly all: dates, numbers,
// Spanish names) take one byte a character.
class Textos {
 public:
  static constexpr std::size_t TROZO = 1 << 16;

  static std::size_t bytes(const Celda& celda) {
    return std::size_t(celda.info & LONGITUD) * ((celda.info & ANCHO) ? 2 : 1);
  }

  QString lee(const Celda& celda) const {
    const qsizetype longitud = celda.info & LONGITUD;
    if (longitud == 0) return QString();
    const char* origen = puntero(celda.texto);
    if (!(celda.info & ANCHO)) return QString::fromLatin1(origen, longitud);
    QString texto(longitud, Qt::Uninitialized);
    std::memcpy(texto.data(), origen, std::size_t(longitud) * 2);
    return texto;
  }

  // Points the cell at the text, reusing the cell's old place when the text fits there.
  // Returns whether it did so.
  bool guarda(Celda& celda, QStringView s) {
    if (std::size_t(s.size()) > LONGITUD) desbordamiento();
    const bool ancho = !esLatin1(s);
    const std::size_t n = std::size_t(s.size()) * (ancho ? 2 : 1);
    const bool enSitio = n > 0 && n <= bytes(celda);
    char* destino = nullptr;
    if (n == 0) {
      celda.texto = 0;
    } else if (enSitio) {
      destino = puntero(celda.texto);
    } else {
      destino = reserva(n, celda.texto);
    }
    if (ancho) {
      std::memcpy(destino, s.utf16(), n);
    } else {
      for (qsizetype i = 0; i < s.size(); ++i) destino[i] = static_cast<char>(s[i].unicode());
    }
    celda.info = (celda.info & NEGRITA) | quint32(s.size()) | (ancho ? ANCHO : 0);
    return enSitio;
  }

  // Copies a cell's text from another pool into this one, for compaction.
  void copia(const Textos& origen, Celda& celda) {
    const std::size_t n = bytes(celda);
    if (n == 0) return;
    const char* desde = origen.puntero(celda.texto);
    std::memcpy(reserva(n, celda.texto), desde, n);
  }

  std::size_t reservados() const { return reservados_; }

 private:
  char* puntero(quint32 posicion) const {
    return trozos_[posicion >> 16].get() + (posicion & 0xFFFF);
  }

  char* reserva(std::size_t n, quint32& posicion) {
    if (n > TROZO - usadoUltimo_ || n > TROZO) {
      if (trozos_.size() >= 0x10000) desbordamiento();
      const std::size_t tam = std::max(n, TROZO);
      trozos_.push_back(std::make_unique_for_overwrite<char[]>(tam));
      reservados_ += tam;
      usadoUltimo_ = 0;
    }
    posicion = quint32((trozos_.size() - 1) << 16 | usadoUltimo_);
    char* destino = trozos_.back().get() + usadoUltimo_;
    // A block of its own is full at once, so the next text starts a new one.
    usadoUltimo_ = n > TROZO ? TROZO : usadoUltimo_ + n;
    return destino;
  }

  std::vector<std::unique_ptr<char[]>> trozos_;
  std::size_t usadoUltimo_ = TROZO;
  std::size_t reservados_ = 0;
};

struct Fila {
  quint32 primera = 0;  // its first cell in the cell array
  quint32 cuantas = 0;  // at least 1: the item's own text
};

}  // namespace

// Rows point into one array of cells, each row's cells side by side. A row whose cells are not at
// the end of the array moves them there when it grows; what is left behind, and what removed rows
// and rewritten texts leave, is reclaimed by compaction once it outweighs what is in use.
class AlmacenFilas {
 public:
  int cuantas() const { return static_cast<int>(filas_.size()); }
  int celdas(int fila) const { return static_cast<int>(filas_[fila].cuantas); }

  const Celda* celda(int fila, int columna) const {
    const Fila& f = filas_[fila];
    return quint32(columna) < f.cuantas ? &celdas_[f.primera + columna] : nullptr;
  }

  QString texto(int fila, int columna) const {
    const Celda* c = celda(fila, columna);
    return c ? textos_.lee(*c) : QString();
  }

  int agrega(QStringView texto) {
    if (filas_.size() >= std::size_t(std::numeric_limits<int>::max())) desbordamiento();
    filas_.push_back(Fila{nuevaCelda(), 1});
    textos_.guarda(celdas_[filas_.back().primera], texto);
    return cuantas() - 1;
  }

  int agregaCelda(int fila, QStringView texto) {
    const int columna = celdas(fila);
    fijaTexto(fila, columna, texto);
    return columna;
  }

  void fijaTexto(int fila, int columna, QStringView texto) {
    Celda& c = paraEscribir(fila, columna);
    const std::size_t antes = Textos::bytes(c);
    basuraBytes_ += textos_.guarda(c, texto) ? antes - Textos::bytes(c) : antes;
    compactaSiConviene();
  }

  void fijaColor(int fila, int columna, quint32 color) {
    paraEscribir(fila, columna).color = color;
    compactaSiConviene();
  }

  void fijaNegrita(int fila, int columna, bool negrita) {
    Celda& c = paraEscribir(fila, columna);
    c.info = negrita ? (c.info | NEGRITA) : (c.info & ~NEGRITA);
    compactaSiConviene();
  }

  void quita(int fila) {
    const Fila& f = filas_[fila];
    for (quint32 k = 0; k < f.cuantas; ++k) basuraBytes_ += Textos::bytes(celdas_[f.primera + k]);
    basuraCeldas_ += f.cuantas;
    filas_.erase(filas_.begin() + fila);
    compactaSiConviene();
  }

 private:
  quint32 nuevaCelda() {
    if (celdas_.size() >= 0xFFFFFFFFu) desbordamiento();
    celdas_.push_back(Celda{});
    return quint32(celdas_.size() - 1);
  }

  // The cell to write, growing the row with empty cells up to it.
  Celda& paraEscribir(int fila, int columna) {
    Fila& f = filas_[fila];
    if (quint32(columna) >= f.cuantas) {
      if (std::size_t(f.primera) + f.cuantas != celdas_.size()) {
        const quint32 desde = f.primera;
        f.primera = quint32(celdas_.size());
        for (quint32 k = 0; k < f.cuantas; ++k) {
          nuevaCelda();
          celdas_[f.primera + k] = celdas_[desde + k];
        }
        basuraCeldas_ += f.cuantas;
      }
      while (f.cuantas <= quint32(columna)) {
        nuevaCelda();
        ++f.cuantas;
      }
    }
    return celdas_[f.primera + columna];
  }

  void compactaSiConviene() {
    const bool celdasPerdidas = basuraCeldas_ > Bloques<Celda>::TAM && basuraCeldas_ * 2 > celdas_.size();
    const bool textosPerdidos = basuraBytes_ > (1u << 20) && basuraBytes_ * 2 > textos_.reservados();
    if (celdasPerdidas || textosPerdidos) compacta();
  }

  void compacta() {
    Bloques<Celda> celdas;
    Textos textos;
    for (Fila& f : filas_) {
      const quint32 primera = quint32(celdas.size());
      for (quint32 k = 0; k < f.cuantas; ++k) {
        Celda c = celdas_[f.primera + k];
        textos.copia(textos_, c);
        celdas.push_back(c);
      }
      f.primera = primera;
    }
    celdas_ = std::move(celdas);
    textos_ = std::move(textos);
    basuraCeldas_ = 0;
    basuraBytes_ = 0;
  }

  std::vector<Fila> filas_;
  Bloques<Celda> celdas_;
  Textos textos_;
  std::size_t basuraCeldas_ = 0;
  std::size_t basuraBytes_ = 0;
};

QColor colorWindows(quint32 color) {
  if (color & 0x80000000u) {
    // The system colours, by their index in the low byte.
    static constexpr QPalette::ColorRole roles[] = {
        QPalette::Window,     QPalette::Window,       QPalette::Highlight,   QPalette::Mid,
        QPalette::Window,     QPalette::Base,         QPalette::Shadow,      QPalette::WindowText,
        QPalette::Text,       QPalette::HighlightedText, QPalette::Button,   QPalette::Button,
        QPalette::Mid,        QPalette::Highlight,    QPalette::HighlightedText, QPalette::Button,
        QPalette::Dark,       QPalette::Text,         QPalette::ButtonText,  QPalette::WindowText,
        QPalette::Light,      QPalette::Shadow,       QPalette::Midlight,    QPalette::ToolTipText,
        QPalette::ToolTipBase,
    };
    const quint32 indice = color & 0xFF;
    if (indice >= std::size(roles)) return QColor(Qt::black);
    const QPalette paleta = QGuiApplication::palette();
    const QPalette::ColorGroup grupo = indice == 17 ? QPalette::Disabled : QPalette::Active;  // gray text
    return paleta.color(grupo, roles[indice]);
  }
  return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// ---------------------------------------------------------------------------------------------
// ModeloLista

ModeloLista::ModeloLista(QObject* padre)
    : QAbstractTableModel(padre), almacen_(std::make_unique<AlmacenFilas>()) {
  negrita_.setBold(true);
}

ModeloLista::~ModeloLista() = default;

int ModeloLista::rowCount(const QModelIndex& padre) const { return padre.isValid() ? 0 : anunciadas_; }

int ModeloLista::columnCount(const QModelIndex& padre) const {
  return padre.isValid() ? 0 : static_cast<int>(titulos_.size());
}

QVariant ModeloLista::data(const QModelIndex& indice, int rol) const {
  if (!indice.isValid() || indice.row() >= anunciadas_) return QVariant();
  const Celda* c = almacen_->celda(indice.row(), indice.column());
  switch (rol) {
    case Qt::DisplayRole:
      return almacen_->texto(indice.row(), indice.column());
    case Qt::ForegroundRole:
      return QBrush(colorWindows(c ? c->color : 0));
    case Qt::FontRole:
      return c && (c->info & NEGRITA) ? QVariant(negrita_) : QVariant();
  }
  return QVariant();
}

QVariant ModeloLista::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
  if (orientacion != Qt::Horizontal) return QVariant();
  if (rol == Qt::DisplayRole) return titulos_.value(seccion);
  if (rol == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return QVariant();
}

Qt::ItemFlags ModeloLista::flags(const QModelIndex& indice) const {
  return indice.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ModeloLista::agregaColumna(const QString& titulo) {
  const int columna = static_cast<int>(titulos_.size());
  beginInsertColumns(QModelIndex(), columna, columna);
  titulos_.append(titulo);
  endInsertColumns();
}

int ModeloLista::filas() const { return almacen_->cuantas(); }
int ModeloLista::celdas(int fila) const { return almacen_->celdas(fila); }
QString ModeloLista::texto(int fila, int columna) const { return almacen_->texto(fila, columna); }

quint32 ModeloLista::color(int fila, int columna) const {
  const Celda* c = almacen_->celda(fila, columna);
  return c ? c->color : 0;
}

bool ModeloLista::negrita(int fila, int columna) const {
  const Celda* c = almacen_->celda(fila, columna);
  return c && (c->info & NEGRITA);
}

int ModeloLista::agregaFila(const QString& texto) {
  const int fila = almacen_->agrega(texto);
  programa();
  return fila;
}

int ModeloLista::agregaCelda(int fila, const QString& texto) {
  const int columna = almacen_->agregaCelda(fila, texto);
  cambiada(fila);
  return columna;
}

void ModeloLista::fijaTexto(int fila, int columna, const QString& texto) {
  almacen_->fijaTexto(fila, columna, texto);
  cambiada(fila);
}

void ModeloLista::fijaColor(int fila, int columna, quint32 color) {
  almacen_->fijaColor(fila, columna, color);
  cambiada(fila);
}

void ModeloLista::fijaNegrita(int fila, int columna, bool negrita) {
  almacen_->fijaNegrita(fila, columna, negrita);
  cambiada(fila);
}

void ModeloLista::quitaFila(int fila) {
  if (fila < anunciadas_) {
    beginRemoveRows(QModelIndex(), fila, fila);
    almacen_->quita(fila);
    --anunciadas_;
    endRemoveRows();
  } else {
    almacen_->quita(fila);
  }
}

void ModeloLista::vacia() {
  beginResetModel();
  almacen_ = std::make_unique<AlmacenFilas>();
  anunciadas_ = 0;
  cambioDesde_ = cambioHasta_ = -1;
  endResetModel();
}

int ModeloLista::filasPendientes() const { return almacen_->cuantas() - anunciadas_; }

void ModeloLista::fijaFuente(const QFont& fuente) {
  negrita_ = fuente;
  negrita_.setBold(true);
}

void ModeloLista::refresca() {
  programado_ = false;
  // Changes first: they name rows the view already has; rows announced now are drawn fresh.
  if (cambioDesde_ >= 0) {
    const int hasta = std::min(cambioHasta_, anunciadas_ - 1);
    if (cambioDesde_ <= hasta && columnCount() > 0) {
      Q_EMIT dataChanged(index(cambioDesde_, 0), index(hasta, columnCount() - 1));
    }
    cambioDesde_ = cambioHasta_ = -1;
  }
  const int total = almacen_->cuantas();
  if (total > anunciadas_) {
    beginInsertRows(QModelIndex(), anunciadas_, total - 1);
    anunciadas_ = total;
    endInsertRows();
  }
}

void ModeloLista::programa() {
  if (programado_) return;
  programado_ = true;
  QMetaObject::invokeMethod(this, &ModeloLista::refresca, Qt::QueuedConnection);
}

// Rows the view has not been told about need no notice: they will be drawn as they are.
void ModeloLista::cambiada(int fila) {
  if (fila >= anunciadas_) return;
  cambioDesde_ = cambioDesde_ < 0 ? fila : std::min(cambioDesde_, fila);
  cambioHasta_ = std::max(cambioHasta_, fila);
  programa();
}

// ---------------------------------------------------------------------------------------------
// ListView

ListView::ListView(QWidget* padre) : QTableView(padre), modelo_(new ModeloLista(this)) {
  setModel(modelo_);
  setShowGrid(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  setCornerButtonEnabled(false);
  setSortingEnabled(false);
  setTabKeyNavigation(false);
  // Sideways by pixels: a single column wider than the list must scroll too.
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  // Fixed sizes everywhere: with millions of rows the view must never measure its contents.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  QHeaderView* cabecera = horizontalHeader();
  cabecera->setSectionResizeMode(QHeaderView::Interactive);
  cabecera->setStretchLastSection(false);
  cabecera->setHighlightSections(false);
  cabecera->setSectionsMovable(false);
  cabecera->setMinimumSectionSize(0);  // a column of width 0 hides it, as the program may use
  cabecera->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  ajustaAlturaFilas();

  connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& indice) {
    if (indice.isValid()) Q_EMIT ItemClick(indice.row() + 1);
  });
}

// Rows and header only as tall as their text needs (a row of the usual text is 15 pixels): the
// lists are sized in twips for n rows of that height, and the style's own heights are taller.
void ListView::ajustaAlturaFilas() {
  const int texto = fontMetrics().height();
  verticalHeader()->setDefaultSectionSize(texto + 1);
  horizontalHeader()->setFixedHeight(texto + 4);
  modelo_->fijaFuente(font());
}

int ListView::altoParaFilas(int filas) const {
  const int marco = 2 * frameWidth();
  int alto = marco + horizontalHeader()->height() + std::max(0, filas) * verticalHeader()->defaultSectionSize();
  // Columns wider than the list add the bar that scrolls them sideways.
  if (horizontalHeader()->length() > width() - marco) alto += horizontalScrollBar()->sizeHint().height();
  return tw(alto);
}

void ListView::ensanchaAlTexto() {
  connect(modelo_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int desde, int hasta) { ensancha(desde, hasta); });
  connect(modelo_, &QAbstractItemModel::dataChanged, this,
          [this](const QModelIndex& a, const QModelIndex& b) { ensancha(a.row(), b.row()); });
}

// Pixels a cell's text takes, with the margin an item view keeps on each side of it.
int ListView::anchoCelda(int fila, int columna) const {
  const QString texto = modelo_->texto(fila, columna);
  if (texto.isEmpty()) return 0;
  QFont fuente = font();
  fuente.setBold(modelo_->negrita(fila, columna));
  const int margen = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  // The view lays the text out in fractions of a pixel and cuts it when it is wider than its room
  // by any fraction: the whole pixel above.
  return static_cast<int>(std::ceil(QFontMetricsF(fuente).horizontalAdvance(texto))) + 2 * margen;
}

void ListView::ensancha(int desde, int hasta) {
  QHeaderView* cabecera = horizontalHeader();
  for (int f = desde; f <= hasta; ++f) {
    for (int c = 0; c < modelo_->columnCount() && c < modelo_->celdas(f); ++c) {
      const int ancho = anchoCelda(f, c);
      if (ancho > cabecera->sectionSize(c)) cabecera->resizeSection(c, ancho);
    }
  }
}

int ListView::anchoTextos(int columna) const {
  if (columna < 1 || columna > columnas()) fueraDeLimites();
  int ancho = 0;
  for (int f = 0; f < modelo_->filas(); ++f) ancho = std::max(ancho, anchoCelda(f, columna - 1));
  return tw(ancho);
}

void ListView::changeEvent(QEvent* evento) {
  if (evento->type() == QEvent::FontChange) ajustaAlturaFilas();
  QTableView::changeEvent(evento);
}

void ListView::keyPressEvent(QKeyEvent* evento) {
  const int antes = currentIndex().row();
  QTableView::keyPressEvent(evento);
  const QModelIndex ahora = currentIndex();
  if (ahora.isValid() && ahora.row() != antes) Q_EMIT ItemClick(ahora.row() + 1);
}

int ListView::filaValida(int fila) const {
  if (fila < 1 || fila > modelo_->filas()) fueraDeLimites();
  return fila - 1;
}

int ListView::subValido(int sub) const {
  if (sub < 1) fueraDeLimites();
  return sub;
}

void ListView::agregaColumna(const QString& titulo, int anchoTwips) {
  modelo_->agregaColumna(titulo);
  horizontalHeader()->resizeSection(modelo_->columnCount() - 1, px(anchoTwips));
}

int ListView::columnas() const { return modelo_->columnCount(); }

int ListView::anchoColumna(int columna) const {
  if (columna < 1 || columna > columnas()) fueraDeLimites();
  return tw(horizontalHeader()->sectionSize(columna - 1));
}

void ListView::fijaAnchoColumna(int columna, int twips) {
  if (columna < 1 || columna > columnas()) fueraDeLimites();
  horizontalHeader()->resizeSection(columna - 1, px(std::max(0, twips)));
}

int ListView::Add(const QString& texto) { return modelo_->agregaFila(texto) + 1; }
void ListView::Remove(int indice) { modelo_->quitaFila(filaValida(indice)); }
void ListView::Clear() { modelo_->vacia(); }
int ListView::Count() const { return modelo_->filas(); }

QString ListView::Text(int fila) const { return modelo_->texto(filaValida(fila), 0); }
void ListView::setText(int fila, const QString& texto) { modelo_->fijaTexto(filaValida(fila), 0, texto); }
quint32 ListView::ForeColor(int fila) const { return modelo_->color(filaValida(fila), 0); }
void ListView::setForeColor(int fila, quint32 color) { modelo_->fijaColor(filaValida(fila), 0, color); }
bool ListView::Bold(int fila) const { return modelo_->negrita(filaValida(fila), 0); }
void ListView::setBold(int fila, bool negrita) { modelo_->fijaNegrita(filaValida(fila), 0, negrita); }

int ListView::addSubItem(int fila, const QString& texto) {
  return modelo_->agregaCelda(filaValida(fila), texto);
}

int ListView::subCount(int fila) const { return modelo_->celdas(filaValida(fila)) - 1; }

QString ListView::subText(int fila, int sub) const {
  return modelo_->texto(filaValida(fila), subValido(sub));
}

void ListView::setSubText(int fila, int sub, const QString& texto) {
  modelo_->fijaTexto(filaValida(fila), subValido(sub), texto);
}

quint32 ListView::subForeColor(int fila, int sub) const {
  return modelo_->color(filaValida(fila), subValido(sub));
}

void ListView::setSubForeColor(int fila, int sub, quint32 color) {
  modelo_->fijaColor(filaValida(fila), subValido(sub), color);
}

bool ListView::subBold(int fila, int sub) const {
  return modelo_->negrita(filaValida(fila), subValido(sub));
}

void ListView::setSubBold(int fila, int sub, bool negrita) {
  modelo_->fijaNegrita(filaValida(fila), subValido(sub), negrita);
}

int ListView::SelectedItem() const {
  const QModelIndexList filas = selectionModel()->selectedRows();
  return filas.isEmpty() ? 0 : filas.first().row() + 1;
}

void ListView::seleccionaFila(int fila) {
  if (fila == 0) {
    selectionModel()->clearSelection();
    return;
  }
  const int f = filaValida(fila);
  modelo_->refresca();  // the row may not be announced yet
  selectionModel()->setCurrentIndex(modelo_->index(f, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ListView::EnsureVisible(int fila) {
  const int f = filaValida(fila);
  modelo_->refresca();
  scrollTo(modelo_->index(f, 0));
}

int ListView::Width() const { return tw(width()); }
void ListView::fijaAncho(int twips) { resize(px(twips), height()); }
int ListView::Height() const { return tw(height()); }
void ListView::fijaAlto(int twips) { resize(width(), px(twips)); }
int ListView::Left() const { return tw(x()); }
void ListView::fijaIzquierda(int twips) { move(px(twips), y()); }
int ListView::Top() const { return tw(y()); }
void ListView::fijaArriba(int twips) { move(x(), px(twips)); }

}  // namespace plataforma
