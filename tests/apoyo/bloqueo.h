#pragma once
// Another program holding the report database: a connection of its own, keyed with the program's
// password, inside an open transaction until it lets go.
#include <QString>

struct sqlite3;

class BloqueoBase {
 public:
  // "IMMEDIATE": others still read, but nobody else writes. "EXCLUSIVE": nobody else reads either.
  BloqueoBase(const QString& archivo, const char* modo);
  ~BloqueoBase();
  BloqueoBase(const BloqueoBase&) = delete;
  BloqueoBase& operator=(const BloqueoBase&) = delete;

  bool activo() const { return bd_ != nullptr; }
  // Ends the transaction without writing and closes the connection.
  void suelta();

 private:
  sqlite3* bd_ = nullptr;
};
