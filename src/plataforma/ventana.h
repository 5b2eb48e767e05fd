#pragma once
// Every window of the program exists once: created on first use, and unloaded by hiding it at once
// and destroying it when control returns to the event loop, so that a window's own handler may
// unload it.
#include <QDialog>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace plataforma {

template <typename T>
class Unica {
 public:
  static T& instancia() {
    if (!puntero()) puntero() = new T;
    return *puntero();
  }
  static T* siExiste() { return puntero().data(); }
  static void descarga() {
    T* v = puntero().data();
    if (!v) return;
    puntero() = nullptr;
    v->hide();
    v->deleteLater();
  }

 private:
  static QPointer<T>& puntero() {
    static QPointer<T> v;
    return v;
  }
};

// Shows a window modeless, running its Form_Load the first time.
template <typename V>
void muestra(V& ventana, bool& cargado) {
  if (!cargado) {
    cargado = true;
    ventana.Form_Load();
  }
  ventana.show();
  ventana.raise();
  ventana.activateWindow();
}

// Marks a window as one of the program's own dialogs. The main window runs its activation when it
// comes back to the front from one of these, never from a message box or a system dialog.
inline void dialogoPropio(QWidget* w) { w->setProperty("bolvanta_dialogo", true); }
inline bool esDialogoPropio(const QWidget* w) {
  return w && w->property("bolvanta_dialogo").toBool();
}

// Whether a window that became active counts as a place the user came from when a window's
// activation asks where that was. Message boxes, the system's file and print dialogs, menus and
// tooltips open and close over a window without the user leaving it.
inline bool cuentaParaActivacion(const QWidget* w) {
  if (!w) return false;
  if (esDialogoPropio(w)) return true;
  if (qobject_cast<const QDialog*>(w)) return false;
  const Qt::WindowType tipo = w->windowType();
  return tipo != Qt::Popup && tipo != Qt::ToolTip;
}

}  // namespace plataforma
