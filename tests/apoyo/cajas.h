#pragma once
// Real message boxes, as a user meets them: no responder answers them, each box opens as a modal
// window with its own event loop, and a timer clicks its default button with the mouse after a
// pause. Scripted boxes hide what a real one does to the event loop (window activation, a scroll
// bar's auto-repeat, handlers entered again), which these tests are for.
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class CajasReales : public QObject {
 public:
  // espera: how long each box stays open before it is clicked.
  explicit CajasReales(int espera = 50);
  ~CajasReales() override;

  // The texts of the boxes clicked so far, in order.
  const QStringList& textos() const { return textos_; }
  // Called once when more than `tope` boxes have opened, so that a test of a runaway loop can end
  // what feeds it instead of clicking forever.
  void alPasarse(int tope, std::function<void()> accion);

 private:
  void mira();
  QTimer timer_;
  int espera_;
  int esperado_ = 0;
  QStringList textos_;
  int tope_ = 0;
  std::function<void()> accion_;
};
