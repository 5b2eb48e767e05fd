#pragma once
// Every window of the program exists once: created on first use, and unloaded by hiding it at once
// and destroying it when control returns to the event loop, so that a window's own handler may
// unload it.
#include <QPointer>

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

}  // namespace plataforma
