#pragma once
// Small controls the windows need beyond what Qt offers as it is.
#include <QLabel>

namespace plataforma {

// A label that reports clicks, as the program's labels do.
class Etiqueta : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 Q_SIGNALS:
  void Click();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

}  // namespace plataforma
