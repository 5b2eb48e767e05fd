#include "apoyo/bloqueo.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QFile>
#include <gtest/gtest.h>

#include "plataforma/basedatos.h"

BloqueoBase::BloqueoBase(const QString& archivo, const char* modo) {
  sqlite3* bd = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &bd, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "no se abre " << archivo.toStdString();
    sqlite3_close_v2(bd);
    return;
  }
  sqlite3_key(bd, plataforma::CLAVE_BD, int(sizeof plataforma::CLAVE_BD - 1));
  // The lock is taken when the transaction begins; a read makes sure the key opens the file.
  const QByteArray empieza = QByteArray("BEGIN ") + modo;
  if (sqlite3_exec(bd, empieza.constData(), nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_exec(bd, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "no se bloquea " << archivo.toStdString() << ": " << sqlite3_errmsg(bd);
    sqlite3_close_v2(bd);
    return;
  }
  bd_ = bd;
}

BloqueoBase::~BloqueoBase() { suelta(); }

void BloqueoBase::suelta() {
  if (!bd_) return;
  sqlite3_exec(bd_, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close_v2(bd_);
  bd_ = nullptr;
}
