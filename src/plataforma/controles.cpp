#include "controles.h"

#include <QMouseEvent>

namespace plataforma {

void Etiqueta::mouseReleaseEvent(QMouseEvent* e) {
  QLabel::mouseReleaseEvent(e);
  if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) Q_EMIT Click();
}

}  // namespace plataforma
