#include "apoyo/cierre.h"

#include <QWidget>
#include <QWindow>

// The entry by which a platform plug-in reports a click on a close box. Qt exports it for its
// platform plug-ins only; it is declared here as Qt declares it, the one call the tests need of it.
class QWindowSystemInterface {
 public:
  struct AsynchronousDelivery {};
  template <typename Delivery>
  static bool handleCloseEvent(QWindow* window);
};

void pideCierre(QWidget* ventana) {
  if (QWindow* w = ventana ? ventana->windowHandle() : nullptr)
    QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::AsynchronousDelivery>(w);
}
