#include "controles.h"

#include <QMouseEvent>

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

}  // namespace plataforma
