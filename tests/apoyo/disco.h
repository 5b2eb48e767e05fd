#pragma once
// A test's program folder on a disk with no room left. For real: a small file system of its own
// (tmpfs) is mounted over the folder, the folder's files are copied onto it, and `llena` fills it
// to the last byte, where the machine lets the test mount one. Otherwise the program's own
// free-space limit stands in for the disk. Room comes back with `vacia`; the file system goes with
// the object, after the program has closed its files.
#include <QString>

#include "apoyo/carpeta.h"

class DiscoLleno {
 public:
  DiscoLleno(const CarpetaPrograma& carpeta, bool real);
  ~DiscoLleno();
  DiscoLleno(const DiscoLleno&) = delete;
  DiscoLleno& operator=(const DiscoLleno&) = delete;

  // False when a real disk was asked for and none could be mounted (the test then skips it).
  bool listo() const { return listo_; }
  void llena();
  void vacia();
  // The file that fills a real disk; it belongs to no one but the test.
  static constexpr char RELLENO[] = "relleno";

 private:
  QString ruta_;
  bool real_;
  bool listo_ = true;
};
