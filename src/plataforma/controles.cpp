#include "controles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

#include "listview.h"

namespace plataforma {

void Etiqueta::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT Click();
}

CajaTexto::CajaTexto(QWidget* padre) : QPlainTextEdit(padre) { setReadOnly(true); }

void CajaTexto::mouseReleaseEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton) Q_EMIT Click();
}

void Boton::setBackColor(quint32 color) {
  fondo_ = color;
  if (color == COLOR_BOTON) {
    setStyleSheet(QString());
    return;
  }
  const QColor c = colorWindows(color);
  setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: white; font-weight: bold; }")
                    .arg(c.name()));
}

QPixmap ListaImagenes::imagen(int numero) const {
  if (numero < 1 || numero > cuenta()) return {};
  return imagenes_[numero - 1];
}

Imagen::Imagen(QWidget* padre) : QLabel(padre) {
  setMouseTracking(true);
  setCursor(Qt::PointingHandCursor);
}

void Imagen::setPicture(const ListaImagenes& lista, int numero) {
  numero_ = numero;
  setPixmap(lista.imagen(numero));
}

void Imagen::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT Click();
}

void Imagen::mouseMoveEvent(QMouseEvent* e) {
  QLabel::mouseMoveEvent(e);
  Q_EMIT MouseMove();
}

EtiquetaGuiones::EtiquetaGuiones(QWidget* padre) : QLabel(padre) { setWordWrap(true); }

QStringList EtiquetaGuiones::lineas(int ancho) const {
  // Pieces that end in a hyphen or a blank; a line takes pieces while they fit, and at least one.
  QStringList trozos;
  QString trozo;
  for (const QChar c : text()) {
    trozo += c;
    if (c == QLatin1Char('-') || c.isSpace()) {
      trozos << trozo;
      trozo.clear();
    }
  }
  if (!trozo.isEmpty()) trozos << trozo;
  const QFontMetrics fm = fontMetrics();
  QStringList r;
  QString linea;
  for (const QString& t : trozos) {
    const QString mas = linea + t;
    if (!linea.isEmpty() && fm.horizontalAdvance(mas.trimmed()) > ancho) {
      r << linea.trimmed();
      linea = t;
    } else {
      linea = mas;
    }
  }
  if (!linea.isEmpty()) r << linea.trimmed();
  return r;
}

int EtiquetaGuiones::heightForWidth(int ancho) const {
  const QMargins m = contentsMargins();
  const int lineasTexto = int(lineas(ancho - m.left() - m.right()).size());
  return lineasTexto * fontMetrics().lineSpacing() + m.top() + m.bottom();
}

QSize EtiquetaGuiones::sizeHint() const {
  const QMargins m = contentsMargins();
  return QSize(fontMetrics().horizontalAdvance(text()) + m.left() + m.right(),
               fontMetrics().height() + m.top() + m.bottom());
}

QSize EtiquetaGuiones::minimumSizeHint() const {
  // The widest piece, which no line can break.
  const QMargins m = contentsMargins();
  int ancho = 0;
  for (const QString& l : lineas(0)) ancho = std::max(ancho, fontMetrics().horizontalAdvance(l));
  return QSize(ancho + m.left() + m.right(), fontMetrics().height() + m.top() + m.bottom());
}

void EtiquetaGuiones::paintEvent(QPaintEvent*) {
  QPainter pintor(this);
  pintor.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  const QRect zona = contentsRect();
  const QFontMetrics fm = fontMetrics();
  int y = zona.top();
  for (const QString& l : lineas(zona.width())) {
    pintor.drawText(QRect(zona.left(), y, zona.width(), fm.height()), int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop, l);
    y += fm.lineSpacing();
  }
}

void Etiqueta::comoEnlace() {
  setStyleSheet(QStringLiteral("color: #0000ff; text-decoration: underline;"));
  setCursor(Qt::PointingHandCursor);
}

QPixmap dibujoSvg(const QString& recurso, int ancho, int alto) {
  QPixmap imagen(ancho, alto);
  imagen.fill(Qt::transparent);
  QSvgRenderer svg(recurso);
  if (svg.isValid()) {
    QPainter pintor(&imagen);
    svg.render(&pintor);
  }
  return imagen;
}

}  // namespace plataforma
