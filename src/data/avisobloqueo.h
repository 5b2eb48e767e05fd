#pragma once
// Another program holding the report database Bolvanta.mdb. Each piece of work of the user's (a
// click, a change of a filter, the start-up) opens a TareaBD: the database is then waited for once
// (plataforma::EsperaUnica), and the first table that could not be written for that reason tells
// the user once, with what it means for that work. Outside any TareaBD each table tells it.
#include <QString>

#include "plataforma/basedatos.h"

class TareaBD {
 public:
  // `consecuencia`: what a held database means for this work, said after the fact. Empty keeps
  // the one of the work this one is part of.
  explicit TareaBD(const QString& consecuencia = QString());
  ~TareaBD();
  TareaBD(const TareaBD&) = delete;
  TareaBD& operator=(const TareaBD&) = delete;

  // Whether the database was found held during this work.
  static bool retenida() { return plataforma::EsperaUnica::retenida(); }

 private:
  plataforma::EsperaUnica espera_;
  QString anterior_;
};

// Says that another program is using the database, and what that means for the work under way.
void avisobloqueo();
